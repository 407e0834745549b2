// Statistics of the race from the assembled archive: each entrant's miles
// behind the leader and rank day by day (the race trace), and its record
// (distance sailed, average speed, best day's run, days raced, final
// status), with their CSV export.
#pragma once

#include "trajets.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// One day of an entrant in the race.
struct PointCourse {
    int jour = 0;             // index of the day in the archive
    QDate date;
    double ecart = 0;         // miles behind the leader (0 for the leader)
    int rang = 0;             // 0: not ranked that day ("NC")
};

// An entrant's record over the race.
struct BilanConcurrent {
    int indice = 0;           // 1..n
    QString skipper, bateau;
    int rang_final = 0;       // rank on the archive's last day where it appears (0: none, or "NC")
    double distance = 0;      // miles: great-circle legs between consecutive fixes
    double vitesse_moyenne = 0;  // knots: distance over the hours from the first to the last fix
    double meilleur_jour = 0; // miles: the largest leg between fixes of two consecutive days
    QDate date_meilleur_jour; // the day that leg ends
    int jours_de_course = 0;  // days from its first fix to its last while racing (its arrival)
    QString statut;           // "Arrivé le ...", "Abandon ...", or "En course"
    QDate date_arrivee;       // the day of its first "Arrivé" record; null: not arrived
    std::vector<PointCourse> points;  // the race trace: the days it raced, in date order
};

struct StatistiquesCourse {
    std::vector<BilanConcurrent> bilans;  // 1..n
    QDate premier_jour, dernier_jour;
};

// Everything from the assembled archive (no file read).
StatistiquesCourse calcule_statistiques(const ArchiveJours& a);

// The "Bilan" as text: a header line and one aligned row per entrant, in
// final-rank order (the unranked after), reals with `separateur`.
QStringList table_bilan(const StatistiquesCourse& s, QChar separateur);

// The "Bilan" as CSV for a French spreadsheet: UTF-8 with a byte-order mark,
// ";" between fields, a decimal comma, one header line.
QByteArray csv_bilan(const StatistiquesCourse& s);

// The tables of the command line: a real with `sep` for its decimal point;
// rows aligned, each column as wide as its widest cell, the columns marked
// a_droite to the right (not in the header line), two blanks between; rows
// as CSV for a French spreadsheet (UTF-8 with a byte-order mark, ";"
// between fields, quoted where needed, CR LF).
QString nombre_decimal(double v, int decimales, QChar sep);
QStringList table_alignee(const std::vector<QStringList>& lignes, const std::vector<bool>& a_droite);
QByteArray csv_de(const std::vector<QStringList>& lignes);

// The text shown over a point of the race trace:
// "Skipper (bateau) — Samedi 25 NOVEMBRE 2000 — 312 milles, 5e".
QString texte_point(const BilanConcurrent& b, const PointCourse& p);

}  // namespace orv
