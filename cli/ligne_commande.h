// The command line of the program: the window by default, or one of the
// commands of the table (a picture, a table, an export, the update, the
// video). One parser reads every option; the table says, for each command,
// the options that select it and those it accepts, and every refusal of an
// option is derived from it.
#pragma once

#include "convers.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace orv {

struct Commande {
    enum Type {
        Fenetre, Aide, Erreur,
        // --png: the chart alone, a day, the tracks, the film at an
        // instant, the race trace.
        PngCarte, PngJour, PngTrajets, PngInstant, PngEcarts,
        Distance, Classement, Gpx, Kml, Actualiser, Statistiques, Positions, Video, Duel
    };
    Type type = Fenetre;
    QString message;                           // for Erreur

    QString fichier;                           // --png, --pdf, --gpx, --kml, --video
    bool pdf = false;                          // --pdf: the --png picture as a vector page
    int largeur = 804, hauteur = 585;          // --size
    double echelle = 1;                        // --scale: physical pixels per logical one
    bool zone = false;
    ext nord = 0, sud = 0, ouest = 0, est = 0; // --zone, DD.MM, West positive
    ext lat1 = 0, lon1 = 0, lat2 = 0, lon2 = 0; // --distance, DD.MM
    QDate jour;                                // --classement, --date
    bool route = false;                        // --png --date --route
    // --trajets: "tous", or names separated by commas (matched with the
    // race's entrants when the command runs); the period (--du, --au; null:
    // the start or the end of the archive).
    QString trajets = QStringLiteral("tous");
    QDate du, au;
    QString source;                            // --actualiser --source
    QString fichier_csv;                       // --statistiques --csv, --positions --csv
    // --png --instant, --positions: the instant (UTC); the trail (days; -1
    // the whole race); the boat followed ("" none, "tete" the leader, a
    // name matched when the command runs).
    QDateTime quand;
    int trainee = 3;
    QString suivre;
    bool incrustations = false;                // --png --instant: as a frame of the video
    // --video: hours of race time per second, frames per second.
    double vitesse = 24;
    int fps = 30;
    QString langue;                            // --langue: "fr", "en"; empty: not given
    QString course;                            // --course: a race's file or folder; empty: the program's
    // --style: "classique" or "moderne"; empty: the command's own (classic
    // for --png, modern for --video and --png --instant --incrustations).
    QString style;
    bool rapide = false;                       // --video --qualite rapide
    QString duel1, duel2;                      // --duel: the two names, matched when the command runs
    int pas = 6;                               // --duel --pas: hours between rows
    bool cartons = true;                       // --video without --sans-cartons
    bool moderne() const
    {
        return style.isEmpty() ? type == Video || (type == PngInstant && incrustations) : style == QLatin1String("moderne");
    }
};

// Reads the arguments (without the program name).
Commande analyse_commande(const QStringList& args);

// Reads "JJ/MM/AAAA" into a valid date of the Gregorian calendar (29/02/2100
// is none), from year 1. False otherwise.
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
