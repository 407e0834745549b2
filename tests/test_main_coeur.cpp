// Entry of the core's tests: a Qt application without widgets (the core
// library links Qt Gui only), offscreen, and a private settings directory.
#include "etat_avx.h"
#include "langue.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // French, whatever the machine's language (the programs run by the
    // tests too), unless a test asks for another.
    qputenv("LANGUAGE", "fr");
    QGuiApplication app(argc, argv);
    orv::libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    orv::installe_langue(orv::Langue::Francais);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
