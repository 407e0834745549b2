#include "video.h"

#include "etat_avx.h"
#include "incrustations.h"
#include "traduction.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cmath>
#include <filesystem>
#include <sys/stat.h>

namespace orv {

PeriodeFilm periode_des_dates(const Chronologie& c, const QDate& du, const QDate& au)
{
    PeriodeFilm p{c.premier(), c.dernier()};
    QDate d1 = du, d2 = au;
    if (d1.isValid() && d2.isValid() && d2 < d1)
        std::swap(d1, d2);
    if (d1.isValid())
        p.debut = std::max(p.debut, instant_de(QDateTime(d1, QTime(0, 0), Qt::UTC)));
    if (d2.isValid())
        p.fin = std::min(p.fin, instant_de(QDateTime(d2, QTime(23, 59), Qt::UTC)));
    return p;
}

QSize taille_physique(const ParametresVideo& p)
{
    const auto pair = [](double v, int max) { return std::min(max, int(std::lround(v)) & ~1); };
    return {pair(p.taille.width() * p.echelle, LARGEUR_VIDEO_MAX), pair(p.taille.height() * p.echelle, HAUTEUR_VIDEO_MAX)};
}

QString verifie_parametres(const ParametresVideo& p)
{
    if (p.fps < 1 || p.fps > 120)
        return Texte::tr("Images par seconde : %1 (de 1 à 120).").arg(p.fps);
    if (p.vitesse < 1)
        return Texte::tr("Vitesse : au moins une seconde de course par seconde de vidéo.");
    const double w = p.taille.width() * p.echelle, h = p.taille.height() * p.echelle;
    if (!(w >= 16 && h >= 16 && w <= LARGEUR_VIDEO_MAX + 0.5 && h <= HAUTEUR_VIDEO_MAX + 0.5))
        return Texte::tr("Taille de la vidéo : %1×%2 pixels (de 16×16 à %3×%4).")
            .arg(std::lround(w))
            .arg(std::lround(h))
            .arg(LARGEUR_VIDEO_MAX)
            .arg(HAUTEUR_VIDEO_MAX);
    if (p.periode.fin < p.periode.debut)
        return Texte::tr("La période de la vidéo ne tient aucune position des archives.");
    if (nb_images(p) > IMAGES_VIDEO_MAX)
        return Texte::tr("Vidéo trop longue : %1 images (au plus %2) ; prenez une vitesse plus grande ou une période plus courte.")
            .arg(nb_images(p))
            .arg(IMAGES_VIDEO_MAX);
    return {};
}

int64_t nb_images(const ParametresVideo& p)
{
    return (p.periode.fin - p.periode.debut) * p.fps / p.vitesse + 1;
}

QString avancement_video(int64_t k, int64_t n, int64_t ms)
{
    const qint64 reste = k > 0 ? ms * (n - k) / k / 1000 : 0;
    const double cadence = ms > 0 ? 1000.0 * double(k) / double(ms) : 0;
    return Texte::tr("Image %1 sur %2, %3 images/s, encore %4 s environ")
        .arg(k)
        .arg(n)
        .arg(QLocale(Texte::tr("fr_FR", "locale of the dates")).toString(cadence, 'f', 1))
        .arg(reste);
}

void densite_lisible(ParametresVideo& p)
{
    if (p.echelle != 1 || p.taille.height() <= 720)
        return;
    const double e = p.taille.height() / 720.0;
    const QSize logique(int(std::lround(p.taille.width() / e)), 720);
    ParametresVideo q = p;
    q.taille = logique;
    q.echelle = e;
    if (e <= 4 && taille_physique(q) == taille_physique(p)) {
        p.taille = logique;
        p.echelle = e;
    }
}

int64_t images_carton(const ParametresVideo& p) { return p.cartons ? 2 * int64_t(p.fps) : 0; }

Instant instant_image(const ParametresVideo& p, int64_t k)
{
    return std::min(p.periode.fin, p.periode.debut + k * p.vitesse / p.fps);
}

ImagesVideo::ImagesVideo(const Cartes& cartes, const Lieux& lieux, const Viewport& vue, const Reglages& r,
                         const Chronologie& c, const ParametresVideo& p)
    : c_(c), p_(p), cartes_(cartes), lieux_(lieux), style_{p.moderne ? MER_MODERNE : r.fond, r.coul_points, p.moderne}, base_(vue), vue_(vue),
      carte_(canevas_, vue_)
{
    o_ = options_course_entiere(c, style_.fond);
    o_.periode = p.periode;
    if (p.concurrents.any())
        o_.concurrents = p.concurrents;
    o_.trainee = p.trainee;
    canevas_.pose_ratio(p.echelle);
    vue_avant_le_jour(base_);
    camera_ = std::make_unique<CameraVideo>(c, o_, p.suivre);
}

const QImage& ImagesVideo::image(Instant t)
{
    const InstantFilm m = calcule_instant(c_, o_, t);
    vue_ = base_;
    if (const std::optional<Cadrage> k = camera_->cadrage(t))
        pose_cadrage(vue_, *k);
    Scene scene;
    ajoute_fond_course(scene, &cartes_, style_, &lieux_);
    ajoute_couches_film(scene, c_, o_, m, nullptr, &traces_);
    if (p_.incrustations)
        scene.ajoute<CoucheIncrustations>(c_, m);
    compositeur_.rend(carte_, scene, p_.taille.width(), p_.taille.height());
    QImage& rendue = canevas_.image();
    const QSize taille = taille_physique(p_);
    if (rendue.size() == taille)
        return rendue;
    // An odd side loses its last row or column.
    image_ = rendue.copy(QRect(QPoint(0, 0), taille));
    return image_;
}

const QImage& ImagesVideo::carton(bool ouverture)
{
    QImage& fait = cartons_[ouverture ? 0 : 1];
    if (!fait.isNull())
        return fait;
    const Instant t = ouverture ? p_.periode.debut : p_.periode.fin;
    fait = image(t).copy();
    const InstantFilm m = calcule_instant(c_, o_, t);
    const Course& course = c_.course();
    QStringList lignes;
    const QLocale fr(Texte::tr("fr_FR", "locale of the dates"));
    if (ouverture) {
        lignes << course.nom
               << Texte::tr("du %1 au %2")
                      .arg(fr.toString(date_de(p_.periode.debut).date(), QStringLiteral("d MMMM yyyy")),
                           fr.toString(date_de(p_.periode.fin).date(), QStringLiteral("d MMMM yyyy")));
    } else {
        lignes << Texte::tr("%1 : les cinq premiers").arg(course.nom);
        // The boats arrived, by their arrival, then the others in the
        // ranking of the moment (published, else computed); the retired
        // left out.
        std::vector<int> ordre = m.ordre;
        if (!c_.publie()) {
            ordre.clear();
            for (const Chronologie::Calcule& k : c_.ordre_calcule(t))
                ordre.push_back(k.i);
        }
        std::vector<std::pair<Instant, int>> arrives;
        std::vector<int> en_course;
        for (const int i : ordre) {
            const PositionFilm& p = m.positions[size_t(i)];
            if (!p.montre || p.nature == Nature::Abandon)
                continue;
            if (p.nature == Nature::Arrive)
                arrives.push_back({c_.fixes(i)[size_t(p.fixe)].t, i});
            else
                en_course.push_back(i);
        }
        std::stable_sort(arrives.begin(), arrives.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        int rang = 0;
        for (const auto& [quand, i] : arrives) {
            if (rang == 5)
                break;
            // Its race time, from the race's first fix.
            const Instant d = quand - c_.premier();
            lignes << QStringLiteral("%1. %2  %3")
                          .arg(++rang)
                          .arg(course.nom_conc(i), Texte::tr("%1 j %2 h %3 min")
                                                       .arg(d / UN_JOUR)
                                                       .arg(d % UN_JOUR / 3600, 2, 10, QLatin1Char('0'))
                                                       .arg(d % 3600 / 60, 2, 10, QLatin1Char('0')));
        }
        for (const int i : en_course) {
            if (rang == 5)
                break;
            lignes << QStringLiteral("%1. %2  %3").arg(++rang).arg(course.nom_conc(i), Texte::tr("en course"));
        }
    }
    // A dark band across the middle, the texts centred on it.
    QPainter pt(&fait);
    pt.setRenderHint(QPainter::Antialiasing);
    pt.setRenderHint(QPainter::TextAntialiasing);
    const double h = double(p_.taille.height());
    QFont titre(QStringLiteral("DejaVu Sans"));
    titre.setBold(true);
    titre.setPixelSize(std::max(16, int(h / 14)));
    QFont texte(QStringLiteral("DejaVu Sans"));
    texte.setPixelSize(std::max(14, int(h / 26)));
    const double hauteur = QFontMetricsF(titre).height() * 1.4 + QFontMetricsF(texte).height() * 1.3 * double(lignes.size() - 1);
    const QRectF bande(0, (h - hauteur) / 2 - h / 20, p_.taille.width(), hauteur + h / 10);
    pt.fillRect(bande, QColor(20, 32, 48, 200));
    double y = bande.top() + h / 20;
    // A line wider than the picture is drawn smaller.
    const auto ajuste = [&](QFont f, const QString& s) {
        while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(s) > 0.94 * p_.taille.width())
            f.setPixelSize(f.pixelSize() - 1);
        return f;
    };
    for (qsizetype k = 0; k < lignes.size(); ++k) {
        pt.setFont(ajuste(k == 0 ? titre : texte, lignes[k]));
        pt.setPen(k == 0 ? QColor(255, 255, 255) : QColor(0xFF, 0xE2, 0x9A));
        const double lh = QFontMetricsF(pt.font()).height() * (k == 0 ? 1.4 : 1.3);
        pt.drawText(QRectF(0, y, p_.taille.width(), lh), Qt::AlignCenter, lignes[k]);
        y += lh;
    }
    pt.end();
    libere_etat_avx();
    return fait;
}

EncodeurVideo::~EncodeurVideo()
{
    if (ffmpeg_)
        annule();
}

bool EncodeurVideo::extension_connue(const QString& fichier)
{
    const QString s = QFileInfo(fichier).suffix().toLower();
    return s == QLatin1String("mp4") || s == QLatin1String("webm");
}

bool EncodeurVideo::demarre(const QString& fichier, QSize taille, int fps, QString& erreur, bool rapide)
{
    if (!extension_connue(fichier)) {
        erreur = Texte::tr("« %1 » : le nom de la vidéo doit finir par .mp4 ou .webm.").arg(fichier);
        return false;
    }
    const QString programme = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (programme.isEmpty()) {
        erreur = Texte::tr("Le programme ffmpeg est introuvable : installez le paquet « ffmpeg » "
                           "(sudo apt-get install ffmpeg).");
        return false;
    }
    QFileInfo cible(fichier);
    // Through a link, the file it names (as the program's other files).
    if (cible.isSymLink())
        cible = QFileInfo(cible.symLinkTarget());
    if (cible.isDir()) {
        erreur = Texte::tr("« %1 » est un dossier.").arg(fichier);
        return false;
    }
    // Read-only by its mode, whoever runs the program (root included).
    if (cible.exists() && (!cible.isWritable() || !(cible.permissions() & QFileDevice::WriteOwner))) {
        erreur = Texte::tr("« %1 » est protégé en écriture : la vidéo n'est pas écrite.").arg(fichier);
        return false;
    }
    mode_ = cible.exists() ? int(QFile::permissions(cible.absoluteFilePath())) : -1;
    // What a killed export left in this folder, unless it may still be
    // writing.
    {
        static const QRegularExpression partiel(QStringLiteral("^\\..+\\.(mp4|webm)\\.[A-Za-z0-9]{6}\\.partiel$"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-AGE_PARTIELS_S);
        const QFileInfoList l = cible.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo& f : l)
            if (partiel.match(f.fileName()).hasMatch() && f.lastModified().toUTC() < limite)
                QFile::remove(f.filePath());
    }
    // The temporary name, reserved in the target's folder (the rename then
    // stays within one file system).
    QTemporaryFile reserve(cible.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.partiel").arg(cible.fileName())));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        erreur = Texte::tr("Impossible d'écrire dans le dossier « %1 » : %2")
                     .arg(QDir::toNativeSeparators(cible.absolutePath()), reserve.errorString());
        return false;
    }
    fichier_ = cible.absoluteFilePath();
    temporaire_ = reserve.fileName();
    reserve.close();

    const bool webm = cible.suffix().toLower() == QLatin1String("webm");
    QStringList args{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                     QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("rawvideo"),
                     QStringLiteral("-pix_fmt"), QStringLiteral("bgr0"), QStringLiteral("-s"),
                     QStringLiteral("%1x%2").arg(taille.width()).arg(taille.height()), QStringLiteral("-r"),
                     QString::number(fps), QStringLiteral("-i"), QStringLiteral("pipe:0"), QStringLiteral("-an")};
    if (webm)
        args << QStringList{QStringLiteral("-c:v"), QStringLiteral("libvpx-vp9"), QStringLiteral("-b:v"),
                            QStringLiteral("0"), QStringLiteral("-crf"), QStringLiteral("32"),
                            // libvpx's "good" speeds are six times slower here
                            // for the same quality on these pictures.
                            QStringLiteral("-deadline"), QStringLiteral("realtime"), QStringLiteral("-cpu-used"),
                            QStringLiteral("8"), QStringLiteral("-row-mt"), QStringLiteral("1"),
                            QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"), QStringLiteral("-f"),
                            QStringLiteral("webm")};
    else
    {
        args << QStringList{QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                            QStringLiteral("yuv420p"), QStringLiteral("-movflags"), QStringLiteral("+faststart")};
        if (rapide)
            args << QStringList{QStringLiteral("-preset"), QStringLiteral("veryfast")};
        args << QStringList{QStringLiteral("-f"), QStringLiteral("mp4")};
    }
    args << temporaire_;
    ffmpeg_ = std::make_unique<QProcess>();
    ffmpeg_->setProcessChannelMode(QProcess::SeparateChannels);
    ffmpeg_->setStandardOutputFile(QProcess::nullDevice());
    // Its error output as it comes, only the end kept: an ffmpeg that
    // writes without end must not fill the memory.
    QObject::connect(ffmpeg_.get(), &QProcess::readyReadStandardError, [this] { garde_erreurs(); });
    erreurs_.clear();
    images_ = 0;
    taille_pendant_ = 0;
    envoyes_ = 0;
    pris_ = -1;
    ferme_ = false;
    attente_.start();
    ffmpeg_->start(programme, args);
    if (!ffmpeg_->waitForStarted(10000)) {
        erreur = Texte::tr("ffmpeg n'a pas pu démarrer : %1").arg(ffmpeg_->errorString());
        annule();
        return false;
    }
    octets_image_ = qint64(taille.width()) * taille.height() * 4;
    return true;
}

void EncodeurVideo::garde_erreurs()
{
    if (!ffmpeg_)
        return;
    erreurs_ += ffmpeg_->readAllStandardError();
    if (erreurs_.size() > ERREURS_GARDEES)
        erreurs_ = erreurs_.right(ERREURS_GARDEES);
}

QString EncodeurVideo::raison_ffmpeg()
{
    garde_erreurs();
    const QString sortie = QString::fromLocal8Bit(erreurs_).trimmed();
    return sortie.isEmpty() ? ffmpeg_->errorString() : sortie.right(400);
}

bool EncodeurVideo::ecrit(const QImage& image, QString& erreur)
{
    if (!ffmpeg_ || ffmpeg_->state() != QProcess::Running) {
        erreur = Texte::tr("ffmpeg s'est arrêté : %1").arg(ffmpeg_ ? raison_ffmpeg() : QString());
        return false;
    }
    const qint64 n = image.sizeInBytes();
    if (n != octets_image_ || ffmpeg_->write(reinterpret_cast<const char*>(image.constBits()), n) != n) {
        erreur = Texte::tr("Écriture vers ffmpeg impossible : %1").arg(ffmpeg_->errorString());
        return false;
    }
    envoyes_ += n;
    ++images_;
    // What ffmpeg has written so far (every second of video or so).
    if (images_ % 16 == 0)
        taille_pendant_ = std::max(taille_pendant_, QFileInfo(temporaire_).size());
    return true;
}

bool EncodeurVideo::bloque(QString& erreur)
{
    if (!ffmpeg_ || ffmpeg_->state() != QProcess::Running)
        return false;
    if (!ferme_) {
        // ffmpeg took bytes since the last look: it is alive.
        const qint64 pris = envoyes_ - ffmpeg_->bytesToWrite();
        if (pris != pris_ || ffmpeg_->bytesToWrite() == 0) {
            pris_ = pris;
            attente_.restart();
        }
    }
    if (attente_.elapsed() < delai_ms_)
        return false;
    const QString secondes = QString::number(delai_ms_ / 1000.0, 'g', 3);
    erreur = ferme_ ? Texte::tr("ffmpeg n'a pas fini %1 s après la dernière image : vidéo abandonnée.").arg(secondes)
                    : Texte::tr("ffmpeg ne prend plus les images depuis %1 s : vidéo abandonnée.").arg(secondes);
    return true;
}

bool EncodeurVideo::pret() const
{
    return !ffmpeg_ || ffmpeg_->state() != QProcess::Running || ffmpeg_->bytesToWrite() <= 2 * octets_image_;
}

void EncodeurVideo::attend(int ms)
{
    if (!ffmpeg_ || ffmpeg_->state() != QProcess::Running)
        return;
    if (ffmpeg_->bytesToWrite() > 0)
        ffmpeg_->waitForBytesWritten(ms);
    else
        ffmpeg_->waitForFinished(ms);
}

void EncodeurVideo::ferme()
{
    if (!ffmpeg_)
        return;
    taille_pendant_ = std::max(taille_pendant_, QFileInfo(temporaire_).size());
    ffmpeg_->closeWriteChannel();
    ferme_ = true;
    attente_.restart();
}

bool EncodeurVideo::fini() const { return !ffmpeg_ || ffmpeg_->state() == QProcess::NotRunning; }

bool EncodeurVideo::conclut(QString& erreur)
{
    if (!ffmpeg_)
        return false;
    if (ffmpeg_->state() != QProcess::NotRunning && !ffmpeg_->waitForFinished(std::max(0, delai_ms_ - int(attente_.elapsed())))) {
        bloque(erreur);
        annule();
        return false;
    }
    const bool ok = ffmpeg_->exitStatus() == QProcess::NormalExit && ffmpeg_->exitCode() == 0;
    if (!ok) {
        erreur = Texte::tr("ffmpeg a échoué (code %1) : %2").arg(ffmpeg_->exitCode()).arg(raison_ffmpeg());
        annule();
        return false;
    }
    // Its word is not enough: the file must hold the video.
    if (QFileInfo(temporaire_).size() <= 0) {
        erreur = Texte::tr("ffmpeg dit avoir fini mais n'a rien écrit : aucune vidéo.");
        annule();
        return false;
    }
    const int64_t lues = images_lues(temporaire_);
    if (lues >= 0 && lues != images_) {
        erreur = Texte::tr("La vidéo écrite par ffmpeg tient %1 images sur %2 : elle n'est pas gardée.").arg(lues).arg(images_);
        annule();
        return false;
    }
    // Without ffprobe: a video of a second or more grows while its frames
    // are written, from ffmpeg's header on; one written only at the end is
    // not believed.
    if (lues < 0 && images_ >= 30 && taille_pendant_ <= 0) {
        erreur = Texte::tr("ffmpeg n'a rien écrit pendant qu'il prenait les images : la vidéo n'est pas gardée.");
        annule();
        return false;
    }
    std::error_code e;
    std::filesystem::rename(QFile::encodeName(temporaire_).toStdString(), QFile::encodeName(fichier_).toStdString(), e);
    if (e) {
        erreur = Texte::tr("Impossible de nommer la vidéo « %1 » : %2")
                     .arg(QDir::toNativeSeparators(fichier_), QString::fromLocal8Bit(e.message().c_str()));
        annule();
        return false;
    }
    // The temporary file was private (0600): the video gets the mode of the
    // file it replaces, or the one any new file of the user gets.
    if (mode_ >= 0) {
        QFile::setPermissions(fichier_, QFileDevice::Permissions(mode_));
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        ::chmod(QFile::encodeName(fichier_).constData(), 0666 & ~masque);
    }
    ffmpeg_.reset();
    return true;
}

int64_t EncodeurVideo::images_lues(const QString& fichier)
{
    const QString sonde = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (sonde.isEmpty())
        return -1;
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(sonde, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), QStringLiteral("v:0"),
                    QStringLiteral("-count_packets"), QStringLiteral("-show_entries"),
                    QStringLiteral("stream=nb_read_packets"), QStringLiteral("-of"), QStringLiteral("csv=p=0"), fichier});
    if (!p.waitForFinished(DELAI_FFMPEG_MS) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished(1000);
        return 0;  // a file ffprobe cannot read in time holds no video
    }
    bool ok = false;
    const int64_t n = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toLongLong(&ok);
    return p.exitCode() == 0 && ok ? n : 0;
}

void EncodeurVideo::annule()
{
    if (ffmpeg_) {
        if (ffmpeg_->state() != QProcess::NotRunning) {
            ffmpeg_->kill();
            ffmpeg_->waitForFinished(5000);
        }
        ffmpeg_.reset();
    }
    if (!temporaire_.isEmpty())
        QFile::remove(temporaire_);
}

bool EcritureVideo::demarre(const QString& fichier, QString& erreur)
{
    return encodeur_.demarre(fichier, taille_physique(p_), p_.fps, erreur, p_.rapide);
}

EcritureVideo::Etat EcritureVideo::tranche(int ms, QString& erreur)
{
    if (encodeur_.bloque(erreur)) {
        encodeur_.annule();
        return Etat::Echec;
    }
    if (ferme_) {
        // The last frames encoding.
        if (!encodeur_.fini())
            return Etat::EnCours;
        return encodeur_.conclut(erreur) ? Etat::Finie : Etat::Echec;
    }
    QElapsedTimer duree;
    duree.start();
    while (k_ < n_ && duree.elapsed() < ms && encodeur_.pret()) {
        const int64_t carton = images_carton(p_);
        const QImage& image = k_ < carton              ? images_.carton(true)
                              : k_ >= n_ - carton ? images_.carton(false)
                                                  : images_.image(instant_image(p_, k_ - carton));
        if (!encodeur_.ecrit(image, erreur)) {
            encodeur_.annule();
            return Etat::Echec;
        }
        ++k_;
    }
    if (k_ == n_) {
        encodeur_.ferme();
        ferme_ = true;
    }
    return Etat::EnCours;
}

}  // namespace orv
