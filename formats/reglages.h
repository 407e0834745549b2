// The settings file "posorvls.ini" (Windows initialisation syntax, code
// page 1252): read once at start, never written. Read by a small reader of
// ours: Qt's ini format would take it as UTF-8 and treat backslashes,
// commas and semicolons specially.
#pragma once

#include "canevas.h"

#include <QByteArray>
#include <QString>
#include <vector>
#include <map>

namespace orv {

struct Emplacements;

// Sections and keys of an ini text: values by section then key. Section
// and key names are matched without regard to case, as Windows ini files
// are (they are stored in lower case); values keep their case. Blanks around
// keys and values are removed, ';' lines are comments, the first occurrence
// of a key wins.
using ContenuIni = std::map<QString, std::map<QString, QString>>;
ContenuIni lit_ini(const QByteArray& contenu);

struct Reglages {
    int code_excel = 1;          // 0 none, 1 "97", 2 "2000"
    TColor fond = clBlack;       // the chart's sea
    TColor coul_points = 0x0078F0;
    int nb_cadrage = 18;         // framing count, 1..n in use
    QString url_classement;      // [classement] url=: the ranking web page
};

// The settings from an ini text (defaults for what is missing).
Reglages reglages_depuis(const ContenuIni& ini);
// From a file; an absent or unreadable file gives the defaults.
Reglages lit_reglages(const QString& chemin);

// The settings of the program: "posorvls.ini" in the current directory,
// else (installed) in the user's folder, else beside the program, else the
// defaults.
Reglages reglages_du_programme(const QString& rep_courant, const Emplacements& e);

// A light background (white) rather than a dark one (black or navy).
bool fond_clair(TColor fond);

// Pen colours of n entrants (index 1..n) for a background: shades from
// dark to light (on a light background) or light to white (on a dark one).
std::vector<TColor> couleurs_conc_pour(TColor fond, int n);

}  // namespace orv
