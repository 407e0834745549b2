// A race given as tracks (a GPX, KML or CSV fleet): each boat's fixes in
// time order, with no day file and no published ranking.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

namespace orv {

// An instant: seconds since 1 January 1970, UTC.
using Instant = int64_t;
Instant instant_de(const QDateTime& t);
QDateTime date_de(Instant t);

struct PointPiste {
    Instant t = 0;
    double lat = 0, lon = 0;  // decimal degrees, North and East positive
};

struct Piste {
    QString skipper, bateau;
    std::vector<PointPiste> points;  // in time order, one per instant
    bool arrivee = false;            // the source says the boat finished
    Instant abandon = 0;             // when the source says it retired; 0: never
};

// The limits a fleet is read within, checked before allocating.
inline constexpr qint64 TAILLE_FLOTTE_MAX = qint64(1) << 30;  // bytes of a file (1 GB)
inline constexpr int BATEAUX_MAX = 5000;
inline constexpr qint64 POINTS_MAX = 20'000'000;

}  // namespace orv
