// Entry of the window's tests and of the program as a user runs it.
#include "entree_tests.h"

#include <QApplication>

int main(int argc, char** argv) { return lance_les_tests<QApplication>(argc, argv); }
