// The continuous film in the main window: the race as it happened between
// the day files, every boat moving at the screen's frame rate. It owns the
// time model of the assembled archive, the playback (ControleurFilm), the
// bar along the bottom, the leaderboard beside the chart and the window's
// film keys. It is not a tool: zoom, pan, the read-out, the distance tool
// and the details work while it plays, and its frames are the back buffer
// the window copies (the rubber bands are drawn over them).
#pragma once

#include "barre_film.h"
#include "classement_film.h"
#include "controleur_film.h"
#include "export_video.h"
#include "rendu_film.h"

#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <vector>

class QDockWidget;
class QShortcut;
class QTimer;

namespace orv {

class TFPosConc;

class FilmContinu {
public:
    explicit FilmContinu(TFPosConc& f);
    ~FilmContinu();

    bool actif() const { return actif_; }
    // "Film continu de la course": every entrant over the whole race.
    void demarre_course_entiere();
    // The "&Trajets" panel's fourth progression: its entrants, period and
    // annotations.
    void demarre(const SelectionTrajets& s, const AnnotationsTrajets& a);
    // Esc or the bar's close button: the view and the day shown before.
    void ferme();

    // The frame, into the window's chart (the window's paint).
    void peint(Carte& c, const SceneCourse& s, int32_t larg, int32_t haut);
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
    // Whom to follow: 0 nobody, -1 the leader, an entrant.
    void suit(int qui);
    int suivi() const { return suivi_; }
    // "Exporter la vidéo…": the dialog (its choice; nothing: cancelled),
    // then the export in the background, told in the window when done.
    void exporte_video();
    std::function<std::optional<ChoixVideo>(DialogueVideo&)> choisit_video;
    std::unique_ptr<ExportVideo> export_video;
    // A measurement drawn over every frame until the film closes.
    std::optional<std::pair<TPos_elem, TPos_elem>> mesure;

    // Parts, for the tests.
    ControleurFilm controleur;
    OptionsFilm options;
    InstantFilm moment;
    PlacementFilm placement;
    FondFilm fond;
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
    void ouvre(const SelectionTrajets& s, const AnnotationsTrajets& a);
    void actualise();
    void montre_etat();
    TFPosConc& f_;
    std::unique_ptr<QObject> filtre_touches_;
    bool actif_ = false;
    int suivi_ = 0;
    int images_dessinees_ = 0;
    int64_t premiere_image_ = 0, derniere_image_ = 0, ecart_max_ = 0;
    Viewport vue_avant_;
    QString titre_avant_;
    QTimer* images_ = nullptr;
    QDockWidget *dock_barre_ = nullptr, *dock_classement_ = nullptr;
    std::vector<QShortcut*> touches_;
};

}  // namespace orv
