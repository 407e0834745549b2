#include "ligne_commande.h"

#include "langue.h"
#include "traduction.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace orv {

namespace {

// --- The options ---------------------------------------------------------

enum Opt {
    AIDE, PNG, DATE, TAILLE, ZONE, DISTANCE, CLASSEMENT, ROUTE, TRAJETS, DU, AU, GPX, KML, ACTUALISER, SOURCE,
    STATISTIQUES, CSV, ECARTS, INSTANT, TRAINEE, SUIVRE, POSITIONS, ECHELLE, LANGUE, VIDEO, VITESSE, FPS,
    INCRUSTATIONS, COURSE, STYLE, QUALITE, SANS_CARTONS, DUEL, PAS, PDF, NB_OPTIONS
};

struct DefOption {
    Opt o;
    const char* nom;
    const char* valeur;  // the value's name; null: a switch
};
// In the parser's order; its values are read in this order too.
constexpr DefOption OPTIONS[] = {
    {AIDE, "help", nullptr},         {PNG, "png", "FICHIER"},          {DATE, "date", "JJ/MM/AAAA"},
    {TAILLE, "size", "LxH"},         {ZONE, "zone", "N S O E"},        {DISTANCE, "distance", "LAT1 LON1 LAT2 LON2"},
    {CLASSEMENT, "classement", "JJ/MM/AAAA"}, {ROUTE, "route", nullptr}, {TRAJETS, "trajets", "NOMS"},
    {DU, "du", "JJ/MM/AAAA"},        {AU, "au", "JJ/MM/AAAA"},         {GPX, "gpx", "FICHIER"},
    {KML, "kml", "FICHIER"},         {ACTUALISER, "actualiser", nullptr}, {SOURCE, "source", "URL|FICHIER"},
    {STATISTIQUES, "statistiques", nullptr}, {CSV, "csv", "FICHIER"}, {ECARTS, "ecarts", nullptr},
    {INSTANT, "instant", "INSTANT"}, {TRAINEE, "trainee", "JOURS"},   {SUIVRE, "suivre", "NOM"},
    {POSITIONS, "positions", "INSTANT"}, {ECHELLE, "scale", "R"},     {LANGUE, "langue", "fr|en"},
    {VIDEO, "video", "FICHIER"},     {VITESSE, "vitesse", "H"},        {FPS, "fps", "N"},
    {INCRUSTATIONS, "incrustations", nullptr}, {COURSE, "course", "CHEMIN"},
    {STYLE, "style", "classique|moderne"}, {QUALITE, "qualite", "rapide|soignee"},
    {SANS_CARTONS, "sans-cartons", nullptr}, {DUEL, "duel", "NOM1 NOM2"}, {PAS, "pas", "H"},
    {PDF, "pdf", "FICHIER"},
};

// The rows are in the order of the enum, which indexes them.
constexpr bool options_en_ordre()
{
    for (int k = 0; k < NB_OPTIONS; ++k)
        if (OPTIONS[k].o != k)
            return false;
    return std::size(OPTIONS) == NB_OPTIONS;
}
static_assert(options_en_ordre(), "OPTIONS must list every option in the order of Opt");

QString tirets(Opt o) { return QStringLiteral("--") + QLatin1String(OPTIONS[o].nom); }

// --- The commands --------------------------------------------------------

// A command: how it is named, the options that select it, and the options
// it accepts besides (--langue goes with every one).
struct DefCommande {
    Commande::Type type;
    const char* nom;
    Opt principale;
    std::vector<Opt> accepte;
};
const std::vector<DefCommande>& commandes()
{
    static const std::vector<DefCommande> t = {
        {Commande::PngCarte, QT_TRANSLATE_NOOP("Orvalis", "--png (carte seule)"), PNG, {TAILLE, ECHELLE, ZONE, COURSE, STYLE}},
        {Commande::PngJour, QT_TRANSLATE_NOOP("Orvalis", "--png --date"), PNG, {DATE, TAILLE, ECHELLE, ZONE, ROUTE, COURSE, STYLE}},
        {Commande::PngTrajets, QT_TRANSLATE_NOOP("Orvalis", "--png --trajets"), PNG, {TRAJETS, DU, AU, TAILLE, ECHELLE, COURSE, STYLE}},
        {Commande::PngInstant, QT_TRANSLATE_NOOP("Orvalis", "--png --instant"), PNG, {INSTANT, TRAINEE, SUIVRE, INCRUSTATIONS, DU, AU, TAILLE, ECHELLE, COURSE, STYLE}},
        {Commande::PngEcarts, QT_TRANSLATE_NOOP("Orvalis", "--png --ecarts"), PNG, {ECARTS, TAILLE, ECHELLE}},
        {Commande::PngCarte, QT_TRANSLATE_NOOP("Orvalis", "--pdf (carte seule)"), PDF, {TAILLE, ECHELLE, ZONE, COURSE, STYLE}},
        {Commande::PngJour, QT_TRANSLATE_NOOP("Orvalis", "--pdf --date"), PDF, {DATE, TAILLE, ECHELLE, ZONE, ROUTE, COURSE, STYLE}},
        {Commande::PngTrajets, QT_TRANSLATE_NOOP("Orvalis", "--pdf --trajets"), PDF, {TRAJETS, DU, AU, TAILLE, ECHELLE, COURSE, STYLE}},
        {Commande::PngInstant, QT_TRANSLATE_NOOP("Orvalis", "--pdf --instant"), PDF, {INSTANT, TRAINEE, SUIVRE, TAILLE, ECHELLE, COURSE, STYLE}},
        {Commande::Distance, QT_TRANSLATE_NOOP("Orvalis", "--distance"), DISTANCE, {}},
        {Commande::Classement, QT_TRANSLATE_NOOP("Orvalis", "--classement"), CLASSEMENT, {COURSE}},
        {Commande::Gpx, QT_TRANSLATE_NOOP("Orvalis", "--gpx"), GPX, {TRAJETS, DU, AU, COURSE}},
        {Commande::Kml, QT_TRANSLATE_NOOP("Orvalis", "--kml"), KML, {TRAJETS, DU, AU, COURSE}},
        {Commande::Actualiser, QT_TRANSLATE_NOOP("Orvalis", "--actualiser"), ACTUALISER, {SOURCE, DATE, COURSE}},
        {Commande::Statistiques, QT_TRANSLATE_NOOP("Orvalis", "--statistiques"), STATISTIQUES, {CSV, COURSE}},
        {Commande::Positions, QT_TRANSLATE_NOOP("Orvalis", "--positions"), POSITIONS, {CSV, COURSE}},
        {Commande::Duel, QT_TRANSLATE_NOOP("Orvalis", "--duel"), DUEL, {DU, AU, PAS, CSV, COURSE}},
        {Commande::Video, QT_TRANSLATE_NOOP("Orvalis", "--video"), VIDEO, {DU, AU, VITESSE, FPS, TAILLE, ECHELLE, TRAINEE, SUIVRE, COURSE, STYLE, QUALITE, SANS_CARTONS}},
    };
    return t;
}

bool accepte(const DefCommande& c, Opt o)
{
    return o == c.principale || o == LANGUE || std::find(c.accepte.begin(), c.accepte.end(), o) != c.accepte.end();
}

// Where an option goes, by the table: the commands that accept it, a main
// option standing for all its commands when every one of them does
// ("--png ou --video", "--png --date ou --actualiser").
QString ou_elle_va(Opt o)
{
    QStringList l;
    const auto& t = commandes();
    for (size_t k = 0; k < t.size(); ++k) {
        if (!accepte(t[k], o))
            continue;
        bool toutes = true;
        for (const DefCommande& c : t)
            if (c.principale == t[k].principale && !accepte(c, o))
                toutes = false;
        const QString nom = toutes ? tirets(t[k].principale) : Texte::tr(t[k].nom);
        if (!l.contains(nom))
            l << nom;
    }
    if (l.size() <= 1)
        return l.value(0);
    const QString dernier = l.takeLast();
    return Texte::tr("%1 ou %2").arg(l.join(QStringLiteral(", ")), dernier);
}

// The main options, in the table's order: one at most.
std::vector<Opt> principales_du_tableau()
{
    std::vector<Opt> l;
    for (const DefCommande& d : commandes())
        if (std::find(l.begin(), l.end(), d.principale) == l.end())
            l.push_back(d.principale);
    return l;
}

// Which --png picture the other options ask for.
Commande::Type type_png(const std::function<bool(Opt)>& donnee)
{
    if (donnee(INSTANT))
        return Commande::PngInstant;
    if (donnee(ECARTS))
        return Commande::PngEcarts;
    if (donnee(TRAJETS) || donnee(DU) || donnee(AU))
        return Commande::PngTrajets;
    if (donnee(DATE))
        return Commande::PngJour;
    return Commande::PngCarte;
}

// --- Reading the values --------------------------------------------------

// A whole number from min to max into n (n is set even when out of range).
bool entier_borne(const QString& s, int min, int max, int& n)
{
    bool ok = false;
    n = s.toInt(&ok);
    return ok && n >= min && n <= max;
}

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
// not taken for options. The two names of --duel are joined by a character
// no name holds (a name may hold blanks).
struct OptionMultiple {
    const char* nom;
    int nb;
    QChar sep;
};
constexpr QChar SEP_NOMS = QChar(0x1F);
constexpr OptionMultiple MULTIPLES[] = {{"--zone", 4, u' '}, {"--distance", 4, u' '}, {"--duel", 2, SEP_NOMS}};

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
        QChar sep = u' ';
        for (const OptionMultiple& m : MULTIPLES)
            if (args[i] == QLatin1String(m.nom)) {
                nb = std::min<qsizetype>(m.nb, args.size() - 1 - i);
                sep = m.sep;
            }
        if (nb > 0) {
            r << args[i] + u'=' + args.mid(i + 1, nb).join(sep);
            i += nb;
        } else {
            r << args[i];
        }
    }
    return r;
}

// Four DD.MM values whose minutes are below 60 (their ranges are checked
// apart).
bool minutes_valides(const ext (&v)[4])
{
    return std::all_of(std::begin(v), std::end(v), [](ext x) { return ddmm_valide(x, 360); });
}

// The values of a grouped option: exactly `n` reals, or an error message.
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

// Reads the value of option o into c; an error message, or empty.
QString lit_valeur(Opt o, const QString& v, Commande& c)
{
    switch (o) {
    case PNG:
    case PDF:
    case GPX:
    case KML:
    case VIDEO:
        c.fichier = v;
        c.pdf = o == PDF;
        if (v.isEmpty())
            return Texte::tr("%1 : nom de fichier manquant.").arg(tirets(o));
        if (o == GPX || o == KML) {
            const QString attendu = o == GPX ? QStringLiteral(".gpx") : QStringLiteral(".kml");
            if (!v.endsWith(attendu, Qt::CaseInsensitive))
                return Texte::tr("--%1 : le nom du fichier doit finir par %2.").arg(QLatin1String(OPTIONS[o].nom), attendu);
        }
        if (o == VIDEO && !v.endsWith(QLatin1String(".mp4"), Qt::CaseInsensitive) &&
            !v.endsWith(QLatin1String(".webm"), Qt::CaseInsensitive))
            return Texte::tr("--video : le nom du fichier doit finir par .mp4 ou .webm.");
        return {};
    case COURSE:
        c.course = v;
        if (v.isEmpty())
            return Texte::tr("--course : chemin manquant.");
        return {};
    case DATE:
    case CLASSEMENT: {
        int j = 0, m = 0, a = 0;
        if (!analyse_date(v, j, m, a))
            return o == DATE ? Texte::tr("--date : date invalide ou manquante (JJ/MM/AAAA).")
                             : Texte::tr("--classement : date invalide « %1 » (JJ/MM/AAAA).").arg(v);
        c.jour = QDate(a, m, j);
        return {};
    }
    case DU:
    case AU: {
        int j = 0, m = 0, a = 0;
        if (!analyse_date(v, j, m, a))
            return Texte::tr("--%1 : date invalide « %2 » (JJ/MM/AAAA).").arg(QLatin1String(OPTIONS[o].nom), v);
        (o == DU ? c.du : c.au) = QDate(a, m, j);
        return {};
    }
    case TAILLE: {
        const QStringList d = v.split(u'x');
        bool ok1 = false, ok2 = false;
        const int w = d.size() == 2 ? d[0].toInt(&ok1) : 0;
        const int h = d.size() == 2 ? d[1].toInt(&ok2) : 0;
        if (!ok1 || !ok2 || w < 1 || h < 1 || w > 16384 || h > 16384)
            return Texte::tr("--size : dimensions invalides « %1 » (LxH, de 1 à 16384).").arg(v);
        c.largeur = w;
        c.hauteur = h;
        return {};
    }
    case ECHELLE: {
        ext r = 0;
        if (!reel(v, r) || r < 1 || r > 4)
            return Texte::tr("--scale : échelle invalide « %1 » (de 1 à 4, 1.5 par exemple).").arg(v);
        c.echelle = double(r);
        return {};
    }
    case ZONE: {
        ext z[4];
        if (const QString e = reels(QStringLiteral("--zone"), v, 4, z, Texte::tr("quatre limites attendues (N S O E).")); !e.isEmpty())
            return e;
        if (std::fabs(z[0]) > 90 || std::fabs(z[1]) > 90)
            return Texte::tr("--zone : latitude hors de -90..90.");
        if (std::fabs(z[2]) > 180 || std::fabs(z[3]) > 180)
            return Texte::tr("--zone : longitude hors de -180..180.");
        if (!minutes_valides(z))
            return Texte::tr("--zone : minutes au-delà de 60 (DD.MM attendu).");
        c.zone = true;
        c.nord = z[0];
        c.sud = z[1];
        c.ouest = z[2];
        c.est = z[3];
        return {};
    }
    case DISTANCE: {
        ext d[4];
        if (const QString e = reels(QStringLiteral("--distance"), v, 4, d,
                                    Texte::tr("quatre valeurs attendues (LAT1 LON1 LAT2 LON2)."));
            !e.isEmpty())
            return e;
        if (std::fabs(d[0]) > 90 || std::fabs(d[2]) > 90)
            return Texte::tr("--distance : latitude hors de -90..90.");
        if (std::fabs(d[1]) > 360 || std::fabs(d[3]) > 360)
            return Texte::tr("--distance : longitude hors de -360..360.");
        if (!minutes_valides(d))
            return Texte::tr("--distance : minutes au-delà de 60 (DD.MM attendu).");
        c.lat1 = d[0];
        c.lon1 = d[1];
        c.lat2 = d[2];
        c.lon2 = d[3];
        return {};
    }
    case TRAJETS: {
        c.trajets = v.trimmed();
        if (c.trajets.compare(QLatin1String("tous"), Qt::CaseInsensitive) != 0 &&
            c.trajets.split(u',', Qt::SkipEmptyParts).isEmpty())
            return Texte::tr("--trajets : aucun concurrent (tous, ou des noms séparés par des virgules).");
        return {};
    }
    case SOURCE:
        c.source = v;
        return v.trimmed().isEmpty() ? Texte::tr("--source : adresse ou fichier manquant.") : QString();
    case CSV:
        c.fichier_csv = v;
        return v.isEmpty() ? Texte::tr("--csv : nom de fichier manquant.") : QString();
    case INSTANT:
    case POSITIONS:
        c.quand = analyse_instant(v);
        if (!c.quand.isValid())
            return Texte::tr("--%1 : instant invalide « %2 » (JJ/MM/AAAA HH:MM ou JJ/MM/AAAA HHhMM, UTC).")
                .arg(QLatin1String(OPTIONS[o].nom), v);
        return {};
    case TRAINEE: {
        bool ok = false;
        const int j = v.toInt(&ok);
        if (v.compare(QLatin1String("tout"), Qt::CaseInsensitive) == 0)
            c.trainee = -1;
        else if (ok && (j == 0 || j == 1 || j == 3 || j == 7))
            c.trainee = j;
        else
            return Texte::tr("--trainee : « %1 » (0, 1, 3, 7 ou tout).").arg(v);
        return {};
    }
    case SUIVRE:
        c.suivre = v.trimmed();
        return {};
    case VITESSE: {
        ext h = 0;
        if (!reel(v, h) || h < 0.01L || h > 8760)
            return Texte::tr("--vitesse : « %1 » (heures de course par seconde de vidéo, de 0.01 à 8760).").arg(v);
        c.vitesse = double(h);
        return {};
    }
    case FPS:
        if (!entier_borne(v, 1, 120, c.fps))
            return Texte::tr("--fps : « %1 » (de 1 à 120 images par seconde).").arg(v);
        return {};
    case ROUTE: c.route = true; return {};
    case INCRUSTATIONS: c.incrustations = true; return {};
    case STYLE:
        if (v != QLatin1String("classique") && v != QLatin1String("moderne"))
            return Texte::tr("--style : « %1 » (classique ou moderne).").arg(v);
        c.style = v;
        return {};
    case QUALITE:
        if (v != QLatin1String("rapide") && v != QLatin1String("soignee") && v != QStringLiteral("soignée"))
            return Texte::tr("--qualite : « %1 » (rapide ou soignee).").arg(v);
        c.rapide = v == QLatin1String("rapide");
        return {};
    case SANS_CARTONS: c.cartons = false; return {};
    case DUEL: {
        const QStringList n = v.split(SEP_NOMS);
        if (n.size() != 2 || n[0].trimmed().isEmpty() || n[1].trimmed().isEmpty() || n[1].startsWith(QLatin1String("--")))
            return Texte::tr("--duel : deux noms attendus (NOM1 NOM2).");
        c.duel1 = n[0].trimmed();
        c.duel2 = n[1].trimmed();
        return {};
    }
    case PAS:
        if (!entier_borne(v, 1, 240, c.pas))
            return Texte::tr("--pas : « %1 » (de 1 à 240 heures).").arg(v);
        return {};
    default: return {};
    }
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
        "               comme un écran de cette densité ; avec toute image --png ;\n"
        "      --style classique|moderne : la carte du programme (par défaut) ou la\n"
        "               carte moderne (terres pleines sur une mer bleue).\n"
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
        "  orvalis --pdf FICHIER [les options de --png, sauf --ecarts et --incrustations]\n"
        "      la même image en PDF vectoriel d'une page : traits et terres en tracés,\n"
        "      textes sélectionnables (les points de côte de la carte du programme\n"
        "      en une image).\n"
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
        "          [--style classique|moderne] [--qualite rapide|soignee] [--sans-cartons]\n"
        "      le film continu en vidéo (H.264, ou VP9 pour .webm) par le programme\n"
        "      ffmpeg : de 00h00 UTC du --du à 23h59 UTC du --au (toute la course par\n"
        "      défaut), H heures de course par seconde (24), N images par seconde\n"
        "      (30), 1280x720, carte moderne, encodage soigné (rapide : plus vite,\n"
        "      fichier plus gros), un carton d'ouverture et un de clôture de deux\n"
        "      secondes chacun ; l'avancement sur la sortie d'erreur.\n"
        "  orvalis --positions INSTANT [--csv FICHIER]\n"
        "      les positions de l'instant dans l'ordre du classement publié : rang,\n"
        "      skipper, bateau, latitude et longitude en degrés décimaux (Nord et Est\n"
        "      positifs), nature (relevé, interpolé, estimé, arrivé, abandon,\n"
        "      dernière position connue) ; ou leur export CSV.\n"
        "  orvalis --duel NOM1 NOM2 [--du JJ/MM/AAAA] [--au JJ/MM/AAAA] [--pas H] [--csv FICHIER]\n"
        "      deux concurrents comparés toutes les H heures (6) de 00h00 UTC du --du\n"
        "      à 23h59 UTC du --au (la période où tous deux sont en course par\n"
        "      défaut) : l'instant, la position de chacun (degrés décimaux, nature),\n"
        "      l'écart orthodromique en milles, le relèvement du premier au second\n"
        "      et les milles gagnés par le premier sur le second vers l'arrivée\n"
        "      depuis la première ligne ; ou leur export CSV.\n"
        "  orvalis --distance LAT1 LON1 LAT2 LON2\n"
        "      distances orthodromique et loxodromique, cap et points\n"
        "      de l'orthodromie entre deux positions en DD.MM\n"
        "      (latitudes Nord positives, longitudes Ouest positives).\n"
        "  orvalis --classement JJ/MM/AAAA\n"
        "      classement du jour, lu dans le fichier du jour à côté du programme\n"
        "      (installé : d'abord dans ~/.local/share/orvalis).\n"
        "  orvalis ... --course CHEMIN\n"
        "      une autre course que celle du programme : traces GPX, KML ou KMZ,\n"
        "      positions CSV, ou dossier de fichiers du jour avec sa description ;\n"
        "      avec --positions, --duel, --png --instant, --pdf --instant, --statistiques,\n"
        "      --gpx, --kml, --video (et, pour des fichiers du jour, --date, --classement,\n"
        "      --actualiser).\n"
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
    std::vector<QCommandLineOption> options;
    for (const DefOption& d : OPTIONS) {
        const QStringList noms = d.o == AIDE ? QStringList{QStringLiteral("h"), QStringLiteral("help")}
                                             : QStringList{QString::fromLatin1(d.nom)};
        options.emplace_back(noms, QString::fromLatin1(d.nom),
                             d.valeur ? QString::fromLatin1(d.valeur) : QString());
    }
    for (const QCommandLineOption& o : options)
        p.addOption(o);
    if (!p.parse(QStringList(QStringLiteral("orvalis")) + regroupe(args)))
        return erreur(erreur_analyse(p));
    if (!p.positionalArguments().isEmpty())
        return erreur(Texte::tr("Argument inconnu : « %1 ».").arg(p.positionalArguments().first()));
    for (const QString& n : p.optionNames())
        if (p.optionNames().count(n) > 1)
            return erreur(Texte::tr("--%1 : donnée plusieurs fois.").arg(n));
    auto donnee = [&](Opt o) { return p.isSet(options[size_t(o)]); };
    auto valeur = [&](Opt o) { return p.value(options[size_t(o)]); };

    if (donnee(LANGUE)) {
        if (!langue_connue(valeur(LANGUE)))
            return erreur(Texte::tr("--langue : « %1 » (fr ou en).").arg(valeur(LANGUE)));
        c.langue = valeur(LANGUE);
    }
    if (donnee(AIDE)) {
        c.type = Commande::Aide;
        return c;
    }

    // The command: one main option at most, and for --png the picture the
    // other options ask for.
    const std::vector<Opt> toutes = principales_du_tableau();
    std::vector<Opt> principales;
    for (const Opt o : toutes)
        if (donnee(o))
            principales.push_back(o);
    if (principales.size() > 1) {
        QStringList noms;
        for (const Opt o : toutes)
            noms << tirets(o);
        const QString dernier = noms.takeLast();
        return erreur(Texte::tr("%1 et %2 ne se combinent pas.").arg(noms.join(QStringLiteral(", ")), dernier));
    }
    const DefCommande* cmd = nullptr;
    if (!principales.empty()) {
        const bool image = principales[0] == PNG || principales[0] == PDF;
        const Commande::Type t = image ? type_png(donnee) : Commande::Fenetre;
        for (const DefCommande& d : commandes())
            if (d.principale == principales[0] && (!image || d.type == t))
                cmd = &d;
    }
    // Every other option must be one the command takes: where it goes
    // instead comes from the table.
    for (const DefOption& d : OPTIONS) {
        if (!donnee(d.o) || d.o == LANGUE || (cmd && accepte(*cmd, d.o)))
            continue;
        return erreur(cmd ? Texte::tr("%1 ne s'emploie pas avec %2 ; elle s'emploie avec %3.")
                                .arg(tirets(d.o), Texte::tr(cmd->nom), ou_elle_va(d.o))
                          : Texte::tr("%1 s'emploie avec %2.").arg(tirets(d.o), ou_elle_va(d.o)));
    }
    if (!cmd)
        return c;  // the window (in the language asked, if one was)
    c.type = cmd->type;
    if (c.type == Commande::Video) {
        c.largeur = 1280;
        c.hauteur = 720;
    }
    for (const DefOption& d : OPTIONS)
        if (donnee(d.o))
            if (const QString e = lit_valeur(d.o, valeur(d.o), c); !e.isEmpty())
                return erreur(e);

    // What the table cannot say.
    if (c.type == Commande::PngInstant && (donnee(DU) || donnee(AU)) && !c.incrustations)
        return erreur(Texte::tr("--du et --au s'emploient avec --instant quand --incrustations est donnée."));
    const int max = c.type == Commande::Video ? 4096 : 16384;
    const long w = std::lround(c.largeur * c.echelle), h = std::lround(c.hauteur * c.echelle);
    if (w > max || h > max)
        return erreur(Texte::tr("--scale : image de %1x%2 pixels, plus de %3 de côté.").arg(w).arg(h).arg(max));
    return c;
}

}  // namespace orv
