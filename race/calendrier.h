// Dates of the race: the chosen day and its texts (long French date, the
// six-character day code that names a day file), the next day, and the day
// count between two dates.
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

namespace orv {

// The weekday (1 Saturday .. 7 Friday) and the month (1..12, upper case,
// no accents, blank-padded to 9 characters) in the language installed.
QString nom_jour(int jour_sem);
QString nom_mois(int mois);
extern const std::array<uint8_t, 13> jours_par_mois;

struct EtatDate {
    int32_t jour_choisi = 0, mois_choisi = 0, annee_choisie = 0;
    int32_t jour_sem = 0;  // 1..7, for nom_jour
    QString date_en_clair;
    QString code_jour;     // DDMMYY, a blank before a one-digit day
    QString mois_txt;      // month shown by the dialog
    QString annee_txt;     // year shown by the dialog
};

// The month and year texts of a dialog showing month m of year y.
void montre_mois(EtatDate& e, int m, int y);

// Validation of day d of the month and year shown (montre_mois first).
void valide_date(EtatDate& e, int d, int m, int y);

// A date in full in the language installed: "Vendredi 10 novembre 2000",
// "Friday 10 November 2000".
QString date_du_depart(const QDate& d);

// Advances the chosen date by one day and recomputes its texts.
void jour_suivant(EtatDate& e);

// Day number (no century correction; right from 1 March 1900 to 28
// February 2100): 10 November 2000 is 7619.
double numero_jour(int d, int m, int y);
int32_t ecart_jours(int d1, int m1, int y1, int d2, int m2, int y2);

}  // namespace orv
