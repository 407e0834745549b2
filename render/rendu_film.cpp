#include "rendu_film.h"

#include "etat_avx.h"
#include "palette.h"
#include "reglages.h"
#include "trace_geometrie.h"
#include "zoom.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv {

InstantFilm calcule_instant(const Chronologie& c, const OptionsFilm& o, Instant t)
{
    // After the screen's copy of the last frame: the positions' trigonometry
    // would pay for its vector state.
    libere_etat_avx();
    InstantFilm m;
    m.t = t;
    const int n = c.nb();
    c.positions(t, o.concurrents, m.positions);
    m.jour_classement = c.jour_publie(t);
    std::vector<bool> vus(size_t(n) + 1, false);
    if (m.jour_classement >= 0)
        for (const Chronologie::Ligne& l : c.classement(m.jour_classement))
            if (!vus[size_t(l.i)]) {
                vus[size_t(l.i)] = true;
                m.ordre.push_back(l.i);
            }
    for (int i = 1; i <= n; ++i)
        if (!vus[size_t(i)])
            m.ordre.push_back(i);
    return m;
}

int PlacementFilm::sous(int x, int y) const
{
    int meilleur = 0, d_min = 6 * 6 + 1;
    for (int i = 1; i < int(visible.size()); ++i) {
        if (!visible[size_t(i)])
            continue;
        const QPoint d = marqueur[size_t(i)] - QPoint(x, y);
        const int d2 = d.x() * d.x() + d.y() * d.y();
        if (d2 < d_min) {
            d_min = d2;
            meilleur = i;
        }
    }
    return meilleur;
}

namespace {
// Whether segment (a, b) crosses or touches rectangle r (Liang-Barsky).
bool coupe(const QRect& r, QPoint a, QPoint b)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.x() - r.left()), double(r.right() - a.x()), double(a.y() - r.top()),
                         double(r.bottom() - a.y())};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Whether the screen agrees with the geography for a segment (its ends not
// put a turn apart by the X conversion), as the replay's tracks test it.
bool segment_dessinable(double lon_a, double lon_b, int xa, int xb)
{
    if (xa == xb)
        return true;
    // East positive here; the viewport's directions are West positive.
    const bool est = a_lEst(radians(ext(-lon_b)), radians(ext(-lon_a)));
    return (est && xb >= xa) || (!est && xb < xa);
}

struct Point {
    QPoint px;
    double lon;
};

bool meme_vue(const Ajustement& a, const Ajustement& b)
{
    return a.G_gauche == b.G_gauche && a.L_haut == b.L_haut && a.ech_X == b.ech_X && a.ech_Y == b.ech_Y &&
           a.franchit_180 == b.franchit_180 && a.larg_deg == b.larg_deg && a.larg_visible == b.larg_visible;
}
}  // namespace

const std::vector<std::vector<TracesVue::Point>>& TracesVue::pour(const Chronologie& c, const Viewport& v)
{
    if (fait_ && c_ == &c && meme_vue(a_, v.ajustement()) && traces_.size() == size_t(c.nb()) + 1)
        return traces_;
    libere_etat_avx();
    c_ = &c;
    a_ = v.ajustement();
    fait_ = true;
    traces_.assign(size_t(c.nb()) + 1, {});
    std::vector<Point> exacts;
    for (int i = 1; i <= c.nb(); ++i) {
        const std::vector<Fixe>& f = c.fixes(i);
        exacts.clear();
        for (size_t k = 0; k < f.size(); ++k) {
            const QPoint p(v.pos_grX(radians(ext(-f[k].lon))), v.pos_grY(radians(ext(f[k].lat))));
            if (exacts.empty() || exacts.back().px != p)
                exacts.push_back({p, f[k].lon, int(k), f[k].t});
        }
        std::vector<Point>& t = traces_[size_t(i)];
        if (exacts.size() <= TRACE_DENSE) {
            t = exacts;
            continue;
        }
        // A dense track (a tracker's): the fixes that hold its line within
        // half a pixel (Douglas-Peucker), the first and last kept.
        std::vector<bool> garde(exacts.size(), false);
        garde.front() = garde.back() = true;
        std::vector<std::pair<size_t, size_t>> pile{{0, exacts.size() - 1}};
        while (!pile.empty()) {
            const auto [a, b] = pile.back();
            pile.pop_back();
            const double ax = exacts[a].px.x(), ay = exacts[a].px.y();
            const double dx = exacts[b].px.x() - ax, dy = exacts[b].px.y() - ay;
            const double l2 = dx * dx + dy * dy;
            double pire = 0;
            size_t ou = a;
            for (size_t k = a + 1; k < b; ++k) {
                const double px = exacts[k].px.x() - ax, py = exacts[k].px.y() - ay;
                double d2;
                if (l2 == 0) {
                    d2 = px * px + py * py;
                } else {
                    const double u = std::clamp((px * dx + py * dy) / l2, 0.0, 1.0);
                    d2 = (px - u * dx) * (px - u * dx) + (py - u * dy) * (py - u * dy);
                }
                if (d2 > pire) {
                    pire = d2;
                    ou = k;
                }
            }
            if (pire > 0.25) {
                garde[ou] = true;
                pile.push_back({a, ou});
                pile.push_back({ou, b});
            }
        }
        for (size_t k = 0; k < exacts.size(); ++k)
            if (garde[k])
                t.push_back(exacts[k]);
    }
    return traces_;
}

std::vector<QRect> place_noms(const std::vector<NomAPlacer>& noms, const QRect& client, int survole)
{
    // What a name must not cover: the boats (each but its own) and the
    // names placed.
    std::vector<std::pair<int, QRect>> occupes;
    for (const NomAPlacer& a : noms)
        occupes.push_back({a.i, QRect(a.bateau - QPoint(5, 5), QSize(11, 11))});
    std::vector<QRect> places(noms.size());
    for (size_t j = 0; j < noms.size(); ++j) {
        const NomAPlacer& a = noms[j];
        const QPoint q = a.bateau;
        const int w = a.taille.width(), h = a.taille.height();
        const QRect candidats[] = {
            QRect(q.x() + 8, q.y() - h / 2, w, h),     QRect(q.x() - 8 - w, q.y() - h / 2, w, h),
            QRect(q.x() + 6, q.y() - 6 - h, w, h),     QRect(q.x() + 6, q.y() + 6, w, h),
            QRect(q.x() - 6 - w, q.y() - 6 - h, w, h), QRect(q.x() - 6 - w, q.y() + 6, w, h),
            QRect(q.x() - w / 2, q.y() - 9 - h, w, h), QRect(q.x() - w / 2, q.y() + 9, w, h),
        };
        QRect choisi;
        for (const QRect& r : candidats) {
            // Whole in the chart, or not at all (a name cut at the edge
            // reads as another).
            if (!client.contains(r) && client.contains(q))
                continue;
            if (coupe(r, q, a.bout_vitesse))
                continue;
            bool libre = true;
            for (size_t s = 0; libre && s + 1 < a.trace.size(); ++s)
                libre = !coupe(r, a.trace[s], a.trace[s + 1]);
            for (size_t o = 0; libre && o < occupes.size(); ++o)
                libre = occupes[o].first == a.i || !occupes[o].second.intersects(r);
            if (libre) {
                choisi = r;
                break;
            }
        }
        if (choisi.isNull() && a.i == survole)
            choisi = candidats[0];
        if (choisi.isNull())
            continue;
        occupes.push_back({0, choisi});
        places[j] = choisi;
    }
    return places;
}

void CoucheFilm::dessine(Carte& c) const
{
    libere_etat_avx();
    Canevas& k = c.canevas;
    const Viewport& v = c.vue;
    const bool clair = fond_clair(o_.fond);
    auto pixel = [&](double lat, double lon) {
        return QPoint(v.pos_grX(radians(ext(-lon))), v.pos_grY(radians(ext(lat))));
    };
    const int n = int(m_.positions.size()) - 1;
    PlacementFilm place;
    place.visible.assign(size_t(n) + 1, false);
    place.marqueur.assign(size_t(n) + 1, QPoint());
    place.etiquette.assign(size_t(n) + 1, QRect());
    std::vector<std::vector<Point>> traces(size_t(n) + 1);
    // The fixes in pixels: this view's, kept from frame to frame when the
    // caller keeps them, else made for this picture.
    TracesVue locales;
    const std::vector<std::vector<TracesVue::Point>>& vues = (traces_ ? *traces_ : locales).pour(c_, v);

    // Trails: the fixes since the trail's start (or the period's), from the
    // position at that start, to the position of the moment.
    for (int i = 1; i <= n; ++i) {
        const PositionFilm& p = m_.positions[size_t(i)];
        if (!p.montre)
            continue;
        place.visible[size_t(i)] = true;
        place.marqueur[size_t(i)] = pixel(p.lat, p.lon);
        std::vector<Point>& tr = traces[size_t(i)];
        const Instant debut =
            o_.trainee == TRAINEE_TOUTE ? o_.periode.debut : std::max(o_.periode.debut, m_.t - o_.trainee);
        if (o_.trainee != 0 && debut < m_.t) {
            const std::vector<Fixe>& f = c_.fixes(i);
            const PositionFilm depart = c_.position(i, debut);
            if (depart.montre)
                tr.push_back({pixel(depart.lat, depart.lon), depart.lon});
            const int premier = int(
                std::upper_bound(f.begin(), f.end(), debut, [](Instant t, const Fixe& x) { return t < x.t; }) - f.begin());
            const std::vector<TracesVue::Point>& vue = vues[size_t(i)];
            // The first fix after the start, then the view's points of
            // the following fixes up to the moment's.
            if (premier < int(f.size()) && f[size_t(premier)].t <= m_.t) {
                const Fixe& p0 = f[size_t(premier)];
                tr.push_back({pixel(p0.lat, p0.lon), p0.lon});
            }
            auto x = std::upper_bound(vue.begin(), vue.end(), premier,
                                      [](int j, const TracesVue::Point& q) { return j < q.fixe; });
            for (; x != vue.end() && x->t <= m_.t; ++x)
                tr.push_back({x->px, x->lon});
        }
        tr.push_back({place.marqueur[size_t(i)], p.lon});
        if (tr.size() < 2)
            continue;
        k.couleur_plume = couleur_entrant(i);
        k.style_plume = style_entrant(i);
        k.mode_xor = false;
        for (size_t s = 1; s < tr.size(); ++s)
            if (segment_dessinable(tr[s - 1].lon, tr[s].lon, tr[s - 1].px.x(), tr[s].px.x()))
                c.line(tr[s - 1].px.x(), tr[s - 1].px.y(), tr[s].px.x(), tr[s].px.y());
    }
    k.style_plume = StylePlume::Plein;

    // Speed lines and boats.
    std::vector<QPoint> bout_vitesse(size_t(n) + 1);
    for (int i = 1; i <= n; ++i) {
        if (!place.visible[size_t(i)])
            continue;
        const PositionFilm& p = m_.positions[size_t(i)];
        const QPoint q = place.marqueur[size_t(i)];
        bout_vitesse[size_t(i)] = q;
        if (p.en_route && o_.annotations.vitesses) {
            const double a = (450 - p.cap) * M_PI / 180;
            bout_vitesse[size_t(i)] = q + QPoint(int(std::lround(p.vitesse * 4 * std::cos(a))),
                                                 -int(std::lround(p.vitesse * 4 * std::sin(a))));
            trait_vitesse(c, q.x(), q.y(), ext(p.vitesse), ext(p.cap), clair);
        }
        // The boat along its course (its last one when it does not sail).
        const double cap = p.en_route ? p.cap : double(c_.fixes(i)[size_t(p.fixe)].cap);
        if (p.nature == Nature::Abandon) {
            trace_coque(k, q, cap, clGray, false);
            k.couleur_plume = clGray;
            c.line(q.x() - 4, q.y() - 4, q.x() + 5, q.y() + 5);
            c.line(q.x() - 4, q.y() + 4, q.x() + 5, q.y() - 5);
        } else {
            // A fix, an interpolation, an arrival: filled; an estimate
            // across a long gap and a last known position: hollow.
            const bool plein = p.nature != Nature::Estime && p.nature != Nature::DerniereConnue;
            trace_coque(k, q, cap, couleur_entrant(i), plein);
            k.pixel(q.x(), q.y(), clYellow);
        }
    }

    // Names, in the ranking's order: each where it crosses no speed line, no
    // trail's last legs, no boat and no name placed before; else dropped
    // (shown when the pointer is on its boat).
    k.police = police_gdi(QStringLiteral("Arial"), 8);
    k.couleur_police = clair ? clBlack : clWhite;
    k.couleur_pinceau = o_.fond;
    k.pinceau_vide = false;
    std::vector<QStringList> textes(size_t(n) + 1);
    std::vector<NomAPlacer> noms;
    for (const int i : m_.ordre) {
        if (!place.visible[size_t(i)])
            continue;
        const PositionFilm& p = m_.positions[size_t(i)];
        QString nom = c_.course().nom_conc(i);
        if (o_.annotations.classement && m_.jour_classement >= 0)
            if (const TDonnees_conc* r = c_.ligne(m_.jour_classement, i))
                nom += r->non_classe ? QStringLiteral(" NC") : u' ' + QString::number(r->rang);
        QStringList& l = textes[size_t(i)];
        l << nom;
        if (o_.annotations.dates)
            l << date_de(m_.t).toString(QStringLiteral("dd/MM/yyyy HH'h'mm")) + u' ' + texte_nature_traduit(p.nature);
        int w = 0, h = 0;
        for (const QString& ligne : l) {
            w = std::max(w, k.largeur_texte(ligne));
            h += k.hauteur_texte(ligne);
        }
        NomAPlacer a{i, place.marqueur[size_t(i)], bout_vitesse[size_t(i)], {}, QSize(w, h)};
        const std::vector<Point>& tr = traces[size_t(i)];
        for (size_t s = tr.size() >= 3 ? tr.size() - 3 : 0; s < tr.size(); ++s)
            a.trace.push_back(tr[s].px);
        noms.push_back(std::move(a));
    }
    const std::vector<QRect> places = place_noms(noms, QRect(0, 0, c.larg_client, c.haut_client), o_.survole);
    for (size_t j = 0; j < noms.size(); ++j)
        place.etiquette[size_t(noms[j].i)] = places[j];
    // The name under the pointer last, over the others.
    auto ecrit = [&](int i) {
        const QRect& r = place.etiquette[size_t(i)];
        int y = r.top();
        for (const QString& ligne : textes[size_t(i)]) {
            k.texte(r.left(), y, ligne);
            y += k.hauteur_texte(ligne);
        }
    };
    for (int i = 1; i <= n; ++i)
        if (!place.etiquette[size_t(i)].isNull() && i != o_.survole)
            ecrit(i);
    if (o_.survole >= 1 && o_.survole <= n && !place.etiquette[size_t(o_.survole)].isNull())
        ecrit(o_.survole);

    if (placement_)
        *placement_ = place;
}

std::optional<std::pair<TPos_elem, TPos_elem>> deux_choisis(const InstantFilm& m, const OptionsFilm& o)
{
    if (!o.annotations.distance_entre_deux || o.concurrents.count() != 2)
        return std::nullopt;
    std::vector<int> deux;
    for (int i = 1; i < int(m.positions.size()); ++i)
        if (o.concurrents.test(size_t(i)) && m.positions[size_t(i)].montre)
            deux.push_back(i);
    if (deux.size() != 2)
        return std::nullopt;
    return std::pair{pos_elem_de(m.positions[size_t(deux[0])], QString()),
                     pos_elem_de(m.positions[size_t(deux[1])], QString())};
}

void ajoute_couches_film(Scene& s, const Chronologie& c, const OptionsFilm& o, const InstantFilm& m,
                         PlacementFilm* placement, TracesVue* traces)
{
    s.ajoute<CoucheFilm>(c, o, m, placement, traces);
    if (const auto deux = deux_choisis(m, o))
        s.ajoute<CoucheMesure>(deux->first, deux->second);
}

namespace {
// Bounds on positions (decimal degrees, East positive), as a fleet is
// framed: a degree to spare below.
struct Cadre {
    std::vector<double> lons;  // West positive, as the viewport takes them
    double nord = -90, sud = 90;
    void ajoute(double lat, double lon)
    {
        nord = std::max(nord, lat);
        sud = std::min(sud, lat);
        lons.push_back(-lon);
    }
    bool pose(Viewport& v, int32_t larg)
    {
        if (lons.empty())
            return false;
        v.cadre_longitudes(std::move(lons), larg);
        v.lat_nord = deg_vers_ddmm(nord);
        v.lat_sud = deg_vers_ddmm(std::max(-90.0, sud - 1));
        return true;
    }
};
}  // namespace

bool cadre_sur_instant(const InstantFilm& m, Viewport& v, int32_t larg, int nb)
{
    Cadre k;
    int n = 0;
    for (const int i : m.ordre)
        if (m.positions[size_t(i)].montre && n++ < nb)
            k.ajoute(m.positions[size_t(i)].lat, m.positions[size_t(i)].lon);
    return k.pose(v, larg);
}

bool cadre_sur_periode(const Chronologie& c, const EnsembleConcurrents& concurrents, PeriodeFilm p,
                       Viewport& v, int32_t larg)
{
    Cadre k;
    for (int i = 1; i <= c.nb(); ++i) {
        if (!concurrents.test(size_t(i)))
            continue;
        for (const Instant t : {p.debut, p.fin})
            if (const PositionFilm q = c.position(i, t); q.montre)
                k.ajoute(q.lat, q.lon);
        for (const Fixe& f : c.fixes(i))
            if (f.t >= p.debut && f.t <= p.fin)
                k.ajoute(f.lat, f.lon);
    }
    return k.pose(v, larg);
}

int concurrent_suivi(const InstantFilm& m, int suivre)
{
    if (suivre != -1)
        return suivre;
    for (int i : m.ordre)
        if (m.positions[size_t(i)].montre)
            return i;
    return 0;
}

void centre_sur_position(Viewport& v, const PositionFilm& p, int32_t larg, int32_t haut)
{
    if (!p.montre)
        return;
    v.ajuste(larg, haut);
    panoramique(v, v.pos_grX(radians(ext(-p.lon))), v.pos_grY(radians(ext(p.lat))), larg / 2, haut / 2);
}

}  // namespace orv
