#include "ligne_commande.h"

#include "calendrier.h"

#include <QRegularExpression>
#include <cmath>

namespace orv {

namespace {

bool reel(const QString& s, ext& v)
{
    const QByteArray b = s.toLatin1();
    return lit_reel(std::string_view(b.constData(), size_t(b.size())), v) && std::isfinite(v);
}

Commande erreur(const QString& m)
{
    Commande c;
    c.type = Commande::Erreur;
    c.message = m;
    return c;
}

}  // namespace

bool analyse_date(const QString& s, int& jour, int& mois, int& annee)
{
    static const QRegularExpression forme(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QRegularExpressionMatch m = forme.match(s);
    if (!m.hasMatch())
        return false;
    jour = m.captured(1).toInt();
    mois = m.captured(2).toInt();
    annee = m.captured(3).toInt();
    if (mois < 1 || mois > 12 || jour < 1)
        return false;
    const int max = jours_par_mois[size_t(mois)] + (mois == 2 && annee % 4 == 0 ? 1 : 0);
    return jour <= max;
}

QString usage()
{
    return QStringLiteral(
        "Usage :\n"
        "  orvalis                      ouvre la fenêtre\n"
        "  orvalis --png FICHIER [--date JJ/MM/AAAA] [--size LxH] [--zone N S O E]\n"
        "      dessine la carte dans une image PNG, sans affichage ;\n"
        "      --date : la situation de la course ce jour-là, comme la fenêtre ;\n"
        "      --size : largeur x hauteur en pixels (804x585 par défaut) ;\n"
        "      --zone : limites nord, sud, ouest, est en DD.MM\n"
        "               (degrés.minutes, longitudes Ouest positives).\n"
        "  orvalis --distance LAT1 LON1 LAT2 LON2\n"
        "      distances orthodromique et loxodromique, cap et points\n"
        "      de l'orthodromie entre deux positions en DD.MM\n"
        "      (latitudes Nord positives, longitudes Ouest positives).\n"
        "  orvalis --classement JJ/MM/AAAA\n"
        "      classement du jour, lu dans le fichier du jour à côté du programme.\n");
}

Commande analyse_commande(const QStringList& args)
{
    Commande c;
    if (args.isEmpty())
        return c;
    if (args[0] == QLatin1String("--distance")) {
        if (args.size() != 5)
            return erreur(QStringLiteral("--distance : quatre valeurs attendues (LAT1 LON1 LAT2 LON2)."));
        ext v[4];
        for (int k = 0; k < 4; ++k)
            if (!reel(args[1 + k], v[k]))
                return erreur(QStringLiteral("--distance : « %1 » n'est pas un nombre.").arg(args[1 + k]));
        if (std::fabs(v[0]) > 90 || std::fabs(v[2]) > 90)
            return erreur(QStringLiteral("--distance : latitude hors de -90..90."));
        if (std::fabs(v[1]) > 360 || std::fabs(v[3]) > 360)
            return erreur(QStringLiteral("--distance : longitude hors de -360..360."));
        c.type = Commande::Distance;
        c.lat1 = v[0];
        c.lon1 = v[1];
        c.lat2 = v[2];
        c.lon2 = v[3];
        return c;
    }
    if (args[0] == QLatin1String("--classement")) {
        if (args.size() != 2)
            return erreur(QStringLiteral("--classement : une date attendue (JJ/MM/AAAA)."));
        if (!analyse_date(args[1], c.jour, c.mois, c.annee))
            return erreur(QStringLiteral("--classement : date invalide « %1 » (JJ/MM/AAAA).").arg(args[1]));
        c.type = Commande::Classement;
        return c;
    }
    int i = 0;
    bool png = false;
    while (i < args.size()) {
        const QString& a = args[i];
        if (a == QLatin1String("--png")) {
            if (i + 1 >= args.size())
                return erreur(QStringLiteral("--png : nom de fichier manquant."));
            png = true;
            c.fichier_png = args[i + 1];
            i += 2;
        } else if (a == QLatin1String("--date")) {
            if (i + 1 >= args.size() || !analyse_date(args[i + 1], c.jour, c.mois, c.annee))
                return erreur(QStringLiteral("--date : date invalide ou manquante (JJ/MM/AAAA)."));
            c.date = true;
            i += 2;
        } else if (a == QLatin1String("--size")) {
            if (i + 1 >= args.size())
                return erreur(QStringLiteral("--size : dimensions manquantes (LxH)."));
            const QStringList p = args[i + 1].split(u'x');
            bool ok1 = false, ok2 = false;
            const int w = p.size() == 2 ? p[0].toInt(&ok1) : 0;
            const int h = p.size() == 2 ? p[1].toInt(&ok2) : 0;
            if (!ok1 || !ok2 || w < 1 || h < 1 || w > 16384 || h > 16384)
                return erreur(QStringLiteral("--size : dimensions invalides « %1 » (LxH, de 1 à 16384).")
                                  .arg(args[i + 1]));
            c.largeur = w;
            c.hauteur = h;
            i += 2;
        } else if (a == QLatin1String("--zone")) {
            if (i + 4 >= args.size())
                return erreur(QStringLiteral("--zone : quatre limites attendues (N S O E)."));
            ext v[4];
            for (int k = 0; k < 4; ++k)
                if (!reel(args[i + 1 + k], v[k]))
                    return erreur(QStringLiteral("--zone : « %1 » n'est pas un nombre.").arg(args[i + 1 + k]));
            if (std::fabs(v[0]) > 90 || std::fabs(v[1]) > 90)
                return erreur(QStringLiteral("--zone : latitude hors de -90..90."));
            if (std::fabs(v[2]) > 180 || std::fabs(v[3]) > 180)
                return erreur(QStringLiteral("--zone : longitude hors de -180..180."));
            c.zone = true;
            c.nord = v[0];
            c.sud = v[1];
            c.ouest = v[2];
            c.est = v[3];
            i += 5;
        } else {
            return erreur(QStringLiteral("Argument inconnu : « %1 ».").arg(a));
        }
    }
    if (!png)
        return erreur(QStringLiteral("--date, --size et --zone ne s'emploient qu'avec --png."));
    c.type = Commande::Png;
    return c;
}

}  // namespace orv
