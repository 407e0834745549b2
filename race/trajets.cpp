#include "trajets.h"

#include "calendrier.h"
#include "convers.h"
#include "traduction.h"
#include "viewport.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace orv {

int ArchiveJours::indice_du_jour(const QDate& d) const
{
    for (int k = 0; k < nb_jours(); ++k)
        if (jours[size_t(k)] == d)
            return k;
    return -1;
}

void ArchiveJours::vide()
{
    jours.clear();
    dates_depuis.clear();
    dates_jusqua.clear();
    heures_classement.clear();
    fichiers_illisibles.clear();
    fichiers_douteux.clear();
    listes.vide(nb_concurrents());
    tete_traj.assign(size_t(nb_concurrents()) + 1, nullptr);
    constituee = false;
}

int SelectionTrajets::dernier(int n) const
{
    for (int i = n; i >= 1; --i)
        if (concurrents.test(size_t(i)))
            return i;
    return 0;
}

Etapes::Etapes(const ArchiveJours& a, const SelectionTrajets& s) : a_(&a), s_(s)
{
    const int n = a.nb_concurrents();
    curseur_.assign(size_t(n) + 1, nullptr);
    debut_liste_.assign(size_t(n) + 1, nullptr);
    if (s.toute_course) {
        debut_ = 0;
        // Until the last record of any chosen entrant.
        fin_ = -1;
        for (int i = 1; i <= n; ++i) {
            if (!s.concurrents.test(size_t(i)))
                continue;
            for (const TDonnees_conc* e = a.tete_traj[size_t(i)]; e; e = e->suivant)
                if (releve_reel(*e))
                    fin_ = std::max(fin_, int(e->jour));
        }
    } else {
        debut_ = std::clamp(std::min(s.debut, s.fin), 0, std::max(0, a.nb_jours() - 1));
        fin_ = std::clamp(std::max(s.debut, s.fin), 0, a.nb_jours() - 1);
    }
    jour_ = debut_;
    for (int i = 1; i <= n; ++i) {
        const TDonnees_conc* e = s.concurrents.test(size_t(i)) ? a.tete_traj[size_t(i)] : nullptr;
        while (e && e->jour < debut_)
            e = e->suivant;
        curseur_[size_t(i)] = e;
        debut_liste_[size_t(i)] = e;
    }
}

bool Etapes::reste() const { return a_ && jour_ <= fin_; }

std::vector<const TDonnees_conc*> Etapes::courant() const
{
    std::vector<const TDonnees_conc*> r(curseur_.size(), nullptr);
    if (!reste())
        return r;
    for (size_t i = 1; i < curseur_.size(); ++i) {
        // A record without a real position (a retired boat's) is no fix.
        const TDonnees_conc* e = curseur_[i];
        if (e && e->jour == jour_ && releve_reel(*e))
            r[i] = e;
    }
    return r;
}

std::vector<const TDonnees_conc*> Etapes::pas()
{
    auto r = courant();
    if (!reste())
        return r;
    for (size_t i = 1; i < curseur_.size(); ++i) {
        const TDonnees_conc*& e = curseur_[i];
        while (e && e->jour <= jour_)
            e = e->suivant;
    }
    ++jour_;
    return r;
}

bool cadre_sur_trajets(const ArchiveJours& a, const SelectionTrajets& s, Viewport& v, int32_t larg_client)
{
    std::vector<double> lons;  // degrees, West positive
    double nord = -90, sud = 90;
    Etapes f(a, s);
    while (f.reste())
        for (const TDonnees_conc* e : f.pas())
            if (e) {
                const double la = double(ddmm_vers_deg(e->elem.latitude));
                nord = std::max(nord, la);
                sud = std::min(sud, la);
                lons.push_back(double(ddmm_vers_deg(e->elem.longitude)));
            }
    if (lons.empty())
        return false;
    v.cadre_longitudes(std::move(lons), larg_client);
    v.lat_nord = deg_vers_ddmm(nord);
    v.lat_sud = deg_vers_ddmm(sud - 1);
    return true;
}

bool releve_reel(const TDonnees_conc& r)
{
    if (r.sans_position || (r.non_classe && r.elem.latitude == 0 && r.elem.longitude == 0))
        return false;
    if (r.date_txt.startsWith(u'A'))
        return r.date_txt.startsWith(QStringLiteral("Arrivé"));
    return true;
}

QDateTime heure_du_releve(const TDonnees_conc& r, const QDate& premier_jour, const QDate& jour)
{
    // A time beyond the day after the file's, or before the start, is a
    // typo: noon of the file's day instead.
    if (const auto t = heure_du_texte(r.date_txt); t && heure_croyable(*t, premier_jour, jour))
        return *t;
    return QDateTime(jour, QTime(12, 0), Qt::UTC);
}

}  // namespace orv
