// The mouse tools of the main window: each tool an object behind one
// interface (Outil: chosen, press, move, release, double click, its cursor
// and its hint), and the manager that owns them and the current one
// (GestionOutils). mode_outil, the design's name, is the current tool's.
// A tool asks the window only what FenetreDesOutils offers.
#pragma once

#include "pos_elem.h"
#include "traduction.h"

#include <QCursor>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QMouseEvent;

namespace orv {

class TMercator;

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

// The status line after a race-day selection, and after leaving a tool:
// two blanks before the bar in the first, one in the second.
inline QString message_option() { return Texte::tr("Sélectionner une option  | (Double cliquer pour quitter une option)"); }
inline QString message_option_quittee() { return Texte::tr("Sélectionner une option | (Double cliquer pour quitter une option)"); }

// What the tools ask of the window.
class FenetreDesOutils {
public:
    virtual ~FenetreDesOutils() = default;
    // The chart: its rubber bands, its zoom and its pan.
    virtual TMercator& carte() = 0;
    // A press on the welcome picture.
    virtual void entre_dans_la_course() = 0;
    virtual void details_appui(int X, int Y, bool ctrl) = 0;
    virtual void details_relache() = 0;
    // The entrant or course mark under (X, Y), unnamed.
    virtual bool point_sous_souris(int X, int Y, TPos_elem& p) = 0;
    // The chart framed on two points, and the distance between them shown.
    virtual void mesure_entre(const TPos_elem& a, const TPos_elem& b) = 0;
    // A double click: every tool left.
    virtual void quitte_outil() = 0;
    virtual void message(const QString& texte) = 0;
    // The pointer's position in the status bar ((-1, -1): none).
    virtual void affiche_position(int X, int Y) = 0;
};

class GestionOutils;

class Outil {
public:
    Outil(FenetreDesOutils& f, GestionOutils& g) : f_(f), g_(g) {}
    virtual ~Outil() = default;
    virtual ModeOutil mode() const = 0;
    // Chosen by its command: what it prepares, then its hint.
    virtual void active() {}
    virtual QCursor curseur() const { return {}; }
    // A press of the left button; whether it starts a gesture of this tool
    // (only the release of such a press acts).
    virtual bool appui(int /*X*/, int /*Y*/, bool /*ctrl*/) { return false; }
    // Another button pressed; whether the tool took it.
    virtual bool autre_appui(Qt::MouseButton) { return false; }
    // The pointer moved with the left button held, in a gesture of this tool.
    virtual void deplacement(int /*X*/, int /*Y*/) {}
    // The left button released, ending a gesture of this tool.
    virtual void relache(int /*X*/, int /*Y*/) {}
    // Any release, whatever the gesture; whether the tool took it.
    virtual bool tout_relachement() { return false; }
    // A gesture cut short by another command.
    virtual void abandonne() {}

protected:
    FenetreDesOutils& f_;
    GestionOutils& g_;
};

class GestionOutils {
public:
    explicit GestionOutils(FenetreDesOutils& f);
    ~GestionOutils();

    ModeOutil mode() const;
    Outil& courant() { return *courant_; }
    // The tool becomes the current one, its cursor on the chart.
    void choisit(ModeOutil m);
    // The same as its command chooses it: the gesture in progress
    // abandoned, then the tool prepared and its hint shown.
    void active(ModeOutil m);
    // The cursor of a tool, from the program's cursor files.
    void pose_curseur(ModeOutil m, const QCursor& c);
    QCursor curseur(ModeOutil m) const;

    void appui(QMouseEvent* e);
    void deplacement(QMouseEvent* e);
    void relache(QMouseEvent* e);
    void double_clic(QMouseEvent* e);
    // A gesture cut short by another command: its band goes, its release
    // will do nothing.
    void abandonne();

    // The distance tool's first point (latitude 180 while unset).
    const TPos_elem& point_depart() const;
    // A zoom rectangle being drawn.
    bool zoom_en_cours() const;

private:
    Outil& outil(ModeOutil m) const;
    FenetreDesOutils& f_;
    std::array<std::unique_ptr<Outil>, 9> outils_;  // by mode
    std::array<std::optional<QCursor>, 9> curseurs_;
    Outil* courant_ = nullptr;
    // The tool in which the left button went down (Accueil: none).
    ModeOutil outil_appui_ = OUTIL_ACCUEIL;
};

}  // namespace orv
