// Test entry: an offscreen Qt application and a private settings directory,
// so that the tests never touch the user's own settings.
#include "etat_avx.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    orv::libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
