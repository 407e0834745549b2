// The command line of the program: the window by default, or a headless
// output.
#pragma once

#include "convers.h"
#include "donnees.h"

#include <QDate>
#include <QDateTime>
#include <bitset>

#include <QString>
#include <QStringList>

namespace orv {

struct Commande {
    enum Type { Fenetre, Aide, Png, Distance, Classement, Export, Actualiser, Statistiques, Positions, Video, Erreur };
    Type type = Fenetre;
    QString fichier_png;
    int largeur = 804, hauteur = 585;
    double echelle = 1;                        // --scale: physical pixels per logical one
    bool zone = false;
    ext nord = 0, sud = 0, ouest = 0, est = 0; // DD.MM, West positive
    ext lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0; // --distance, DD.MM
    int jour = 0, mois = 0, annee = 0;          // --classement, --png --date
    bool date = false;                         // --png --date
    bool route = false;                        // --png --date --route
    // --trajets (with --png, --gpx, --kml): the entrants chosen, and the
    // period (--du, --au; null: the start or the end of the archive).
    bool trajets = false;
    std::bitset<NB_CONCURRENTS + 1> concurrents;
    QDate du, au;
    QString fichier_export;                    // --gpx, --kml
    QString source;                            // --actualiser --source
    QString fichier_csv;                       // --statistiques --csv
    bool ecarts = false;                       // --png --ecarts
    // --png --instant, --positions: the instant (UTC), the trail (days; -1
    // the whole race), the boat followed (0 none, -1 the leader).
    bool instant = false;
    QDateTime quand;
    int trainee = 3;
    int suivre = 0;
    bool incrustations = false;                // --png --instant: as a frame of the video
    // --video: the file, hours of race time per second, frames per second
    // (its period: du, au; its size: largeur, hauteur, echelle).
    QString fichier_video;
    double vitesse = 24;
    int fps = 30;
    QString langue;                            // --langue: "fr", "en"; empty: not given
    QString message;                           // for Erreur
};

// Reads the arguments (without the program name) with one parser.
Commande analyse_commande(const QStringList& args);

// Reads "JJ/MM/AAAA" into a valid calendar date (a year divisible by 4 is
// a leap year, as the race's calendar counts). False otherwise.
bool analyse_date(const QString& s, int& jour, int& mois, int& annee);

// The value of --langue among the arguments, read before anything else
// (the messages of the parser are in that language); empty when not given.
QString langue_des_arguments(const QStringList& args);

// Reads an instant, "JJ/MM/AAAA HH:MM" or "JJ/MM/AAAA HHhMM", UTC; an
// invalid QDateTime otherwise.
QDateTime analyse_instant(const QString& s);

// The French usage text.
QString usage();

}  // namespace orv
