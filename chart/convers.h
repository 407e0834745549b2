// Angle conversions and small numeric helpers shared by the chart, the
// navigation geometry and the race data.
//
// Angle forms used throughout the program:
//   DD.MM   packed degrees and minutes (46.305 = 46°30.5'), stored positions;
//   degrees ordinary decimal degrees;
//   radians.
// Latitude is positive North, longitude positive WEST (10° E is -10).
// Everything is computed on extended reals (long double: 80-bit on x86).
#pragma once

#include <QString>
#include <cstdint>

namespace orv {

using ext = long double;

inline constexpr ext PI = 3.141592653589793238462643383279502884L;

// -1 when x < 0, else +1 (zero counts as positive).
ext sign(ext x);

// Nearest integer, halves to the even neighbour (the current rounding mode).
ext nint(ext x);

// nint(x) as a 32-bit integer; NaN gives 0 and values beyond the range are
// held at ±2^30, so a corrupt number never becomes undefined behaviour.
int32_t nint32(ext x);

ext deg_vers_ddmm(ext degres);  // decimal degrees -> DD.MM
ext ddmm_vers_deg(ext ddmm);    // DD.MM -> decimal degrees
// Whether a DD.MM number is a position within ±max_degres: its minutes,
// the two digits after the point and what follows, at most 60 (10.60 is
// 11°, as rounding may write it; 89.99 is not 89°99', nor 41.75 41°75').
bool ddmm_valide(ext ddmm, ext max_degres);
ext radians(ext degres);        // degrees -> radians
ext degres(ext rad);            // radians -> degrees
ext ddmm_vers_rad(ext ddmm);    // DD.MM -> radians
ext rad_vers_ddmm(ext rad);     // radians -> DD.MM

// Arc cosine in 0..π. The argument is held within -1..1 first, so that
// rounding just past ±1 (coincident or antipodal points) gives 0 or π
// instead of NaN. NaN stays NaN.
ext arc_cos(ext x);

// Tangent that never divides by zero: about ±1e7 where the cosine vanishes.
ext tan_borne(ext rad);

// Degrees-and-minutes label of a non-negative angle in decimal degrees:
// 12.5 -> "  12°30',0" (10 characters, tenths of a minute after the comma).
QString texte_deg_min(ext degres);

// A position as a sailor reads it, from DD.MM: "46°30,5' N  1°47,0' W"
// (degrees, minutes with one decimal after a French comma, hemisphere).
QString texte_position(ext lat_ddmm, ext lon_ddmm);

}  // namespace orv

#include <string_view>

namespace orv {
// Reads a whole string as a real, independently of the C locale (a decimal
// point, an optional sign, no trailing characters). False when it is not
// one plain number.
bool lit_reel(std::string_view s, ext& v);
}  // namespace orv
