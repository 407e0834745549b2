// The shipped race's description, for the fuzz targets.
#pragma once

#include "course.h"
#include "description.h"

#include <cstdio>

inline const orv::Course& course_livree()
{
    static const orv::Course c = [] {
        orv::Course k;
        QString erreur;
        if (!orv::charge_course(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), k, erreur))
            std::fprintf(stderr, "%s\n", erreur.toUtf8().constData());
        return k;
    }();
    return c;
}
