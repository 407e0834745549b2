// The update of a day file from the official ranking: the ranking sheet
// "RECLASS" from the web page of the settings (or a page or workbook on
// disk), its lines checked, and the day file written through the checked
// writer. A failure at any stage, a cancel or a quit leave the previous
// file of the day untouched.
#pragma once

#include "feuille.h"
#include "telechargement.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

namespace orv {

// Where the ranking comes from: a web address (http, https), a page or a
// workbook on disk (a path or a file:// address).
struct SourceClassement {
    QString adresse;  // URL or file path
    bool est_url() const;
};
// The sources in the order they are tried: the web page of the settings
// (or the one given), else the workbook of `code_excel` in the current
// directory (DonneesClassement.xls or DonneesClassement2000.xls, or the
// .xlsx of the same base name).
SourceClassement source_du_classement(const QString& donnee, const QString& url_reglages, int code_excel,
                                      const QString& rep_courant);

// The days an update may write: the race's (its first day to its last). A
// day code has a two-digit year: 10/11/2100 would replace the shipped day
// of 10/11/2000.
bool jour_de_course(const Course& c, const QDate& jour);
// The race day whose file name another day's would take (10/11/2100: the
// 10/11/2000), or an invalid date.
QDate jour_homonyme(const Course& c, const QDate& jour);

// The update as a job. The page is downloaded (or the file read), parsed
// off this thread, its lines checked (verifie_classement), and the day file
// of `jour` written in `rep` (DDMMYY.txt from the date's fields). `fin` is
// called once from the event loop of this thread, unless the job is
// cancelled or destroyed first: then nothing is written.
class MiseAJour {
public:
    struct Resultat {
        bool ok = false;
        QString chemin;  // the file written
        QString erreur;  // French, when not ok
    };
    MiseAJour(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour, const QString& rep,
              int delai_ms, std::function<void(const Resultat&)> fin);
    ~MiseAJour();
    MiseAJour(const MiseAJour&) = delete;
    MiseAJour& operator=(const MiseAJour&) = delete;
    void annule();
    bool en_cours() const { return bool(fin_); }

private:
    struct Etat;
    // Reads the sheet in a worker thread: `lecture` gives it, or the
    // message of its failure.
    void analyse(std::function<bool(Feuille&, QString&)> lecture);
    void ecrit(const Feuille& f);
    void termine(const Resultat& r);
    const Course& course_;
    SourceClassement source_;
    int code_excel_;
    QDate jour_;
    QString rep_;
    std::function<void(const Resultat&)> fin_;
    std::unique_ptr<Telechargement> telechargement_;
    std::unique_ptr<Etat> etat_;
};

// The same, waiting for the end (an event loop runs meanwhile). Returns the
// path written; empty with `erreur` in French otherwise.
QString actualise_classement(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour,
                             const QString& rep, int delai_ms, QString& erreur);

// How long the ranking page may take to arrive, whole.
inline constexpr int DELAI_CLASSEMENT_MS = 20000;

// The message when the old file of the day cannot be replaced.
inline const char* const MESSAGE_EFFACEMENT = "Echec d'effacement du classement du matin";

}  // namespace orv
