// The one place where the program writes a file: day files, CSV, GPX, KML
// and pictures all go through ecrit_fichier. The content goes to a
// temporary file beside the target ("name.XXXXXX"), every write and the
// flush to the disk are checked, and only a complete file is renamed into
// place: a full disk, a file-size limit or a kill leave the previous file
// as it was, and a failure is never reported as a success. A symbolic link
// is followed (the file it names is replaced); a pipe or a device
// (/dev/stdout, a FIFO) is written directly, every write checked.
#pragma once

#include <QSize>
#include <functional>

#include <QByteArray>
#include <QString>
#include <QStringList>

class QImage;
class QPainter;

namespace orv {

// Writes `contenu` to `chemin`. False, with the reason in French in
// `erreur`, when anything failed (the target is then untouched and the
// temporary file removed).
bool ecrit_fichier(const QString& chemin, const QByteArray& contenu, QString& erreur);

// Text for the standard output (UTF-8 lines, each ended by LF), every
// write checked as the files' are: a full disk or a closed pipe behind it
// is a failure, never a success.
bool ecrit_sortie(const QStringList& lignes, QString& erreur);

// Lines in code page 1252, each ended by CR LF, through ecrit_fichier.
QByteArray octets_cp1252(const QStringList& lignes);
bool ecrit_lignes(const QString& chemin, const QStringList& lignes, QString& erreur);
bool ecrit_lignes(const QString& chemin, const QStringList& lignes);

// A picture as PNG, through ecrit_fichier.
bool ecrit_png(const QString& chemin, const QImage& image, QString& erreur);

// A one-page PDF of taille logical pixels (96 to the inch), drawn by
// `dessine` on a painter in those pixels (false: nothing is written, the
// reason already in `erreur`), then written through ecrit_fichier.
bool ecrit_pdf(const QString& chemin, QSize taille, const QString& titre,
               const std::function<bool(QPainter&)>& dessine, QString& erreur);

// Removes the temporary files ("name.XXXXXX") that a killed write left in
// `dossier` for names matching `motif` (a regular expression of the target's
// name), when older than `age_s` seconds: a younger one may belong to a
// write in progress elsewhere. Returns how many were removed.
int nettoie_temporaires(const QString& dossier, const QString& motif, int age_s);

// The system calls of a write, for the tests' fault injection (a short
// write, a failing flush to the disk); the system's own in the program.
struct AppelsEcriture {
    long (*ecrit)(int fd, const void* octets, unsigned long n);
    int (*synchronise)(int fd);
};
extern AppelsEcriture appels_ecriture;

// The steps of a write, for the tests' fault hook: called with the step and
// the bytes written so far. Null in the program.
enum class EtapeEcriture { Ouvert, Ecrit, Synchronise, Renomme };
using CrochetEcriture = void (*)(EtapeEcriture etape, qint64 octets);
extern CrochetEcriture crochet_ecriture;

}  // namespace orv
