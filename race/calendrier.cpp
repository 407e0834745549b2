#include "calendrier.h"

#include "convers.h"
#include "traduction.h"

#include <QLocale>
#include <cmath>

namespace orv {

// The names as the calendar and the date texts write them, in the language
// installed (French as written here).
const std::array<const char*, 8> noms_jours_fr = {
    "", QT_TRANSLATE_NOOP("Orvalis", "Samedi"), QT_TRANSLATE_NOOP("Orvalis", "Dimanche"),
    QT_TRANSLATE_NOOP("Orvalis", "Lundi"), QT_TRANSLATE_NOOP("Orvalis", "Mardi"), QT_TRANSLATE_NOOP("Orvalis", "Mercredi"),
    QT_TRANSLATE_NOOP("Orvalis", "Jeudi"), QT_TRANSLATE_NOOP("Orvalis", "Vendredi")};

const std::array<const char*, 13> noms_mois_fr = {
    "",
    QT_TRANSLATE_NOOP("Orvalis", "JANVIER  "), QT_TRANSLATE_NOOP("Orvalis", "FEVRIER  "),
    QT_TRANSLATE_NOOP("Orvalis", "MARS     "), QT_TRANSLATE_NOOP("Orvalis", "AVRIL    "),
    QT_TRANSLATE_NOOP("Orvalis", "MAI      "), QT_TRANSLATE_NOOP("Orvalis", "JUIN     "),
    QT_TRANSLATE_NOOP("Orvalis", "JUILLET  "), QT_TRANSLATE_NOOP("Orvalis", "AOUT     "),
    QT_TRANSLATE_NOOP("Orvalis", "SEPTEMBRE"), QT_TRANSLATE_NOOP("Orvalis", "OCTOBRE  "),
    QT_TRANSLATE_NOOP("Orvalis", "NOVEMBRE "), QT_TRANSLATE_NOOP("Orvalis", "DECEMBRE ")};

QString nom_jour(int k) { return k >= 1 && k <= 7 ? Texte::tr(noms_jours_fr[size_t(k)]) : QString(); }
QString nom_mois(int m) { return m >= 1 && m <= 12 ? Texte::tr(noms_mois_fr[size_t(m)]) : QString(); }

const std::array<uint8_t, 13> jours_par_mois = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

void montre_mois(EtatDate& e, int m, int y)
{
    e.mois_txt = nom_mois(m);
    e.annee_txt = QString::number(y);
}

void valide_date(EtatDate& e, int d, int m, int y)
{
    const QString jour_txt = QString::number(d);
    // Weekday by the Gregorian rule.
    int mp = m, yp = y;
    if (m < 3) {
        mp = m + 12;
        yp = y - 1;
    }
    const ext K = std::trunc(yp * 0.01L);
    double J = double(std::trunc(yp * 365.25L) + std::trunc((mp + 1) * 30.6001L) + d - 694023.5L - K +
                      std::trunc(K * 0.25L));
    J = J + 693960.5;
    const ext w = std::trunc(J - 7 * std::trunc(J * (1.0L / 7)));
    e.jour_sem = int32_t(int64_t(nint(w)) % 7) + 1;
    if (e.jour_sem < 1)
        e.jour_sem += 7;

    e.date_en_clair = nom_jour(e.jour_sem) + u' ' + jour_txt + u' ' + e.mois_txt + u' ' + e.annee_txt;
    e.code_jour = QStringLiteral("%1").arg(d, 2) + QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')) +
                  e.annee_txt.mid(2, 2);
    e.jour_choisi = d;
    e.mois_choisi = m;
    e.annee_choisie = y;
}

double numero_jour(int d, int m, int y)
{
    const double a = std::trunc(1.0 / (m + 1) + 0.7);
    return std::trunc((y - a) * 365.25) + std::trunc((m + 1 + 12 * a) * 30.6001) + d - 723258;
}

int32_t ecart_jours(int d1, int m1, int y1, int d2, int m2, int y2)
{
    return int32_t(nint(numero_jour(d2, m2, y2) - numero_jour(d1, m1, y1)));
}

QString date_du_depart(const QDate& d)
{
    const QLocale l(Texte::tr("fr_FR", "locale of the dates"));
    QString s = l.toString(d, QStringLiteral("dddd d MMMM yyyy"));
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

void jour_suivant(EtatDate& e)
{
    const int m = std::clamp(e.mois_choisi, 1, 12);
    if (e.jour_choisi == jours_par_mois[size_t(m)] && e.annee_choisie % 4 == 0 && m == 2) {
        e.jour_choisi = 29;
    } else if (e.jour_choisi == jours_par_mois[size_t(m)] || (m == 2 && e.jour_choisi == 29)) {
        if (m == 12) {
            e.annee_choisie += 1;
            e.jour_choisi = 1;
            e.mois_choisi = 1;
        } else {
            e.mois_choisi = m + 1;
            e.jour_choisi = 1;
        }
    } else {
        e.jour_choisi += 1;
    }
    const double n = numero_jour(e.jour_choisi, e.mois_choisi, e.annee_choisie);
    e.jour_sem = int32_t(int64_t(nint(n + 3)) % 7) + 1;
    if (e.jour_sem < 1)
        e.jour_sem += 7;
    const QString jj = QStringLiteral("%1").arg(e.jour_choisi, 2);
    const QString aaaa = QStringLiteral("%1").arg(e.annee_choisie, 4);
    e.date_en_clair = nom_jour(e.jour_sem) + u' ' + jj + u' ' + nom_mois(std::clamp(e.mois_choisi, 1, 12)) +
                      QStringLiteral("  ") + aaaa;
    QString j0 = jj, m0 = QStringLiteral("%1").arg(e.mois_choisi, 2);
    if (j0.startsWith(u' '))
        j0[0] = u'0';
    if (m0.startsWith(u' '))
        m0[0] = u'0';
    e.code_jour = j0 + m0 + aaaa.mid(2, 2);
}

}  // namespace orv
