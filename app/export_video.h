// "Exporter la vidéo…" of the film bar: a dialog for the period, the speed,
// the frame rate, the size, the trail, whom to follow and the file, then the
// export in slices of the event loop (the window stays usable), with its
// progress, the time left and a working "Annuler". It renders from copies
// of its own (the archive read again, the places, the view): the user may
// zoom, pan or update meanwhile.
#pragma once

#include "video.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QProgressDialog;

namespace orv {

struct ChoixVideo {
    ParametresVideo p;
    QString fichier;
};

// The sizes offered: the window's chart (logical size, its ratio), then
// 1280×720, 1920×1080 and 3840×2160 drawn at ratio 2.
struct TailleVideo {
    QSize logique;
    double ratio;
};
std::vector<TailleVideo> tailles_video(QSize carte, double ratio);

class DialogueVideo : public QDialog {
public:
    // `defaut`: the bar's settings; `carte`: the chart's logical size and
    // ratio; `dernier`: the first and last day of the archive.
    DialogueVideo(QWidget* parent, const Course& course, const ParametresVideo& defaut, int vitesse, QSize carte, double ratio,
                  const QDate& premier, const QDate& dernier, const QString& fichier);
    // The choice, period clipped to the archive by `c`.
    ChoixVideo choix(const Chronologie& c) const;

    QDateEdit *du = nullptr, *au = nullptr;
    QComboBox *vitesse = nullptr, *fps = nullptr, *taille = nullptr, *trainee = nullptr, *suivre = nullptr;
    QComboBox *style = nullptr, *qualite = nullptr;
    QCheckBox* cartons = nullptr;
    QLineEdit* fichier = nullptr;
    // Asked before an existing file is replaced (a question box by
    // default); false keeps the dialog open.
    std::function<bool(const QString&)> confirme_remplacement;

    void accept() override;

private:
    std::vector<TailleVideo> tailles_;
    ParametresVideo defaut_;
    QString confirme_;  // the file the file dialog already asked about
};

// What a video is made from: the race, its places, maps and view as they
// stand, where its day files are, the colours of the window; the parent of
// the progress window.
struct SourceExport {
    const EtatProgramme& etat;
    Emplacements emplacements;
    Reglages reglages;
    QWidget* parent;
};

class ExportVideo {
public:
    // `fin(ok, message)`: told once, when the video is complete, failed or
    // cancelled (the partial file removed).
    ExportVideo(const SourceExport& source, ChoixVideo choix, std::function<void(bool, const QString&)> fin);
    ~ExportVideo();
    // Reads the archive, starts ffmpeg and the slices; false, with the
    // reason, when it cannot.
    bool demarre(QString& erreur);
    void annule();
    int64_t images_ecrites() const { return video_ ? video_->images_ecrites() : 0; }
    int64_t nb_images() const { return video_ ? video_->nb() : 0; }
    QProgressDialog* progres = nullptr;

private:
    void etape();
    void termine(bool ok, const QString& message);
    SourceExport source_;
    ChoixVideo choix_;
    std::function<void(bool, const QString&)> fin_;
    Course course_;
    std::vector<Piste> pistes_;
    ArchiveJours archive_;
    Lieux lieux_;
    std::unique_ptr<Chronologie> chrono_;
    std::unique_ptr<ImagesVideo> images_;
    std::unique_ptr<EcritureVideo> video_;
    QTimer minuterie_;
    QElapsedTimer duree_;
    bool fini_ = false;
};

}  // namespace orv
