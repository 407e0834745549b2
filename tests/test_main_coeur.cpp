// Entry of the core's tests: Qt Gui only, as the core library links.
#include "entree_tests.h"

#include <QGuiApplication>

int main(int argc, char** argv) { return lance_les_tests<QGuiApplication>(argc, argv); }
