#include "ligne_commande.h"

#include "calendrier.h"
#include "langue.h"
#include "mise_a_jour.h"
#include "traduction.h"

#include <QCommandLineParser>
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

// Options that take several values: "--zone N S O E" becomes one argument
// "--zone=N S O E" before the parser sees it, so that negative numbers are
// not taken for options.
struct OptionMultiple {
    const char* nom;
    int nb;
};
constexpr OptionMultiple MULTIPLES[] = {{"--zone", 4}, {"--distance", 4}};

QStringList regroupe(const QStringList& args)
{
    static const QRegularExpression heure(QStringLiteral("^\\d{1,2}[:h]\\d{2}$"));
    QStringList r;
    for (qsizetype i = 0; i < args.size(); ++i) {
        // An instant in two arguments, its date then its time.
        if ((args[i] == QLatin1String("--instant") || args[i] == QLatin1String("--positions")) &&
            i + 2 < args.size() && heure.match(args[i + 2]).hasMatch() && !args[i + 1].contains(u' ')) {
            r << args[i] + u'=' + args[i + 1] + u' ' + args[i + 2];
            i += 2;
            continue;
        }
        qsizetype nb = 0;
        for (const OptionMultiple& m : MULTIPLES)
            if (args[i] == QLatin1String(m.nom))
                nb = std::min<qsizetype>(m.nb, args.size() - 1 - i);
        if (nb > 0) {
            r << args[i] + u'=' + args.mid(i + 1, nb).join(u' ');
            i += nb;
        } else {
            r << args[i];
        }
    }
    return r;
}

// The values of a grouped option: exactly `n` reals, or an error message.
// Four DD.MM values whose minutes are below 60 (their ranges are checked
// apart).
bool minutes_valides(const ext (&v)[4])
{
    return std::all_of(std::begin(v), std::end(v), [](ext x) { return ddmm_valide(x, 360); });
}

QString reels(const QString& option, const QString& valeur, int n, ext* v, const QString& attendu)
{
    const QStringList p = valeur.split(u' ', Qt::SkipEmptyParts);
    if (p.size() != n)
        return QStringLiteral("%1 : %2").arg(option, attendu);
    for (int k = 0; k < n; ++k)
        if (!reel(p[k], v[k]))
            return Texte::tr("%1 : « %2 » n'est pas un nombre.").arg(option, p[k]);
    return {};
}

// The parser's own (English) errors, said in French.
QString erreur_analyse(const QCommandLineParser& p)
{
    if (!p.unknownOptionNames().isEmpty()) {
        const QString n = p.unknownOptionNames().first();
        return Texte::tr("Argument inconnu : « %1%2 ».").arg(n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), n);
    }
    // The option named in Qt's message, quoted as its catalogue quotes it
    // ('--png' in English, « --png » in French).
    static const QRegularExpression nom(QStringLiteral("['«“\"]\\s*(-[^'»”\"\\s]*)\\s*['»”\"]"));
    const QRegularExpressionMatch m = nom.match(p.errorText());
    if (m.hasMatch())
        return Texte::tr("%1 : valeur manquante.").arg(m.captured(1));
    return Texte::tr("Arguments invalides.");
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
    // The Gregorian calendar's days (29/02/2100 is none), from year 1.
    return annee >= 1 && QDate::isValid(annee, mois, jour);
}

QString usage()
{
    return Texte::tr(
        "Usage :\n"
        "  orvalis                      ouvre la fenêtre\n"
        "  orvalis --png FICHIER [--date JJ/MM/AAAA [--route]] [--size LxH] [--zone N S O E] [--scale R]\n"
        "      dessine la carte dans une image PNG, sans affichage ;\n"
        "      --date : la situation de la course ce jour-là, comme la fenêtre ;\n"
        "      --route : avec la route théorique ;\n"
        "      --size : largeur x hauteur en pixels (804x585 par défaut) ;\n"
        "      --zone : limites nord, sud, ouest, est en DD.MM\n"
        "               (degrés.minutes, longitudes Ouest positives) ;\n"
        "      --scale : R pixels par pixel de --size (de 1 à 4, 1.5 par exemple),\n"
        "               comme un écran de cette densité ; avec toute image --png.\n"
        "  orvalis --png FICHIER --trajets tous|NOM[,NOM...] [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--size LxH]\n"
        "      les trajets des concurrents choisis, tracés d'un coup et cadrés sur eux ;\n"
        "  orvalis --gpx FICHIER | --kml FICHIER [--trajets ...] [--du ...] [--au ...]\n"
        "      les mêmes trajets en GPX 1.1 ou KML 2.2 (tous les concurrents par défaut).\n"
        "  orvalis --actualiser [--source URL|FICHIER] [--date JJ/MM/AAAA]\n"
        "      écrit le fichier du jour (aujourd'hui, ou --date) depuis le classement\n"
        "      officiel : la page de posorvls.ini ([classement] url=...) ou --source\n"
        "      (adresse web, page .html, classeur .xls ou .xlsx), sinon le classeur\n"
        "      DonneesClassement.xls du répertoire courant ; affiche le fichier écrit.\n"
        "  orvalis --statistiques [--csv FICHIER]\n"
        "      le bilan de chaque concurrent (distance parcourue, vitesse moyenne,\n"
        "      meilleur jour, jours de course, statut), ou son export CSV.\n"
        "  orvalis --png FICHIER --ecarts [--size LxH]\n"
        "      le graphique des écarts au leader, jour par jour.\n"
        "  orvalis --png FICHIER --instant INSTANT [--trainee 0|1|3|7|tout] [--suivre NOM|tete] [--size LxH]\n"
        "      la course à cet instant comme le film continu : chaque concurrent à sa\n"
        "      position du moment, sa traînée (3 jours par défaut), cadrée sur la\n"
        "      flotte, ou centrée sur le bateau suivi (un nom, ou tete : le leader) ;\n"
        "      INSTANT en UTC, JJ/MM/AAAA HH:MM ou JJ/MM/AAAA HHhMM.\n"
        "      --incrustations [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] : l'image de la\n"
        "      vidéo à cet instant (cadrée comme la vidéo sur la flotte du moment ou\n"
        "      le bateau suivi, titre, horloge, cinq premiers du classement).\n"
        "  orvalis --video FICHIER.mp4|FICHIER.webm [--du JJ/MM/AAAA] [--au JJ/MM/AAAA]\n"
        "          [--vitesse H] [--fps N] [--size LxH] [--scale R] [--trainee ...] [--suivre ...]\n"
        "      le film continu en vidéo (H.264, ou VP9 pour .webm) par le programme\n"
        "      ffmpeg : de 00h00 UTC du --du à 23h59 UTC du --au (toute la course par\n"
        "      défaut), H heures de course par seconde (24), N images par seconde\n"
        "      (30), 1280x720 ; l'avancement sur la sortie d'erreur.\n"
        "  orvalis --positions INSTANT [--csv FICHIER]\n"
        "      les positions de l'instant dans l'ordre du classement publié : rang,\n"
        "      skipper, bateau, latitude et longitude en degrés décimaux (Nord et Est\n"
        "      positifs), nature (relevé, interpolé, estimé, arrivé, abandon,\n"
        "      dernière position connue) ; ou leur export CSV.\n"
        "  orvalis --distance LAT1 LON1 LAT2 LON2\n"
        "      distances orthodromique et loxodromique, cap et points\n"
        "      de l'orthodromie entre deux positions en DD.MM\n"
        "      (latitudes Nord positives, longitudes Ouest positives).\n"
        "  orvalis --classement JJ/MM/AAAA\n"
        "      classement du jour, lu dans le fichier du jour à côté du programme\n"
        "      (installé : d'abord dans ~/.local/share/orvalis).\n"
        "  orvalis ... --langue fr|en\n"
        "      la langue des textes (sinon celle choisie dans la fenêtre, ou celle du\n"
        "      système : l'anglais s'il la préfère, le français sinon).\n"
        "  orvalis --help | -h\n"
        "      ce texte.\n"
        "Codes de sortie : 0 fait, 1 rien de fait (jour absent, fichier\n"
        "impossible à écrire...), 2 arguments invalides.\n");
}

QString langue_des_arguments(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--langue=")))
            return args[i].mid(9);
        if ((args[i] == QLatin1String("--langue") || args[i] == QLatin1String("-langue")) && i + 1 < args.size())
            return args[i + 1];
    }
    return {};
}

QDateTime analyse_instant(const QString& s)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\S+)\\s+(\\d{1,2})[:h](\\d{2})\\s*$"));
    const QRegularExpressionMatch m = forme.match(s);
    int j = 0, mo = 0, a = 0;
    if (!m.hasMatch() || !analyse_date(m.captured(1), j, mo, a))
        return {};
    const QTime t(m.captured(2).toInt(), m.captured(3).toInt());
    const QDate d(a, mo, j);
    if (!t.isValid() || !d.isValid())
        return {};
    return QDateTime(d, t, Qt::UTC);
}

Commande analyse_commande(const QStringList& args)
{
    Commande c;
    if (args.isEmpty())
        return c;

    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Aide."));
    const QCommandLineOption png(QStringLiteral("png"), QStringLiteral("Image PNG."), QStringLiteral("FICHIER"));
    const QCommandLineOption date(QStringLiteral("date"), QStringLiteral("Jour."), QStringLiteral("JJ/MM/AAAA"));
    const QCommandLineOption taille(QStringLiteral("size"), QStringLiteral("Taille."), QStringLiteral("LxH"));
    const QCommandLineOption zone(QStringLiteral("zone"), QStringLiteral("Limites."), QStringLiteral("N S O E"));
    const QCommandLineOption distance(QStringLiteral("distance"), QStringLiteral("Distance."),
                                      QStringLiteral("LAT1 LON1 LAT2 LON2"));
    const QCommandLineOption classement(QStringLiteral("classement"), QStringLiteral("Classement."),
                                        QStringLiteral("JJ/MM/AAAA"));
    const QCommandLineOption route(QStringLiteral("route"), QStringLiteral("Route théorique."));
    const QCommandLineOption trajets(QStringLiteral("trajets"), QStringLiteral("Trajets."), QStringLiteral("NOMS"));
    const QCommandLineOption du(QStringLiteral("du"), QStringLiteral("Début."), QStringLiteral("JJ/MM/AAAA"));
    const QCommandLineOption au(QStringLiteral("au"), QStringLiteral("Fin."), QStringLiteral("JJ/MM/AAAA"));
    const QCommandLineOption gpx(QStringLiteral("gpx"), QStringLiteral("GPX."), QStringLiteral("FICHIER"));
    const QCommandLineOption kml(QStringLiteral("kml"), QStringLiteral("KML."), QStringLiteral("FICHIER"));
    const QCommandLineOption actualiser(QStringLiteral("actualiser"), QStringLiteral("Actualiser."));
    const QCommandLineOption source(QStringLiteral("source"), QStringLiteral("Source."), QStringLiteral("URL|FICHIER"));
    const QCommandLineOption statistiques(QStringLiteral("statistiques"), QStringLiteral("Statistiques."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("CSV."), QStringLiteral("FICHIER"));
    const QCommandLineOption ecarts(QStringLiteral("ecarts"), QStringLiteral("Écarts."));
    const QCommandLineOption instant(QStringLiteral("instant"), QStringLiteral("Instant."), QStringLiteral("INSTANT"));
    const QCommandLineOption trainee(QStringLiteral("trainee"), QStringLiteral("Traînée."), QStringLiteral("JOURS"));
    const QCommandLineOption suivre(QStringLiteral("suivre"), QStringLiteral("Suivre."), QStringLiteral("NOM"));
    const QCommandLineOption positions(QStringLiteral("positions"), QStringLiteral("Positions."),
                                       QStringLiteral("INSTANT"));
    const QCommandLineOption echelle(QStringLiteral("scale"), QStringLiteral("Échelle."), QStringLiteral("R"));
    const QCommandLineOption langue(QStringLiteral("langue"), QStringLiteral("Langue."), QStringLiteral("fr|en"));
    const QCommandLineOption video(QStringLiteral("video"), QStringLiteral("Vidéo."), QStringLiteral("FICHIER"));
    const QCommandLineOption vitesse(QStringLiteral("vitesse"), QStringLiteral("Vitesse."), QStringLiteral("H"));
    const QCommandLineOption fps(QStringLiteral("fps"), QStringLiteral("Images par seconde."), QStringLiteral("N"));
    const QCommandLineOption incrustations(QStringLiteral("incrustations"), QStringLiteral("Incrustations."));
    p.addOptions({aide, png, date, taille, zone, distance, classement, route, trajets, du, au, gpx, kml, actualiser,
                  source, statistiques, csv, ecarts, instant, trainee, suivre, positions, echelle, langue, video,
                  vitesse, fps, incrustations});
    if (!p.parse(QStringList(QStringLiteral("orvalis")) + regroupe(args)))
        return erreur(erreur_analyse(p));
    if (!p.positionalArguments().isEmpty())
        return erreur(Texte::tr("Argument inconnu : « %1 ».").arg(p.positionalArguments().first()));
    for (const QString& n : p.optionNames())
        if (p.optionNames().count(n) > 1)
            return erreur(Texte::tr("--%1 : donnée plusieurs fois.").arg(n));

    if (p.isSet(langue)) {
        if (!langue_connue(p.value(langue)))
            return erreur(Texte::tr("--langue : « %1 » (fr ou en).").arg(p.value(langue)));
        c.langue = p.value(langue);
    }
    if (p.isSet(aide)) {
        c.type = Commande::Aide;
        return c;
    }
    // The language alone: the window in that language.
    if (p.optionNames() == QStringList{QStringLiteral("langue")})
        return c;

    // One command at a time.
    const int nb_commandes = int(p.isSet(png)) + int(p.isSet(distance)) + int(p.isSet(classement)) +
                             int(p.isSet(gpx)) + int(p.isSet(kml)) + int(p.isSet(actualiser)) +
                             int(p.isSet(statistiques)) + int(p.isSet(positions)) + int(p.isSet(video));
    if (nb_commandes > 1)
        return erreur(Texte::tr("--png, --gpx, --kml, --distance, --classement, --actualiser, --statistiques, "
                                "--positions et --video ne se combinent pas."));
    if (p.isSet(echelle) && !p.isSet(png) && !p.isSet(video))
        return erreur(Texte::tr("--scale s'emploie avec --png ou --video."));
    if (p.isSet(csv) && !p.isSet(statistiques) && !p.isSet(positions))
        return erreur(Texte::tr("--csv s'emploie avec --statistiques ou --positions."));
    if ((p.isSet(trainee) || p.isSet(suivre)) && !p.isSet(instant) && !p.isSet(video))
        return erreur(Texte::tr("--trainee et --suivre s'emploient avec --png --instant ou --video."));
    if (p.isSet(instant) && !p.isSet(png))
        return erreur(Texte::tr("--instant s'emploie avec --png."));
    if (p.isSet(incrustations) && !p.isSet(instant))
        return erreur(Texte::tr("--incrustations s'emploie avec --png --instant."));
    if ((p.isSet(vitesse) || p.isSet(fps)) && !p.isSet(video))
        return erreur(Texte::tr("--vitesse et --fps s'emploient avec --video."));

    // The film's options, the picture's size and scale, the period: read
    // alike for --png and --video.
    const auto lit_film = [&]() -> QString {
        if (p.isSet(trainee)) {
            const QString t = p.value(trainee);
            bool ok = false;
            const int j = t.toInt(&ok);
            if (t.compare(QLatin1String("tout"), Qt::CaseInsensitive) == 0)
                c.trainee = -1;
            else if (ok && (j == 0 || j == 1 || j == 3 || j == 7))
                c.trainee = j;
            else
                return Texte::tr("--trainee : « %1 » (0, 1, 3, 7 ou tout).").arg(t);
        }
        if (p.isSet(suivre)) {
            const QString n = p.value(suivre).trimmed();
            if (n.compare(QLatin1String("tete"), Qt::CaseInsensitive) == 0 ||
                n.compare(QStringLiteral("tête"), Qt::CaseInsensitive) == 0)
                c.suivre = -1;
            for (int i = 1; i <= NB_CONCURRENTS && c.suivre == 0; ++i)
                if (n.compare(noms_conc[size_t(i)], Qt::CaseInsensitive) == 0)
                    c.suivre = i;
            if (c.suivre == 0)
                return Texte::tr("--suivre : concurrent inconnu « %1 » (un nom, ou tete).").arg(n);
        }
        return {};
    };
    const auto lit_taille = [&](int max) -> QString {
        if (p.isSet(taille)) {
            const QStringList d = p.value(taille).split(u'x');
            bool ok1 = false, ok2 = false;
            const int w = d.size() == 2 ? d[0].toInt(&ok1) : 0;
            const int h = d.size() == 2 ? d[1].toInt(&ok2) : 0;
            if (!ok1 || !ok2 || w < 1 || h < 1 || w > 16384 || h > 16384)
                return Texte::tr("--size : dimensions invalides « %1 » (LxH, de 1 à 16384).").arg(p.value(taille));
            c.largeur = w;
            c.hauteur = h;
        }
        if (p.isSet(echelle)) {
            ext r = 0;
            if (!reel(p.value(echelle), r) || r < 1 || r > 4)
                return Texte::tr("--scale : échelle invalide « %1 » (de 1 à 4, 1.5 par exemple).").arg(p.value(echelle));
            c.echelle = double(r);
        }
        const long w = std::lround(c.largeur * c.echelle), h = std::lround(c.hauteur * c.echelle);
        if (w > max || h > max)
            return Texte::tr("--scale : image de %1x%2 pixels, plus de %3 de côté.").arg(w).arg(h).arg(max);
        return {};
    };
    const auto lit_periode = [&]() -> QString {
        for (auto [opt, d] : {std::pair{&du, &c.du}, std::pair{&au, &c.au}}) {
            if (!p.isSet(*opt))
                continue;
            int j = 0, m = 0, a = 0;
            if (!analyse_date(p.value(*opt), j, m, a))
                return Texte::tr("--%1 : date invalide « %2 » (JJ/MM/AAAA).").arg(opt->names().first(), p.value(*opt));
            *d = QDate(a, m, j);
        }
        return {};
    };

    if (p.isSet(video)) {
        for (const QCommandLineOption* o : {&date, &zone, &route, &trajets, &source, &ecarts, &csv})
            if (p.isSet(*o))
                return erreur(Texte::tr("--video ne prend que --du, --au, --vitesse, --fps, --size, --scale, "
                                        "--trainee et --suivre."));
        c.fichier_video = p.value(video);
        if (c.fichier_video.isEmpty())
            return erreur(Texte::tr("--video : nom de fichier manquant."));
        if (!c.fichier_video.endsWith(QLatin1String(".mp4"), Qt::CaseInsensitive) &&
            !c.fichier_video.endsWith(QLatin1String(".webm"), Qt::CaseInsensitive))
            return erreur(Texte::tr("--video : le nom du fichier doit finir par .mp4 ou .webm."));
        c.largeur = 1280;
        c.hauteur = 720;
        for (const QString& e : {lit_film(), lit_taille(4096), lit_periode()})
            if (!e.isEmpty())
                return erreur(e);
        if (p.isSet(vitesse)) {
            ext h = 0;
            if (!reel(p.value(vitesse), h) || h < 0.01L || h > 8760)
                return erreur(Texte::tr("--vitesse : « %1 » (heures de course par seconde de vidéo, de 0.01 à 8760).")
                                  .arg(p.value(vitesse)));
            c.vitesse = double(h);
        }
        if (p.isSet(fps)) {
            bool ok = false;
            c.fps = p.value(fps).toInt(&ok);
            if (!ok || c.fps < 1 || c.fps > 120)
                return erreur(Texte::tr("--fps : « %1 » (de 1 à 120 images par seconde).").arg(p.value(fps)));
        }
        c.type = Commande::Video;
        return c;
    }
    if (p.isSet(positions) || p.isSet(instant)) {
        const QCommandLineOption& o = p.isSet(positions) ? positions : instant;
        c.quand = analyse_instant(p.value(o));
        if (!c.quand.isValid())
            return erreur(Texte::tr("--%1 : instant invalide « %2 » (JJ/MM/AAAA HH:MM ou JJ/MM/AAAA HHhMM, UTC).")
                              .arg(o.names().first(), p.value(o)));
        c.instant = true;
    }
    if (p.isSet(positions)) {
        for (const QCommandLineOption* o : {&date, &taille, &zone, &route, &trajets, &du, &au, &source, &ecarts})
            if (p.isSet(*o))
                return erreur(Texte::tr("--positions ne prend que --csv."));
        if (p.isSet(csv) && p.value(csv).isEmpty())
            return erreur(Texte::tr("--csv : nom de fichier manquant."));
        c.fichier_csv = p.value(csv);
        c.type = Commande::Positions;
        return c;
    }
    if (p.isSet(instant)) {
        for (const QCommandLineOption* o : {&date, &zone, &route, &trajets, &source, &ecarts})
            if (p.isSet(*o))
                return erreur(Texte::tr("--instant ne prend que --trainee, --suivre, --size, --scale et "
                                        "--incrustations (avec elle, --du et --au)."));
        if ((p.isSet(du) || p.isSet(au)) && !p.isSet(incrustations))
            return erreur(Texte::tr("--du et --au s'emploient avec --instant quand --incrustations est donnée."));
        for (const QString& e : {lit_film(), lit_periode()})
            if (!e.isEmpty())
                return erreur(e);
        c.incrustations = p.isSet(incrustations);
    }
    if (p.isSet(statistiques)) {
        for (const QCommandLineOption* o : {&date, &taille, &zone, &route, &trajets, &du, &au, &source, &ecarts})
            if (p.isSet(*o))
                return erreur(Texte::tr("--statistiques ne prend que --csv."));
        if (p.isSet(csv) && p.value(csv).isEmpty())
            return erreur(Texte::tr("--csv : nom de fichier manquant."));
        c.fichier_csv = p.value(csv);
        c.type = Commande::Statistiques;
        return c;
    }
    if (p.isSet(ecarts)) {
        if (!p.isSet(png))
            return erreur(Texte::tr("--ecarts s'emploie avec --png."));
        for (const QCommandLineOption* o : {&date, &zone, &route, &trajets, &du, &au})
            if (p.isSet(*o))
                return erreur(Texte::tr("--ecarts ne prend que --size."));
        c.ecarts = true;
    }
    if (p.isSet(source) && !p.isSet(actualiser))
        return erreur(Texte::tr("--source s'emploie avec --actualiser."));
    if (p.isSet(actualiser)) {
        for (const QCommandLineOption* o : {&taille, &zone, &route, &trajets, &du, &au})
            if (p.isSet(*o))
                return erreur(Texte::tr("--actualiser ne prend que --source et --date."));
        if (p.isSet(date)) {
            if (!analyse_date(p.value(date), c.jour, c.mois, c.annee))
                return erreur(Texte::tr("--date : date invalide ou manquante (JJ/MM/AAAA)."));
            // A day code's year has two digits: 10/11/2100 would replace
            // the shipped 10/11/2000.
            if (!jour_de_course(QDate(c.annee, c.mois, c.jour)))
                return erreur(Texte::tr("--date : %1 n'est pas un jour de la course (du %2 au %3).")
                                  .arg(p.value(date), PREMIER_JOUR_COURSE.toString(QStringLiteral("dd/MM/yyyy")),
                                       DERNIER_JOUR_COURSE.toString(QStringLiteral("dd/MM/yyyy"))));
            c.date = true;
        }
        c.source = p.value(source);
        c.type = Commande::Actualiser;
        return c;
    }
    const bool avec_trajets = p.isSet(trajets) || ((p.isSet(du) || p.isSet(au)) && !p.isSet(instant));
    if (avec_trajets && !(p.isSet(png) || p.isSet(gpx) || p.isSet(kml)))
        return erreur(Texte::tr("--trajets, --du et --au s'emploient avec --png, --gpx ou --kml."));
    if (avec_trajets || p.isSet(gpx) || p.isSet(kml)) {
        c.trajets = true;
        const QString noms = p.isSet(trajets) ? p.value(trajets) : QStringLiteral("tous");
        if (noms.compare(QLatin1String("tous"), Qt::CaseInsensitive) == 0) {
            for (int i = 1; i <= NB_CONCURRENTS; ++i)
                c.concurrents.set(size_t(i));
        } else {
            for (const QString& n : noms.split(u',', Qt::SkipEmptyParts)) {
                int trouve = 0;
                for (int i = 1; i <= NB_CONCURRENTS; ++i)
                    if (n.trimmed().compare(noms_conc[size_t(i)], Qt::CaseInsensitive) == 0)
                        trouve = i;
                if (trouve == 0)
                    return erreur(Texte::tr("--trajets : concurrent inconnu « %1 ».").arg(n.trimmed()));
                c.concurrents.set(size_t(trouve));
            }
            if (c.concurrents.none())
                return erreur(Texte::tr("--trajets : aucun concurrent (tous, ou des noms séparés par des virgules)."));
        }
        for (auto [opt, d] : {std::pair{&du, &c.du}, std::pair{&au, &c.au}}) {
            if (!p.isSet(*opt))
                continue;
            int j = 0, m = 0, a = 0;
            if (!analyse_date(p.value(*opt), j, m, a))
                return erreur(Texte::tr("--%1 : date invalide « %2 » (JJ/MM/AAAA).").arg(opt->names().first(), p.value(*opt)));
            *d = QDate(a, m, j);
        }
        if (p.isSet(date) || p.isSet(zone) || p.isSet(route))
            return erreur(Texte::tr("--trajets ne se combine pas avec --date, --zone ni --route."));
        if (p.isSet(gpx) || p.isSet(kml)) {
            if (p.isSet(taille))
                return erreur(Texte::tr("--size s'emploie avec --png."));
            c.fichier_export = p.value(p.isSet(gpx) ? gpx : kml);
            const QString attendu = p.isSet(gpx) ? QStringLiteral(".gpx") : QStringLiteral(".kml");
            if (!c.fichier_export.endsWith(attendu, Qt::CaseInsensitive))
                return erreur(Texte::tr("--%1 : le nom du fichier doit finir par %2.")
                                  .arg(p.isSet(gpx) ? QStringLiteral("gpx") : QStringLiteral("kml"), attendu));
            c.type = Commande::Export;
            return c;
        }
    }

    if (p.isSet(distance)) {
        if (p.isSet(date) || p.isSet(taille) || p.isSet(zone) || p.isSet(route))
            return erreur(Texte::tr("--date, --size, --zone et --route ne s'emploient qu'avec --png."));
        ext v[4];
        const QString e = reels(QStringLiteral("--distance"), p.value(distance), 4, v,
                                Texte::tr("quatre valeurs attendues (LAT1 LON1 LAT2 LON2)."));
        if (!e.isEmpty())
            return erreur(e);
        if (std::fabs(v[0]) > 90 || std::fabs(v[2]) > 90)
            return erreur(Texte::tr("--distance : latitude hors de -90..90."));
        if (std::fabs(v[1]) > 360 || std::fabs(v[3]) > 360)
            return erreur(Texte::tr("--distance : longitude hors de -360..360."));
        if (!minutes_valides(v))
            return erreur(Texte::tr("--distance : minutes au-delà de 60 (DD.MM attendu)."));
        c.type = Commande::Distance;
        c.lat1 = v[0];
        c.lon1 = v[1];
        c.lat2 = v[2];
        c.lon2 = v[3];
        return c;
    }

    if (p.isSet(classement)) {
        if (p.isSet(date) || p.isSet(taille) || p.isSet(zone) || p.isSet(route))
            return erreur(Texte::tr("--date, --size, --zone et --route ne s'emploient qu'avec --png."));
        if (!analyse_date(p.value(classement), c.jour, c.mois, c.annee))
            return erreur(Texte::tr("--classement : date invalide « %1 » (JJ/MM/AAAA).").arg(p.value(classement)));
        c.type = Commande::Classement;
        return c;
    }

    if (!p.isSet(png))
        return erreur(Texte::tr("--date, --size, --zone et --route ne s'emploient qu'avec --png."));
    c.fichier_png = p.value(png);
    if (c.fichier_png.isEmpty())
        return erreur(Texte::tr("--png : nom de fichier manquant."));
    if (p.isSet(date)) {
        if (!analyse_date(p.value(date), c.jour, c.mois, c.annee))
            return erreur(Texte::tr("--date : date invalide ou manquante (JJ/MM/AAAA)."));
        c.date = true;
    }
    if (p.isSet(route)) {
        if (!c.date)
            return erreur(Texte::tr("--route s'emploie avec --png et --date."));
        c.route = true;
    }
    if (const QString e = lit_taille(16384); !e.isEmpty())
        return erreur(e);
    if (p.isSet(zone)) {
        ext v[4];
        const QString e = reels(QStringLiteral("--zone"), p.value(zone), 4, v,
                                Texte::tr("quatre limites attendues (N S O E)."));
        if (!e.isEmpty())
            return erreur(e);
        if (std::fabs(v[0]) > 90 || std::fabs(v[1]) > 90)
            return erreur(Texte::tr("--zone : latitude hors de -90..90."));
        if (std::fabs(v[2]) > 180 || std::fabs(v[3]) > 180)
            return erreur(Texte::tr("--zone : longitude hors de -180..180."));
        if (!minutes_valides(v))
            return erreur(Texte::tr("--zone : minutes au-delà de 60 (DD.MM attendu)."));
        c.zone = true;
        c.nord = v[0];
        c.sud = v[1];
        c.ouest = v[2];
        c.est = v[3];
    }
    c.type = Commande::Png;
    return c;
}

}  // namespace orv
