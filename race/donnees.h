// The entrants' daily position records: a race day, and every entrant's
// records over the race (the archive lists), with what their status texts
// say (a time, a retirement, an arrival, a stop without a position). The day
// files they are read from: formats/fichier_jour.h.
#pragma once

#include "convers.h"
#include "course.h"
#include "pos_elem.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace orv {

class Viewport;

struct TDonnees_conc {
    TPos_elem elem;          // skipper's surname, fix (DD.MM)
    int32_t rang = 0;
    QString bateau, skipper;
    QString lat_txt, long_txt;
    ext cap = 0, distance = 0, vitesse = 0;
    QString date_txt;        // status text of the fix
    bool non_classe = false; // shown "NC"
    bool marque_A = false;   // ranked, status beginning with "A"
    // Its status is neither a time ("le ...") nor an arrival: a retirement
    // or a technical stop ("En escale à Rio"), whose block carries the
    // start harbour as a placeholder position, not where the boat is.
    bool sans_position = false;
    // Its distance line was not a plain number within the plausible range.
    bool distance_absente = false;
    TDonnees_conc* suivant = nullptr; // archive lists only
    int32_t jour = -1;       // archive lists: index of its day in the archive
};

// The loaded race day.
struct JourCourse {
    // A day of a race of `nb` entrants, its records empty.
    explicit JourCourse(int nb = 0) : donnees_conc(size_t(nb) + 1) {}
    // 1..n, the race's entrants: ranked by rank, then the unranked.
    std::vector<TDonnees_conc> donnees_conc;
    int32_t nb_classes = 0;
    QString nom_fichier_jour;
    QString date_affichee;
    // The time in the file's header, "Classement du 15/12/2000 à 20h00
    // UTC"; invalid when it has none.
    QDateTime heure_classement;
    // Blocks read whose skipper is an entrant: a file that yields none
    // (empty, random bytes, another text) is unreadable.
    int nb_lus = 0;
    // Values beyond what a boat can do (a distance of 1e308, a speed of
    // 1e9), read as absent.
    int valeurs_hors_bornes = 0;
    // The last load found the file but could not read it, or it yielded no
    // entrant.
    bool fichier_illisible = false;
};

// Every entrant's records over the race, one element per day read.
struct ArchiveCourse {
    std::deque<TDonnees_conc> elements;  // owns them; addresses stay valid
    std::vector<TDonnees_conc*> liste_traj;  // 1..n
    std::vector<TDonnees_conc*> queue_traj;
    // Empties the lists, made for `nb` entrants.
    void vide(int nb);
    int longueur(int indice) const;
};

// Splits "Boat (Skipper)" into bateau and skipper.
void separe_nom(const QString& texte, TDonnees_conc& r);

// What a boat can do: values beyond are read as absent.
inline constexpr double DISTANCE_MAX_MILLES = 30000;
inline constexpr double VITESSE_MAX_NOEUDS = 60;

// The time in a status text, "le JJ/MM/AAAA à HHhMM" (UTC), when it has
// one; an invalid QDateTime when the text has that form with an impossible
// date or hour.
std::optional<QDateTime> heure_du_texte(const QString& statut);
// The time of a ranking's header line, "Classement du JJ/MM/AAAA à HHhMM
// UTC", when it has one that is a real time.
std::optional<QDateTime> heure_du_classement(const QString& entete);
// Whether a status time can be believed in the day file of `jour`: from the
// start of the race to the day after the file's (a typo year, "le
// 25/11/2091", would make every later fix look like a repeat).
bool heure_croyable(const QDateTime& t, const QDate& premier_jour, const QDate& jour);

// The day code DDMMYY of a date, from its fields ("101100", "021200").
QString code_du_jour(int jour, int mois, int annee);

// Whether a record shows its status in place of a position, as the day's
// ranking has it: a ranked "A..." (a retirement, an arrival), or a stop
// without a position. (An archive's records carry no marque_A.)
inline bool statut_a_la_place(const TDonnees_conc& r)
{
    return (!r.non_classe && r.date_txt.startsWith(u'A')) || r.sans_position;
}
// Whether the day's chart draws a record: not one without a position, but
// a ranked "A..." (a retirement drawn at the harbour, as the chart always
// has).
inline bool dessine_au_jour(const TDonnees_conc& r)
{
    return !(r.sans_position && !r.marque_A) && !(r.non_classe && r.elem.latitude == 0 && r.elem.longitude == 0);
}

// Frames the chart bounds on the first nb_cadrage records (at most the
// entrants).
void cadre_sur_flotte(const JourCourse& j, int nb_cadrage, Viewport& v);

}  // namespace orv
