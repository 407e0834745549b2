#include "donnees.h"

#include "viewport.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace orv {

void ArchiveCourse::vide(int nb)
{
    elements.clear();
    liste_traj.assign(size_t(nb) + 1, nullptr);
    queue_traj.assign(size_t(nb) + 1, nullptr);
}

int ArchiveCourse::longueur(int indice) const
{
    int n = 0;
    for (const TDonnees_conc* e = liste_traj[size_t(indice)]; e; e = e->suivant)
        ++n;
    return n;
}

void separe_nom(const QString& texte, TDonnees_conc& r)
{
    const qsizetype p = texte.indexOf(u'(') + 1;  // positions from 1, 0 if absent
    const qsizetype q = texte.indexOf(u')') + 1;
    const qsizetype n = q - p - 1;
    // Without "(", the skipper is what comes before ")".
    r.skipper = n > 0 ? texte.mid(p, n) : QString();
    r.bateau = p > 1 ? texte.left(p - 1) : QString();
}

std::optional<QDateTime> heure_du_texte(const QString& statut)
{
    static const QRegularExpression forme(QStringLiteral("le (\\d{1,2})/(\\d{1,2})/(\\d{4}) à (\\d{1,2})h(\\d{2})"));
    const QRegularExpressionMatch m = forme.match(statut);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt());
    return d.isValid() && t.isValid() ? QDateTime(d, t, Qt::UTC) : QDateTime();
}

std::optional<QDateTime> heure_du_classement(const QString& entete)
{
    static const QRegularExpression forme(
        QStringLiteral("^Classement du (\\d{1,2})/(\\d{1,2})/(\\d{4}) à (\\d{1,2})h(\\d{2})"));
    const QRegularExpressionMatch m = forme.match(entete);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt());
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

bool heure_croyable(const QDateTime& t, const QDate& premier_jour, const QDate& jour)
{
    return t.isValid() && t.date() >= premier_jour && t.date() <= jour.addDays(1);
}

QString code_du_jour(int jour, int mois, int annee)
{
    return QStringLiteral("%1%2%3")
        .arg(jour, 2, 10, QLatin1Char('0'))
        .arg(mois, 2, 10, QLatin1Char('0'))
        .arg(((annee % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
}

void cadre_sur_flotte(const JourCourse& j, int nb_cadrage, Viewport& v)
{
    nb_cadrage = std::min(nb_cadrage, int(j.donnees_conc.size()) - 1);
    // The framed boats: the first nb_cadrage records, those without a
    // position (a technical stop at the harbour's placeholder) left out.
    std::vector<int> cadres;
    for (int k = 1; k <= nb_cadrage; ++k)
        if (!j.donnees_conc[size_t(k)].sans_position || j.donnees_conc[size_t(k)].marque_A)
            cadres.push_back(k);
    if (cadres.empty())
        cadres.push_back(1);
    auto lat = [&](int k) { return j.donnees_conc[size_t(k)].elem.latitude; };
    auto lon = [&](int k) { return j.donnees_conc[size_t(k)].elem.longitude; };
    // The direction tests read the DD.MM numbers as if they were degrees.
    const ext r = PI / 180;
    const int premier = cadres.front();
    v.lat_nord = v.lat_sud = lat(premier);
    v.long_ouest = v.long_est = lon(premier);
    ext sud = lat(premier);
    for (size_t n = 1; n < cadres.size(); ++n) {
        const int k = cadres[n];
        if (a_lOuEst(v.long_ouest * r, lon(k) * r))
            v.long_ouest = lon(k);
        if (a_lEst(v.long_est * r, lon(k) * r))
            v.long_est = lon(k);
        // The northernmost and southernmost boats, with a degree to spare
        // below the fleet. (Taking the degree off the northernmost, as the
        // tests once did, framed a fleet less than a degree tall, such as
        // the start, beside the boats.)
        if (au_Nord(lat(k) * r, v.lat_nord * r))
            v.lat_nord = lat(k);
        if (au_Sud(lat(k) * r, sud * r))
            sud = lat(k);
    }
    if (cadres.size() >= 2)
        v.lat_sud = deg_vers_ddmm(ddmm_vers_deg(sud) - 1);
    v.pose_longitudes(v.long_ouest, v.long_est);
}

}  // namespace orv
