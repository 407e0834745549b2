// Loads the shipped maps once for the tests that draw them.
#pragma once

#include "cartes.h"

#include <QSettings>

inline const orv::Cartes& cartes_livrees()
{
    static bool fait = false;
    if (!fait) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "QMR_GEO_APP").clear();
        orv::OptionsCartes o;
        o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
        o.racines_imposees = true;
        orv::charge_cartes(orv::cartes(), o);
        fait = true;
    }
    return orv::cartes();
}
