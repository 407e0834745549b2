// Map files: reading, the directory search and the recorded map directory.
#include "cartes.h"
#include "rechfi.h"

#include "aide_fichiers.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace orv;

namespace {

QByteArray enregs(std::initializer_list<std::pair<double, double>> pts)
{
    QByteArray b;
    for (auto [lat, lon] : pts) {
        b.append(reinterpret_cast<const char*>(&lat), 8);
        b.append(reinterpret_cast<const char*>(&lon), 8);
    }
    return b;
}

// Each test starts without a recorded map directory.
class Registre : public ::testing::Test {
protected:
    void SetUp() override { QSettings(QSettings::NativeFormat, QSettings::UserScope, "QMR_GEO_APP").clear(); }
    void TearDown() override { SetUp(); }
    static void memorise(const QString& rep)
    {
        QString erreur;
        ASSERT_TRUE(ecrit_rep_cartes_registre(rep, erreur)) << erreur.toStdString();
    }
};

struct Messages {
    QStringList infos, avert;
    OptionsCartes options(const QString& rep_prog, std::vector<QString> racines)
    {
        OptionsCartes o;
        o.rep_programme = rep_prog;
        o.racines = std::move(racines);
        o.racines_imposees = true;
        o.information = [this](const QString& m) { infos << m; };
        o.avertissement = [this](const QString& m) { avert << m; };
        return o;
    }
};

}  // namespace

TEST(Cartes, TailleNonMultipleDe16EtFichierVide)
{
    QTemporaryDir d;
    QByteArray cent;
    for (int k = 0; k < 100; ++k)
        cent.append(char(k));
    ecrit(d.filePath("cent.bdc"), cent);
    ecrit(d.filePath("vide.bdc"), QByteArray());
    CartePix c;
    QString err;
    ASSERT_TRUE(lit_carte(d.filePath("cent.bdc"), 100, c, err));
    EXPECT_EQ(c.taille, 100);
    EXPECT_EQ(c.nb_points, 6);
    EXPECT_EQ(c.points_lus(), 6);
    // Every record read lies in the buffer (AddressSanitizer checks the
    // reads in the sanitized build); the last 4 bytes are never used.
    double somme = 0;
    for (int64_t k = 0; k < 2 * c.points_lus(); ++k)
        somme += c.enregs()[k];
    EXPECT_TRUE(std::isfinite(somme) || std::isnan(somme));
    EXPECT_EQ(std::memcmp(c.enregs(), cent.constData(), 96), 0);
    CartePix v;
    ASSERT_TRUE(lit_carte(d.filePath("vide.bdc"), 0, v, err));
    EXPECT_EQ(v.nb_points, 0);
    EXPECT_EQ(v.points_lus(), 0);
}

TEST_F(Registre, EntreesQuiNeSontPasDesFichiersOrdinaires)
{
    QTemporaryDir d;
    ecrit(d.filePath("MONDE.BDC"), enregs({{1, 2}}));
    // A pipe would block the start for ever; a 1 TB sparse file would
    // exhaust memory; a directory is no map.
    ASSERT_EQ(::mkfifo(QFile::encodeName(d.filePath("zz.bdc")).constData(), 0600), 0);
    QFile grand(d.filePath("grand.bdc"));
    ASSERT_TRUE(grand.open(QIODevice::WriteOnly));
    ASSERT_TRUE(grand.resize(int64_t(1) << 40));
    grand.close();
    QDir().mkpath(d.filePath("dossier.bdc"));
    memorise(d.path());
    Cartes c;
    Messages m;
    charge_cartes(c, m.options("", {}));
    ASSERT_EQ(c.liste.size(), 1u);
    EXPECT_EQ(c.liste[0].nom, "MONDE.BDC");  // the pattern ignores case
    ASSERT_EQ(m.infos.size(), 1);
    EXPECT_EQ(m.infos[0], QStringLiteral("Impossible de lire la carte grand.bdc : fichier trop grand (plus de 256 Mo)."));
    // The known file is found in any case.
    QTemporaryDir r;
    ecrit(r.filePath("x/FRANCENO.BDC"), "x");
    EXPECT_EQ(recherche_sur_racine(r.path(), "Franceno.bdc"), r.filePath("x"));
    EXPECT_TRUE(contient_fichier(r.filePath("x"), "franceno.bdc"));
}

TEST(Cartes, ClasseSelonLeNom)
{
    EXPECT_EQ(classe_carte("STFrontieres.bdc"), 'S');
    EXPECT_EQ(classe_carte("st.bdc"), 'S');
    EXPECT_EQ(classe_carte("lkLacs.bdc"), 'L');
    EXPECT_EQ(classe_carte("Monde.bdc"), 0);
    EXPECT_EQ(classe_carte("S.bdc"), 0);
}

TEST(RechFi, OrdreEnLargeur)
{
    QTemporaryDir d;
    const QString r = d.path();
    // In the root and in a subdirectory: the root itself.
    ecrit(r + "/c/Franceno.bdc", "x");
    ecrit(r + "/c/sous/Franceno.bdc", "x");
    EXPECT_EQ(recherche_sur_racine(r + "/c", "Franceno.bdc"), r + "/c");
    // In A/X and in B: A/X is deeper, later in breadth-first order, and wins.
    ecrit(r + "/d/A/X/Franceno.bdc", "x");
    ecrit(r + "/d/B/Franceno.bdc", "x");
    ecrit(r + "/d/C/vide.txt", "x");
    EXPECT_EQ(recherche_sur_racine(r + "/d", "Franceno.bdc"), r + "/d/A/X");
    // Nothing: empty.
    EXPECT_EQ(recherche_sur_racine(r + "/d/C", "Franceno.bdc"), QString());
    EXPECT_EQ(recherche_sur_racine(r + "/absent", "Franceno.bdc"), QString());
    // Two roots holding it: the first wins.
    EXPECT_EQ(recherche_racines({r + "/d", r + "/c"}, "Franceno.bdc"), r + "/d/A/X");
    // The system trees are never entered.
    EXPECT_EQ(recherche_sur_racine("/proc", "Franceno.bdc"), QString());
}

TEST(RechFi, NiLiensNiRepertoiresCaches)
{
    QTemporaryDir d;
    const QString r = d.path();
    ecrit(r + "/e/.cache/Franceno.bdc", "x");
    QDir().mkpath(r + "/e/boucle");
    ASSERT_TRUE(QFile::link(r + "/e", r + "/e/boucle/retour"));
    ecrit(r + "/ailleurs/Franceno.bdc", "x");
    ASSERT_TRUE(QFile::link(r + "/ailleurs", r + "/e/lien"));
    // A cycle of links ends; hidden and linked directories are not searched.
    EXPECT_EQ(recherche_sur_racine(r + "/e", "Franceno.bdc"), QString());
}

TEST_F(Registre, ValeurEnregistree)
{
    QTemporaryDir d;
    ecrit(d.filePath("maps/a.bdc"), enregs({{1, 2}, {3, 4}}));
    ecrit(d.filePath("maps/B.BDC"), enregs({{5, 6}}));
    ecrit(d.filePath("maps/notes.txt"), "x");
    memorise(d.filePath("maps"));
    EXPECT_EQ(QDir::fromNativeSeparators(lit_rep_cartes_registre()), d.filePath("maps"));
    Cartes c;
    Messages m;
    charge_cartes(c, m.options("", {}));
    EXPECT_TRUE(c.cartes_chargees);
    ASSERT_EQ(c.liste.size(), 2u);
    EXPECT_EQ(c.liste[0].nom, "a.bdc");
    EXPECT_EQ(c.liste[1].nom, "B.BDC");
    EXPECT_EQ(c.liste[0].enregs()[2], 3.0);
    EXPECT_TRUE(m.infos.isEmpty());
    EXPECT_TRUE(m.avert.isEmpty());
}

TEST_F(Registre, RepertoireDisparuSansMessage)
{
    memorise("/nulle/part/cartes");
    Cartes c;
    Messages m;
    charge_cartes(c, m.options("", {}));
    EXPECT_FALSE(c.cartes_chargees);
    EXPECT_TRUE(c.liste.empty());
    EXPECT_TRUE(m.infos.isEmpty());
    EXPECT_TRUE(m.avert.isEmpty());
}

TEST_F(Registre, DossierDuProgrammePuisRecherche)
{
    QTemporaryDir prog, disque;
    ecrit(prog.filePath("cartes/Franceno.bdc"), enregs({{46.5, 1.8}}));
    Cartes c;
    Messages m;
    charge_cartes(c, m.options(prog.path(), {disque.path()}));
    EXPECT_EQ(c.rep_cartes, prog.filePath("cartes"));
    EXPECT_EQ(c.liste.size(), 1u);
    // Found beside the program: nothing recorded, the program may move.
    EXPECT_TRUE(lit_rep_cartes_registre().isEmpty());

    // Not beside the program: the roots are searched and the find recorded.
    ecrit(disque.filePath("docs/cartes/Franceno.bdc"), enregs({{46.5, 1.8}}));
    Cartes c2;
    charge_cartes(c2, m.options("/nulle/part", {disque.path()}));
    EXPECT_EQ(c2.rep_cartes, disque.filePath("docs/cartes"));
    EXPECT_EQ(QDir::fromNativeSeparators(lit_rep_cartes_registre()), disque.filePath("docs/cartes"));
    EXPECT_TRUE(m.avert.isEmpty());
}

TEST_F(Registre, RienNullePart)
{
    QTemporaryDir disque;
    Cartes c;
    Messages m;
    charge_cartes(c, m.options("/nulle/part", {disque.path()}));
    EXPECT_FALSE(c.cartes_chargees);
    ASSERT_EQ(m.avert.size(), 1);
    EXPECT_EQ(m.avert[0], QStringLiteral("Répertoire des cartes pixellisées non trouvé"));
    EXPECT_TRUE(lit_rep_cartes_registre().isEmpty());
}

TEST_F(Registre, FichierIlliblePuisLecturePartielle)
{
    QTemporaryDir d;
    ecrit(d.filePath("a.bdc"), enregs({{1, 2}}));
    ecrit(d.filePath("b.bdc"), enregs({{5, 6}}));
    ecrit(d.filePath("c.bdc"), enregs({{3, 4}}));
    ecrit(d.filePath("d.bdc"), enregs({{7, 8}, {9, 10}, {11, 12}}));
    memorise(d.path());
    Cartes c;
    Messages m;
    OptionsCartes o = m.options("", {});
    // Between the listing and the reading: one file disappears, another
    // is cut short, so its directory entry promises more than a read gives.
    o.apres_liste = [&] {
        QFile::remove(d.filePath("b.bdc"));
        QFile f(d.filePath("d.bdc"));
        ASSERT_TRUE(f.resize(20));
    };
    charge_cartes(c, o);
    // The unreadable file is named, in French, and the others still load.
    ASSERT_EQ(m.infos.size(), 2);
    EXPECT_EQ(m.infos[0], QStringLiteral("Impossible de lire la carte b.bdc : fichier introuvable."));
    EXPECT_EQ(m.infos[1], QStringLiteral("d.bdc :impossible de charger"));
    ASSERT_EQ(c.liste.size(), 3u);
    EXPECT_EQ(c.liste[0].nom, "a.bdc");
    EXPECT_EQ(c.liste[1].nom, "c.bdc");
    // The partial map stays in the list with the record that was read.
    EXPECT_EQ(c.liste[2].nom, "d.bdc");
    EXPECT_EQ(c.liste[2].taille, 48);
    EXPECT_EQ(c.liste[2].lus, 20);
    EXPECT_EQ(c.liste[2].points_lus(), 1);
}
