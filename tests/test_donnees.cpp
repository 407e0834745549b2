// Day files, the archive lists and the entrant tables.
#include "donnees.h"
#include "aide_cartes.h"
#include "ecriture.h"
#include "texte.h"
#include "viewport.h"
#include "description.h"
#include "fichier_jour.h"
#include "lecteurs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace orv;

namespace {

// A day-file text from lines, CR LF by default.
QByteArray texte(const QStringList& lignes, const char* fin = "\r\n")
{
    QByteArray b;
    for (const QString& l : lignes)
        b += vers_cp1252(l) + fin;
    return b;
}

// The nine lines of a block with a position.
QStringList bloc(const QString& rang, const QString& nom, double lat, double lon, double dist = 10,
                 double cap = 200, double vit = 12.5, const QString& statut = "le 12/11/2000 à 20h00")
{
    return {rang, nom, statut, QString::number(lat), QString::number(lon), QString::number(dist),
            QString::number(cap), QString::number(vit), "2D-3D"};
}

const TDonnees_conc& rec(const JourCourse& j, int k) { return j.donnees_conc[size_t(k)]; }

JourCourse lu(const QStringList& lignes, const QString& nom = "121100.txt")
{
    JourCourse j(course_livree().nb());
    lit_jour(course_livree(), j, texte(lignes), nom);
    return j;
}

}  // namespace

TEST(LireLigne, VidesEtBlancs)
{
    LecteurTexte f(texte({"  a  ", "", "b", "", "", "c\t ", QString(300, 'x')}));
    EXPECT_EQ(lire_ligne(f), "a");
    EXPECT_EQ(lire_ligne(f), "b");   // one empty line skipped
    EXPECT_EQ(lire_ligne(f), "");    // of two, the second is returned
    EXPECT_EQ(lire_ligne(f), "c\t"); // tabs stay
    EXPECT_EQ(lire_ligne(f).size(), 255);
    EXPECT_TRUE(f.eof());
    EXPECT_EQ(lire_ligne(f), "");
    // LF alone ends lines too; code page 1252 is decoded.
    LecteurTexte g(QByteArray("Arriv\xe9\n\x80 \x9c\n"));
    EXPECT_EQ(lire_ligne(g), QStringLiteral("Arrivé"));
    EXPECT_EQ(lire_ligne(g), QStringLiteral("€ œ"));
    // CR alone ends lines too, mixed with the others; reading ahead comes
    // back to where it was.
    LecteurTexte h(QByteArray("a\rb\r\nc\nd\r\re"));
    EXPECT_EQ(lire_ligne(h), "a");
    const LecteurTexte::Marque m = h.marque();
    EXPECT_EQ(lire_ligne(h), "b");
    EXPECT_EQ(lire_ligne(h), "c");
    h.reprend(m);
    for (const char* attendue : {"b", "c", "d", "e"})
        EXPECT_EQ(lire_ligne(h), attendue);
    EXPECT_TRUE(h.eof());
}

TEST(Nombres, RegleDesFichiersDuJour)
{
    ext v = 0;
    for (const char* oui : {"46.28", "  -1.47", "+3", "1e5", "2.5E-3", "0"})
        EXPECT_TRUE(est_nombre(QString(oui), &v)) << oui;
    for (const char* non : {"", "46,28", ".5", "5.", "1e", "abc", "12 ", "--1", "1e9999", "nan", "inf"})
        EXPECT_FALSE(est_nombre(QString(non), &v)) << non;
    int64_t n = 0;
    EXPECT_TRUE(est_entier(QString(" 12"), &n));
    EXPECT_EQ(n, 12);
    EXPECT_FALSE(est_entier(QString("1.0")));
    EXPECT_FALSE(est_entier(QString("NC")));
    EXPECT_TRUE(est_entier(QString("99999999999999999999999"), &n));  // an integer, past any rank
    EXPECT_EQ(nombre_ou_zero(QString("x12")), 0);
}

TEST(Concurrents, TablesEtIndices)
{
    for (int k = 1; k <= course_livree().nb(); ++k) {
        EXPECT_LE(course_livree().nom_conc(k).size(), 14);
        if (k > 1) {
            EXPECT_LT(course_livree().nom_conc(k - 1), course_livree().nom_conc(k));
        }
        EXPECT_EQ(course_livree().indice(course_livree().nom_conc(k)), k);
    }
    EXPECT_EQ(course_livree().indice("  Lammorin"), 13);
    EXPECT_EQ(course_livree().indice("Lammorin "), course_livree().inconnu());  // trailing blanks stay
    EXPECT_EQ(course_livree().indice("lammorin"), course_livree().inconnu());
    EXPECT_EQ(course_livree().indice("Inconnu"), course_livree().inconnu());
    EXPECT_EQ(course_livree().indice("ArvelinXXXXXXXyy"), course_livree().inconnu());
    EXPECT_EQ(course_livree().concurrents[20].carac.greement, "Ketch");
    EXPECT_EQ(course_livree().concurrents[3].carac.poids_charge, "9,6");
    EXPECT_EQ(course_livree().nb(), 24);
    EXPECT_EQ(course_livree().inconnu(), 25);
    EXPECT_EQ(course_livree().premier_jour, QDate(2000, 11, 10));
    EXPECT_EQ(course_livree().nom, "Orvalis 2000 - 2001");
}

// A race's description: read in any order of its entrants (indexes by
// surname), a damaged one refused naming its line.
TEST(Concurrents, DescriptionDeLaCourse)
{
    const QByteArray tete = "[course]\r\nnom=Essai\r\npremier jour=01/02/2003\r\ndernier jour=03/02/2003\r\n"
                            "depart=Port;46.28;1.47\r\n[concurrents]\r\n";
    Course c;
    QString err;
    ASSERT_TRUE(lit_course(tete + "Zed;B;C;1;2;3;4;z.bmp\r\nAlpha;A;C;1;2;3;4;a.bmp\r\n", "e.course", c, err)) << err;
    EXPECT_EQ(c.nb(), 2);
    EXPECT_EQ(c.nom_conc(1), "Alpha");
    EXPECT_EQ(c.indice("Zed"), 2);
    EXPECT_EQ(c.depart.latitude, 46.28L);
    const struct {
        QByteArray texte;
        const char* dit;
    } cas[] = {
        {tete + "Seul;B;C;1;2;3;4\r\n", "ligne 7 : un concurrent a 8 champs"},
        {tete + "A;B;C;1;2;3;4;x\r\nA;B;C;1;2;3;4;x\r\n", "ligne 8 : « A » déjà nommé"},
        {"[course]\r\npremier jour=31/02/2003\r\n", "ligne 2 : « 31/02/2003 » n'est pas une date"},
        {"[course]\r\ndepart=Port;91;1\r\n", "ligne 2 : « Port;91;1 » n'est pas un lieu"},
        {"[ailleurs]\r\n", "ligne 1 : section inconnue"},
        {"nom=X\r\n", "ligne 1 : « nom=X » hors d'une section"},
        {tete, "incomplète : « e.course » : aucun concurrent"},
        {tete + "Quinze-Lettres-X;B;C;1;2;3;4;x\r\n", "ligne 7 : « Quinze-Lettres-X » : un nom de skipper a 14 caractères au plus"},
        {"[course]\r\nnom=A\r\nnom=B\r\n", "ligne 3 : « nom » déjà donné"},
        {"[course]\r\nnom=" + QByteArray(300, 'x') + "\r\n", "ligne 2 : ligne de plus de 255 caractères"},
    };
    for (const auto& k : cas) {
        Course d;
        EXPECT_FALSE(lit_course(k.texte, "e.course", d, err));
        EXPECT_TRUE(err.contains(QString::fromUtf8(k.dit))) << err;
    }
}

// A race opens from its folder or its description, by the reader that takes
// it; a folder of nothing the program reads is refused, and one of day
// files without their description says which file is missing.
TEST(Concurrents, OuvertureDUneCourse)
{
    QTemporaryDir d;
    QDir(d.path()).mkdir("jours");
    QDir(d.path()).mkdir("vide");
    QFile::copy(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), d.filePath("autre.course"));
    QFile::copy(QStringLiteral(ORVALIS_DONNEES "/101100.txt"), d.filePath("jours/101100.txt"));
    QDir(d.path()).mkdir("deux");
    QFile::copy(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), d.filePath("deux/a.course"));
    QFile::copy(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), d.filePath("deux/b.course"));
    const struct {
        QString chemin;
        const char* dit;  // null: opens as the shipped race
    } cas[] = {
        {QStringLiteral(ORVALIS_DONNEES), nullptr},
        {d.path(), nullptr},
        {d.filePath("autre.course"), nullptr},
        {d.filePath("vide"), "n'est pas une course"},
        {d.filePath("jours"), "orvalis.course » (fichier absent)"},
        {d.filePath("absent.gpx"), "Course introuvable"},
        {d.filePath("deux"), "plusieurs descriptions de course (a.course, b.course)"},
    };
    for (const auto& k : cas) {
        Course c;
        QString err;
        EXPECT_EQ(ouvre_course(k.chemin, c, err), !k.dit) << k.chemin;
        if (k.dit)
            EXPECT_TRUE(err.contains(QString::fromUtf8(k.dit))) << err;
        else
            EXPECT_EQ(c.nb(), course_livree().nb());
    }
}

TEST(SepareNom, BateauEtSkipper)
{
    TDonnees_conc r;
    separe_nom("Grand Largue (Lammorin)", r);
    EXPECT_EQ(r.bateau, "Grand Largue ");  // the blank before the parenthesis stays
    EXPECT_EQ(r.skipper, "Lammorin");
    separe_nom("Sans parentheses", r);
    EXPECT_EQ(r.bateau, "");
    EXPECT_EQ(r.skipper, "");
    separe_nom("(Seul)", r);
    EXPECT_EQ(r.bateau, "");
    EXPECT_EQ(r.skipper, "Seul");
    separe_nom("Bateau )x(", r);
    EXPECT_EQ(r.skipper, "");  // ")" before "(": nothing between them
    separe_nom("Sans ouvrante)", r);  // no "(": the skipper is what precedes ")"
    EXPECT_EQ(r.bateau, "");
    EXPECT_EQ(r.skipper, "Sans ouvrante");
}

TEST(FichierDuJour, BlocsOrdinaires)
{
    QStringList l = {"Orvalis", "Pos."};
    l += bloc("1", "Grand Largue (Lammorin)", 41.34, 11.51, 24538, 214, 12.8);
    l += bloc("2", "Nordet (Nodarin)", 41.37, -11.48, 13.7, 45.6, 12.26);
    const JourCourse j = lu(l);
    EXPECT_EQ(j.nb_classes, 2);
    EXPECT_EQ(rec(j, 1).skipper, "Lammorin");
    EXPECT_EQ(rec(j, 1).bateau, "Grand Largue ");
    EXPECT_EQ(rec(j, 1).elem.nom, "Lammorin");
    EXPECT_EQ(rec(j, 1).elem.latitude, 41.34L);
    EXPECT_EQ(rec(j, 1).elem.longitude, 11.51L);
    EXPECT_EQ(rec(j, 1).distance, 24538);
    EXPECT_EQ(rec(j, 2).cap, 45.6L);
    EXPECT_EQ(rec(j, 2).vitesse, 12.26L);
    EXPECT_EQ(rec(j, 2).date_txt, "le 12/11/2000 à 20h00");
    EXPECT_EQ(rec(j, 2).lat_txt, "41.37");
    EXPECT_EQ(rec(j, 2).long_txt, "-11.48");
    EXPECT_FALSE(rec(j, 2).non_classe);
    // The same file with LF line ends reads the same.
    JourCourse k(course_livree().nb());
    lit_jour(course_livree(), k, texte(l, "\n"), "121100.txt");
    EXPECT_EQ(k.nb_classes, 2);
    EXPECT_EQ(rec(k, 2).cap, 45.6L);
}

TEST(FichierDuJour, Variantes)
{
    QStringList l = {"1", "Sans Statut (Arvelin)", "10.30", "20.15", "5", "90", "8", "2D-3D"};
    // Continuation of the name, then the status.
    l += QStringList{"2", "Très Long Nom", "Suite (Baudrinec)", "le 13/11/2000", "11", "190", "6", "91", "7", "2D-3D"};
    // No speed line: 6 knots, the marker takes its place.
    l += QStringList{"3", "Lent (Bocquarel)", "le x", "12", "-200", "7", "92", "2D-3D"};
    // Abandon, ranked: marque_A.
    l += QStringList{"4", "Cassé (Cadorien)", "Abandon - démâtage", "46.28", "1.47", "0", "0", "0", "2D-3D"};
    // Latitude not a number: the block ends, the next line starts a block.
    l += QStringList{"5", "Muet (Corvelle)", "le y", "inconnue"};
    // Unranked with an "A" status: the text, not the flag.
    l += QStringList{"NC", "Retiré (Darnoux)", "Arrêt technique", "46.28", "1.47", "0", "0", "0", "2D-3D"};
    // A technical stop: neither a number nor "le"/"A", its latitude after
    // it: its status, no position.
    l += QStringList{"NC", "Escale (Esquilan)", "En escale à Rio", "46.28", "1.47", "0", "0", "0", "2D-3D"};
    const JourCourse j = lu(l, "131100.txt");
    EXPECT_EQ(rec(j, 1).date_txt, "131100");
    EXPECT_EQ(rec(j, 1).elem.latitude, 10.30L);
    EXPECT_EQ(rec(j, 2).bateau, "Très Long Nom Suite ");
    EXPECT_EQ(rec(j, 2).skipper, "Baudrinec");
    EXPECT_EQ(rec(j, 2).date_txt, "le 13/11/2000");
    EXPECT_EQ(rec(j, 2).elem.longitude, -170);  // 190 -> -170
    EXPECT_EQ(rec(j, 3).vitesse, 6.0L);
    EXPECT_EQ(rec(j, 3).elem.longitude, 160);   // -200 -> 160
    EXPECT_TRUE(rec(j, 4).marque_A);
    EXPECT_EQ(rec(j, 4).date_txt, "Abandon - démâtage");
    EXPECT_EQ(rec(j, 5).lat_txt, "inconnue");
    EXPECT_EQ(rec(j, 5).skipper, "Corvelle");
    EXPECT_EQ(j.nb_classes, 5);
    EXPECT_TRUE(rec(j, 6).non_classe);
    EXPECT_EQ(rec(j, 6).rang, 6);
    EXPECT_FALSE(rec(j, 6).marque_A);
    EXPECT_EQ(rec(j, 6).date_txt, "Arrêt technique");
    EXPECT_EQ(rec(j, 7).date_txt, "En escale à Rio");
    EXPECT_EQ(rec(j, 7).bateau, "Escale ");
    EXPECT_TRUE(rec(j, 7).sans_position);
    // A retirement carries no position either, ranked or not; a time and a
    // name's continuation leave the block's own.
    EXPECT_TRUE(rec(j, 4).sans_position && rec(j, 6).sans_position);
    EXPECT_FALSE(rec(j, 1).sans_position || rec(j, 2).sans_position || rec(j, 3).sans_position);
    EXPECT_TRUE(dessine_au_jour(rec(j, 4)));   // ranked, drawn at the harbour as always
    EXPECT_FALSE(dessine_au_jour(rec(j, 6)) || dessine_au_jour(rec(j, 7)));
}

TEST(FichierDuJour, ClassesPuisNonClasses)
{
    QStringList l;
    for (int k = 1; k <= 20; ++k)
        l += bloc(QString::number(k), QStringLiteral("B (%1)").arg(course_livree().nom_conc(k)), k, k);
    for (int k = 21; k <= 24; ++k)
        l += bloc("NC", QStringLiteral("B (%1)").arg(course_livree().nom_conc(k)), k, k);
    const JourCourse j = lu(l);
    EXPECT_EQ(j.nb_classes, 20);
    for (int k = 21; k <= 24; ++k) {
        EXPECT_EQ(rec(j, k).rang, k);
        EXPECT_TRUE(rec(j, k).non_classe);
        EXPECT_EQ(rec(j, k).skipper, course_livree().nom_conc(k));
    }
    // A header without any "1": nothing loaded.
    EXPECT_EQ(lu({"Orvalis", "2", "Pos."}).nb_classes, 0);
}

TEST(FichierDuJour, EntreesDangereuses)
{
    // Ranks outside 1..24 and a 25th block: read past, never stored.
    QStringList l;
    l += bloc("1", "A (Arvelin)", 1, 1);
    l += bloc("0", "Z (Zero)", 2, 2);
    l += bloc("25", "Z (Vingt-cinq)", 3, 3);
    l += bloc("-3", "Z (Negatif)", 4, 4);
    l += bloc("99999999999999999999999", "Z (Enorme)", 5, 5);
    for (int k = 0; k < 30; ++k)
        l += bloc("NC", QStringLiteral("N (Nc%1)").arg(k), 6, 6);
    JourCourse j = lu(l);
    EXPECT_EQ(j.nb_classes, 1);
    EXPECT_EQ(rec(j, 1).skipper, "Arvelin");
    EXPECT_EQ(rec(j, 2).skipper, "Nc0");
    EXPECT_EQ(rec(j, 24).skipper, "Nc22");

    // Non-numeric distance, course, speed, longitude: 0.
    j = lu({"1", "X (Arvelin)", "le 1", "10", "ouest", "loin", "nord", "vite", "2D-3D"});
    EXPECT_EQ(rec(j, 1).elem.longitude, 0);
    EXPECT_EQ(rec(j, 1).distance, 0);
    EXPECT_EQ(rec(j, 1).cap, 0);
    EXPECT_EQ(rec(j, 1).vitesse, 0);
    EXPECT_EQ(j.valeurs_hors_bornes, 0);
    // Values beyond a boat's: absent too, and counted; the fix stays.
    j = lu({"1", "X (Arvelin)", "le 1", "10", "20", "1e308", "400", "1e9", "2D-3D"});
    EXPECT_EQ(rec(j, 1).elem.latitude, 10);
    EXPECT_TRUE(rec(j, 1).distance_absente);
    EXPECT_EQ(rec(j, 1).distance + rec(j, 1).cap + rec(j, 1).vitesse, 0);
    EXPECT_EQ(j.valeurs_hors_bornes, 3);

    // NUL bytes, binary junk, a file cut in the middle of a block.
    QByteArray b = texte(bloc("1", "A (Arvelin)", 1, 2));
    static const char coupe[] = "2\r\nB\0\0(Bau\xff\x01)\r\nle\r\n45";
    b += QByteArray(coupe, sizeof coupe - 1);
    JourCourse k(course_livree().nb());
    lit_jour(course_livree(), k, b, "x");
    EXPECT_EQ(k.nb_classes, 2);  // the cut block keeps what it had:
    EXPECT_EQ(rec(k, 2).elem.latitude, 0);  // a latitude without longitude is no fix
    EXPECT_EQ(rec(k, 2).lat_txt, "45");
    EXPECT_EQ(rec(k, 2).skipper, QString::fromUtf16(u"Bau\u00ff\u0001"));
    QByteArray bruit;
    for (int i = 0; i < 5000; ++i)
        bruit += char((i * 7919) % 256);
    lit_jour(course_livree(), k, bruit, "x");
    lit_jour(course_livree(), k, QByteArray(), "x");
    lit_jour(course_livree(), k, QByteArray("1"), "x");
    lit_jour(course_livree(), k, QByteArray("1\n"), "x");
    lit_jour(course_livree(), k, QByteArray("1\n2\n"), "x");
    SUCCEED();
}

TEST(FichierDuJour, ChargementEtCadrage)
{
    QTemporaryDir d;
    QStringList l;
    const double lats[] = {46.3, 40.0, 50.0, 45.0};
    const double lons[] = {1.47, 10.0, -5.0, 170.0};
    for (int k = 0; k < 4; ++k)
        l += bloc(QString::number(k + 1), QStringLiteral("B (%1)").arg(course_livree().nom_conc(k + 1)),
                  lats[k], lons[k]);
    QFile f(d.filePath("021200.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texte(l));
    f.close();

    JourCourse j(course_livree().nb());
    j.donnees_conc[5].skipper = "reste";
    // A blank first character of the day code stands for "0".
    ASSERT_TRUE(charge_donnees_coureurs(course_livree(), j, d.path(), " 21200", "Samedi  2 DECEMBRE   2000"));
    EXPECT_EQ(j.nom_fichier_jour, "021200.txt");
    EXPECT_EQ(j.date_affichee, "Samedi  2 DECEMBRE   2000");
    EXPECT_EQ(j.donnees_conc[5].skipper, "");  // reset
    EXPECT_EQ(j.donnees_conc[5].lat_txt, "0");

    Viewport v;
    cadre_sur_flotte(j, 1, v);
    EXPECT_EQ(v.lat_nord, 46.3L);
    EXPECT_EQ(v.lat_sud, 46.3L);
    EXPECT_EQ(v.long_ouest, 1.47L);
    EXPECT_EQ(v.long_est, 1.47L);
    cadre_sur_flotte(j, 3, v);
    // The longitudes in the opposite order to their names (long_ouest the
    // easternmost); the latitudes from the northernmost to a degree below
    // the southernmost.
    EXPECT_EQ(v.lat_nord, 50.0L);
    EXPECT_EQ(v.lat_sud, 39.0L);
    EXPECT_EQ(v.long_ouest, -5.0L);
    EXPECT_EQ(v.long_est, 10.0L);
    cadre_sur_flotte(j, 4, v);
    EXPECT_EQ(v.long_est, 170.0L);
    // More than 24 counts as 24 (never past the table).
    cadre_sur_flotte(j, 1000, v);
    // A fleet less than a degree tall (the start): every boat inside the
    // view once fitted.
    JourCourse depart(course_livree().nb());
    const double lat_d[] = {46.05, 45.52, 46.28, 46.19};
    for (int k = 1; k <= 4; ++k)
        depart.donnees_conc[size_t(k)].elem = cree_pos_elem("x", lat_d[k - 1], 3 + 0.1 * k);
    Viewport w;
    cadre_sur_flotte(depart, 4, w);
    w.ajuste(804, 585);
    for (int k = 1; k <= 4; ++k) {
        const int32_t y = w.pos_grY(ddmm_vers_rad(lat_d[k - 1]));
        EXPECT_GE(y, 0) << k;
        EXPECT_LE(y, 585) << k;
    }

    // A missing day: false; only the reset fields change.
    j.nb_classes = 7;
    EXPECT_FALSE(charge_donnees_coureurs(course_livree(), j, d.path(), "011100", "x"));
    EXPECT_EQ(j.nb_classes, 7);
    EXPECT_EQ(j.donnees_conc[1].skipper, "");
    EXPECT_EQ(j.donnees_conc[1].elem.latitude, 46.3L);
}

TEST(Archive, ListesParConcurrent)
{
    JourCourse j(course_livree().nb());
    ArchiveCourse a;
    auto jour = [&](const QStringList& l, const QString& nom) { relit_jour(course_livree(), j, a, texte(l), nom); };
    QStringList j1 = bloc("1", "A (Arvelin)", 1, 1) + bloc("2", "B (Baudrinec)", 2, 2);
    QStringList j2 = bloc("1", "A (Arvelin)", 3, 3) +
                     QStringList{"2", "B (Baudrinec)", "le 2", "inconnue"} +  // no new position
                     bloc("NC", "C (Cadorien)", 4, 4, 0, 0, 0, "Abandon");
    QStringList j3 = bloc("1", "A (Arvelin)", 5, 5) + bloc("2", "X (Personne)", 6, 6) +
                     bloc("3", "B (Baudrinec)", 7, 7);
    jour(j1, "101100.txt");
    jour(j2, "111100.txt");
    jour(j3, "121100.txt");
    EXPECT_EQ(a.longueur(1), 3);
    const TDonnees_conc* e = a.liste_traj[1];
    EXPECT_EQ(e->elem.latitude, 1);
    EXPECT_EQ(e->suivant->elem.latitude, 3);
    EXPECT_EQ(e->suivant->suivant->elem.latitude, 5);
    EXPECT_EQ(e->suivant->suivant->suivant, nullptr);
    EXPECT_EQ(a.queue_traj[1], e->suivant->suivant);
    // Baudrinec: day 2 copies the previous position; day 3 stops at the unknown skipper.
    ASSERT_EQ(a.longueur(2), 2);
    EXPECT_EQ(a.liste_traj[2]->suivant->elem.latitude, 2);
    EXPECT_EQ(a.liste_traj[2]->suivant->lat_txt, "inconnue");
    // Unranked with an "A" status: the text, no flag.
    ASSERT_EQ(a.longueur(4), 1);
    EXPECT_EQ(a.liste_traj[4]->date_txt, "Abandon");
    EXPECT_TRUE(a.liste_traj[4]->non_classe);
    EXPECT_FALSE(a.liste_traj[4]->marque_A);
    EXPECT_EQ(j.nb_classes, 0);  // the day's count is not touched
    a.vide(course_livree().nb());
    EXPECT_EQ(a.longueur(1), 0);
}

TEST(ArchiveLivree, ToutesLesJourneesSeLisent)
{
    const QString rep = QStringLiteral(ORVALIS_DONNEES);
    const QStringList noms = QDir(rep).entryList({"[0-3][0-9][01][0-9]0[01].txt"}, QDir::Files);
    ASSERT_GE(noms.size(), 100);
    for (const char* premiere : {"101100", "111100", "121100", "131100", "141100", "151100", "161100"})
        EXPECT_TRUE(noms.contains(QString(premiere) + ".txt")) << premiere;
    JourCourse j(course_livree().nb());
    ArchiveCourse a;
    int arrivees = 0, abandons = 0, nc = 0;
    for (const QString& n : noms) {
        SCOPED_TRACE(n.toStdString());
        ASSERT_TRUE(charge_donnees_coureurs(course_livree(), j, rep, n.left(6), ""));
        int presents = 0;
        for (int k = 1; k <= course_livree().nb(); ++k) {
            const TDonnees_conc& r = j.donnees_conc[size_t(k)];
            if (r.skipper.isEmpty())
                continue;
            ++presents;
            EXPECT_LT(course_livree().indice(r.skipper), course_livree().inconnu()) << r.skipper.toStdString();
            arrivees += r.date_txt.startsWith(QStringLiteral("Arrivé"));
            abandons += r.date_txt.startsWith(QStringLiteral("Abandon"));
            nc += r.non_classe;
            if (!r.marque_A) {
                EXPECT_GE(r.vitesse, 0);
                EXPECT_LE(r.vitesse, 18);
            }
        }
        EXPECT_EQ(presents, course_livree().nb());
        ASSERT_TRUE(relis_data(course_livree(), j, a, rep, n));
    }
    EXPECT_GT(arrivees, 0);
    EXPECT_GT(abandons, 0);
    EXPECT_GT(nc, 0);
    for (int k = 1; k <= course_livree().nb(); ++k)
        EXPECT_EQ(a.longueur(k), noms.size());
}

TEST(FichierDuJour, EntreesTrouveesParLeFuzzing)
{
    // Every input that once crashed a fuzz target is replayed here.
    const QDir rep(QStringLiteral(ORVALIS_SOURCES "/tests/fuzz/regressions"));
    const QStringList noms = rep.entryList(QDir::Files);
    ASSERT_FALSE(noms.isEmpty());
    for (const QString& n : noms) {
        SCOPED_TRACE(n.toStdString());
        QByteArray b;
        ASSERT_TRUE(lit_fichier(rep.filePath(n), b));
        JourCourse j(course_livree().nb());
        lit_jour(course_livree(), j, b, "101100.txt");
        EXPECT_GE(j.nb_classes, 0);
        EXPECT_LE(j.nb_classes, course_livree().nb());
        ArchiveCourse a;
        relit_jour(course_livree(), j, a, b, "101100.txt");
    }
    // Rank 1 thirty times: nb_classes stays within the table.
    QStringList l;
    for (int k = 0; k < 30; ++k)
        l += bloc("1", "A (Arvelin)", 1, 1);
    EXPECT_EQ(lu(l).nb_classes, course_livree().nb());
}

TEST(Nombres, LectureRapideIdentiqueALaLectureComplete)
{
    // The short decimal path must give the correctly rounded value, bit for
    // bit the one of the general reader (reached through an exponent).
    uint64_t x = 88172645463325252ull;
    for (int k = 0; k < 20000; ++k) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const int decimales = int(x % 12);
        const uint64_t m = (x >> 8) % 100000000000000ull;
        QString s = QString::number(m);
        if (decimales > 0) {
            s = s.rightJustified(decimales + 1, '0');
            s.insert(s.size() - decimales, '.');
        }
        if (x & 1)
            s.prepend('-');
        ext rapide = 0, complet = 0;
        ASSERT_TRUE(est_nombre(s, &rapide));
        ASSERT_TRUE(est_nombre(s + "e0", &complet));
        ASSERT_EQ(rapide, complet) << s.toStdString();
    }
    // 19 to 40 digits, around the limit of the short path's 64-bit integer.
    for (int k = 0; k < 4000; ++k) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const int chiffres = 19 + int(x % 22);
        QString s;
        uint64_t y = x;
        for (int c = 0; c < chiffres; ++c) {
            y = y * 6364136223846793005ull + 1442695040888963407ull;
            s += QChar(u'0' + char16_t((y >> 33) % 10));
        }
        if (x & 2)
            s.insert(int(x % uint64_t(chiffres)), '.');
        if (s.startsWith('.') || s.endsWith('.'))
            s.insert(s.startsWith('.') ? 0 : s.size(), '7');
        ext rapide = 0, complet = 0;
        ASSERT_TRUE(est_nombre(s, &rapide)) << s.toStdString();
        ASSERT_TRUE(est_nombre(s + "e0", &complet));
        ASSERT_EQ(rapide, complet) << s.toStdString();
    }
    ext v = 0;
    ASSERT_TRUE(est_nombre(QStringLiteral("18446744073709551617"), &v));  // 2^64 + 1
    EXPECT_EQ(v, 18446744073709551617.0L);
}

TEST(FichierDuJour, PositionsHorsDuGlobe)
{
    // A latitude beyond ±90 leaves the entrant where it was, the rest of
    // its block read (the next block whole); one that is not a number ends
    // the block; a longitude beyond ±360 leaves the entrant where it was.
    JourCourse j = lu({"1", "A (Arvelin)", "le 1", "46.30", "1.47", "0", "0", "0", "2D-3D"});
    ASSERT_EQ(rec(j, 1).elem.latitude, 46.30L);
    for (const char* faux : {"1e300", "95", "-90.01"}) {
        SCOPED_TRACE(faux);
        JourCourse k = j;
        lit_jour(course_livree(), k,
                 texte(QStringList{"1", "A (Arvelin)", "le 2", faux, "3", "5", "6", "7", "2D-3D"} +
                       bloc("2", "B (Baudrinec)", 10, 20)),
                 "131100.txt");
        EXPECT_EQ(rec(k, 1).elem.latitude, 46.30L);
        EXPECT_EQ(rec(k, 1).elem.longitude, 1.47L);
        EXPECT_EQ(rec(k, 1).lat_txt, QString::fromLatin1(faux));
        EXPECT_EQ(rec(k, 1).vitesse, 7);
        EXPECT_EQ(rec(k, 2).elem.latitude, 10);
        EXPECT_EQ(k.valeurs_hors_bornes, 1);
    }
    for (const char* faux : {"1e4000", "inf", "nan"}) {
        SCOPED_TRACE(faux);
        JourCourse k = j;
        lit_jour(course_livree(), k, texte({"1", "A (Arvelin)", "le 2", faux, "2D-3D"}), "131100.txt");
        EXPECT_EQ(rec(k, 1).elem.latitude, 46.30L);
        EXPECT_EQ(rec(k, 1).lat_txt, QString::fromLatin1(faux));
    }
    for (const char* faux : {"1e300", "360.01", "-400", "1e4000", "inf"}) {
        SCOPED_TRACE(faux);
        JourCourse k = j;
        lit_jour(course_livree(), k, texte({"1", "A (Arvelin)", "le 2", "10", faux, "5", "6", "7", "2D-3D"}), "131100.txt");
        EXPECT_EQ(rec(k, 1).elem.latitude, 46.30L);
        EXPECT_EQ(rec(k, 1).elem.longitude, 1.47L);
        EXPECT_EQ(rec(k, 1).vitesse, 7);  // the rest of the block is read
    }
    // In range: 90, -90, 360 (stored as 0), -200 (stored as 160).
    j = lu({"1", "A (Arvelin)", "le 1", "90", "360", "0", "0", "0", "2D-3D", "2", "B (Baudrinec)", "le 1",
            "-90", "-200", "0", "0", "0", "2D-3D"});
    EXPECT_EQ(rec(j, 1).elem.latitude, 90);
    EXPECT_EQ(rec(j, 1).elem.longitude, 0);
    EXPECT_EQ(rec(j, 2).elem.latitude, -90);
    EXPECT_EQ(rec(j, 2).elem.longitude, 160);
}

TEST(Texte, EcritureCp1252EtCRLF)
{
    QTemporaryDir d;
    const QString chemin = d.filePath("101100.txt");
    ASSERT_TRUE(ecrit_lignes(chemin, {QStringLiteral("Arrivé le 1"), QStringLiteral("€ œ"), "2D-3D"}));
    QByteArray b;
    ASSERT_TRUE(lit_fichier(chemin, b));
    EXPECT_EQ(b, QByteArray("Arriv\xe9 le 1\r\n\x80 \x9c\r\n2D-3D\r\n"));
    LecteurTexte f(b);
    EXPECT_EQ(f.ligne(), QStringLiteral("Arrivé le 1"));
    EXPECT_EQ(f.ligne(), QStringLiteral("€ œ"));
    EXPECT_FALSE(ecrit_lignes(d.filePath("absent/x.txt"), {"x"}));
}

// Whatever lies under a day file's name: a folder, a pipe no one writes
// to, a device, an empty or a sparse huge file. None blocks or fills the
// memory; the day is simply unavailable.
TEST(Texte, LectureDeFichiersQuiNenSontPas)
{
    QTemporaryDir d;
    QByteArray b = "avant";
    EXPECT_FALSE(lit_fichier(d.filePath("absent.txt"), b));
    QDir().mkpath(d.filePath("101100.txt"));
    EXPECT_FALSE(lit_fichier(d.filePath("101100.txt"), b));
    ASSERT_EQ(::mkfifo(QFile::encodeName(d.filePath("111100.txt")).constData(), 0600), 0);
    EXPECT_FALSE(lit_fichier(d.filePath("111100.txt"), b));
    EXPECT_FALSE(lit_fichier("/dev/zero", b));
    {
        QFile vide(d.filePath("121100.txt"));
        ASSERT_TRUE(vide.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(lit_fichier(d.filePath("121100.txt"), b));
    EXPECT_TRUE(b.isEmpty());
    {
        QFile enorme(d.filePath("131100.txt"));
        ASSERT_TRUE(enorme.open(QIODevice::WriteOnly));
        ASSERT_TRUE(enorme.resize(TAILLE_MAX_FICHIER_TEXTE + 1));  // sparse: no disk used
    }
    EXPECT_FALSE(lit_fichier(d.filePath("131100.txt"), b));

    // Through the day loading: nothing read, nothing hangs.
    JourCourse j(course_livree().nb());
    for (const char* code : {"101100", "111100", "131100"})
        EXPECT_FALSE(charge_donnees_coureurs(course_livree(), j, d.path(), code, "x")) << code;
}
