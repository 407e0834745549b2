// The tests' entry, shared by both test programs: an offscreen Qt
// application of the given kind (the core's tests without widgets, on
// purpose), a private settings directory, and French whatever the
// machine's language (the programs run by the tests too), unless a test
// asks for another.
#pragma once

#include "etat_avx.h"
#include "langue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

template <class Application>
int lance_les_tests(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("LANGUAGE", "fr");
    Application app(argc, argv);
    orv::libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    orv::installe_langue(orv::Langue::Francais);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
