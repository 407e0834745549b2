// Where the film looks: a frame (centre and extents) made from the boats
// of the moment, the window's eased move from one frame to the next, and
// the video's camera, a function of race time alone that follows the fleet
// (or a boat and its nearest rivals) without ever jumping.
#pragma once

#include "rendu_film.h"

#include <optional>
#include <utility>
#include <vector>

namespace orv {

// A frame of the chart: its centre (decimal degrees, East positive) and
// its extents (degrees of latitude and of longitude).
struct Cadrage {
    double lat = 0, lon = 0;
    double haut = 0, larg = 0;
};

// The frame around positions (latitude, longitude East positive): the arc
// of longitudes they cover (the widest gap round the world left out), a
// margin of `marge` of the size on every side, at least min_haut × min_larg
// degrees; nothing when there is no position.
std::optional<Cadrage> cadrage_des_points(const std::vector<std::pair<double, double>>& points, double marge,
                                          double min_haut, double min_larg);

// A viewport's request as a frame, and a frame as a viewport's request
// (latitudes held within the poles, longitudes by pose_largeur, at any
// scale so that the camera's moves glide).
Cadrage cadrage_de_la_vue(const Viewport& v);
void pose_cadrage(Viewport& v, const Cadrage& c);

// Part f (0 to 1) of the way from a to b: the centre along the shorter way
// round, the extents in proportion, so that a zoom feels even.
Cadrage vers(const Cadrage& a, const Cadrage& b, double f);
// One frame's step of the window's camera from a towards b: part f of the
// way, but never more than 8 % of the view at once, in place or in size;
// far away, the view widens first to keep both in sight, then narrows on
// arrival (a flight, not a jump).
Cadrage pas_vers(const Cadrage& a, const Cadrage& b, double f);
// Whether a is within a thousandth of b's size of it.
bool proche(const Cadrage& a, const Cadrage& b);

// Entrant i's nearest rivals shown at the moment, at most n, nearest first
// (great-circle distance).
std::vector<int> plus_proches(const InstantFilm& m, int i, int n);

// The frame of the moment: every boat shown (suivi 0), or the boat followed
// and its three nearest rivals, the boat in the middle; nothing when none
// is shown.
std::optional<Cadrage> cadrage_du_moment(const InstantFilm& m, int suivi);

// The video's camera. The frame of each moment is sampled every three hours
// of race time over the period, widened to hold every boat of the day
// around it, then smoothed over four days: the camera moves and zooms over
// days of race time, never jumps. A function of time alone, so that one
// frame drawn alone is the video's.
class CameraVideo {
public:
    CameraVideo(const Chronologie& c, const OptionsFilm& o, int suivre);
    std::optional<Cadrage> cadrage(Instant t) const;

    static constexpr Instant PAS = 3 * UNE_HEURE;

private:
    Instant debut_ = 0;
    std::vector<Cadrage> lisses_;
};

}  // namespace orv
