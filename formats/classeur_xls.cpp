// The .xls reader: the workbook stream of an OLE2 compound file, its BIFF8
// records (the sheet's name, the shared strings, the cells of numbers,
// texts, formula results and booleans). Every offset and length read from
// the file is checked against what is there: a hostile file gives an error,
// never a read outside it.
#include "classeur.h"

#include "lecteurs.h"

#include "texte.h"
#include "traduction.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace orv {

QString nombre_court(double v)
{
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return QString::fromLatin1(b, int(r.ptr - b));
}

namespace {

uint16_t u16(const char* p) { return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8)); }
uint32_t u32(const char* p) { return uint32_t(u16(p)) | (uint32_t(u16(p + 2)) << 16); }

// --- The compound file --------------------------------------------------

constexpr uint32_t FIN_DE_CHAINE = 0xFFFFFFFE;
constexpr qsizetype TAILLE_MAX_XLS = TAILLE_MAX_CLASSEUR;

class Composite {
public:
    explicit Composite(const QByteArray& f) : f_(f) {}

    // The stream named `nom` (any case), whole; false when the file is not
    // a compound file or has no such stream.
    bool flux(const QString& nom, QByteArray& contenu, QString& erreur)
    {
        if (f_.size() < 512 || std::memcmp(f_.constData(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0) {
            erreur = Texte::tr("pas un classeur Excel 97 ou plus récent");
            return false;
        }
        const char* h = f_.constData();
        const int decalage = u16(h + 0x1E), mini_decalage = u16(h + 0x20);
        if ((decalage != 9 && decalage != 12) || mini_decalage != 6) {
            erreur = Texte::tr("classeur illisible (secteurs)");
            return false;
        }
        secteur_ = qsizetype(1) << decalage;
        mini_ = qsizetype(1) << mini_decalage;
        nb_secteurs_ = (f_.size() - secteur_ + secteur_ - 1) / secteur_;
        if (!lit_fat(h, erreur))
            return false;
        QByteArray repertoire;
        if (!chaine(fat_, u32(h + 0x30), -1, repertoire)) {
            erreur = Texte::tr("classeur illisible (répertoire)");
            return false;
        }
        const uint32_t coupure = u32(h + 0x38);
        // The root entry holds the mini stream; the mini FAT is a chain.
        QByteArray flux_mini, fat_mini;
        bool mini_lu = false;
        for (qsizetype e = 0; e + 128 <= repertoire.size(); e += 128) {
            const char* d = repertoire.constData() + e;
            const int type = uint8_t(d[0x42]);
            const int lg = std::min<int>(u16(d + 0x40), 64);
            const QString n = QString::fromUtf16(reinterpret_cast<const char16_t*>(d), std::max(0, lg / 2 - 1));
            const uint32_t debut = u32(d + 0x74);
            const qint64 taille = qint64(u32(d + 0x78));
            if (e == 0 && type == 5) {
                mini_lu = chaine(fat_, debut, taille, flux_mini) &&
                          chaine(fat_, u32(h + 0x3C), -1, fat_mini);
                continue;
            }
            if (type != 2 || n.compare(nom, Qt::CaseInsensitive) != 0)
                continue;
            if (taille > TAILLE_MAX_XLS) {
                erreur = Texte::tr("classeur trop grand");
                return false;
            }
            bool ok;
            if (taille < qint64(coupure)) {
                // A small stream: in 64-byte sectors of the mini stream.
                std::vector<uint32_t> table;
                for (qsizetype k = 0; k + 4 <= fat_mini.size(); k += 4)
                    table.push_back(u32(fat_mini.constData() + k));
                ok = mini_lu && chaine(table, debut, taille, contenu, &flux_mini, mini_);
            } else {
                ok = chaine(fat_, debut, taille, contenu);
            }
            if (!ok)
                erreur = Texte::tr("classeur illisible (flux %1)").arg(nom);
            return ok;
        }
        erreur = Texte::tr("pas de classeur Excel 97 dans le fichier");
        return false;
    }

private:
    // The FAT from the sectors the header and the DIFAT chain list.
    bool lit_fat(const char* h, QString& erreur)
    {
        std::vector<uint32_t> secteurs_fat;
        const uint32_t nb_fat = u32(h + 0x2C);
        for (int k = 0; k < 109 && secteurs_fat.size() < nb_fat; ++k)
            secteurs_fat.push_back(u32(h + 0x4C + 4 * k));
        uint32_t dif = u32(h + 0x44);
        for (qsizetype tours = 0; secteurs_fat.size() < nb_fat && dif < FIN_DE_CHAINE; ++tours) {
            const char* s = adresse(dif);
            if (!s || tours > nb_secteurs_) {
                erreur = Texte::tr("classeur illisible (table des secteurs)");
                return false;
            }
            for (qsizetype k = 0; k + 1 < secteur_ / 4 && secteurs_fat.size() < nb_fat; ++k)
                secteurs_fat.push_back(u32(s + 4 * k));
            dif = u32(s + secteur_ - 4);
        }
        if (secteurs_fat.size() < nb_fat || qsizetype(nb_fat) > nb_secteurs_) {
            erreur = Texte::tr("classeur illisible (table des secteurs)");
            return false;
        }
        for (uint32_t n : secteurs_fat) {
            const char* s = adresse(n);
            if (!s) {
                erreur = Texte::tr("classeur illisible (table des secteurs)");
                return false;
            }
            for (qsizetype k = 0; k < secteur_ / 4; ++k)
                fat_.push_back(u32(s + 4 * k));
        }
        return true;
    }

    const char* adresse(uint32_t n) const
    {
        const qint64 o = (qint64(n) + 1) * secteur_;
        return n < FIN_DE_CHAINE && o + secteur_ <= f_.size() ? f_.constData() + o : nullptr;
    }

    // A chain of sectors from `debut`, `taille` bytes (-1: to its end), in
    // the file or, with `source`, in the mini stream; a loop, a sector
    // outside the data or a chain shorter than the size is an error.
    bool chaine(const std::vector<uint32_t>& table, uint32_t debut, qint64 taille, QByteArray& sortie,
                const QByteArray* source = nullptr, qsizetype pas = 0) const
    {
        sortie.clear();
        const qsizetype t = source ? pas : secteur_;
        const qsizetype max = source ? source->size() / t : nb_secteurs_;
        uint32_t n = debut;
        std::vector<bool> vu(size_t(std::max<qsizetype>(max, 0)), false);
        while (n < FIN_DE_CHAINE && (taille < 0 || sortie.size() < taille)) {
            // A sector met twice: the chain turns round.
            if (qsizetype(n) >= max || vu[n])
                return false;
            vu[n] = true;
            const char* s = source ? source->constData() + qsizetype(n) * t : adresse(n);
            if (!s)
                return false;
            sortie.append(s, t);
            if (n >= table.size())
                return taille >= 0 && sortie.size() >= taille;
            n = table[n];
        }
        if (taille >= 0) {
            if (sortie.size() < taille)
                return false;
            sortie.truncate(qsizetype(taille));
        }
        return true;
    }

    const QByteArray& f_;
    qsizetype secteur_ = 512, mini_ = 64, nb_secteurs_ = 0;
    std::vector<uint32_t> fat_;
};

// --- The BIFF8 records ----------------------------------------------------

struct Enreg {
    uint16_t type;
    const char* p;
    qsizetype n;
};

// The records of a stream from `o`, up to the end of its substream.
std::vector<Enreg> enregistrements(const QByteArray& b, qsizetype o)
{
    std::vector<Enreg> r;
    while (o + 4 <= b.size()) {
        const uint16_t type = u16(b.constData() + o), n = u16(b.constData() + o + 2);
        if (o + 4 + n > b.size())
            break;
        r.push_back({type, b.constData() + o + 4, n});
        o += 4 + n;
        if (type == 0x000A)  // EOF
            break;
    }
    return r;
}

// Reads the characters of a string that may run over CONTINUE records: each
// continuation starts with a byte whose bit 0 says whether the characters
// are two bytes wide.
class LecteurSegments {
public:
    void ajoute(const char* p, qsizetype n) { seg_.push_back({p, n}); }
    bool octets(qsizetype n, QByteArray* sortie = nullptr)
    {
        while (n > 0) {
            if (!place())
                return false;
            const qsizetype k = std::min(n, seg_[i_].n - o_);
            if (sortie)
                sortie->append(seg_[i_].p + o_, k);
            o_ += k;
            n -= k;
        }
        return true;
    }
    bool entier(int taille, uint32_t& v)
    {
        QByteArray b;
        if (!octets(taille, &b))
            return false;
        v = taille == 1 ? uint8_t(b[0]) : taille == 2 ? u16(b.constData()) : u32(b.constData());
        return true;
    }
    bool caracteres(uint32_t nb, bool larges, QString& s)
    {
        // Characters that start in the next record start with its flags.
        if (nb > 0 && i_ < seg_.size() && o_ >= seg_[i_].n && i_ + 1 < seg_.size())
            nouveau_ = true;
        while (nb > 0) {
            if (!place())
                return false;
            if (o_ == 0 && nouveau_) {
                // A continuation in the middle of the characters.
                larges = (seg_[i_].p[0] & 1) != 0;
                o_ = 1;
                if (!place())
                    return false;
            }
            nouveau_ = false;
            const qsizetype taille = larges ? 2 : 1;
            const qsizetype k = std::min<qsizetype>(nb, (seg_[i_].n - o_) / taille);
            if (k == 0)
                return false;
            const char* p = seg_[i_].p + o_;
            for (qsizetype j = 0; j < k; ++j)
                s += larges ? QChar(u16(p + 2 * j)) : QChar(uint8_t(p[j]));
            o_ += k * taille;
            nb -= uint32_t(k);
            if (nb > 0 && o_ >= seg_[i_].n)
                nouveau_ = true;
        }
        return true;
    }

private:
    bool place()
    {
        while (i_ < seg_.size() && o_ >= seg_[i_].n) {
            ++i_;
            o_ = 0;
        }
        return i_ < seg_.size();
    }
    struct Segment {
        const char* p;
        qsizetype n;
    };
    std::vector<Segment> seg_;
    size_t i_ = 0;
    qsizetype o_ = 0;
    bool nouveau_ = false;
};

// The shared strings of an SST record and its CONTINUE records.
bool chaines_partagees(const std::vector<Enreg>& e, size_t k, QStringList& chaines)
{
    LecteurSegments l;
    l.ajoute(e[k].p, e[k].n);
    for (size_t j = k + 1; j < e.size() && e[j].type == 0x003C; ++j)
        l.ajoute(e[j].p, e[j].n);
    uint32_t uniques = 0;
    if (!l.octets(4) || !l.entier(4, uniques))
        return false;
    uniques = std::min<uint32_t>(uniques, uint32_t(CELLULES_MAX_FEUILLE));
    for (uint32_t s = 0; s < uniques; ++s) {
        uint32_t nb = 0, drapeaux = 0, runs = 0, ext = 0;
        if (!l.entier(2, nb) || !l.entier(1, drapeaux))
            return false;
        if ((drapeaux & 0x08) && !l.entier(2, runs))
            return false;
        if ((drapeaux & 0x04) && !l.entier(4, ext))
            return false;
        QString t;
        if (!l.caracteres(nb, drapeaux & 1, t) || !l.octets(qsizetype(runs) * 4) || !l.octets(ext))
            return false;
        chaines << t;
    }
    return true;
}

// A string of a LABEL or STRING record: 16-bit count, flags, characters.
QString chaine_simple(const char* p, qsizetype n)
{
    if (n < 3)
        return {};
    LecteurSegments l;
    l.ajoute(p + 3, n - 3);
    QString s;
    l.caracteres(u16(p), (p[2] & 1) != 0, s);
    return s;
}

// An RK number: an integer or the high bits of a double, maybe / 100.
QString nombre_rk(uint32_t rk)
{
    if ((rk & 2) && !(rk & 1))
        return QString::number(int32_t(rk) >> 2);
    double v;
    if (rk & 2) {
        v = double(int32_t(rk) >> 2);
    } else {
        const uint64_t bits = uint64_t(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, 8);
    }
    return nombre_court(rk & 1 ? v / 100 : v);
}
}  // namespace

bool lit_xls_octets(const QByteArray& octets, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    QByteArray classeur;
    Composite composite(octets);
    if (!composite.flux(QStringLiteral("Workbook"), classeur, erreur))
        return false;
    // The globals: the sheets' names and places, the shared strings.
    const std::vector<Enreg> globales = enregistrements(classeur, 0);
    if (globales.empty() || globales[0].type != 0x0809 || globales[0].n < 2 || u16(globales[0].p) != 0x0600) {
        erreur = Texte::tr("pas un classeur Excel 97 ou plus récent");
        return false;
    }
    QStringList chaines;
    qint64 debut_feuille = -1;
    for (size_t k = 0; k < globales.size(); ++k) {
        const Enreg& e = globales[k];
        if (e.type == 0x0085 && e.n >= 8) {
            // BOUNDSHEET: offset, state, type, a short string.
            QString nom;
            LecteurSegments l;
            l.ajoute(e.p + 8, e.n - 8);
            l.caracteres(uint8_t(e.p[6]), (e.p[7] & 1) != 0, nom);
            if (nom == nom_feuille && debut_feuille < 0)
                debut_feuille = u32(e.p);
        } else if (e.type == 0x00FC && !chaines_partagees(globales, k, chaines)) {
            erreur = Texte::tr("classeur illisible (textes partagés)");
            return false;
        }
    }
    if (debut_feuille < 0 || debut_feuille >= classeur.size()) {
        erreur = Texte::tr("pas de feuille « %1 »").arg(nom_feuille);
        return false;
    }
    f = Feuille{};
    const std::vector<Enreg> cellules = enregistrements(classeur, qsizetype(debut_feuille));
    auto place = [&](uint16_t l, uint16_t c, const QString& t) {
        if (!f.place(int(l) + 1, int(c) + 1, t)) {
            erreur = Texte::tr("feuille « %1 » trop grande pour un classement").arg(nom_feuille);
            return false;
        }
        return true;
    };
    for (size_t k = 0; k < cellules.size(); ++k) {
        const Enreg& e = cellules[k];
        const char* p = e.p;
        bool ok = true;
        switch (e.type) {
        case 0x0203:  // NUMBER
            if (e.n >= 14) {
                double v;
                std::memcpy(&v, p + 6, 8);
                ok = place(u16(p), u16(p + 2), nombre_court(v));
            }
            break;
        case 0x027E:  // RK
            if (e.n >= 10)
                ok = place(u16(p), u16(p + 2), nombre_rk(u32(p + 6)));
            break;
        case 0x00BD:  // MULRK
            for (qsizetype j = 0; ok && 4 + 6 * (j + 1) + 2 <= e.n; ++j)
                ok = place(u16(p), uint16_t(u16(p + 2) + j), nombre_rk(u32(p + 4 + 6 * j + 2)));
            break;
        case 0x00FD:  // LABELSST
            if (e.n >= 10)
                ok = place(u16(p), u16(p + 2), chaines.value(qsizetype(u32(p + 6))));
            break;
        case 0x0204:  // LABEL
        case 0x00D6:  // RSTRING
            if (e.n >= 9)
                ok = place(u16(p), u16(p + 2), chaine_simple(p + 6, e.n - 6));
            break;
        case 0x0205:  // BOOLERR: a boolean, errors left out
            if (e.n >= 8 && p[7] == 0)
                ok = place(u16(p), u16(p + 2), p[6] ? QStringLiteral("VRAI") : QStringLiteral("FAUX"));
            break;
        case 0x0006:  // FORMULA: its cached result
            if (e.n >= 14) {
                if (uint8_t(p[12]) != 0xFF || uint8_t(p[13]) != 0xFF) {
                    double v;
                    std::memcpy(&v, p + 6, 8);
                    ok = place(u16(p), u16(p + 2), nombre_court(v));
                } else if (p[6] == 0 && k + 1 < cellules.size() && cellules[k + 1].type == 0x0207) {
                    ok = place(u16(p), u16(p + 2), chaine_simple(cellules[k + 1].p, cellules[k + 1].n));
                } else if (p[6] == 1) {
                    ok = place(u16(p), u16(p + 2), p[8] ? QStringLiteral("VRAI") : QStringLiteral("FAUX"));
                }
            }
            break;
        default: break;
        }
        if (!ok)
            return false;
    }
    return true;
}

namespace {
// Excel 97 and later: an OLE2 compound file.
class LecteurXls : public LecteurClassement {
public:
    QString nom() const override { return Texte::tr("classeur Excel 97"); }
    QStringList suffixes() const override { return {QStringLiteral("xls")}; }
    bool reconnait(const QByteArray& debut) const override
    {
        return debut.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    }
    qint64 taille_max() const override { return TAILLE_MAX_XLS; }
    bool lit(const ContenuClassement& c, const QString& nom_feuille, Feuille& f, QString& raison) const override
    {
        return lit_xls_octets(c.octets, nom_feuille, f, raison);
    }
};
}  // namespace

const LecteurClassement& lecteur_xls()
{
    static const LecteurXls l;
    return l;
}

}  // namespace orv
