// The continuous film as a video: its frames drawn by the film's renderer
// (the same as the window's and `--png --instant`), at an exact instant
// each, with the overlays, and fed raw to the `ffmpeg` program through a
// pipe. ffmpeg writes a temporary file beside the one asked, renamed to it
// only once ffmpeg has succeeded: no half video ever carries the name.
#pragma once

#include "etat_programme.h"
#include "camera.h"
#include "images_course.h"
#include "rendu_film.h"
#include "scene.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>
#include <memory>

namespace orv {

inline constexpr int LARGEUR_VIDEO_MAX = 3840, HAUTEUR_VIDEO_MAX = 2160;
// A video of more frames is refused before any is drawn.
inline constexpr int64_t IMAGES_VIDEO_MAX = 1000000;

struct ParametresVideo {
    PeriodeFilm periode;
    EnsembleConcurrents concurrents;  // none: every entrant
    Instant vitesse = UN_JOUR;   // race time per second of video
    int fps = 30;
    QSize taille{1280, 720};     // logical
    double echelle = 1;          // physical pixels per logical one
    Instant trainee = 3 * UN_JOUR;
    int suivre = 0;              // the entrant followed, -1 the leader of the moment, 0 none
    bool incrustations = true;
    bool moderne = true;         // the modern chart (else the classic one)
    bool rapide = false;         // x264's "veryfast" preset (else its default, finer)
    bool cartons = true;         // an opening and a closing card
};

// "Image k sur n, f images/s, encore s s environ" after `ms` milliseconds.
QString avancement_video(int64_t k, int64_t n, int64_t ms);

// A frame taller than 720 pixels at density 1 drawn as 720 logical ones at
// the density that gives its size (1920 × 1080 as 1280 × 720 at 1.5), so
// that its names stay legible (at 1080p at least 14 pixels high); left as
// it is when no such density gives exactly its size.
void densite_lisible(ParametresVideo& p);

// The frames of each card: two seconds, none without cards.
int64_t images_carton(const ParametresVideo& p);

// From 00:00 UTC of `du` to 23:59 UTC of `au` (null: the archive's first,
// last fix), within the archive's fixes.
PeriodeFilm periode_des_dates(const Chronologie& c, const QDate& du, const QDate& au);

// The frames' physical size: round(W × R) × round(H × R), each side made
// even (yuv420p halves both), at most 3840 × 2160.
QSize taille_physique(const ParametresVideo& p);
// What is wrong with them for a video (empty: nothing).
QString verifie_parametres(const ParametresVideo& p);
// Frames from the period's start, the last at or before its end; frame k
// at start + k × vitesse / fps (exactly: no drift over thousands).
int64_t nb_images(const ParametresVideo& p);
Instant instant_image(const ParametresVideo& p, int64_t k);

// The frames, from a copy of the view state of their own, framed by the
// video's camera on the fleet of each moment, or on the boat followed and
// its nearest rivals. The maps, the places and the time model must outlive
// it.
class ImagesVideo {
public:
    ImagesVideo(const Cartes& cartes, const Lieux& lieux, const Viewport& vue, const Reglages& r, const Chronologie& c,
                const ParametresVideo& p);
    // The frame at t: the physical size, its overlays drawn.
    const QImage& image(Instant t);
    // The opening card (the race's name and period) over the period's first
    // frame, or the closing one (the first five at its end, with their
    // times) over its last.
    const QImage& carton(bool ouverture);

private:
    const Chronologie& c_;
    ParametresVideo p_;
    const Cartes& cartes_;
    const Lieux& lieux_;
    StyleCarte style_;
    Viewport base_, vue_;
    Canevas canevas_;
    Carte carte_;
    Compositeur compositeur_;
    OptionsFilm o_;
    TracesVue traces_;  // the trails in pixels of the current view
    std::unique_ptr<CameraVideo> camera_;
    QImage image_;
    QImage cartons_[2];
};

// ffmpeg fed raw frames. The format follows the file's extension: ".mp4"
// H.264 in yuv420p (every phone and browser plays it), ".webm" VP9.
// ffmpeg is not taken at its word: a pipe it stops reading, or an ffmpeg
// still running long after its input closed, is a failure (bloque()); a
// video counts only when its file is not empty and, where ffprobe is,
// holds every frame sent.
class EncodeurVideo {
public:
    // How long ffmpeg may take nothing from the pipe, or take to finish
    // once it has every frame.
    static constexpr int DELAI_FFMPEG_MS = 30000;
    // What is kept of ffmpeg's error output: its end.
    static constexpr qsizetype ERREURS_GARDEES = 64 * 1024;
    // Hidden partial files left by a killed export are removed from the
    // folder when a new export starts there, once this old.
    static constexpr int AGE_PARTIELS_S = 600;

    ~EncodeurVideo();
    // Whether the file name's extension is one (.mp4, .webm).
    static bool extension_connue(const QString& fichier);
    bool demarre(const QString& fichier, QSize taille, int fps, QString& erreur, bool rapide = false);
    // Queues a frame; false when ffmpeg has stopped.
    bool ecrit(const QImage& image, QString& erreur);
    // Whether ffmpeg has room for the next frame: at most two pending
    // (QProcess would otherwise buffer without limit); or has stopped, which
    // the next ecrit() says.
    bool pret() const;
    // Lets the pipe drain, or ffmpeg finish once closed, at most `ms`.
    void attend(int ms);
    // No more frames: ffmpeg finishes; then conclut() once it has exited
    // (fini()), renaming the file or saying why not.
    void ferme();
    bool fini() const;
    // ffmpeg has taken nothing for the delay, or has not finished within it
    // after the last frame; `erreur` says which. The caller then annule()s.
    bool bloque(QString& erreur);
    bool conclut(QString& erreur);
    // Stops ffmpeg and removes its file.
    void annule();
    // The delay of bloque() (the tests shorten it).
    void pose_delai(int ms) { delai_ms_ = ms; }

private:
    QString raison_ffmpeg();
    void garde_erreurs();
    // Frames in the file written, by ffprobe; -1 when it cannot tell.
    static int64_t images_lues(const QString& fichier);
    std::unique_ptr<QProcess> ffmpeg_;
    QString fichier_, temporaire_;
    qint64 octets_image_ = 0;
    int64_t images_ = 0;       // frames sent
    qint64 taille_pendant_ = 0;  // the file's size seen while frames were being written
    qint64 envoyes_ = 0;       // bytes queued for ffmpeg
    qint64 pris_ = -1;         // bytes ffmpeg had taken at the last look
    QElapsedTimer attente_;    // since ffmpeg last took bytes, or since the input closed
    bool ferme_ = false;
    int delai_ms_ = DELAI_FFMPEG_MS;
    QByteArray erreurs_;       // the end of ffmpeg's error output
    int mode_ = -1;  // the permissions of the file replaced; -1: none
};

// A video written: the frames of `images` over the period of `p`, fed to
// ffmpeg in slices, then ffmpeg's end awaited and the file named. The one
// loop of the command line and of the window, each driving its slices (a
// loop that waits on the pipe, a timer of the event loop).
class EcritureVideo {
public:
    EcritureVideo(ImagesVideo& images, const ParametresVideo& p)
        : images_(images), p_(p), n_(nb_images(p) + 2 * images_carton(p))
    {
    }
    // ffmpeg started for `fichier`; false, with the reason, when it cannot.
    bool demarre(const QString& fichier, QString& erreur);
    enum class Etat { EnCours, Finie, Echec };
    // Frames for at most `ms` while ffmpeg has room; after the last one,
    // ffmpeg's end. Finie once the file carries its name; Echec, with the
    // reason, when anything failed (nothing left behind).
    Etat tranche(int ms, QString& erreur);
    // Stops: ffmpeg killed, its file removed.
    void annule() { encodeur_.annule(); }
    // How long to let ffmpeg work before the next slice (ms).
    int pause() const { return ferme_ ? 20 : encodeur_.pret() ? 0 : 5; }
    // Waits on the pipe at most `ms` (no event loop needed).
    void attend(int ms) { encodeur_.attend(ms); }
    int64_t images_ecrites() const { return k_; }
    int64_t nb() const { return n_; }
    EncodeurVideo& encodeur() { return encodeur_; }

private:
    ImagesVideo& images_;
    ParametresVideo p_;
    EncodeurVideo encodeur_;
    int64_t k_ = 0, n_ = 0;
    bool ferme_ = false;
};

}  // namespace orv
