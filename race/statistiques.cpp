#include "statistiques.h"

#include "calendrier.h"
#include "geometrie.h"
#include "traduction.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
// A record of the race itself: a fix while racing, or the arrival.
bool en_course(const TDonnees_conc& r) { return releve_reel(r); }

QString rang_texte(int r)
{
    return r == 0 ? QStringLiteral("NC") : r == 1 ? Texte::tr("1er") : Texte::tr("%1e").arg(r);
}
}  // namespace

StatistiquesCourse calcule_statistiques(const ArchiveJours& a)
{
    StatistiquesCourse s;
    if (a.nb_jours() > 0) {
        s.premier_jour = a.jours.front();
        s.dernier_jour = a.jours.back();
    }
    const int n = a.nb_concurrents();
    s.bilans.resize(size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
        BilanConcurrent& b = s.bilans[size_t(i)];
        b.indice = i;
        b.skipper = a.course->nom_conc(i);
        b.statut = QStringLiteral("En course");
        const TDonnees_conc* prec = nullptr;
        QDateTime debut, fin;
        QDate jour_premier, jour_dernier;  // of its first and last fixes
        for (const TDonnees_conc* e = a.tete_traj[size_t(i)]; e; e = e->suivant) {
            if (e->jour < 0 || e->jour >= a.nb_jours())
                continue;
            const QDate jour = a.jours[size_t(e->jour)];
            if (b.bateau.isEmpty() && !e->bateau.trimmed().isEmpty())
                b.bateau = e->bateau.trimmed();
            if (e->jour == a.nb_jours() - 1 || !e->suivant)
                b.rang_final = e->non_classe ? 0 : e->rang;
            if (e->date_txt.startsWith(u'A'))
                b.statut = e->date_txt;
            if (!b.date_arrivee.isValid() && e->date_txt.startsWith(QStringLiteral("Arrivé")))
                b.date_arrivee = jour;
            if (!en_course(*e))
                continue;
            const QDateTime t = heure_du_releve(*e, a.course->premier_jour, jour);
            // An arrival is repeated on the following days: it counts once.
            if (fin.isValid() && t <= fin)
                continue;
            if (prec) {
                const double leg = double(dist_ortho(prec->elem.latitude, prec->elem.longitude, e->elem.latitude,
                                                     e->elem.longitude));
                b.distance += leg;
                // The day's run: between fixes of two days that follow.
                if (a.jours[size_t(prec->jour)].daysTo(jour) == 1 && leg > b.meilleur_jour) {
                    b.meilleur_jour = leg;
                    b.date_meilleur_jour = jour;
                }
            }
            if (!debut.isValid()) {
                debut = t;
                jour_premier = jour;
            }
            fin = t;
            jour_dernier = jour;
            prec = e;
            // A gap the file does not give (beyond a boat's) has no point.
            const bool leader = e->rang == 1 && !e->non_classe;
            if (leader || !e->distance_absente)
                b.points.push_back({int(e->jour), jour, leader ? 0.0 : double(e->distance), e->non_classe ? 0 : e->rang});
        }
        // The days from its first fix to its last (the archive misses some
        // days: counting fixes would fall short).
        b.jours_de_course = jour_premier.isValid() ? int(jour_premier.daysTo(jour_dernier)) : 0;
        const double heures = debut.isValid() ? debut.secsTo(fin) / 3600.0 : 0;
        b.vitesse_moyenne = heures > 0 ? b.distance / heures : 0;
    }
    return s;
}

namespace {
// The entrants in final-rank order, the unranked after, by index.
std::vector<const BilanConcurrent*> par_rang(const StatistiquesCourse& s)
{
    std::vector<const BilanConcurrent*> r;
    for (size_t i = 1; i < s.bilans.size(); ++i)
        r.push_back(&s.bilans[i]);
    std::stable_sort(r.begin(), r.end(), [](const BilanConcurrent* x, const BilanConcurrent* y) {
        const int a = x->rang_final > 0 ? x->rang_final : 1000, b = y->rang_final > 0 ? y->rang_final : 1000;
        return a < b;
    });
    return r;
}

QStringList champs(const BilanConcurrent& b, QChar sep)
{
    return {b.rang_final > 0 ? QString::number(b.rang_final) : QStringLiteral("NC"),
            b.skipper,
            b.bateau,
            nombre_decimal(b.distance, 0, sep),
            nombre_decimal(b.vitesse_moyenne, 2, sep),
            nombre_decimal(b.meilleur_jour, 0, sep),
            b.date_meilleur_jour.isValid() ? b.date_meilleur_jour.toString(QStringLiteral("dd/MM/yyyy")) : QString(),
            QString::number(b.jours_de_course),
            b.statut};
}

const QStringList ENTETE = {QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Rang")),          QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Skipper")),
                            QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Bateau")),        QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Distance parcourue (milles)")),
                            QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Vitesse moyenne (nœuds)")), QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Meilleur jour (milles)")),
                            QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Date du meilleur jour")),   QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Jours de course")),
                            QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Statut"))};
}  // namespace

QString nombre_decimal(double v, int decimales, QChar sep)
{
    QString s = QString::number(v, 'f', decimales);
    s.replace(u'.', sep);
    return s;
}

QStringList table_alignee(const std::vector<QStringList>& lignes, const std::vector<bool>& a_droite)
{
    // Each column as wide as its widest cell; numbers to the right (not in
    // the header line).
    std::vector<int> largeur;
    for (const QStringList& l : lignes) {
        largeur.resize(std::max(largeur.size(), size_t(l.size())), 0);
        for (int c = 0; c < l.size(); ++c)
            largeur[size_t(c)] = std::max(largeur[size_t(c)], int(l[c].size()));
    }
    QStringList r;
    for (size_t k = 0; k < lignes.size(); ++k) {
        QStringList cellules;
        for (int c = 0; c < lignes[k].size(); ++c) {
            const QString& t = lignes[k][c];
            const bool droite = k > 0 && size_t(c) < a_droite.size() && a_droite[size_t(c)];
            cellules << (droite ? t.rightJustified(largeur[size_t(c)]) : t.leftJustified(largeur[size_t(c)]));
        }
        QString l = cellules.join(QStringLiteral("  "));
        while (l.endsWith(u' '))
            l.chop(1);
        r << l;
    }
    return r;
}

QByteArray csv_de(const std::vector<QStringList>& lignes)
{
    auto champ = [](QString t) {
        if (t.contains(u';') || t.contains(u'"') || t.contains(u'\n'))
            t = u'"' + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        return t;
    };
    QByteArray b("\xEF\xBB\xBF");
    for (const QStringList& l : lignes) {
        QStringList c;
        for (const QString& f : l)
            c << champ(f);
        b += c.join(u';').toUtf8() + "\r\n";
    }
    return b;
}

namespace {
std::vector<QStringList> lignes_bilan(const StatistiquesCourse& s, QChar sep)
{
    std::vector<QStringList> lignes{ENTETE};
    for (const BilanConcurrent* b : par_rang(s))
        lignes.push_back(champs(*b, sep));
    return lignes;
}
}  // namespace

QStringList table_bilan(const StatistiquesCourse& s, QChar sep)
{
    // On screen, the headings in the language of the texts (the CSV's stay
    // French: they are data).
    std::vector<QStringList> l = lignes_bilan(s, sep);
    for (QString& t : l.front())
        t = Texte::tr(t.toUtf8().constData());
    return table_alignee(l, {true, false, false, true, true, true, false, true, false});
}

QByteArray csv_bilan(const StatistiquesCourse& s) { return csv_de(lignes_bilan(s, u',')); }

QString texte_point(const BilanConcurrent& b, const PointCourse& p)
{
    EtatDate d;
    montre_mois(d, p.date.month(), p.date.year());
    valide_date(d, p.date.day(), p.date.month(), p.date.year());
    return Texte::tr("%1 (%2) — %3 — %4 milles, %5")
        .arg(b.skipper, b.bateau, d.date_en_clair.simplified(), QString::number(std::lround(p.ecart)), rang_texte(p.rang));
}

}  // namespace orv
