// What the commands of the command line share: the context a command works
// with, and the helpers that check its arguments against the race. Inside
// the command line's library only.
#pragma once

#include "commandes.h"
#include "chronologie.h"
#include "etat_programme.h"
#include "fichier_jour.h"
#include "images_course.h"
#include "trajets.h"

#include <QDir>
#include <memory>
#include <optional>

namespace orv::cli {

// What a command works with: the program's files, its race and state.
struct Contexte {
    Emplacements emplacements;
    EtatProgramme etat;
    std::vector<Piste> pistes;  // a race of tracks (--course): its fixes

    // Where the race's day files are.
    Emplacements jours() const { return emplacements_des_jours(etat.course, emplacements); }

    // What a picture is made from: the program's data, its settings (the
    // current directory's first), messages on stderr.
    SourceImage source_image(const Commande& c) const
    {
        SourceImage s{emplacements, reglages_du_programme(QDir::currentPath(), emplacements), ecrit_erreur, c.echelle};
        pose_style(s, c.moderne());
        return s;
    }
    // The archive assembled; false with the reason said.
    bool archive()
    {
        QString erreur;
        if (constitue_trajets(etat.course, etat.archive, emplacements, erreur)) {
            // Day files left aside are named once; the command goes on.
            for (const QString& l : avis_archive(etat.archive))
                ecrit_erreur(l);
            return true;
        }
        ecrit_erreur(erreur);
        return false;
    }
};

// A refusal of the arguments found once the race is known: exit code 2.
int arguments_refuses(const QString& message);
// Lines on the standard output, checked: 0, or 1 with the reason said.
int sortie(const QStringList& lignes);
// The modern chart drawn without its land: said.
void avis_terres(const Commande& c, const Contexte& x);
// A command of day files asked of a race of tracks: said (exit code 2).
bool sans_fichiers_jour(const Contexte& x, const QString& commande);
std::optional<Zone> zone(const Commande& c);
// --suivre's boat: 0 none, -1 the leader, an entrant; false when unknown.
bool suivi_nomme(const Course& course, const QString& nom, int& suivre);
// The archive and the command's selection over it; the exit code (0: made).
int selection_commande(const Commande& c, Contexte& x, SelectionTrajets& s);
// The race as continuous time; the exit code (0: made).
int chronologie_course(Contexte& x, std::unique_ptr<Chronologie>& chrono);
// The same, the command's instant checked to lie within its fixes.
int chronologie_commande(const Commande& c, Contexte& x, std::unique_ptr<Chronologie>& chrono);
// A date that is no day of the race: said (true).
bool hors_de_la_course(const Course& course, const char* option, const QDate& d);
// A date whose day file would be another day's: said (true).
bool homonyme_d_un_jour(const Course& course, const char* option, const QDate& d);

// The commands that draw (commandes_images.cpp).
int commande_png(const Commande& c, Contexte& x);
int commande_instant(const Commande& c, Contexte& x);
int commande_video(const Commande& c, Contexte& x);

}  // namespace orv::cli
