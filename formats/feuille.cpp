#include "feuille.h"

#include "fichier_jour.h"
#include "ecriture.h"
#include "texte.h"
#include "traduction.h"

#include <algorithm>
#include <cmath>

namespace orv {

QString Feuille::cellule(int ligne, int colonne) const
{
    if (ligne < 1 || colonne < 1 || ligne > int(lignes.size()))
        return {};
    const QStringList& l = lignes[size_t(ligne - 1)];
    return colonne <= l.size() ? l[colonne - 1] : QString();
}

bool Feuille::place(int ligne, int colonne, const QString& texte)
{
    if (ligne < 1 || colonne < 1 || ligne > LIGNES_MAX_FEUILLE || colonne > COLONNES_MAX_FEUILLE)
        return false;
    const size_t ajout =
        size_t(ligne) <= lignes.size() ? size_t(std::max<qsizetype>(0, colonne - lignes[size_t(ligne - 1)].size()))
                                       : size_t(colonne);
    if (nb_cellules + ajout > CELLULES_MAX_FEUILLE)
        return false;
    if (size_t(ligne) > lignes.size())
        lignes.resize(size_t(ligne));
    QStringList& l = lignes[size_t(ligne - 1)];
    if (l.size() < colonne)
        l.resize(colonne);
    nb_cellules += ajout;
    l[colonne - 1] = texte.simplified();
    return true;
}

namespace {
QString sans_blancs(QString s) { return s.remove(u' '); }
}  // namespace

bool RechercheFeuille::cellule_egale(int ligne, int colonne, const QString& texte)
{
    if (ligne * colonne == 0 || !feuille_recherche)
        return false;
    if (sans_blancs(feuille_recherche->cellule(ligne, colonne)) != sans_blancs(texte))
        return false;
    ligne_trouvee = ligne;
    colonne_trouvee = colonne;
    return true;
}

bool RechercheFeuille::cherche_colonne(int colonne, const QString& texte)
{
    for (int l = 1; l <= 99; ++l)
        if (cellule_egale(l, colonne, texte))
            return true;
    return false;
}

bool RechercheFeuille::cherche_autour(int r, int k, const QString& texte)
{
    const int autour[][2] = {{0, 0},  {-1, 0}, {-2, 0}, {1, 0},  {2, 0},  {0, -1},
                             {0, 1},  {-1, 1}, {1, 1},  {1, -1}, {-1, -1}};
    for (const auto& d : autour)
        if (cellule_egale(r + d[0], k + d[1], texte))
            return true;
    return false;
}

namespace {

// The columns of a sheet layout.
struct Disposition {
    int rang, nom, latitude, longitude, distance, cap, vitesse;
};
constexpr Disposition DISPOSITION_97{1, 8, 9, 10, 11, 12, 13};
constexpr Disposition DISPOSITION_2000{1, 2, 3, 4, 5, 6, 7};

// The fields of a block, in the order of its nine lines.
enum Champ { RANG, NOM, STATUT, LATITUDE, LONGITUDE, DISTANCE, CAP, VITESSE, MARQUEUR };
const char* const NOMS_CHAMPS[] = {
    QT_TRANSLATE_NOOP("Orvalis", "rang"),     QT_TRANSLATE_NOOP("Orvalis", "nom"),
    QT_TRANSLATE_NOOP("Orvalis", "statut"),   QT_TRANSLATE_NOOP("Orvalis", "latitude"),
    QT_TRANSLATE_NOOP("Orvalis", "longitude"), QT_TRANSLATE_NOOP("Orvalis", "distance"),
    QT_TRANSLATE_NOOP("Orvalis", "cap"),      QT_TRANSLATE_NOOP("Orvalis", "vitesse"),
    QT_TRANSLATE_NOOP("Orvalis", "position")};
constexpr int LIGNES_BLOC = 9;
// The lines of an entrant without a position, latitude to speed: the race's
// harbour (DD.MM as the description gives it), zeros.
QStringList position_absente(const Course& c)
{
    auto texte = [](ext v) { return QString::number(double(v), 'g', 15); };
    return {texte(c.depart.latitude), texte(c.depart.longitude), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0")};
}

// A number written with a decimal comma ("46,5").
bool nombre_a_virgule(QStringView s)
{
    const qsizetype k = s.indexOf(u',');
    if (k < 0 || s.indexOf(u',', k + 1) >= 0)
        return false;
    QString p = s.toString();
    p[k] = u'.';
    return est_nombre(QStringView(p).trimmed());
}

// A latitude cell that holds a position: a number, or one with a decimal
// comma (refused later by name, rather than read as a status text that
// would shift the rows of every entrant after it).
bool cellule_de_position(const QString& lat)
{
    return est_nombre(lat) || nombre_a_virgule(QStringView(lat).trimmed());
}

// The race's n blocks from the first entrant's row. An entrant with a
// position takes two rows (its status text under its name), one without
// (its latitude cell holds its status text) one row.
void ecrit_blocs(const Course& c, const Feuille& f, int ligne, const Disposition& d, QStringList& lignes)
{
    const QStringList absente = position_absente(c);
    for (int n = 0; n < c.nb(); ++n) {
        const QString rang = f.cellule(ligne, d.rang), nom = f.cellule(ligne, d.nom);
        // Past the last entrant of a shorter sheet: no blocks of empty lines.
        if (rang.trimmed().isEmpty() && nom.trimmed().isEmpty())
            break;
        const QString lat = f.cellule(ligne, d.latitude);
        if (cellule_de_position(lat)) {
            lignes << rang << nom << f.cellule(ligne + 1, d.nom) << lat << f.cellule(ligne, d.longitude)
                   << f.cellule(ligne, d.distance) << f.cellule(ligne, d.cap) << f.cellule(ligne, d.vitesse)
                   << QStringLiteral("2D-3D");
            ligne += 2;
        } else {
            lignes << rang << nom << lat;
            lignes << absente;
            lignes << QStringLiteral("2D-3D");
            ligne += 1;
        }
    }
}

// "1er", "3e": the entrant's place in the sheet.
QString ordinal(qsizetype n)
{
    return n == 1 ? Texte::tr("1er", "first (entrant)") : Texte::tr("%1e", "ordinal: 3e is 3rd").arg(n);
}

// "latitude du 3e concurrent (Fauvrelin)": the field and the entrant, by
// its place in the sheet and, when known, its skipper.
QString designation(int champ, qsizetype n, const QString& skipper = {})
{
    QString s = Texte::tr("%1 du %2 concurrent").arg(Texte::tr(NOMS_CHAMPS[champ]), ordinal(n));
    if (!skipper.isEmpty())
        s += QStringLiteral(" (%1)").arg(skipper);
    return s;
}

QString refus(const QString& quoi) { return Texte::tr("Classement illisible : %1 ; rien n'est écrit.").arg(quoi); }

// The blocks as the day reader will take them: a block with an empty line
// or a number cell that is not a number would shift every entrant after
// it. A sheet of the other layout, or with cells missing, is refused rather
// than written over the day's good file.
bool blocs_complets(const QStringList& lignes, QString& erreur)
{
    if (lignes.isEmpty()) {
        erreur = Texte::tr("Classement illisible : aucun concurrent sous la ligne « 1 » ; rien n'est écrit.");
        return false;
    }
    for (qsizetype k = 0; k < lignes.size(); ++k) {
        const int champ = int(k % LIGNES_BLOC);
        const QStringView v = QStringView(lignes[k]).trimmed();
        const bool nombre = champ < LATITUDE || champ > VITESSE || est_nombre(v) || nombre_a_virgule(v);
        if (v.isEmpty() || !nombre) {
            erreur = refus(designation(champ, k / LIGNES_BLOC + 1) +
                           (v.isEmpty() ? Texte::tr(" vide")
                                        : Texte::tr(" « %1 » n'est pas un nombre").arg(lignes[k])));
            return false;
        }
    }
    return true;
}
}  // namespace

bool MAJ_fi_clss(const Course& c, const Feuille& f, QStringList& lignes, QString& erreur)
{
    RechercheFeuille r;
    r.feuille_recherche = &f;
    if (!r.cherche_colonne(DISPOSITION_97.rang, QStringLiteral("1"))) {
        erreur = Texte::tr("Classement illisible : pas de ligne « 1 » dans la feuille RECLASS (disposition 97).");
        return false;
    }
    lignes.clear();
    ecrit_blocs(c, f, r.ligne_trouvee, DISPOSITION_97, lignes);
    return blocs_complets(lignes, erreur);
}

bool MAJ_fi_clss_2000(const Course& c, const Feuille& f, QStringList& lignes, QString& erreur)
{
    RechercheFeuille r;
    r.feuille_recherche = &f;
    if (!r.cherche_colonne(DISPOSITION_2000.rang, QStringLiteral("Pos."))) {
        erreur = Texte::tr("Classement illisible : pas de ligne « Pos. » dans la feuille RECLASS (disposition 2000).");
        return false;
    }
    if (!r.cherche_autour(r.ligne_trouvee + 9, DISPOSITION_2000.rang, QStringLiteral("1"))) {
        erreur = Texte::tr("Classement illisible : pas de ligne « 1 » sous « Pos. » dans la feuille RECLASS.");
        return false;
    }
    lignes.clear();
    ecrit_blocs(c, f, r.ligne_trouvee, DISPOSITION_2000, lignes);
    return blocs_complets(lignes, erreur);
}

bool lignes_du_classement(const Course& c, const Feuille& f, int code_excel, const QDate& jour, QStringList& lignes,
                          QString& erreur)
{
    bool ok = false;
    if (code_excel == 1)
        ok = MAJ_fi_clss(c, f, lignes, erreur);
    else if (code_excel == 2)
        ok = MAJ_fi_clss_2000(c, f, lignes, erreur);
    else
        erreur = Texte::tr("Actualisation désactivée (posorvls.ini : Excel=non).");
    return ok && verifie_classement(c, lignes, jour, erreur);
}

namespace {
// What one block of the sheet says, as the checks found it.
struct Bloc {
    bool classe = false;
    int64_t rang = 0;
    QString nom, bateau, skipper, statut;
    bool position = false;  // a fix, not a status text in the latitude cell
    ext lat = 0, lon = 0, distance = 0, cap = 0, vitesse = 0;
};

// A number cell within [min, max]; a decimal comma named.
bool nombre_plausible(const QString& cellule, int champ, qsizetype n, const QString& skipper, ext min, ext max,
                      const char* unite, ext& v, QString& erreur)
{
    const QStringView t = QStringView(cellule).trimmed();
    const QString qui = designation(champ, n, skipper) + QStringLiteral(" « %1 »").arg(cellule);
    if (nombre_a_virgule(t)) {
        erreur = refus(qui + Texte::tr(" : virgule décimale, un point est attendu"));
        return false;
    }
    if (!est_nombre(t, &v)) {
        erreur = refus(qui + Texte::tr(" n'est pas un nombre"));
        return false;
    }
    if (!(v >= min && v <= max)) {
        erreur = refus(qui + Texte::tr(" : hors de %1 à %2%3")
                                 .arg(double(min), 0, 'g', 6)
                                 .arg(double(max), 0, 'g', 6)
                                 .arg(Texte::tr(unite)));
        return false;
    }
    return true;
}
}  // namespace

bool verifie_classement(const Course& c, const QStringList& lignes, const QDate& jour, QString& erreur)
{
    const int nb_conc = c.nb();
    const QStringList absente = position_absente(c);
    if (lignes.size() % LIGNES_BLOC != 0) {
        erreur = refus(Texte::tr("blocs incomplets"));
        return false;
    }
    const qsizetype nb = lignes.size() / LIGNES_BLOC;
    std::vector<Bloc> blocs(static_cast<size_t>(nb));
    std::vector<bool> skippers(size_t(nb_conc) + 1), rangs(size_t(nb_conc) + 1);
    int classes = 0;
    bool non_classe_vu = false;
    for (qsizetype b = 0; b < nb; ++b) {
        const qsizetype n = b + 1;
        const QStringList l = lignes.mid(b * LIGNES_BLOC, LIGNES_BLOC);
        Bloc& x = blocs[size_t(b)];
        // The name: "Boat (Skipper)", a skipper of the entrant table, once.
        x.nom = l[NOM];
        TDonnees_conc r;
        separe_nom(texte_court(x.nom), r);
        x.bateau = r.bateau;
        x.skipper = r.skipper;
        const int indice = c.indice(x.skipper);
        if (indice == c.inconnu()) {
            erreur = refus(designation(NOM, n) + Texte::tr(" « %1 » : skipper inconnu").arg(x.nom));
            return false;
        }
        if (skippers[size_t(indice)]) {
            erreur = refus(designation(NOM, n) + Texte::tr(" « %1 » : skipper déjà classé").arg(x.nom));
            return false;
        }
        skippers[size_t(indice)] = true;
        // The rank: 1 first, then ranks without repeat, then the unranked.
        const QString rang = l[RANG].trimmed();
        x.classe = est_entier(QStringView(rang), &x.rang);
        if (x.classe) {
            if (b == 0 && rang != QLatin1String("1")) {
                erreur = refus(designation(RANG, n, x.skipper) + Texte::tr(" « %1 » : le premier doit être « 1 »").arg(rang));
                return false;
            }
            if (non_classe_vu) {
                erreur = refus(designation(RANG, n, x.skipper) + Texte::tr(" « %1 » : classé après un non classé").arg(rang));
                return false;
            }
            if (x.rang < 1 || x.rang > nb_conc) {
                erreur = refus(designation(RANG, n, x.skipper) + Texte::tr(" « %1 » : hors de 1 à %2").arg(rang).arg(nb_conc));
                return false;
            }
            if (rangs[size_t(x.rang)]) {
                erreur = refus(designation(RANG, n, x.skipper) + Texte::tr(" « %1 » : rang répété").arg(rang));
                return false;
            }
            rangs[size_t(x.rang)] = true;
            ++classes;
        } else {
            non_classe_vu = true;
        }
        // The status: what the day reader takes as one.
        x.statut = l[STATUT];
        const QString qui_statut = designation(STATUT, n, x.skipper) + QStringLiteral(" « %1 »").arg(x.statut);
        if (est_nombre(QStringView(x.statut))) {
            erreur = refus(qui_statut + Texte::tr(" : un nombre, pas un statut"));
            return false;
        }
        // An entrant without a position (its latitude cell held its status)
        // is written with the harbour's placeholder: its status says why
        // (a retirement, an arrival, a technical stop), never a time.
        x.position = l.mid(LATITUDE, 5) != absente;
        const bool heure = x.statut.startsWith(QLatin1String("le"));
        if (x.position ? !heure && !x.statut.startsWith(u'A') : heure || x.statut.trimmed().isEmpty()) {
            erreur = refus(qui_statut + (x.position ? Texte::tr(" : doit commencer par « le » ou par « A »")
                                                    : Texte::tr(" : une heure sans position")));
            return false;
        }
        for (const auto& [champ, texte] : {std::pair{NOM, &x.nom}, std::pair{STATUT, &x.statut}}) {
            const QByteArray octets = vers_cp1252(*texte);
            if (depuis_cp1252(octets.constData(), octets.size()) != *texte) {
                erreur = refus(designation(champ, n, x.skipper) +
                               Texte::tr(" « %1 » : caractère impossible à écrire en code page 1252").arg(*texte));
                return false;
            }
        }
        const auto t = heure_du_texte(x.statut);
        if (heure && (!t || !t->isValid())) {
            erreur = refus(qui_statut + Texte::tr(" : heure illisible (le JJ/MM/AAAA à HHhMM attendu)"));
            return false;
        }
        if (t) {
            if (!t->isValid() || !heure_croyable(*t, c.premier_jour, jour)) {
                erreur = refus(qui_statut + Texte::tr(" : heure hors de la course (du %1 au %2)")
                                                .arg(c.premier_jour.toString(QStringLiteral("dd/MM/yyyy")),
                                                     jour.addDays(1).toString(QStringLiteral("dd/MM/yyyy"))));
                return false;
            }
        }
        // The numbers, within what a boat can do.
        if (!nombre_plausible(l[LATITUDE], LATITUDE, n, x.skipper, -90, 90, QT_TRANSLATE_NOOP("Orvalis", "°"), x.lat, erreur) ||
            !nombre_plausible(l[LONGITUDE], LONGITUDE, n, x.skipper, -180, 180, QT_TRANSLATE_NOOP("Orvalis", "°"), x.lon, erreur) ||
            !nombre_plausible(l[DISTANCE], DISTANCE, n, x.skipper, 0, DISTANCE_MAX_MILLES, QT_TRANSLATE_NOOP("Orvalis", " milles"), x.distance, erreur) ||
            !nombre_plausible(l[CAP], CAP, n, x.skipper, 0, 360, QT_TRANSLATE_NOOP("Orvalis", "°"), x.cap, erreur) ||
            !nombre_plausible(l[VITESSE], VITESSE, n, x.skipper, 0, VITESSE_MAX_NOEUDS, QT_TRANSLATE_NOOP("Orvalis", " nœuds"), x.vitesse, erreur))
            return false;
        // Positions are degrees and minutes (DD.MM).
        for (const int champ : {LATITUDE, LONGITUDE})
            if (!ddmm_valide(champ == LATITUDE ? x.lat : x.lon, champ == LATITUDE ? 90 : 180)) {
                erreur = refus(designation(champ, n, x.skipper) +
                               Texte::tr(" « %1 » : minutes au-delà de 60 (DD.MM attendu)").arg(l[champ]));
                return false;
            }
        if (l[MARQUEUR] != QLatin1String("2D-3D")) {
            erreur = refus(designation(MARQUEUR, n, x.skipper) + Texte::tr(" : fin de bloc absente"));
            return false;
        }
    }
    if (nb != nb_conc) {
        erreur = Texte::tr("Classement incomplet : %n concurrent(s) au lieu de %1 ; rien n'est écrit.", nullptr, int(nb))
                     .arg(nb_conc);
        return false;
    }
    for (int k = 1; k <= classes; ++k)
        if (!rangs[size_t(k)]) {
            erreur = refus(Texte::tr("rang %1 absent (%2 concurrents classés)").arg(k).arg(classes));
            return false;
        }

    // Read back by the day reader itself: it must give exactly the sheet.
    JourCourse relu;
    lit_jour(c, relu, octets_cp1252(lignes), code_du_jour(jour.day(), jour.month(), jour.year()) + QStringLiteral(".txt"));
    if (relu.nb_classes != classes) {
        erreur = refus(Texte::tr("relu, %1 concurrents classés au lieu de %2").arg(relu.nb_classes).arg(classes));
        return false;
    }
    int non_classes = 0;
    for (qsizetype b = 0; b < nb; ++b) {
        const Bloc& x = blocs[size_t(b)];
        const int indice = x.classe ? int(x.rang) : classes + ++non_classes;
        const TDonnees_conc& r = relu.donnees_conc[size_t(indice)];
        const bool pareil = r.skipper == x.skipper && r.bateau == x.bateau && r.date_txt == texte_court(x.statut) &&
                            r.non_classe == !x.classe && r.elem.latitude == x.lat && r.elem.longitude == x.lon &&
                            r.distance == x.distance && r.cap == x.cap && r.vitesse == x.vitesse;
        if (!pareil) {
            erreur = refus(Texte::tr("relu, le %1 concurrent (%2) ne donne pas ce que dit la feuille")
                               .arg(ordinal(b + 1), x.skipper));
            return false;
        }
    }
    return true;
}

}  // namespace orv
