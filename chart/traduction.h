// The program's texts are written in French, its own language; Texte::tr()
// gives them in the language installed at start-up (langue.h): English
// from its catalogue, or French as written. What is data (the day files,
// the ranking pages, the CSV, GPX and KML) is never translated.
#pragma once

#include <QCoreApplication>

namespace orv {

struct Texte {
    Q_DECLARE_TR_FUNCTIONS(Orvalis)
};

}  // namespace orv
