// The shipped race and maps, for the tests that read or draw them.
#pragma once

#include "cartes.h"
#include "course.h"
#include "description.h"

#include <QSettings>
#include <gtest/gtest.h>

inline void charge_cartes_livrees(orv::Cartes& c)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "QMR_GEO_APP").clear();
    orv::OptionsCartes o;
    o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
    o.racines_imposees = true;
    orv::charge_cartes(c, o);
}

// The shipped race's description, read once.
inline const orv::Course& course_livree()
{
    static const orv::Course c = [] {
        orv::Course k;
        QString erreur;
        if (!orv::charge_course(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), k, erreur))
            ADD_FAILURE() << erreur.toStdString();
        return k;
    }();
    return c;
}
