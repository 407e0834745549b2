// Text files of the race data: Windows code page 1252, lines ended by CR LF
// (LF alone is accepted), and the number rule of the day files.
#pragma once

#include "convers.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <string_view>

namespace orv {

// Code page 1252 <-> text.
QString depuis_cp1252(const char* p, qsizetype n);
// UTF-8 text in which a byte that is not part of a well-formed sequence is
// read as code page 1252 (a page declared UTF-8 with a name pasted in from
// elsewhere keeps the rest of its text).
QString depuis_utf8_ou_cp1252(const QByteArray& octets);
QByteArray vers_cp1252(const QString& s);

// Line-by-line reading of a text held in memory. A line ends at LF, CR LF
// or CR alone.
class LecteurTexte {
public:
    explicit LecteurTexte(QByteArray contenu) : c_(std::move(contenu)) {}
    // True when every line has been read.
    bool eof() const { return pos_ >= c_.size(); }
    // The next line without its end (at most 255 characters, the rest of
    // the line skipped); empty at the end of the text.
    QString ligne();
    // The same, as bytes of the text (valid while the reader lives).
    struct Plage {
        const char* p;
        qsizetype n;
        std::string_view vue() const { return {p, size_t(n)}; }
    };
    Plage plage();
    // Where the reading stands, to read ahead and come back.
    struct Marque {
        qsizetype pos, lf;
    };
    Marque marque() const { return {pos_, lf_}; }
    void reprend(Marque m)
    {
        pos_ = m.pos;
        lf_ = m.lf;
    }

private:
    QByteArray c_;
    qsizetype pos_ = 0;
    // The next LF at or after pos_ (-1: not searched yet, n: none): a file
    // whose lines end in CR alone is read in one pass, not one per line.
    qsizetype lf_ = -1;
};

// Reads a whole file; false when it cannot be opened or read, or is not a
// regular file (a folder, a pipe, a device), or is larger than
// TAILLE_MAX_FICHIER_TEXTE: the program's text files are a few kilobytes.
inline constexpr qint64 TAILLE_MAX_FICHIER_TEXTE = qint64(64) << 20;
bool lit_fichier(const QString& chemin, QByteArray& contenu);

// The number rule of the day files: optional leading blanks, optional sign,
// digits, optionally a point and digits, optionally an exponent; nothing
// may follow. A number too large for a real is not one.
bool est_nombre(QStringView s, ext* v = nullptr);
bool est_nombre(std::string_view s, ext* v = nullptr);  // code page 1252 bytes
// The same without point and exponent.
bool est_entier(QStringView s, int64_t* v = nullptr);
bool est_entier(std::string_view s, int64_t* v = nullptr);
// The value of a number line, 0 when the line is not a plain number.
ext nombre_ou_zero(QStringView s);
ext nombre_ou_zero(std::string_view s);

}  // namespace orv
