#include "commandes.h"
#include "contexte.h"

#include "fichier_jour.h"
#include "exports.h"
#include "description.h"
#include "emplacements.h"
#include "lecteurs.h"
#include "calendrier.h"
#include "classement.h"
#include "ecriture.h"
#include "etat_avx.h"
#include "etat_programme.h"
#include "geometrie.h"
#include "images_course.h"
#include "langue.h"
#include "mise_a_jour.h"
#include "reglages.h"
#include "reglages_utilisateur.h"
#include "statistiques.h"
#include "traduction.h"
#include "duel.h"
#include "trajets.h"
#include "video.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QStandardPaths>
#include <functional>
#include <cstdio>
#include <memory>
#include <optional>

namespace orv {

Emplacements prepare(const Commande& c)
{
    installe_langue(choisit_langue(c.langue, langue_enregistree(), QLocale::system().uiLanguages()));
    return determine_emplacements(QCoreApplication::applicationDirPath(),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void ecrit_erreur(const QString& s)
{
    std::fputs(s.toUtf8().constData(), stderr);
    if (!s.endsWith(u'\n'))
        std::fputc('\n', stderr);
}

bool course_du_programme(const Emplacements& e, Course& course)
{
    QString erreur;
    if (ouvre_course(QDir(e.rep_programme).filePath(QString::fromLatin1(FICHIER_COURSE)), course, erreur))
        return true;
    ecrit_erreur(erreur);
    return false;
}

int enregistre_png(const QImage& image, const QString& fichier)
{
    QString erreur;
    if (!ecrit_png(fichier, image, erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    return 0;
}

namespace cli {

// A refusal of the arguments found once the race is known: exit code 2.
int arguments_refuses(const QString& message)
{
    ecrit_erreur(message);
    ecrit_erreur(usage());
    return 2;
}

// Lines on the standard output, checked: 0, or 1 with the reason said.
int sortie(const QStringList& lignes)
{
    QString erreur;
    if (ecrit_sortie(lignes, erreur))
        return 0;
    ecrit_erreur(erreur);
    return 1;
}

// The modern chart drawn without its land (its file damaged or absent):
// said, the picture kept (it says so too).
void avis_terres(const Commande& c, const Contexte& x)
{
    if (c.moderne() && !x.etat.cartes.terres->erreur().isEmpty())
        ecrit_erreur(x.etat.cartes.terres->erreur());
}

// A command of day files asked of a race of tracks: said, exit code 2.
bool sans_fichiers_jour(const Contexte& x, const QString& commande)
{
    if (x.etat.course.fichiers_jour)
        return false;
    arguments_refuses(Texte::tr("%1 : la course « %2 » n'a pas de fichiers du jour (des traces seulement) ; "
                                "--positions, --duel, --png --instant, --pdf --instant, --statistiques, --gpx, --kml et --video la lisent.")
                          .arg(commande, x.etat.course.nom));
    return true;
}

std::optional<Zone> zone(const Commande& c)
{
    if (!c.zone)
        return std::nullopt;
    return Zone{c.nord, c.sud, c.ouest, c.est};
}

// An entrant named on the command line (case aside), 0 when none is.
int concurrent_nomme(const Course& course, const QString& nom)
{
    for (int i = 1; i <= course.nb(); ++i)
        if (nom.trimmed().compare(course.nom_conc(i), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

// --suivre's boat: 0 none, -1 the leader, an entrant; false when the name
// is no entrant's.
bool suivi_nomme(const Course& course, const QString& nom, int& suivre)
{
    suivre = 0;
    if (nom.isEmpty())
        return true;
    if (nom.compare(QLatin1String("tete"), Qt::CaseInsensitive) == 0 ||
        nom.compare(QStringLiteral("tête"), Qt::CaseInsensitive) == 0)
        suivre = -1;
    else
        suivre = concurrent_nomme(course, nom);
    return suivre != 0;
}

// The archive assembled and the command's selection over it; the exit
// code when it cannot be made (0 when it can).
int selection_commande(const Commande& c, Contexte& x, SelectionTrajets& s)
{
    const Course& course = x.etat.course;
    if (c.trajets.compare(QLatin1String("tous"), Qt::CaseInsensitive) == 0) {
        for (int i = 1; i <= course.nb(); ++i)
            s.concurrents.set(size_t(i));
    } else {
        for (const QString& n : c.trajets.split(u',', Qt::SkipEmptyParts)) {
            const int i = concurrent_nomme(course, n);
            if (i == 0)
                return arguments_refuses(Texte::tr("--trajets : concurrent inconnu « %1 ».").arg(n.trimmed()));
            s.concurrents.set(size_t(i));
        }
    }
    if (!x.etat.course.fichiers_jour)
        return 0;  // a race of tracks: the period is read by its command
    if (!x.archive())
        return 1;
    const ArchiveJours& a = x.etat.archive;
    s.toute_course = c.du.isNull() && c.au.isNull();
    s.debut = 0;
    s.fin = a.nb_jours() - 1;
    for (auto [d, indice] : {std::pair{c.du, &s.debut}, std::pair{c.au, &s.fin}}) {
        if (d.isNull())
            continue;
        *indice = a.indice_du_jour(d);
        if (*indice < 0)
            return arguments_refuses(
                Texte::tr("Pas de fichier du jour le %1 dans les archives.").arg(d.toString(QStringLiteral("dd/MM/yyyy"))));
    }
    if (s.debut > s.fin)
        std::swap(s.debut, s.fin);
    return 0;
}

// The race as continuous time: its day files assembled, or its tracks; the
// exit code when it cannot be made.
int chronologie_course(Contexte& x, std::unique_ptr<Chronologie>& chrono)
{
    if (!x.etat.course.fichiers_jour) {
        chrono = std::make_unique<Chronologie>(x.etat.course, x.pistes);
        return 0;
    }
    if (!x.archive())
        return 1;
    chrono = std::make_unique<Chronologie>(x.etat.archive);
    return 0;
}

// The archive as continuous time, and the command's instant checked to lie
// within its fixes; the exit code when it cannot be (0 when it can).
int chronologie_commande(const Commande& c, Contexte& x, std::unique_ptr<Chronologie>& chrono)
{
    if (const int r = chronologie_course(x, chrono))
        return r;
    if (chrono->vide()) {
        ecrit_erreur(aucune_position());
        return 1;
    }
    const Instant t = instant_de(c.quand);
    if (t < chrono->premier() || t > chrono->dernier()) {
        const QString forme = QStringLiteral("dd/MM/yyyy HH:mm");
        return arguments_refuses(Texte::tr("Instant hors des archives : « %1 » (du %2 au %3, UTC).")
                                     .arg(c.quand.toString(forme), date_de(chrono->premier()).toString(forme),
                                          date_de(chrono->dernier()).toString(forme)));
    }
    return 0;
}

// --- One function per command -----------------------------------------------

int commande_distance(const Commande& c, Contexte&) { return sortie(lignes_distance(c.lat1, c.lon1, c.lat2, c.lon2)); }

// A date given with `option` that must be a day of the race; the refusal
// said when it is not.
bool hors_de_la_course(const Course& course, const char* option, const QDate& d)
{
    if (jour_de_course(course, d))
        return false;
    arguments_refuses(Texte::tr("%1 : %2 n'est pas un jour de la course (du %3 au %4).")
                          .arg(QLatin1String(option), d.toString(QStringLiteral("dd/MM/yyyy")),
                               course.premier_jour.toString(QStringLiteral("dd/MM/yyyy")),
                               course.dernier_jour.toString(QStringLiteral("dd/MM/yyyy"))));
    return true;
}

// A day whose file would be that of another day of the race (a day file's
// name has a two-digit year: the 06/12/2100 would show the 06/12/2000) is
// refused; another day without a file is simply not available.
bool homonyme_d_un_jour(const Course& course, const char* option, const QDate& d)
{
    return jour_homonyme(course, d).isValid() && hors_de_la_course(course, option, d);
}

int commande_classement(const Commande& c, Contexte& x)
{
    EtatProgramme& e = x.etat;
    if (sans_fichiers_jour(x, QStringLiteral("--classement")) || homonyme_d_un_jour(e.course, "--classement", c.jour))
        return 2;
    montre_mois(e.date, c.jour.month(), c.jour.year());
    valide_date(e.date, c.jour.day(), c.jour.month(), c.jour.year());
    if (!charge_donnees_coureurs(e.course, e.jour, x.emplacements, e.date.code_jour, e.date.date_en_clair)) {
        ecrit_erreur(e.jour.fichier_illisible ? fichier_jour_illisible(e.jour.nom_fichier_jour)
                                              : Texte::tr("Non disponible : autre date ?"));
        return 1;
    }
    if (e.jour.valeurs_hors_bornes > 0)
        ecrit_erreur(valeurs_impossibles(e.jour.nom_fichier_jour));
    return sortie(table_classement(e.jour, separateur_decimal_utilisateur()));
}

int commande_export(const Commande& c, Contexte& x)
{
    SelectionTrajets s;
    if (const int r = selection_commande(c, x, s))
        return r;
    QString erreur;
    const std::vector<uint32_t> couleurs = couleurs_conc_pour(clBlack, x.etat.course.nb());
    if (!x.etat.course.fichiers_jour) {
        // The fixes of the period, from 00h00 UTC of --du to 23h59 of --au.
        const Chronologie chrono(x.etat.course, x.pistes);
        const PeriodeFilm p = periode_des_dates(chrono, c.du, c.au);
        if (!exporte_pistes(chrono, s.concurrents, p.debut, p.fin, c.fichier, couleurs, erreur)) {
            ecrit_erreur(erreur);
            return 1;
        }
        return 0;
    }
    if (!exporte_trajets(x.etat.archive, s, c.fichier, couleurs, erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    return 0;
}

// Today's day file (or --date's) from the official ranking.
int commande_actualiser(const Commande& c, Contexte& x)
{
    const Course& course = x.etat.course;
    if (sans_fichiers_jour(x, QStringLiteral("--actualiser")))
        return 2;
    // A day code's year has two digits: 10/11/2100 would replace the
    // shipped 10/11/2000.
    if (c.jour.isValid() && hors_de_la_course(course, "--date", c.jour))
        return 2;
    const Reglages r = reglages_du_programme(QDir::currentPath(), x.emplacements);
    const SourceClassement source = source_du_classement(c.source, r.url_classement, r.code_excel, QDir::currentPath());
    const QDate jour = c.jour.isValid() ? c.jour : QDate::currentDate();
    QString erreur;
    const QString ecrit = actualise_classement(course, source, r.code_excel, jour, x.jours().rep_ecriture(),
                                               DELAI_CLASSEMENT_MS, erreur);
    if (ecrit.isEmpty()) {
        ecrit_erreur(erreur);
        return 1;
    }
    // The day file is written; only saying where failed.
    if (!ecrit_sortie({QDir::toNativeSeparators(ecrit)}, erreur)) {
        ecrit_erreur(Texte::tr("Le fichier du jour est écrit (« %1 »), mais pas la sortie standard : %2")
                         .arg(QDir::toNativeSeparators(ecrit), erreur));
        return 1;
    }
    return 0;
}

// Rows under a header (French, as data) for a command with --csv: their
// CSV (decimal comma) in that file, else a table on stdout, the headings
// translated and the numbers with the user's decimal separator.
int table_ou_csv(const QString& fichier_csv, const std::function<std::vector<QStringList>(QChar)>& lignes,
                 const std::vector<bool>& a_droite)
{
    if (!fichier_csv.isEmpty()) {
        QString erreur;
        if (!ecrit_fichier(fichier_csv, csv_de(lignes(u',')), erreur)) {
            ecrit_erreur(erreur);
            return 1;
        }
        return 0;
    }
    std::vector<QStringList> t = lignes(separateur_decimal_utilisateur());
    for (QString& titre : t.front())
        titre = Texte::tr(titre.toUtf8().constData());
    return sortie(table_alignee(t, a_droite));
}

// The statistics of the assembled archive (or of a race's tracks): the
// record table, or its CSV.
int commande_statistiques(const Commande& c, Contexte& x)
{
    if (!x.etat.course.fichiers_jour) {
        const Chronologie chrono(x.etat.course, x.pistes);
        return table_ou_csv(c.fichier_csv, [&](QChar sep) { return bilan_pistes(chrono, sep); },
                            {false, false, true, true, true, true});
    }
    if (!x.archive())
        return 1;
    const StatistiquesCourse s = calcule_statistiques(x.etat.archive);
    if (!c.fichier_csv.isEmpty()) {
        QString erreur;
        if (!ecrit_csv_bilan(s, c.fichier_csv, erreur)) {
            ecrit_erreur(erreur);
            return 1;
        }
        return 0;
    }
    return sortie(table_bilan(s, separateur_decimal_utilisateur()));
}

// The moment as a table, or its CSV.
int commande_positions(const Commande& c, Contexte& x)
{
    std::unique_ptr<Chronologie> chrono;
    if (const int r = chronologie_commande(c, x, chrono))
        return r;
    const Instant t = instant_de(c.quand);
    return table_ou_csv(c.fichier_csv, [&](QChar sep) { return lignes_positions(*chrono, t, sep); },
                        {true, false, false, true, true, false});
}

// Two boats compared, as a table or its CSV.
int commande_duel(const Commande& c, Contexte& x)
{
    const Course& course = x.etat.course;
    const int a = concurrent_nomme(course, c.duel1), b = concurrent_nomme(course, c.duel2);
    for (const auto& [i, nom] : {std::pair{a, c.duel1}, std::pair{b, c.duel2}})
        if (i == 0)
            return arguments_refuses(Texte::tr("--duel : concurrent inconnu « %1 ».").arg(nom));
    if (a == b)
        return arguments_refuses(Texte::tr("--duel : deux fois le même concurrent (%1).").arg(course.nom_conc(a)));
    for (const auto& [option, d] : {std::pair{"--du", c.du}, std::pair{"--au", c.au}})
        if (d.isValid() && hors_de_la_course(course, option, d))
            return 2;
    std::unique_ptr<Chronologie> chrono;
    if (const int r = chronologie_course(x, chrono))
        return r;
    if (c.du.isValid() && c.au.isValid() && c.du > c.au)
        return arguments_refuses(Texte::tr("--duel : --du après --au."));
    // By default the rows fall on the step's hours from 00:00 UTC, from the
    // first the two share to the last.
    const Instant pas = Instant(c.pas) * UNE_HEURE;
    const std::pair<Instant, Instant> commune = periode_commune(*chrono, a, b);
    const Instant minuit = instant_de(QDateTime(date_de(commune.first).date(), QTime(0, 0), Qt::UTC));
    Instant debut = minuit + (commune.first - minuit + pas - 1) / pas * pas, fin = commune.second;
    if (c.du.isValid())
        debut = instant_de(QDateTime(c.du, QTime(0, 0), Qt::UTC));
    if (c.au.isValid())
        fin = instant_de(QDateTime(c.au, QTime(23, 59), Qt::UTC));
    if (debut > fin) {
        ecrit_erreur(Texte::tr("--duel : %1 et %2 ne sont jamais en course ensemble.").arg(course.nom_conc(a), course.nom_conc(b)));
        return 1;
    }
    return table_ou_csv(c.fichier_csv, [&](QChar sep) { return lignes_duel(*chrono, a, b, debut, fin, pas, sep); },
                        {false, true, true, false, true, true, false, true, true, true});
}

// The commands, by type: the function, and whether it draws (Qt Gui).
struct Execution {
    Commande::Type type;
    int (*fonction)(const Commande&, Contexte&);
    bool dessine;
};
constexpr Execution EXECUTIONS[] = {
    {Commande::PngCarte, commande_png, true},        {Commande::PngJour, commande_png, true},
    {Commande::PngTrajets, commande_png, true},      {Commande::PngInstant, commande_instant, true},
    {Commande::Distance, commande_distance, false},  {Commande::Classement, commande_classement, false},
    {Commande::Gpx, commande_export, false},         {Commande::Kml, commande_export, false},
    {Commande::Actualiser, commande_actualiser, false}, {Commande::Statistiques, commande_statistiques, false},
    {Commande::Positions, commande_positions, false}, {Commande::Video, commande_video, true},
    {Commande::Duel, commande_duel, false},
};

// Qt's notes that mean nothing to a user of the command line.
void filtre_messages(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
        msg.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fputs(qFormatLogMessage(type, ctx, msg).toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

// A command's result, once the settings files that are not regular files
// have been said (once).
int avec_avis(int code)
{
    for (const QString& l : avis_reglages_utilisateur())
        ecrit_erreur(l);
    return code;
}

}  // namespace cli

int lance_commande(int& argc, char** argv, const QStringList& args, Commande c, const ExtensionsCommandes& x)
{
    using namespace cli;
    qInstallMessageHandler(filtre_messages);
    // A command line refused still speaks the language it asked for.
    if (c.langue.isEmpty() && langue_connue(langue_des_arguments(args)))
        c.langue = langue_des_arguments(args);
    if (c.type == Commande::PngEcarts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return avec_avis(x.image_des_ecarts ? x.image_des_ecarts(argc, argv, c) : 1);
    }
    const Execution* e = nullptr;
    for (const Execution& k : EXECUTIONS)
        if (k.type == c.type)
            e = &k;
    // The pictures need Qt Gui (no widget, no screen).
    std::unique_ptr<QCoreApplication> app;
    if (e && e->dessine) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    Contexte contexte;
    contexte.emplacements = prepare(c);
    if (!e) {
        // Read again once the language is installed: its messages in it.
        c = analyse_commande(args);
        if (c.type == Commande::Aide) {
            QString u = usage();
            if (u.endsWith(u'\n'))
                u.chop(1);
            return sortie({u});
        }
        return arguments_refuses(c.message);
    }
    if (!c.course.isEmpty()) {
        // Another race: its description, and its tracks for a fleet.
        CourseOuverte o;
        QString erreur;
        if (!ouvre_course(c.course, o, erreur)) {
            ecrit_erreur(erreur);
            return avec_avis(1);
        }
        for (const QString& a : o.avis)
            ecrit_erreur(a);
        contexte.etat.course = std::move(o.course);
        contexte.pistes = std::move(o.pistes);
    } else if (c.type != Commande::Distance && !course_du_programme(contexte.emplacements, contexte.etat.course)) {
        return avec_avis(1);
    }
    return avec_avis(e->fonction(c, contexte));
}

}  // namespace orv
