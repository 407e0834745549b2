#include "fichier_jour.h"

#include "calendrier.h"
#include "traduction.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

namespace {
constexpr std::string_view MARQUEUR = "2D-3D";
constexpr ext VITESSE_PAR_DEFAUT = 6.0L;

// Positions from a file: a latitude beyond ±90 or a longitude beyond ±360
// (1e300, 95) is corrupt and counts as not a number.
bool latitude_valide(const QString& s, ext& v) { return est_nombre(s, &v) && std::fabs(v) <= 90; }
bool longitude_valide(const QString& s, ext& v) { return est_nombre(s, &v) && std::fabs(v) <= 360; }
// A number beyond those ranges: a value the file should not hold.
bool hors_bornes(const QString& s, ext max)
{
    ext v = 0;
    return est_nombre(s, &v) && !(std::fabs(v) <= max);
}

bool statut(const QString& s)
{
    return s.startsWith(QLatin1String("le")) || s.startsWith(u'A');
}

// Reads every block after the first line "1". Without an archive: the day
// load (marque_A, nb_classes). With one: the re-reading, which stops at an
// unknown skipper and appends every block to its entrant's list.
void lit_blocs(const Course& c, JourCourse& j, LecteurTexte& f, const QString& nom_fichier, ArchiveCourse* archive,
               int32_t jour_archive = -1)
{
    const int nb = c.nb();
    if (int(j.donnees_conc.size()) != nb + 1)
        j.donnees_conc.resize(size_t(nb) + 1);
    int32_t classes = 0, u = 0;
    // Lines that only matter as numbers are read as bytes, without a string.
    std::string_view L;
    j.heure_classement = QDateTime();
    j.nb_lus = 0;
    j.valeurs_hors_bornes = 0;
    do {
        L = lire_plage(f).vue();
        if (L.substr(0, 13) == "Classement du")
            if (const auto t = heure_du_classement(depuis_cp1252(L.data(), qsizetype(L.size()))))
                j.heure_classement = *t;
    } while (L != "1" && !f.eof());

    while (!f.eof()) {
        int64_t n = 0;
        const bool classe = est_entier(L, &n);
        int64_t indice;
        if (classe) {
            indice = n;
        } else {
            ++u;
            indice = int64_t(classes) + u;
        }
        // A rank outside 1..n or a block past the n-th is read but kept in
        // a scratch record: nothing is written outside the table.
        const bool dans_table = indice >= 1 && indice <= nb;
        TDonnees_conc brouillon;
        TDonnees_conc& R = dans_table ? j.donnees_conc[size_t(indice)] : brouillon;
        R.date_txt.clear();
        R.rang = int32_t(dans_table ? indice : 0);
        R.non_classe = !classe;

        R.bateau = lire_ligne(f);
        R.sans_position = false;
        QString lat_ligne = lire_ligne(f);
        if (!est_nombre(lat_ligne)) {
            bool est_statut = statut(lat_ligne);
            if (!est_statut) {
                // Neither a number nor "le..."/"A...": the status of an
                // entrant without a position when its latitude follows,
                // else a continuation of the name.
                const LecteurTexte::Marque m = f.marque();
                est_statut = est_nombre(lire_plage(f).vue());
                f.reprend(m);
            }
            if (est_statut) {
                R.date_txt = lat_ligne;
                if (classe && !archive)
                    R.marque_A = lat_ligne.startsWith(u'A');
                // Neither a time nor an arrival: the block carries the
                // harbour's placeholder, not where the boat is.
                R.sans_position = !lat_ligne.startsWith(QLatin1String("le")) &&
                                  !lat_ligne.startsWith(QStringLiteral("Arrivé"));
            } else {
                R.bateau = texte_court(R.bateau + u' ' + lat_ligne);
                R.date_txt = lire_ligne(f);
            }
            lat_ligne = lire_ligne(f);
        }
        if (R.date_txt.isEmpty())
            R.date_txt = nom_fichier.left(6);
        separe_nom(R.bateau, R);

        int indice_archive = 0;
        if (archive) {
            indice_archive = c.indice(R.skipper);
            if (indice_archive == c.inconnu())
                return;
        }

        R.lat_txt = lat_ligne;
        ext lat = 0;
        // A latitude beyond ±90 is a number the file should not hold: the
        // rest of the block is read, the entrant left where it was.
        const bool lat_hors_bornes = hors_bornes(lat_ligne, 90);
        if (lat_hors_bornes)
            ++j.valeurs_hors_bornes;
        if (latitude_valide(lat_ligne, lat) || lat_hors_bornes) {
            R.long_txt = lire_ligne(f);
            ext lon = 0;
            // A longitude that is not a number, or beyond a turn, leaves
            // the entrant where it was, as a latitude that is not one does.
            if (hors_bornes(R.long_txt, 360))
                ++j.valeurs_hors_bornes;
            if (!lat_hors_bornes && longitude_valide(R.long_txt, lon)) {
                if (lon > 180)
                    lon -= 360;
                if (lon < -180)
                    lon += 360;
                R.elem = cree_pos_elem(R.skipper, lat, lon);
            }
            // Values beyond what a boat can do are absent, as a line that
            // is not a number.
            auto borne = [&](std::string_view t, ext max, bool* absente = nullptr) {
                ext v = 0;
                const bool nombre = est_nombre(t, &v);
                const bool dans_bornes = nombre && v >= 0 && v <= max;
                if (nombre && !dans_bornes)
                    ++j.valeurs_hors_bornes;
                if (absente)
                    *absente = !dans_bornes;
                return dans_bornes ? v : ext(0);
            };
            R.distance = borne(lire_plage(f).vue(), DISTANCE_MAX_MILLES, &R.distance_absente);
            R.cap = borne(lire_plage(f).vue(), 360);
            const std::string_view T = lire_plage(f).vue();
            if (T == MARQUEUR) {
                R.vitesse = VITESSE_PAR_DEFAUT;
            } else {
                R.vitesse = borne(T, VITESSE_MAX_NOEUDS);
                lire_plage(f);
            }
        }
        if (archive || c.indice(R.skipper) != c.inconnu())
            ++j.nb_lus;

        if (archive && dans_table) {
            archive->elements.push_back(R);
            TDonnees_conc* e = &archive->elements.back();
            e->suivant = nullptr;
            e->jour = jour_archive;
            const size_t i = size_t(indice_archive);
            if (!archive->liste_traj[i])
                archive->liste_traj[i] = e;
            else
                archive->queue_traj[i]->suivant = e;
            archive->queue_traj[i] = e;
        }
        if (classe && dans_table)
            ++classes;
        L = lire_plage(f).vue();
    }
    // Repeated ranks count each time they appear; the table holds n.
    if (!archive)
        j.nb_classes = std::min(classes, int32_t(nb));
}

void remet_a_zero(const Course& c, JourCourse& j, bool drapeaux)
{
    j.donnees_conc.resize(size_t(c.nb()) + 1);
    for (int k = 1; k <= c.nb(); ++k) {
        TDonnees_conc& r = j.donnees_conc[size_t(k)];
        r.skipper.clear();
        r.lat_txt = QStringLiteral("0");
        r.long_txt = QStringLiteral("0");
        if (drapeaux) {
            r.non_classe = false;
            r.marque_A = false;
        }
    }
}
}  // namespace

LecteurTexte::Plage lire_plage(LecteurTexte& f)
{
    LecteurTexte::Plage r = f.plage();
    if (r.n == 0 && !f.eof())
        r = f.plage();
    // Blanks are the same byte in code page 1252: trim before decoding.
    while (r.n > 0 && *r.p == ' ') {
        ++r.p;
        --r.n;
    }
    while (r.n > 0 && r.p[r.n - 1] == ' ')
        --r.n;
    return r;
}

QString lire_ligne(LecteurTexte& f)
{
    const LecteurTexte::Plage r = lire_plage(f);
    return depuis_cp1252(r.p, r.n);
}

void lit_jour(const Course& c, JourCourse& j, const QByteArray& contenu, const QString& nom_fichier)
{
    LecteurTexte f(contenu);
    lit_blocs(c, j, f, nom_fichier, nullptr);
}

QString chemin_fichier_jour(const Emplacements& e, const QString& code_jour)
{
    return chemin_jour_nomme(e, code_jour + QStringLiteral(".txt"));
}

std::vector<QDate> jours_avec_fichier(const Course& c, const Emplacements& e)
{
    std::vector<QDate> l;
    if (!c.fichiers_jour)
        return l;
    const Emplacements ou = emplacements_des_jours(c, e);
    for (QDate j = c.premier_jour; j.isValid() && j <= c.dernier_jour; j = j.addDays(1))
        if (QFileInfo(chemin_fichier_jour(ou, j.toString(QStringLiteral("ddMMyy")))).isFile())
            l.push_back(j);
    return l;
}

QString chemin_jour_nomme(const Emplacements& e, const QString& nom_fichier)
{
    // Installed, the user's own day files come first.
    if (e.installe && !e.rep_archives.isEmpty()) {
        const QString perso = e.rep_archives + u'/' + nom_fichier;
        if (QFileInfo(perso).isFile())
            return perso;
    }
    return e.rep_programme + u'/' + nom_fichier;
}

Emplacements emplacements_des_jours(const Course& c, const Emplacements& e)
{
    if (!c.autre())
        return e;
    return Emplacements(c.dossier);
}

bool charge_donnees_coureurs(const Course& c, JourCourse& j, const Emplacements& programme, QString code_jour,
                             const QString& date_en_clair)
{
    const Emplacements e = emplacements_des_jours(c, programme);
    remet_a_zero(c, j, true);
    j.fichier_illisible = false;
    if (!code_jour.isEmpty() && code_jour[0] == u' ')
        code_jour[0] = u'0';
    j.nom_fichier_jour = code_jour + QStringLiteral(".txt");
    const QString chemin = chemin_fichier_jour(e, code_jour);
    QByteArray contenu;
    if (!lit_fichier(chemin, contenu)) {
        j.fichier_illisible = QFileInfo::exists(chemin);
        return false;
    }
    lit_jour(c, j, contenu, j.nom_fichier_jour);
    if (j.nb_lus == 0) {
        j.fichier_illisible = true;
        return false;
    }
    j.date_affichee = date_en_clair;
    return true;
}

QString fichier_jour_illisible(const QString& nom_fichier)
{
    return Texte::tr("Fichier du jour illisible : « %1 » (aucun concurrent lu).").arg(nom_fichier);
}

QString valeurs_impossibles(const QString& nom_fichier)
{
    return Texte::tr("Valeurs impossibles lues comme absentes dans : %1.").arg(nom_fichier);
}

void relit_jour(const Course& c, JourCourse& j, ArchiveCourse& a, const QByteArray& contenu,
                const QString& nom_fichier, int32_t jour)
{
    remet_a_zero(c, j, false);
    if (int(a.liste_traj.size()) != c.nb() + 1)
        a.vide(c.nb());
    LecteurTexte f(contenu);
    lit_blocs(c, j, f, nom_fichier, &a, jour);
}

bool relis_data(const Course& c, JourCourse& j, ArchiveCourse& a, const Emplacements& e,
                const QString& nom_fichier, int32_t jour)
{
    QByteArray contenu;
    if (!lit_fichier(chemin_jour_nomme(e, nom_fichier), contenu))
        return false;
    relit_jour(c, j, a, contenu, nom_fichier, jour);
    return true;
}

bool constitue_trajets(const Course& c, ArchiveJours& a, const Emplacements& programme, QString& erreur)
{
    const Emplacements e = emplacements_des_jours(c, programme);
    a.course = &c;
    a.vide();
    // A date state and a reading buffer of the assembly's own: the day on
    // display keeps its records and its date.
    EtatDate date;
    date.jour_choisi = c.premier_jour.day();
    date.mois_choisi = c.premier_jour.month();
    date.annee_choisie = c.premier_jour.year();
    date.code_jour = code_du_jour(date.jour_choisi, date.mois_choisi, date.annee_choisie);
    JourCourse tampon;
    for (QDate d = c.premier_jour; d <= c.dernier_jour; d = d.addDays(1)) {
        if (d != c.premier_jour)
            jour_suivant(date);
        const QString nom = date.code_jour + QStringLiteral(".txt");
        const QString chemin = chemin_jour_nomme(e, nom);
        const QFileInfo fi(chemin);
        if (!fi.exists()) {
            if (d != c.premier_jour)
                continue;
            erreur = Texte::tr("Lecture impossible du fichier « %1 » : les trajets ne sont pas constitués.")
                         .arg(fi.absoluteFilePath());
            a.vide();
            return false;
        }
        QByteArray contenu;
        const size_t avant = a.listes.elements.size();
        if (lit_fichier(chemin, contenu))
            relit_jour(c, tampon, a.listes, contenu, nom, a.nb_jours());
        // Unreadable, or no entrant in it: skipped, and said.
        if (a.listes.elements.size() == avant) {
            a.fichiers_illisibles << nom;
            continue;
        }
        if (tampon.valeurs_hors_bornes > 0)
            a.fichiers_douteux << nom;
        a.heures_classement.push_back(tampon.heure_classement);
        // The "depuis le" list starts with the race's first day, the
        // "jusqu'au" list with no end.
        a.dates_depuis << (a.jours.empty() && d == c.premier_jour ? date_du_depart(d) : date.date_en_clair);
        a.dates_jusqua << (a.jours.empty() ? QStringLiteral("--------------") : date.date_en_clair);
        a.jours.push_back(d);
    }
    for (int i = 1; i <= c.nb(); ++i)
        a.tete_traj[size_t(i)] = a.listes.liste_traj[size_t(i)];
    a.constituee = true;
    return true;
}

QStringList avis_archive(const ArchiveJours& a)
{
    QStringList l;
    if (!a.fichiers_illisibles.isEmpty())
        l << Texte::tr("Fichiers du jour illisibles, laissés de côté : %1.").arg(a.fichiers_illisibles.join(QStringLiteral(", ")));
    if (!a.fichiers_douteux.isEmpty())
        l << valeurs_impossibles(a.fichiers_douteux.join(QStringLiteral(", ")));
    return l;
}

}  // namespace orv
