// The continuous film in the main window: the race as it happened between
// the day files, every boat moving at the screen's frame rate. It owns the
// time model of the assembled archive, the playback (ControleurFilm), the
// bar along the bottom, the leaderboard beside the chart and the window's
// film keys. It is not a tool: zoom, pan, the read-out, the distance tool
// and the details work while it plays, and its frames are the back buffer
// the window copies (the rubber bands are drawn over them).
#pragma once

#include "barre_film.h"
#include "camera.h"
#include "classement_film.h"
#include "controleur_film.h"
#include "export_video.h"
#include "rendu_film.h"
#include "services_fenetre.h"

#include <QElapsedTimer>
#include <QKeySequence>
#include <memory>
#include <optional>
#include <vector>
#include <QKeySequence>

class QDockWidget;
class QShortcut;
class QTimer;

namespace orv {

class PanneauDuel;

class FilmContinu {
public:
    explicit FilmContinu(FenetreDuFilm& f);
    ~FilmContinu();

    bool actif() const { return actif_; }
    // The film moved to instant t (within its period), its picture drawn.
    void va_a(Instant t);
    // "Film continu de la course": every entrant over the whole race, from
    // the time of the ranking of the day shown (the race's first instant
    // when none is), framed on its fleet as the day view frames it.
    void demarre_course_entiere();
    // The "&Trajets" panel's fourth progression: its entrants, period and
    // annotations (from its start; `depuis_le_jour`: from the day shown).
    void demarre(const SelectionTrajets& s, const AnnotationsTrajets& a, bool depuis_le_jour = false);
    // Esc or the bar's close button: the view and the day shown before.
    void ferme();

    // The frame's layers over the window's still chart (the window's paint).
    void ajoute_couches(Scene& s);
    // One step of the frame timer: the clock read, the picture redrawn if
    // the instant moved.
    void image_suivante();

    // The entrant whose boat lies under (x, y) in the last frame (0: none),
    // its position of the moment (DD.MM), its details.
    int concurrent_sous(int x, int y) const;
    bool position(int i, TPos_elem& p) const;
    QStringList lignes_details(int i) const;
    // The pointer over the chart: the name of the boat under it shown.
    void survol(int x, int y);
    // Whom to follow: 0 nobody, -1 the leader, an entrant. The view eases
    // to the boat followed and its nearest rivals, and keeps them in frame
    // as they sail; a zoom or pan of the user's ends the following.
    void suit(int qui);
    int suivi() const { return suivi_; }
    // "Cadrer la flotte" (F): the view eases to every boat of the moment.
    void cadre_flotte();
    // The film's keys and what each does, in the language installed.
    static std::vector<std::pair<QKeySequence, QString>> touches_film();
    // The chart's background changed (another style).
    void pose_fond(TColor fond);
    // How long the view takes to ease to a new frame (ms, time constant).
    static constexpr double DUREE_CAMERA_MS = 300;
    // "Exporter la vidéo…": the dialog (its choice; nothing: cancelled),
    // then the export in the background, told in the window when done.
    void exporte_video();
    std::function<std::optional<ChoixVideo>(DialogueVideo&)> choisit_video;
    std::unique_ptr<ExportVideo> export_video;
    // A measurement drawn over every frame until the film closes.
    std::optional<std::pair<TPos_elem, TPos_elem>> mesure;
    // Entrants a and b compared over the film's period, in a panel beside
    // the chart, the great circle between them drawn on every frame.
    void compare(int a, int b);
    void fin_duel();
    bool duel_actif() const;
    // The view the film gives back when it closes (the day's).
    const Viewport& vue_du_jour() const { return vue_avant_; }
    PanneauDuel* duel = nullptr;

    // Parts, for the tests.
    ControleurFilm controleur;
    OptionsFilm options;
    InstantFilm moment;
    PlacementFilm placement;
    TracesVue traces_;  // the trails in pixels of the current view
    BarreFilm* barre = nullptr;
    ClassementFilm* classement = nullptr;
    std::unique_ptr<Chronologie> chronologie;
    QElapsedTimer horloge;
    // Replaces the monotonic clock (milliseconds): tests step it by hand.
    std::function<int64_t()> horloge_essai;
    // Told when the film closes: the frames drawn while it was open, over
    // how long, and the longest time between two (the frame-rate script).
    std::function<void(int images, int64_t duree_ms, int64_t ecart_max_ms)> bilan_images;

private:
    void cree_interface();
    // Opens the film; `depart` its first instant, or the period's start.
    void ouvre(const SelectionTrajets& s, const AnnotationsTrajets& a, std::optional<Instant> depart = {});
    void actualise();
    // The moment of the controller's instant, the bar and the leaderboard.
    void calcule_moment();
    void montre_etat();
    // The view a step nearer its frame (the boat followed's, or the one
    // asked); whether it moved.
    bool anime_camera();
    // The entrant the follow choice names at the moment (0: none).
    int qui_est_suivi() const;
    // What the status line says of the boat followed when it is not on
    // the chart (empty when it is).
    QString etat_du_suivi(int qui) const;
    int64_t maintenant_ms() const;
    FenetreDuFilm& f_;
    std::unique_ptr<QObject> filtre_touches_;
    bool actif_ = false;
    int suivi_ = 0;
    int images_dessinees_ = 0;
    int64_t premiere_image_ = 0, derniere_image_ = 0, ecart_max_ = 0;
    Viewport vue_avant_;
    QString titre_avant_;
    QTimer* images_ = nullptr;
    QDockWidget *dock_barre_ = nullptr, *dock_classement_ = nullptr, *dock_duel_ = nullptr;
    std::vector<QShortcut*> touches_;
    // The frame the view eases to when not following; the view last set by
    // the camera (another one is the user's) and when.
    std::optional<Cadrage> cible_;
    std::optional<Viewport> vue_camera_;
    int64_t camera_ms_ = 0;
    QString message_suivi_;
};

}  // namespace orv
