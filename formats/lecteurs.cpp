#include "lecteurs.h"

#include "traduction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace orv {

QString LecteurClassement::echec(const QString& raison, const QString& source) const
{
    if (source.contains(QLatin1String("://")))
        return Texte::tr("Classement illisible : %1 dans la page %2.").arg(raison, source);
    return Texte::tr("Classement illisible : %1 dans « %2 ».").arg(raison, source);
}

const std::vector<const LecteurClassement*>& lecteurs_classement()
{
    static const std::vector<const LecteurClassement*> l{&lecteur_page(), &lecteur_xls(), &lecteur_xlsx()};
    return l;
}

const std::vector<const LecteurCourse*>& lecteurs_course()
{
    static const std::vector<const LecteurCourse*> l{&lecteur_jours(), &lecteur_gpx(), &lecteur_kml(), &lecteur_csv()};
    return l;
}

namespace {
// The suffix of a path or of an address's path, lower case.
QString suffixe_de(const QString& nom)
{
    const QString chemin = nom.contains(QLatin1String("://")) ? QUrl(nom).path() : nom;
    return QFileInfo(chemin).suffix().toLower();
}

// By suffix when the content does not say otherwise, else by content.
template <class L>
const L* choisit(const std::vector<const L*>& lecteurs, const QString& nom, const QByteArray& debut)
{
    const QString suffixe = suffixe_de(nom);
    const L *par_suffixe = nullptr, *par_contenu = nullptr;
    for (const L* l : lecteurs) {
        if (!par_suffixe && !suffixe.isEmpty() && l->suffixes().contains(suffixe))
            par_suffixe = l;
        if (!par_contenu && l->reconnait(debut))
            par_contenu = l;
    }
    if (par_suffixe && (!par_contenu || par_suffixe->reconnait(debut)))
        return par_suffixe;
    return par_contenu;
}

// The kinds of file a list reads, for messages.
template <class L>
QString noms(const std::vector<const L*>& lecteurs)
{
    QStringList n;
    for (const L* l : lecteurs)
        n << QStringLiteral("%1 (.%2)").arg(l->nom(), l->suffixes().join(QStringLiteral(", .")));
    return n.join(QStringLiteral(", "));
}

QByteArray debut_du_fichier(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.read(Lecteur::TAILLE_DEBUT) : QByteArray();
}
}  // namespace

const LecteurClassement* lecteur_classement(const QString& nom, const QByteArray& debut)
{
    return choisit(lecteurs_classement(), nom, debut.left(Lecteur::TAILLE_DEBUT));
}

const LecteurCourse* lecteur_course(const QString& chemin)
{
    if (QFileInfo(chemin).isDir()) {
        for (const LecteurCourse* l : lecteurs_course())
            if (l->ouvre_dossier(chemin))
                return l;
        return nullptr;
    }
    return choisit(lecteurs_course(), chemin, debut_du_fichier(chemin));
}

bool lit_classement(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& message)
{
    QFile fichier(chemin);
    if (!QFileInfo(chemin).isFile() || !fichier.open(QIODevice::ReadOnly)) {
        message = Texte::tr("Classement introuvable : « %1 » (%2).")
                      .arg(chemin, QFileInfo::exists(chemin) ? Texte::tr("fichier illisible") : Texte::tr("fichier absent"));
        return false;
    }
    const LecteurClassement* l = lecteur_classement(chemin, fichier.peek(Lecteur::TAILLE_DEBUT));
    if (!l) {
        message = Texte::tr("Classement illisible : « %1 » n'est d'aucun des formats lus (%2).").arg(chemin, noms(lecteurs_classement()));
        return false;
    }
    if (fichier.size() > l->taille_max()) {
        message = Texte::tr("Classement illisible : « %1 » est trop grand, plus de %2 Mo.").arg(chemin).arg(l->taille_max() >> 20);
        return false;
    }
    ContenuClassement c;
    c.octets = fichier.readAll();
    QString raison;
    if (l->lit(c, nom_feuille, f, raison))
        return true;
    message = l->echec(raison, chemin);
    return false;
}

bool ouvre_course(const QString& chemin, CourseOuverte& o, QString& erreur)
{
    if (!QFileInfo::exists(chemin)) {
        erreur = Texte::tr("Course introuvable : « %1 » (fichier absent).").arg(chemin);
        return false;
    }
    // A description beside a fleet of its name describes that fleet: the
    // fleet is what opens (it reads its description itself).
    if (const QFileInfo i(chemin); i.suffix().toLower() == QLatin1String("course"))
        for (const char* s : {"gpx", "kml", "kmz", "csv", "tsv"})
            for (const QFileInfo& f : i.dir().entryInfoList({i.completeBaseName() + QLatin1Char('.') + QLatin1String(s)},
                                                            QDir::Files, QDir::Name))
                if (f.completeBaseName() == i.completeBaseName())
                    return ouvre_course(f.filePath(), o, erreur);
    const LecteurCourse* l = lecteur_course(chemin);
    if (!l) {
        erreur = Texte::tr("« %1 » n'est pas une course que le programme sait lire (%2).").arg(chemin, noms(lecteurs_course()));
        return false;
    }
    CourseOuverte lue;
    if (!l->lit(chemin, lue, erreur))
        return false;
    o = std::move(lue);
    return true;
}

bool ouvre_course(const QString& chemin, Course& c, QString& erreur)
{
    CourseOuverte o;
    if (!ouvre_course(chemin, o, erreur))
        return false;
    c = std::move(o.course);
    // The program's own race: its files where the program keeps them.
    c.dossier.clear();
    return true;
}

}  // namespace orv
