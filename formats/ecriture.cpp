#include "ecriture.h"

#include "texte.h"
#include "traduction.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv {

CrochetEcriture crochet_ecriture = nullptr;
#ifdef Q_OS_UNIX
AppelsEcriture appels_ecriture = {[](int fd, const void* p, unsigned long n) { return long(::write(fd, p, n)); },
                                  [](int fd) { return ::fsync(fd); }};
#else
AppelsEcriture appels_ecriture = {nullptr, nullptr};
#endif

namespace {
void etape(EtapeEcriture e, qint64 n)
{
    if (crochet_ecriture)
        crochet_ecriture(e, n);
}

QString echec(const QString& chemin, const QString& raison)
{
    return Texte::tr("Écriture impossible de « %1 » : %2.").arg(QDir::toNativeSeparators(chemin), raison);
}

#ifdef Q_OS_UNIX
QString raison_systeme(int e)
{
    switch (e) {
    case ENOSPC: return Texte::tr("disque plein");
#ifdef EDQUOT
    case EDQUOT: return Texte::tr("quota du disque dépassé");
#endif
    case EFBIG: return Texte::tr("fichier trop grand pour ce système (taille limitée)");
    case EACCES:
    case EPERM: return Texte::tr("écriture interdite dans ce dossier");
    case EROFS: return Texte::tr("disque en lecture seule");
    case ENOENT:
    case ENOTDIR: return Texte::tr("dossier absent");
    case EIO: return Texte::tr("erreur du disque");
    case EISDIR: return Texte::tr("c'est un dossier");
    default: return Texte::tr("erreur système %1").arg(e);
    }
}

// A fresh temporary file beside the target, created exclusively.
int ouvre_temporaire(const QByteArray& cible, QByteArray& temporaire, int& erreur_systeme)
{
    static const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int essai = 0; essai < 100; ++essai) {
        temporaire = cible + '.';
        for (int k = 0; k < 6; ++k)
            temporaire += ALPHABET[QRandomGenerator::global()->bounded(int(sizeof ALPHABET - 1))];
        const int fd = ::open(temporaire.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            erreur_systeme = errno;
            return -1;
        }
    }
    erreur_systeme = EEXIST;
    return -1;
}

// Every byte written to `fd`, a short write continued; the error, or 0.
int ecrit_tout(int fd, const QByteArray& contenu, qint64& fait)
{
    const char* p = contenu.constData();
    qint64 reste = contenu.size();
    fait = 0;
    while (reste > 0) {
        const long n = appels_ecriture.ecrit(fd, p + fait, static_cast<unsigned long>(std::min<qint64>(reste, qint64(1) << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        fait += n;
        reste -= n;
    }
    return 0;
}

// The file a path names once its symbolic links are followed (a link to a
// file not there yet names that file); the path itself when not a link.
QByteArray cible_des_liens(const QString& chemin)
{
    QFileInfo i(chemin);
    for (int saut = 0; saut < 40 && i.isSymLink(); ++saut)
        i = QFileInfo(i.symLinkTarget());
    return QFile::encodeName(i.isSymLink() ? chemin : i.absoluteFilePath());
}
#endif
}  // namespace

bool ecrit_fichier(const QString& chemin, const QByteArray& contenu, QString& erreur)
{
#ifdef Q_OS_UNIX
    // A pipe, a terminal or another device (/dev/stdout, a FIFO) is written
    // as it is: it has no previous content to keep, and a file put in its
    // place would take its name.
    struct stat st {};
    if (::stat(QFile::encodeName(chemin).constData(), &st) == 0 &&
        (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISSOCK(st.st_mode))) {
        const int fd = ::open(QFile::encodeName(chemin).constData(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            erreur = echec(chemin, raison_systeme(errno));
            return false;
        }
        qint64 fait = 0;
        int err = ecrit_tout(fd, contenu, fait);
        if (::close(fd) != 0 && err == 0)
            err = errno;
        if (err != 0)
            erreur = echec(chemin, raison_systeme(err));
        return err == 0;
    }
    // Through a symbolic link, the file it names is replaced; the link stays.
    const QByteArray cible = cible_des_liens(chemin);
    QByteArray temporaire;
    int e = 0;
    const int fd = ouvre_temporaire(cible, temporaire, e);
    if (fd < 0) {
        erreur = echec(chemin, raison_systeme(e));
        return false;
    }
    auto abandonne = [&](int err) {
        ::close(fd);
        ::unlink(temporaire.constData());
        erreur = echec(chemin, raison_systeme(err));
        return false;
    };
    etape(EtapeEcriture::Ouvert, 0);
    // An existing file keeps its permissions.
    if (::stat(cible.constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 07777);
    // Every write checked: nothing is taken as written that the system did
    // not accept.
    qint64 fait = 0;
    if (const int err = ecrit_tout(fd, contenu, fait))
        return abandonne(err);
    etape(EtapeEcriture::Ecrit, fait);
    if (appels_ecriture.synchronise(fd) != 0)
        return abandonne(errno);
    etape(EtapeEcriture::Synchronise, fait);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temporaire.constData());
        erreur = echec(chemin, raison_systeme(err));
        return false;
    }
    if (::rename(temporaire.constData(), cible.constData()) != 0) {
        const int err = errno;
        ::unlink(temporaire.constData());
        erreur = echec(chemin, raison_systeme(err));
        return false;
    }
    etape(EtapeEcriture::Renomme, fait);
    // The new name itself on the disk (best effort: not every file system
    // lets a folder be synced).
    const QByteArray dossier = QFile::encodeName(QFileInfo(QFile::decodeName(cible)).absolutePath());
    const int fdd = ::open(dossier.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fdd >= 0) {
        ::fsync(fdd);
        ::close(fdd);
    }
    return true;
#else
    // Unbuffered, so that every write's result is the system's.
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        erreur = echec(chemin, f.errorString());
        return false;
    }
    etape(EtapeEcriture::Ouvert, 0);
    qint64 fait = 0;
    while (fait < contenu.size()) {
        const qint64 n = f.write(contenu.constData() + fait, contenu.size() - fait);
        if (n <= 0) {
            erreur = echec(chemin, f.errorString());
            f.cancelWriting();
            return false;
        }
        fait += n;
    }
    etape(EtapeEcriture::Ecrit, fait);
    if (!f.commit()) {
        erreur = echec(chemin, f.errorString());
        return false;
    }
    etape(EtapeEcriture::Renomme, fait);
    return true;
#endif
}

bool ecrit_sortie(const QStringList& lignes, QString& erreur)
{
    QByteArray b;
    for (const QString& l : lignes) {
        b += l.toUtf8();
        b += '\n';
    }
    // Whatever stdio holds goes first, in order.
    std::fflush(stdout);
#ifdef Q_OS_UNIX
    qint64 fait = 0;
    if (const int err = ecrit_tout(STDOUT_FILENO, b, fait)) {
        erreur = Texte::tr("Écriture impossible sur la sortie standard : %1.").arg(raison_systeme(err));
        return false;
    }
    return true;
#else
    if (std::fwrite(b.constData(), 1, size_t(b.size()), stdout) != size_t(b.size()) || std::fflush(stdout) != 0) {
        erreur = Texte::tr("Écriture impossible sur la sortie standard.");
        return false;
    }
    return true;
#endif
}

QByteArray octets_cp1252(const QStringList& lignes)
{
    QByteArray b;
    for (const QString& l : lignes) {
        b += vers_cp1252(l);
        b += "\r\n";
    }
    return b;
}

bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString& erreur)
{
    return ecrit_fichier(chemin, octets_cp1252(lignes), erreur);
}

bool ecrit_lignes(const QString& chemin, const QStringList& lignes)
{
    QString erreur;
    return ecrit_lignes(chemin, lignes, erreur);
}

bool ecrit_png(const QString& chemin, const QImage& image, QString& erreur)
{
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&tampon, "PNG")) {
        erreur = echec(chemin, Texte::tr("image impossible à coder en PNG"));
        return false;
    }
    return ecrit_fichier(chemin, png, erreur);
}

bool ecrit_pdf(const QString& chemin, QSize taille, const QString& titre,
               const std::function<bool(QPainter&)>& dessine, QString& erreur)
{
    QByteArray pdf;
    QBuffer tampon(&pdf);
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter page(&tampon);
        page.setResolution(96);
        page.setPageSize(QPageSize(QSizeF(taille) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        page.setPageMargins(QMarginsF(0, 0, 0, 0));
        page.setCreator(QStringLiteral("Orvalis"));
        page.setTitle(titre);
        QPainter p;
        if (!p.begin(&page)) {
            erreur = echec(chemin, Texte::tr("page PDF impossible à ouvrir"));
            return false;
        }
        const bool fait = dessine(p);
        p.end();
        if (!fait)
            return false;
    }
    return ecrit_fichier(chemin, pdf, erreur);
}

int nettoie_temporaires(const QString& dossier, const QString& motif, int age_s)
{
    const QRegularExpression forme(QStringLiteral("^(?:%1)\\.[A-Za-z0-9]{6}$").arg(motif));
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-age_s);
    int n = 0;
    const QFileInfoList l = QDir(dossier).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& f : l)
        if (forme.match(f.fileName()).hasMatch() && f.lastModified().toUTC() < limite && QFile::remove(f.filePath()))
            ++n;
    return n;
}

}  // namespace orv
