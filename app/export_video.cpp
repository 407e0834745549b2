#include "export_video.h"

#include "fichier_jour.h"
#include "controleur_film.h"
#include "emplacements.h"
#include "traduction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace orv {

std::vector<TailleVideo> tailles_video(QSize carte, double ratio)
{
    return {{carte, ratio}, {{1280, 720}, 1}, {{1920, 1080}, 1}, {{1920, 1080}, 2}};
}

DialogueVideo::DialogueVideo(QWidget* parent, const Course& course, const ParametresVideo& defaut, int vitesse_barre, QSize carte,
                             double ratio, const QDate& premier, const QDate& dernier, const QString& nom)
    : QDialog(parent), tailles_(tailles_video(carte, ratio)), defaut_(defaut)
{
    setWindowTitle(Texte::tr("Exporter la vidéo"));
    auto* f = new QFormLayout(this);
    const auto date = [&](Instant t) {
        auto* d = new QDateEdit(date_de(t).date(), this);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        d->setDateRange(premier, dernier);
        d->setCalendarPopup(true);
        return d;
    };
    du = date(defaut.periode.debut);
    au = date(defaut.periode.fin);
    auto* periode = new QHBoxLayout;
    periode->addWidget(du);
    periode->addWidget(au);
    auto* etiquette_periode = new QLabel(Texte::tr("&Période (du, au) :"), this);
    etiquette_periode->setBuddy(du);
    f->addRow(etiquette_periode, periode);

    vitesse = new QComboBox(this);
    for (int k = 0; k < int(ControleurFilm::VITESSES.size()); ++k)
        vitesse->addItem(ControleurFilm::texte_vitesse(k));
    vitesse->setCurrentIndex(vitesse_barre);
    f->addRow(Texte::tr("&Temps de course par seconde :"), vitesse);

    fps = new QComboBox(this);
    for (int n : {25, 30, 60})
        fps->addItem(Texte::tr("%1 images/s").arg(n), n);
    fps->setCurrentIndex(1);
    f->addRow(Texte::tr("&Images par seconde :"), fps);

    taille = new QComboBox(this);
    for (size_t k = 0; k < tailles_.size(); ++k) {
        ParametresVideo p;
        p.taille = tailles_[k].logique;
        p.echelle = tailles_[k].ratio;
        const QSize s = taille_physique(p);
        taille->addItem(k == 0 ? Texte::tr("la carte de la fenêtre (%1×%2)").arg(s.width()).arg(s.height())
                               : (tailles_[k].ratio > 1 ? Texte::tr("%1×%2 (densité 2)") : QStringLiteral("%1×%2"))
                                     .arg(s.width())
                                     .arg(s.height()));
    }
    taille->setCurrentIndex(1);
    f->addRow(Texte::tr("T&aille :"), taille);

    trainee = new QComboBox(this);
    trainee->addItem(Texte::tr("Traînée : aucune"));
    for (int n : {1, 3, 7})
        trainee->addItem(Texte::tr("Traînée : %n jour(s)", nullptr, n));
    trainee->addItem(Texte::tr("Traînée : toute la course"));
    for (size_t k = 0; k < TRAINEES.size(); ++k)
        if (TRAINEES[k] == defaut.trainee)
            trainee->setCurrentIndex(int(k));
    f->addRow(Texte::tr("T&raînée :"), trainee);

    suivre = new QComboBox(this);
    suivre->addItem(Texte::tr("Suivre : personne"), 0);
    suivre->addItem(Texte::tr("Suivre : la tête"), -1);
    for (int i = 1; i <= course.nb(); ++i)
        if (defaut.concurrents.none() || defaut.concurrents.test(size_t(i)))
            suivre->addItem(Texte::tr("Suivre : %1").arg(course.nom_conc(i)), i);
    suivre->setCurrentIndex(std::max(0, suivre->findData(defaut.suivre)));
    f->addRow(Texte::tr("&Suivre :"), suivre);

    style = new QComboBox(this);
    style->addItem(Texte::tr("Moderne"), true);
    style->addItem(Texte::tr("Classique"), false);
    style->setCurrentIndex(defaut.moderne ? 0 : 1);
    f->addRow(Texte::tr("St&yle de la carte :"), style);

    qualite = new QComboBox(this);
    qualite->addItem(Texte::tr("Soignée"), false);
    qualite->addItem(Texte::tr("Rapide (fichier plus gros)"), true);
    qualite->setCurrentIndex(defaut.rapide ? 1 : 0);
    f->addRow(Texte::tr("&Qualité :"), qualite);

    cartons = new QCheckBox(Texte::tr("Cartons d'ouverture et de clôture"), this);
    cartons->setChecked(defaut.cartons);
    f->addRow(QString(), cartons);

    fichier = new QLineEdit(nom, this);
    auto* parcourir = new QPushButton(Texte::tr("Parc&ourir…"), this);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(fichier, 1);
    ligne->addWidget(parcourir);
    auto* etiquette_fichier = new QLabel(Texte::tr("&Fichier (.mp4, .webm) :"), this);
    etiquette_fichier->setBuddy(fichier);
    f->addRow(etiquette_fichier, ligne);
    connect(parcourir, &QPushButton::clicked, this, [this] {
        const QString n = QFileDialog::getSaveFileName(
            this, Texte::tr("Exporter la vidéo"), fichier->text(),
            Texte::tr("Vidéo MP4, H.264 (*.mp4);;Vidéo WebM, VP9 (*.webm)"));
        if (!n.isEmpty()) {
            fichier->setText(n);
            confirme_ = n;  // the file dialog asked before replacing it
        }
    });
    confirme_remplacement = [this](const QString& existant) {
        return QMessageBox::question(this, Texte::tr("Exporter la vidéo"),
                                     Texte::tr("« %1 » existe déjà. Le remplacer ?").arg(QDir::toNativeSeparators(existant)),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };

    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setText(Texte::tr("E&xporter"));
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    f->addRow(boutons);
}

void DialogueVideo::accept()
{
    const QString f = fichier->text().trimmed();
    if (QFileInfo::exists(f) && f != confirme_ && confirme_remplacement && !confirme_remplacement(f))
        return;
    QDialog::accept();
}

ChoixVideo DialogueVideo::choix(const Chronologie& c) const
{
    ChoixVideo r;
    r.p = defaut_;
    r.p.periode = periode_des_dates(c, std::min(du->date(), au->date()), std::max(du->date(), au->date()));
    r.p.vitesse = ControleurFilm::VITESSES[size_t(std::clamp(vitesse->currentIndex(), 0, int(ControleurFilm::VITESSES.size()) - 1))];
    r.p.fps = fps->currentData().toInt();
    const TailleVideo& t = tailles_[size_t(std::clamp(taille->currentIndex(), 0, int(tailles_.size()) - 1))];
    r.p.taille = t.logique;
    r.p.echelle = t.ratio;
    r.p.trainee = TRAINEES[size_t(std::clamp(trainee->currentIndex(), 0, int(TRAINEES.size()) - 1))];
    r.p.suivre = suivre->currentData().toInt();
    densite_lisible(r.p);
    r.p.moderne = style->currentData().toBool();
    r.p.rapide = qualite->currentData().toBool();
    r.p.cartons = cartons->isChecked();
    r.fichier = fichier->text().trimmed();
    return r;
}

ExportVideo::ExportVideo(const SourceExport& source, ChoixVideo choix, std::function<void(bool, const QString&)> fin)
    : source_(source), choix_(std::move(choix)), fin_(std::move(fin))
{
    minuterie_.setInterval(0);
    QObject::connect(&minuterie_, &QTimer::timeout, [this] { etape(); });
}

ExportVideo::~ExportVideo()
{
    minuterie_.stop();
    delete progres;
}

bool ExportVideo::demarre(QString& erreur)
{
    if (const QString m = verifie_parametres(choix_.p); !m.isEmpty()) {
        erreur = m;
        return false;
    }
    // Copies of its own: an update may assemble the window's archive again,
    // another race be opened.
    course_ = source_.etat.course;
    if (course_.fichiers_jour) {
        if (!constitue_trajets(course_, archive_, source_.emplacements, erreur))
            return false;
        chrono_ = std::make_unique<Chronologie>(archive_);
    } else {
        pistes_ = source_.etat.pistes;
        chrono_ = std::make_unique<Chronologie>(course_, pistes_);
    }
    if (chrono_->vide()) {
        erreur = aucune_position();
        return false;
    }
    lieux_ = source_.etat.lieux;
    images_ = std::make_unique<ImagesVideo>(source_.etat.cartes, lieux_, source_.etat.vue, source_.reglages, *chrono_,
                                            choix_.p);
    video_ = std::make_unique<EcritureVideo>(*images_, choix_.p);
    if (!video_->demarre(choix_.fichier, erreur))
        return false;
    const int64_t n = video_->nb();
    progres = new QProgressDialog(Texte::tr("Exportation de la vidéo…"), Texte::tr("Annuler"), 0, int(n), source_.parent);
    progres->setWindowTitle(Texte::tr("Exporter la vidéo"));
    progres->setWindowModality(Qt::NonModal);
    progres->setAutoClose(false);
    progres->setAutoReset(false);
    progres->setMinimumDuration(0);
    QObject::connect(progres, &QProgressDialog::canceled, [this] { annule(); });
    progres->show();
    duree_.start();
    minuterie_.start();
    return true;
}

void ExportVideo::annule()
{
    if (fini_)
        return;
    if (video_)
        video_->annule();
    termine(false, Texte::tr("Exportation annulée : aucune vidéo écrite."));
}

void ExportVideo::termine(bool ok, const QString& message)
{
    fini_ = true;
    minuterie_.stop();
    if (progres)
        progres->hide();
    if (fin_)
        fin_(ok, message);
}

void ExportVideo::etape()
{
    if (fini_)
        return;
    if (progres && progres->wasCanceled()) {
        annule();
        return;
    }
    // A slice of about 30 ms, then the event loop (the pipe drains there).
    QString erreur;
    const EcritureVideo::Etat etat = video_->tranche(30, erreur);
    if (etat != EcritureVideo::Etat::EnCours) {
        termine(etat == EcritureVideo::Etat::Finie,
                etat == EcritureVideo::Etat::Finie
                    ? Texte::tr("Vidéo enregistrée dans « %1 »").arg(QDir::toNativeSeparators(choix_.fichier))
                    : erreur);
        return;
    }
    const int64_t k = video_->images_ecrites(), n = video_->nb();
    if (progres) {
        progres->setValue(int(k));
        progres->setLabelText(avancement_video(k, n, duree_.elapsed()));
    }
    // ffmpeg behind: the next slice after a pause, not in a busy loop.
    minuterie_.setInterval(video_->pause());
}

}  // namespace orv
