// Entry of the core's tests: a Qt application without widgets (the core
// library links Qt Gui only), offscreen, and a private settings directory.
#include "etat_avx.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QGuiApplication app(argc, argv);
    orv::libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
