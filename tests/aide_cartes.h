// Loads the shipped maps for the tests that draw them.
#pragma once

#include "cartes.h"

#include <QSettings>

inline void charge_cartes_livrees(orv::Cartes& c)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "QMR_GEO_APP").clear();
    orv::OptionsCartes o;
    o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
    o.racines_imposees = true;
    orv::charge_cartes(c, o);
}
