// Test entry: an offscreen Qt application and a private settings directory,
// so that the tests never touch the user's own settings, in French.
#include "etat_avx.h"
#include "langue.h"

#include <QApplication>
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
    QApplication app(argc, argv);
    orv::libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    orv::installe_langue(orv::Langue::Francais);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
