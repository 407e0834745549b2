#include "convers.h"

#include <cmath>
#include <limits>

namespace orv {

namespace {
constexpr ext EPS = 1e-12L;
constexpr ext CINQUIEME = 0.2L;
constexpr ext TIERS = 1.0L / 3.0L;
constexpr ext UN_180E = 1.0L / 180.0L;
constexpr ext UN_PI = 1.0L / PI;
constexpr ext LIMITE_PIXEL = 1073741824.0L;  // 2^30
}  // namespace

ext sign(ext x) { return x < 0 ? -1.0L : 1.0L; }

// rint rounds like nearbyint in the default mode (halves to even) but may
// flag "inexact", which nothing reads; nearbyintl is ten times slower.
ext nint(ext x) { return std::rint(x); }

int32_t nint32(ext x)
{
    if (std::isnan(x))
        return 0;
    const ext r = std::rint(x);
    if (r > LIMITE_PIXEL)
        return static_cast<int32_t>(LIMITE_PIXEL);
    if (r < -LIMITE_PIXEL)
        return -static_cast<int32_t>(LIMITE_PIXEL);
    return static_cast<int32_t>(r);
}

ext deg_vers_ddmm(ext x)
{
    const ext s = sign(x);
    const ext a = std::fabs(x);
    const ext d = std::trunc(a + EPS);
    return s * (d + (a - d) * 3 * CINQUIEME);
}

ext ddmm_vers_deg(ext x)
{
    const ext s = sign(x);
    const ext a = std::fabs(x);
    const ext d = std::trunc(a + EPS);
    return s * (d + (a - d) * 5 * TIERS);
}

bool ddmm_valide(ext x, ext max)
{
    if (!std::isfinite(x))
        return false;
    const ext a = std::fabs(x);
    const ext d = std::trunc(a + EPS);
    return (a - d) * 100 <= 60 + 1e-6L && std::fabs(ddmm_vers_deg(x)) <= max + 1e-9L;
}

ext radians(ext x) { return x * PI * UN_180E; }
ext degres(ext x) { return x * 180 * UN_PI; }
ext ddmm_vers_rad(ext x) { return radians(ddmm_vers_deg(x)); }
ext rad_vers_ddmm(ext x) { return deg_vers_ddmm(degres(x)); }

ext arc_cos(ext x)
{
    if (x > 1)
        x = 1;
    else if (x < -1)
        x = -1;
    if (x == 0)
        return PI / 2;
    const ext a = std::atan2(std::sqrt(1 / (x * x) - 1), 1.0L);
    return x < 0 ? PI - a : a;
}

ext tan_borne(ext x)
{
    const ext co = std::cos(x);
    if (std::fabs(co) < 1e-7L)
        return sign(co) * std::sin(x) * 10000000.0L;
    return std::sin(x) / co;
}

QString texte_deg_min(ext v)
{
    const ext m = deg_vers_ddmm(v);
    QString s = QString::number(static_cast<double>(m), 'f', 3).rightJustified(7, u' ');
    const qsizetype p = s.indexOf(u'.');
    if (p >= 0) {
        s.remove(p, 1);
        s.insert(p, QChar(0x00B0));
    }
    s.insert(s.size() - 1, QStringLiteral("',"));
    while (s.size() < 10)
        s.prepend(u' ');
    return s.left(10);
}

namespace {
QString degres_minutes(ext ddmm, char pos, char neg)
{
    const ext d = ddmm_vers_deg(ddmm);
    const ext a = std::fabs(d);
    ext deg = std::floor(a);
    ext minutes = std::round((a - deg) * 600) / 10;  // tenths of a minute
    if (minutes >= 60) {
        deg += 1;
        minutes -= 60;
    }
    const bool nul = deg == 0 && minutes == 0;
    QString s = QString::asprintf("%.0f°%04.1f' %c", double(deg), double(minutes), nul || d >= 0 ? pos : neg);
    s.replace(u'.', u',');
    return s;
}
}  // namespace

QString texte_position(ext lat_ddmm, ext lon_ddmm)
{
    if (!std::isfinite(lat_ddmm) || !std::isfinite(lon_ddmm))
        return {};
    return degres_minutes(lat_ddmm, 'N', 'S') + QStringLiteral("  ") + degres_minutes(lon_ddmm, 'W', 'E');
}

}  // namespace orv

#include <charconv>

namespace orv {
bool lit_reel(std::string_view s, ext& v)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    long double r = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), r);
    if (ec != std::errc() || p != s.data() + s.size())
        return false;
    v = r;
    return true;
}
}  // namespace orv
