#include "description.h"
#include "emplacements.h"

#include "lecteurs.h"
#include "texte.h"
#include "traduction.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <set>

namespace orv {

namespace {
QDate date_jjmmaaaa(const QString& s)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QRegularExpressionMatch m = forme.match(s.trimmed());
    return m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()) : QDate();
}

// "Name;latitude;longitude", DD.MM, West positive.
bool lieu(const QString& s, TPos_elem& e)
{
    const QStringList p = s.split(u';');
    ext lat = 0, lon = 0;
    if (p.size() != 3 || p[0].trimmed().isEmpty() || !est_nombre(p[1].trimmed(), &lat) ||
        !est_nombre(p[2].trimmed(), &lon) || !ddmm_valide(lat, 90) || !ddmm_valide(lon, 180))
        return false;
    e = cree_pos_elem(p[0].trimmed(), lat, lon);
    return true;
}
}  // namespace

bool lit_course(const QByteArray& contenu, const QString& nom_fichier, Course& c, QString& erreur, bool de_flotte)
{
    Course lue;
    LecteurTexte f(contenu);
    QString section;
    int n = 0;
    auto refus = [&](const QString& quoi) {
        erreur = Texte::tr("Description de la course illisible : « %1 », ligne %2 : %3.").arg(nom_fichier).arg(n).arg(quoi);
        return false;
    };
    std::set<QString> cles;
    while (!f.eof()) {
        ++n;
        const qsizetype debut = f.marque().pos;
        const QString l = f.ligne().trimmed();
        // The reader keeps 255 characters of a line: a longer one is refused
        // rather than read cut.
        if (debut + 255 < contenu.size() && contenu[debut + 255] != '\r' && contenu[debut + 255] != '\n' &&
            f.marque().pos > debut + 256)
            return refus(Texte::tr("ligne de plus de 255 caractères"));
        if (l.isEmpty() || l.startsWith(u';'))
            continue;
        if (l.startsWith(u'[') && l.endsWith(u']')) {
            section = l.mid(1, l.size() - 2).trimmed().toLower();
            if (section != QLatin1String("course") && section != QLatin1String("concurrents"))
                return refus(Texte::tr("section inconnue « %1 »").arg(l));
            continue;
        }
        if (section == QLatin1String("concurrents")) {
            const QStringList p = l.split(u';');
            if (p.size() != 8)
                return refus(Texte::tr("un concurrent a 8 champs séparés par « ; » (skipper;bateau;gréement;longueur;"
                                       "poids en charge;voilure au près;voilure au portant;photo), pas %1")
                                 .arg(p.size()));
            Concurrent k{p[0].trimmed(), p[1].trimmed(),
                         {p[2].trimmed(), p[3].trimmed(), p[4].trimmed(), p[5].trimmed(), p[6].trimmed()},
                         p[7].trimmed()};
            if (k.skipper.isEmpty())
                return refus(Texte::tr("concurrent sans nom"));
            // Day files name an entrant by the first 14 characters.
            if (k.skipper.size() > LONGUEUR_NOM_MAX)
                return refus(Texte::tr("« %1 » : un nom de skipper a %2 caractères au plus").arg(k.skipper).arg(LONGUEUR_NOM_MAX));
            if (lue.indice(k.skipper) != lue.inconnu())
                return refus(Texte::tr("« %1 » déjà nommé").arg(k.skipper));
            lue.concurrents.push_back(std::move(k));
            continue;
        }
        if (section != QLatin1String("course"))
            return refus(Texte::tr("« %1 » hors d'une section [course] ou [concurrents]").arg(l));
        const qsizetype eg = l.indexOf(u'=');
        const QString cle = eg > 0 ? l.left(eg).trimmed().toLower() : QString();
        const QString valeur = eg > 0 ? l.mid(eg + 1).trimmed() : QString();
        if (!cle.isEmpty() && !cles.insert(cle).second)
            return refus(Texte::tr("« %1 » déjà donné").arg(cle));
        if (cle == QLatin1String("nom")) {
            lue.nom = valeur;
        } else if (cle == QLatin1String("premier jour") || cle == QLatin1String("dernier jour")) {
            const QDate d = date_jjmmaaaa(valeur);
            if (!d.isValid())
                return refus(Texte::tr("« %1 » n'est pas une date (JJ/MM/AAAA)").arg(valeur));
            (cle == QLatin1String("premier jour") ? lue.premier_jour : lue.dernier_jour) = d;
        } else if (cle == QLatin1String("depart") || cle == QLatin1String("arrivee")) {
            if (!lieu(valeur, cle == QLatin1String("depart") ? lue.depart : lue.arrivee))
                return refus(Texte::tr("« %1 » n'est pas un lieu (nom;latitude;longitude en DD.MM)").arg(valeur));
        } else if (cle == QLatin1String("marques")) {
            lue.fichier_marques = valeur;
        } else if (cle == QLatin1String("lieux")) {
            lue.fichier_lieux = valeur;
        } else if (cle == QLatin1String("route")) {
            lue.fichier_route = valeur;
        } else {
            return refus(Texte::tr("clé inconnue « %1 »").arg(l));
        }
    }
    // What the whole file lacks.
    auto incomplet = [&](const QString& quoi) {
        erreur = Texte::tr("Description de la course incomplète : « %1 » : %2.").arg(nom_fichier, quoi);
        return false;
    };
    if (lue.nom.isEmpty())
        return incomplet(Texte::tr("la course n'a pas de nom (nom=...)"));
    if ((!de_flotte || lue.premier_jour.isValid() || lue.dernier_jour.isValid()) &&
        (!lue.premier_jour.isValid() || !lue.dernier_jour.isValid() || lue.dernier_jour < lue.premier_jour))
        return incomplet(Texte::tr("la période est à donner, premier jour avant dernier jour"));
    if (lue.nb() == 0 && !de_flotte)
        return incomplet(Texte::tr("aucun concurrent"));
    // Entrant indexes follow the alphabetical order of surnames.
    std::stable_sort(lue.concurrents.begin() + 1, lue.concurrents.end(), [](const Concurrent& a, const Concurrent& b) {
        return QString::compare(a.skipper, b.skipper, Qt::CaseInsensitive) < 0;
    });
    c = std::move(lue);
    return true;
}

bool charge_course(const QString& chemin, Course& c, QString& erreur, bool de_flotte)
{
    QByteArray contenu;
    if (!lit_fichier(chemin, contenu)) {
        erreur = Texte::tr("Description de la course introuvable : « %1 » (%2).")
                     .arg(chemin, QFileInfo::exists(chemin) ? Texte::tr("lecture impossible") : Texte::tr("fichier absent"));
        return false;
    }
    return lit_course(contenu, QFileInfo(chemin).fileName(), c, erreur, de_flotte);
}

namespace {
// A race of day files: a folder of DDMMYY.txt files with the race's
// description beside them, or that description itself.
class LecteurJours : public LecteurCourse {
public:
    QString nom() const override { return Texte::tr("fichiers du jour"); }
    QStringList suffixes() const override { return {QStringLiteral("course")}; }
    bool reconnait(const QByteArray& debut) const override { return debut.contains("[course]"); }
    bool ouvre_dossier(const QString& chemin) const override
    {
        const QDir d(chemin);
        return !d.entryList({QStringLiteral("*.course")}, QDir::Files).isEmpty() ||
               !d.entryList({QStringLiteral("[0-9][0-9][0-9][0-9][0-9][0-9].txt")}, QDir::Files).isEmpty();
    }
    bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const override
    {
        Course& c = o.course;
        if (!QFileInfo(chemin).isDir()) {
            if (!charge_course(chemin, c, erreur))
                return false;
            c.dossier = QFileInfo(chemin).absolutePath();
            return true;
        }
        // A folder's description: the one file of its suffix, or the
        // program's name for it among several.
        const QDir d(chemin);
        const QStringList descriptions = d.entryList({QStringLiteral("*.course")}, QDir::Files, QDir::Name);
        const QString nommee = QString::fromLatin1(FICHIER_COURSE);
        if (descriptions.size() > 1 && !descriptions.contains(nommee)) {
            erreur = Texte::tr("« %1 » contient plusieurs descriptions de course (%2) : ouvrir celle qui convient.")
                         .arg(chemin, descriptions.join(QStringLiteral(", ")));
            return false;
        }
        if (!charge_course(d.filePath(descriptions.size() == 1 ? descriptions.first() : nommee), c, erreur))
            return false;
        c.dossier = d.absolutePath();
        return true;
    }
};
}  // namespace

const LecteurCourse& lecteur_jours()
{
    static const LecteurJours l;
    return l;
}

}  // namespace orv
