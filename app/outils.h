// The mouse tools of the main window: which tool is active (mode_outil,
// an enum of its values) and the gesture in progress, with the
// dispatch of presses, moves, releases and double clicks to the zoom, pan,
// details and distance tools.
#pragma once

#include "pos_elem.h"

#include <cstdint>

class QMouseEvent;

namespace orv {

class TFPosConc;

enum class ModeOutil : uint8_t {
    Accueil = 0,      // the welcome picture, before the first click
    Aucun = 1,
    Zoom = 2,
    Details = 4,
    Panoramique = 6,
    Trajets = 7,
    Distance = 8,
};
inline constexpr ModeOutil OUTIL_ACCUEIL = ModeOutil::Accueil, OUTIL_AUCUN = ModeOutil::Aucun,
                           OUTIL_ZOOM = ModeOutil::Zoom, OUTIL_DETAILS = ModeOutil::Details,
                           OUTIL_PANORAMIQUE = ModeOutil::Panoramique, OUTIL_TRAJETS = ModeOutil::Trajets,
                           OUTIL_DISTANCE = ModeOutil::Distance;

class OutilsSouris {
public:
    explicit OutilsSouris(TFPosConc& f) : f_(f) {}

    // The gesture: the tool in which the left button went down (Accueil:
    // none), so that only the release of that press acts; a zoom rectangle
    // being drawn; the distance tool's two points (the first unset while its
    // latitude is 180).
    ModeOutil outil_appui = OUTIL_ACCUEIL;
    bool zoom_en_cours = false;
    TPos_elem point_depart{QString(), 180, 0}, point_arrivee;

    void appui(QMouseEvent* e);
    void deplacement(QMouseEvent* e);
    void relache(QMouseEvent* e);
    void double_clic(QMouseEvent* e);
    // A gesture cut short by another command: its band goes, its release
    // will do nothing.
    void abandonne();
    void distance_appui(int X, int Y);
    void distance_relache(int X, int Y);

private:
    TFPosConc& f_;
};

}  // namespace orv
