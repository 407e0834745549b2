#include "camera.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr double RAD = M_PI / 180;

// A longitude in (-180, 180].
double normale(double lon)
{
    lon = std::remainder(lon, 360.0);
    return lon <= -180 ? lon + 360 : lon;
}

// Boats of the moment as points, and the angle between two of them.
std::pair<double, double> point(const PositionFilm& p) { return {p.lat, p.lon}; }

double angle(const PositionFilm& a, const PositionFilm& b)
{
    const double s = std::sin((b.lat - a.lat) * RAD / 2), t = std::sin((b.lon - a.lon) * RAD / 2);
    return 2 * std::asin(std::min(1.0, std::sqrt(s * s + std::cos(a.lat * RAD) * std::cos(b.lat * RAD) * t * t)));
}

// From a to b at f, in proportion.
double proportion(double a, double b, double f)
{
    return a > 0 && b > 0 ? a * std::pow(b / a, f) : a + (b - a) * f;
}
}  // namespace

std::optional<Cadrage> cadrage_des_points(const std::vector<std::pair<double, double>>& points, double marge,
                                          double min_haut, double min_larg)
{
    if (points.empty())
        return std::nullopt;
    double nord = -90, sud = 90;
    std::vector<double> lons;
    for (const auto& [lat, lon] : points) {
        nord = std::max(nord, lat);
        sud = std::min(sud, lat);
        lons.push_back(normale(lon));
    }
    // The arc they cover: the whole turn less the widest gap between two
    // longitudes that follow each other round the world.
    std::sort(lons.begin(), lons.end());
    double trou = lons.front() + 360 - lons.back();
    size_t apres = 0;
    for (size_t k = 1; k < lons.size(); ++k)
        if (lons[k] - lons[k - 1] > trou) {
            trou = lons[k] - lons[k - 1];
            apres = k;
        }
    const double arc = 360 - trou;
    Cadrage c;
    c.lat = (nord + sud) / 2;
    c.lon = normale(lons[apres] + arc / 2);
    c.haut = std::max(min_haut, (nord - sud) * (1 + 2 * marge));
    c.larg = std::min(360.0, std::max(min_larg, arc * (1 + 2 * marge)));
    return c;
}

Cadrage cadrage_de_la_vue(const Viewport& v)
{
    Cadrage c;
    const double n = double(ddmm_vers_deg(v.lat_nord)), s = double(ddmm_vers_deg(v.lat_sud));
    c.lat = (n + s) / 2;
    c.haut = std::fabs(n - s);
    if (v.largeur_large > 0) {
        c.lon = normale(-double(ddmm_vers_deg(v.long_ouest)));
        c.larg = double(v.largeur_large);
        return c;
    }
    // West positive in the request: the centre of the short way between
    // its bounds.
    const ext o = ddmm_vers_rad(v.long_ouest), d = ecart_court(o, ddmm_vers_rad(v.long_est));
    c.lon = normale(-double(degres(o + d / 2)));
    c.larg = std::fabs(double(degres(d)));
    return c;
}

void pose_cadrage(Viewport& v, const Cadrage& c)
{
    const double demi = std::min(c.haut, 180.0) / 2;
    const double lat = std::clamp(c.lat, -90 + demi, 90 - demi);
    v.lat_nord = deg_vers_ddmm(ext(lat + demi));
    v.lat_sud = deg_vers_ddmm(ext(lat - demi));
    v.largeur_large = 0;
    v.pose_largeur(ext(-normale(c.lon)), ext(c.larg));
    // The camera's moves glide: any scale, not whole pixels per degree.
    v.echelle_libre = true;
}

Cadrage vers(const Cadrage& a, const Cadrage& b, double f)
{
    f = std::clamp(f, 0.0, 1.0);
    Cadrage c;
    c.lat = a.lat + (b.lat - a.lat) * f;
    c.lon = normale(a.lon + std::remainder(b.lon - a.lon, 360.0) * f);
    c.haut = proportion(a.haut, b.haut, f);
    c.larg = proportion(a.larg, b.larg, f);
    return c;
}

Cadrage pas_vers(const Cadrage& a, const Cadrage& b, double f)
{
    constexpr double PAS_MAX = 0.08;
    f = std::clamp(f, 0.0, 1.0);
    const double dlat = b.lat - a.lat, dlon = std::remainder(b.lon - a.lon, 360.0);
    // The size to reach: the target's, or wide enough to hold the way left.
    auto taille = [&](double de, double cible, double trajet, double max) {
        const double vise = std::min(max, std::max(cible, 2 * std::fabs(trajet)));
        const double r = de > 0 ? std::pow(vise / de, f) : 1;
        return de > 0 ? de * std::clamp(r, 1 / (1 + PAS_MAX), 1 + PAS_MAX) : vise;
    };
    Cadrage c;
    c.haut = taille(a.haut, b.haut, dlat, 180);
    c.larg = taille(a.larg, b.larg, dlon, 360);
    c.lat = a.lat + std::clamp(dlat * f, -PAS_MAX * c.haut, PAS_MAX * c.haut);
    c.lon = normale(a.lon + std::clamp(dlon * f, -PAS_MAX * c.larg, PAS_MAX * c.larg));
    return c;
}

bool proche(const Cadrage& a, const Cadrage& b)
{
    constexpr double e = 1e-3;
    return std::fabs(a.lat - b.lat) <= e * b.haut && std::fabs(std::remainder(a.lon - b.lon, 360.0)) <= e * b.larg &&
           std::fabs(a.haut - b.haut) <= e * b.haut && std::fabs(a.larg - b.larg) <= e * b.larg;
}

std::vector<int> plus_proches(const InstantFilm& m, int i, int n)
{
    std::vector<std::pair<double, int>> d;
    const PositionFilm& p = m.positions[size_t(i)];
    for (int j = 1; j < int(m.positions.size()); ++j)
        if (j != i && m.positions[size_t(j)].montre)
            d.push_back({angle(p, m.positions[size_t(j)]), j});
    std::sort(d.begin(), d.end());
    std::vector<int> r;
    for (size_t k = 0; k < d.size() && int(k) < n; ++k)
        r.push_back(d[k].second);
    return r;
}

std::optional<Cadrage> cadrage_du_moment(const InstantFilm& m, int suivi)
{
    std::vector<std::pair<double, double>> points;
    if (suivi > 0) {
        if (!m.positions[size_t(suivi)].montre)
            return std::nullopt;
        // Its rivals and their mirror images about it: the boat followed
        // stays in the middle of its frame.
        const auto [lat0, lon0] = point(m.positions[size_t(suivi)]);
        points.push_back({lat0, lon0});
        for (int j : plus_proches(m, suivi, 3)) {
            const auto [lat, lon] = point(m.positions[size_t(j)]);
            points.push_back({lat, lon});
            points.push_back({2 * lat0 - lat, lon0 - std::remainder(lon - lon0, 360.0)});
        }
    } else {
        for (const PositionFilm& p : m.positions)
            if (p.montre)
                points.push_back(point(p));
    }
    return cadrage_des_points(points, 0.12, 2, 3);
}

CameraVideo::CameraVideo(const Chronologie& c, const OptionsFilm& o, int suivre) : debut_(o.periode.debut)
{
    // The frame of each moment, every PAS of race time.
    const size_t n = size_t(std::max<Instant>(0, o.periode.fin - o.periode.debut) / PAS + 2);
    std::vector<std::optional<Cadrage>> bruts(n);
    for (size_t k = 0; k < n; ++k) {
        const InstantFilm m = calcule_instant(c, o, std::min(o.periode.fin, debut_ + Instant(k) * PAS));
        const int qui = concurrent_suivi(m, suivre);
        bruts[k] = qui > 0 ? cadrage_du_moment(m, qui) : std::nullopt;
        if (!bruts[k])
            bruts[k] = cadrage_du_moment(m, 0);
    }
    // A moment without a boat takes its neighbour's frame.
    const auto premier = std::find_if(bruts.begin(), bruts.end(), [](const auto& x) { return x.has_value(); });
    if (premier == bruts.end())
        return;
    std::optional<Cadrage> dernier = *premier;
    std::vector<Cadrage> cad;
    for (const auto& b : bruts) {
        if (b)
            dernier = b;
        cad.push_back(*dernier);
    }
    // The centres unwrapped, so that crossing 180° is no jump of a turn.
    for (size_t k = 1; k < cad.size(); ++k)
        cad[k].lon = cad[k - 1].lon + std::remainder(cad[k].lon - cad[k - 1].lon, 360.0);
    // Each frame widened to hold the day around it: no boat leaves the
    // picture while the camera catches up.
    constexpr int UNION = int(UN_JOUR / PAS), LISSAGE = int(2 * UN_JOUR / PAS);
    const int nb = int(cad.size());
    std::vector<Cadrage> larges(cad.size());
    for (int k = 0; k < nb; ++k) {
        double nord = -90, sud = 90, est = -1e9, ouest = 1e9;
        for (int j = std::max(0, k - UNION); j <= std::min(nb - 1, k + UNION); ++j) {
            nord = std::max(nord, cad[size_t(j)].lat + cad[size_t(j)].haut / 2);
            sud = std::min(sud, cad[size_t(j)].lat - cad[size_t(j)].haut / 2);
            est = std::max(est, cad[size_t(j)].lon + cad[size_t(j)].larg / 2);
            ouest = std::min(ouest, cad[size_t(j)].lon - cad[size_t(j)].larg / 2);
        }
        larges[size_t(k)] = {(nord + sud) / 2, (est + ouest) / 2, nord - sud, std::min(360.0, est - ouest)};
    }
    // Then smoothed: a triangular average over two days either side.
    lisses_.resize(cad.size());
    for (int k = 0; k < nb; ++k) {
        Cadrage s;
        double poids = 0;
        for (int j = std::max(0, k - LISSAGE); j <= std::min(nb - 1, k + LISSAGE); ++j) {
            const double w = LISSAGE + 1 - std::abs(j - k);
            const Cadrage& x = larges[size_t(j)];
            s.lat += w * x.lat;
            s.lon += w * x.lon;
            s.haut += w * x.haut;
            s.larg += w * x.larg;
            poids += w;
        }
        lisses_[size_t(k)] = {s.lat / poids, s.lon / poids, s.haut / poids, s.larg / poids};
    }
}

std::optional<Cadrage> CameraVideo::cadrage(Instant t) const
{
    if (lisses_.empty())
        return std::nullopt;
    const double x = std::clamp(double(t - debut_) / double(PAS), 0.0, double(lisses_.size() - 1));
    const size_t k = std::min(size_t(x), lisses_.size() - 1);
    const size_t k2 = std::min(k + 1, lisses_.size() - 1);
    const double f = x - double(k);
    const Cadrage &a = lisses_[k], &b = lisses_[k2];
    return Cadrage{a.lat + (b.lat - a.lat) * f, normale(a.lon + (b.lon - a.lon) * f), a.haut + (b.haut - a.haut) * f,
                   a.larg + (b.larg - a.larg) * f};
}

}  // namespace orv
