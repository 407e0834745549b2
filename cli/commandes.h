// The commands of the command line, one function each: they find the
// program's files (Emplacements), read the race, answer on the standard
// output through the checked writer and return the exit code: 0 done,
// 1 nothing done, 2 bad arguments (said with the usage text).
#pragma once

#include "emplacements.h"
#include "ligne_commande.h"

#include <functional>

namespace orv {

// What the command line cannot do without widgets: the race trace's
// picture (Qt Charts), given by the program's window library.
struct ExtensionsCommandes {
    std::function<int(int& argc, char** argv, const Commande& c)> image_des_ecarts;
};

// Runs a command other than the window: makes the application object the
// command needs, finds the program's files, installs the language, runs
// it, and says once the settings files that are not regular files.
int lance_commande(int& argc, char** argv, const QStringList& args, Commande c, const ExtensionsCommandes& x);

// Once the application object exists: where the program's files are
// (portable, or installed), and the language of the texts (the command
// line's, else the one kept in the settings, else the system's).
Emplacements prepare(const Commande& c);

// A message for the user on the standard error, ended by a line end.
void ecrit_erreur(const QString& s);

// The race of the program's data read into `course`; false with the reason
// said (exit code 1).
struct Course;
bool course_du_programme(const Emplacements& e, Course& course);

// A picture through the checked writer: 0, or 1 with the reason said.
int enregistre_png(const QImage& image, const QString& fichier);

}  // namespace orv
