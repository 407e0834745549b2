#include "classement.h"

#include "traduction.h"

#include <QLocale>

namespace orv {

namespace {
// "%-Ns": left-aligned in N characters, a longer value is not cut.
QString gauche(const QString& s, int n) { return s.leftJustified(n, u' ', false); }

// "%-W.Pf" with the given decimal separator.
QString reel(ext v, int largeur, int decimales, QChar sep)
{
    QString s = QString::asprintf("%.*f", decimales, static_cast<double>(v));
    s.replace(u'.', sep);
    return gauche(s, largeur);
}
}  // namespace

QStringList entete_classement()
{
    return {Texte::tr("Pos  Skipper    Bateau                                    Lat      Long    Cap    Vit",
                      "heading of the ranking's columns: each word starts where the French one does"),
            QString(89, u'=')};
}

QString ligne_classement(const TDonnees_conc& r, bool classe, int numero, QChar sep)
{
    const QString pos = classe ? gauche(QString::number(numero), 2) : gauche(QStringLiteral("NC"), 2);
    QString l = pos + u' ' + gauche(r.skipper, 12) + u' ' + gauche(r.bateau, 40) + u' ';
    // A retirement, an arrival or a stop without a position: its status.
    if (r.marque_A || r.sans_position)
        l += gauche(r.date_txt, 31);
    else
        l += gauche(r.lat_txt, 8) + u' ' + gauche(r.long_txt, 8) + u' ' + reel(r.cap, 5, 0, sep) +
             u' ' + reel(r.vitesse, 4, 1, sep) + u' ' + gauche(Texte::tr("nds", "knots, at most 4 characters"), 4);
    return l.left(255);
}

QStringList table_classement(const JourCourse& j, QChar sep)
{
    QStringList t = entete_classement();
    const int n = int(j.donnees_conc.size()) - 1;
    const int nb = std::clamp(j.nb_classes, 0, n);
    for (int i = 1; i <= nb; ++i)
        t << ligne_classement(j.donnees_conc[size_t(i)], true, i, sep);
    for (int i = nb + 1; i <= n; ++i)
        t << ligne_classement(j.donnees_conc[size_t(i)], false, i, sep);
    return t;
}

QChar separateur_decimal_utilisateur()
{
    const QString p = QLocale::system().decimalPoint();
    return p.isEmpty() ? QChar(u'.') : p[0];
}

}  // namespace orv
