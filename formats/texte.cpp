#include "texte.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orv {

namespace {
// Code points of bytes 0x80..0x9F in code page 1252 (undefined ones kept as
// the byte's Latin-1 control character).
constexpr char16_t CP1252_80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr qsizetype LONGUEUR_MAX = 255;
}  // namespace

QString depuis_cp1252(const char* p, qsizetype n)
{
    QString s(n, Qt::Uninitialized);
    QChar* d = s.data();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(CP1252_80[b - 0x80]) : QChar(b);
    }
    return s;
}

QString depuis_utf8_ou_cp1252(const QByteArray& octets)
{
    QString s;
    s.reserve(octets.size());
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        // The length of a well-formed sequence starting here, 0 if none.
        int l = 0;
        char32_t c = 0;
        if (b < 0x80) {
            l = 1;
            c = b;
        } else if (b >= 0xC2 && b <= 0xF4) {
            l = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            c = b & (0x3F >> (l - 1));
            for (int k = 1; k < l; ++k) {
                if (i + k >= n || (p[i + k] & 0xC0) != 0x80) {
                    l = 0;
                    break;
                }
                c = (c << 6) | (p[i + k] & 0x3F);
            }
            // Overlong forms, surrogates and code points past U+10FFFF.
            if (l == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)))
                l = 0;
            if (l == 4 && (c < 0x10000 || c > 0x10FFFF))
                l = 0;
        }
        if (l == 0) {
            s += depuis_cp1252(reinterpret_cast<const char*>(p + i), 1);
            ++i;
            continue;
        }
        const char32_t u[1] = {c};
        s += QString::fromUcs4(u, 1);
        i += l;
    }
    return s;
}

QByteArray vers_cp1252(const QString& s)
{
    QByteArray r;
    r.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            r.append(static_cast<char>(u));
            continue;
        }
        char b = '?';
        for (int k = 0; k < 32; ++k)
            if (CP1252_80[k] == u) {
                b = static_cast<char>(0x80 + k);
                break;
            }
        r.append(b);
    }
    return r;
}

LecteurTexte::Plage LecteurTexte::plage()
{
    if (eof())
        return {c_.constData(), 0};
    const char* d = c_.constData();
    const qsizetype n = c_.size();
    if (lf_ < pos_) {
        const char* nl = static_cast<const char*>(std::memchr(d + pos_, '\n', size_t(n - pos_)));
        lf_ = nl ? nl - d : n;
    }
    qsizetype fin = lf_, suite = lf_ < n ? lf_ + 1 : n;
    // A CR before the LF ends the line there, alone or as CR LF.
    if (const char* cr = static_cast<const char*>(std::memchr(d + pos_, '\r', size_t(fin - pos_)))) {
        fin = cr - d;
        if (fin + 1 < lf_)
            suite = fin + 1;
    }
    const Plage r{d + pos_, std::min(fin - pos_, LONGUEUR_MAX)};
    pos_ = suite;
    return r;
}

QString LecteurTexte::ligne()
{
    const Plage r = plage();
    return depuis_cp1252(r.p, r.n);
}

bool lit_fichier(const QString& chemin, QByteArray& contenu)
{
#ifdef Q_OS_UNIX
    // Straight system calls: one open, one fstat, two reads (QFile takes
    // three more stats). Non-blocking, so that a pipe is refused rather than
    // waited on.
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= TAILLE_MAX_FICHIER_TEXTE;
    if (ok) {
        // The size may change while reading: read to the end, within the cap.
        contenu.resize(qsizetype(st.st_size) + 1);
        qsizetype lu = 0;
        for (;;) {
            if (lu == contenu.size()) {
                if (lu > TAILLE_MAX_FICHIER_TEXTE) {
                    ok = false;
                    break;
                }
                contenu.resize(std::min<qsizetype>(lu * 2 + 4096, TAILLE_MAX_FICHIER_TEXTE + 1));
            }
            const ssize_t n = ::read(fd, contenu.data() + lu, size_t(contenu.size() - lu));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            lu += n;
        }
        contenu.resize(ok ? lu : 0);
    }
    ::close(fd);
    return ok;
#else
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly) || !QFileInfo(chemin).isFile() || f.size() > TAILLE_MAX_FICHIER_TEXTE)
        return false;
    contenu = f.readAll();
    return f.error() == QFileDevice::NoError;
#endif
}

namespace {
inline char16_t unite(QChar c) { return c.unicode(); }
inline char16_t unite(char c) { return static_cast<unsigned char>(c); }

// Checks the syntax; `entier` forbids the point and the exponent. Returns
// the start of the number proper (after blanks) or -1.
template <class V>
qsizetype syntaxe(V s, bool entier)
{
    qsizetype i = 0;
    const qsizetype n = qsizetype(s.size());
    while (i < n && unite(s[i]) == u' ')
        ++i;
    const qsizetype debut = i;
    if (i < n && (unite(s[i]) == u'+' || unite(s[i]) == u'-'))
        ++i;
    auto chiffres = [&] {
        const qsizetype d = i;
        while (i < n && unite(s[i]) >= u'0' && unite(s[i]) <= u'9')
            ++i;
        return i > d;
    };
    if (!chiffres())
        return -1;
    if (!entier && i < n && unite(s[i]) == u'.') {
        ++i;
        if (!chiffres())
            return -1;
    }
    if (!entier && i < n && (unite(s[i]) == u'e' || unite(s[i]) == u'E')) {
        ++i;
        if (i < n && (unite(s[i]) == u'+' || unite(s[i]) == u'-'))
            ++i;
        if (!chiffres())
            return -1;
    }
    return i == n ? debut : -1;
}

// The ASCII characters of a checked number, without a leading '+'.
template <class V>
std::string ascii(V s, qsizetype debut)
{
    std::string a;
    a.reserve(size_t(qsizetype(s.size()) - debut));
    for (qsizetype i = debut; i < qsizetype(s.size()); ++i) {
        const char c = static_cast<char>(unite(s[i]));
        if (!(a.empty() && c == '+'))
            a.push_back(c);
    }
    return a;
}
}  // namespace

namespace {
// Exact powers of ten as extended reals (5^27 < 2^64).
constexpr int PUISSANCE_MAX = 27;
constexpr auto puissances = [] {
    std::array<long double, PUISSANCE_MAX + 1> p{};
    long double v = 1;
    for (auto& x : p) {
        x = v;
        v *= 10;
    }
    return p;
}();

// The plain "digits.digits" form with at most 19 digits: the integer of all
// digits and the power of ten are both exact extended reals, so their
// quotient is the correctly rounded value (as strtold gives it, without its
// cost).
template <class V>
bool decimal_simple(V s, qsizetype debut, long double& v)
{
    qsizetype i = debut;
    bool negatif = false;
    if (unite(s[i]) == u'+' || unite(s[i]) == u'-')
        negatif = unite(s[i++]) == u'-';
    uint64_t m = 0;
    int chiffres = 0, decimales = 0;
    bool point = false;
    for (; i < qsizetype(s.size()); ++i) {
        const char16_t c = unite(s[i]);
        if (c == u'.') {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9' || ++chiffres > 19)
            return false;
        m = m * 10 + (c - u'0');
        decimales += point;
    }
    if (decimales > PUISSANCE_MAX)
        return false;
    v = static_cast<long double>(m) / puissances[size_t(decimales)];
    if (negatif)
        v = -v;
    return true;
}
}  // namespace

namespace {
template <class V>
bool nombre(V s, ext* v)
{
    const qsizetype debut = syntaxe(s, false);
    if (debut < 0)
        return false;
    long double rapide = 0;
    if (decimal_simple(s, debut, rapide)) {
        if (v)
            *v = rapide;
        return true;
    }
    const std::string a = ascii(s, debut);
    long double r = 0;
    const auto [p, ec] = std::from_chars(a.data(), a.data() + a.size(), r);
    if (ec != std::errc() || p != a.data() + a.size() || !std::isfinite(r))
        return false;
    if (v)
        *v = r;
    return true;
}

template <class V>
bool entier(V s, int64_t* v)
{
    const qsizetype debut = syntaxe(s, true);
    if (debut < 0)
        return false;
    const std::string a = ascii(s, debut);
    int64_t r = 0;
    const auto [p, ec] = std::from_chars(a.data(), a.data() + a.size(), r);
    if (ec == std::errc::result_out_of_range) {
        // Still an integer, just beyond any rank: say so with the extreme.
        if (v)
            *v = a.front() == '-' ? INT64_MIN : INT64_MAX;
        return true;
    }
    if (ec != std::errc() || p != a.data() + a.size())
        return false;
    if (v)
        *v = r;
    return true;
}

}  // namespace

bool est_nombre(QStringView s, ext* v) { return nombre(s, v); }
bool est_nombre(std::string_view s, ext* v) { return nombre(s, v); }
bool est_entier(QStringView s, int64_t* v) { return entier(s, v); }
bool est_entier(std::string_view s, int64_t* v) { return entier(s, v); }

ext nombre_ou_zero(QStringView s)
{
    ext v = 0;
    return est_nombre(s, &v) ? v : 0;
}

ext nombre_ou_zero(std::string_view s)
{
    ext v = 0;
    return est_nombre(s, &v) ? v : 0;
}

}  // namespace orv
