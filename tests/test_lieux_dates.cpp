// Places lists, the date routines and the ranking rows.
#include "aide_cartes.h"
#include "calendrier.h"
#include "classement.h"
#include "lieux.h"
#include "texte.h"
#include "fichier_lieux.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {
QByteArray texte(const QStringList& l)
{
    QByteArray b;
    for (const QString& s : l)
        b += vers_cp1252(s) + "\r\n";
    return b;
}
}  // namespace

TEST(Lieux, FormatsEtPlacement)
{
    ListeLieux l;
    lit_lieux(texte({"Ouessant", "48.28", "5.05", "droite", "Madère", "32.45", "17", "Droite",
                     "Açores", "38.30", "28", "gauche", "Vide", "x", "1", "droite", "Kerguelen",
                     "-49.20", "-69.30", "centre"}),
              true, l);
    ASSERT_EQ(l.size(), 4u);  // the block with a bad latitude is left out
    EXPECT_TRUE(l[0].a_droite);
    EXPECT_FALSE(l[1].a_droite);  // exact, case-sensitive
    EXPECT_FALSE(l[2].a_droite);
    EXPECT_EQ(l[3].elem.nom, "Kerguelen");
    EXPECT_EQ(l[3].elem.latitude, -49.20L);
    EXPECT_EQ(l[3].elem.longitude, -69.30L);

    ListeLieux m;
    lit_lieux(texte({"Départ - Arrivée", "46.30", "1.47", "P.V. Crozet", "-45.30", "-50"}), false, m);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(m[0].a_droite);
    EXPECT_EQ(m[0].elem.nom, QStringLiteral("Départ - Arrivée"));
    // Lines are taken as they are: no trimming.
    ListeLieux n;
    lit_lieux(texte({" Nom ", "1", "2"}), false, n);
    EXPECT_EQ(n[0].elem.nom, " Nom ");
    ListeLieux vide;
    lit_lieux(QByteArray(), false, vide);
    EXPECT_TRUE(vide.empty());
}

TEST(Lieux, BlancsAutourDesNombresEtBlocsIllisibles)
{
    // "46.30 " is the number it is; a longitude that is not one (or a
    // latitude beyond the pole) leaves its block out, named, and the next
    // block still starts three lines on.
    ListeLieux l;
    const QStringList rejetes = lit_lieux(texte({"Blancs", "46.30 ", " 1.47", "Sans longitude", "10.00", "ouest",
                                                 "Pole+", "91", "0", "Cap Horn", "-55.59", "67.16"}),
                                          false, l);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].elem.latitude, 46.30L);
    EXPECT_EQ(l[0].elem.longitude, 1.47L);
    EXPECT_EQ(l[1].elem.nom, "Cap Horn");
    EXPECT_EQ(rejetes, QStringList({"Sans longitude", "Pole+"}));
    // The loader says so once, and still loads the rest.
    QTemporaryDir d;
    QFile f(d.filePath("lstmp.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texte({"Sans longitude", "10.00", "ouest", "Cap Horn", "-55.59", "67.16"}));
    f.close();
    Lieux m;
    QString err;
    EXPECT_TRUE(charge_marques(m, d.path(), err));
    EXPECT_EQ(m.liste_mp.size(), 1u);
    EXPECT_EQ(err, QStringLiteral("« lstmp.txt » : 1 point ignoré, coordonnées illisibles (Sans longitude)."));
}

TEST(Lieux, Chargeurs)
{
    QTemporaryDir d;
    QFile f(d.filePath("lstmp.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texte({"Cap Horn", "-55.59", "67.16"}));
    f.close();
    Lieux l;
    QString err;
    EXPECT_TRUE(charge_marques(l, d.path(), err));
    EXPECT_TRUE(charge_marques(l, d.path(), err));  // emptied first
    EXPECT_EQ(l.liste_mp.size(), 1u);
    EXPECT_FALSE(charge_lieux(l, d.path(), err));
    EXPECT_TRUE(err.contains("lstlieux.txt"));
    // The shipped lists.
    const QString rep = QStringLiteral(ORVALIS_DONNEES);
    EXPECT_TRUE(charge_marques(l, rep, err));
    EXPECT_TRUE(charge_lieux(l, rep, err));
    EXPECT_TRUE(charge_route(l, rep, err));
    EXPECT_EQ(l.liste_mp[0].elem.nom, QStringLiteral("Départ - Arrivée"));
    EXPECT_GE(l.liste_lieux.size(), 20u);
    EXPECT_GE(l.liste_route.size(), 20u);
    TLieu e;
    lieu_de_valeurs(e, "Point", false, 1.5L, -2.5L);
    EXPECT_EQ(e.elem.nom, "Point");
    EXPECT_FALSE(e.a_droite);
    EXPECT_EQ(e.elem.longitude, -2.5L);
}

TEST(Calendrier, Validation)
{
    EtatDate e;
    montre_mois(e, 11, 2000);
    valide_date(e, 10, 11, 2000);
    EXPECT_EQ(e.jour_sem, 7);
    EXPECT_EQ(e.code_jour, "101100");
    EXPECT_EQ(e.date_en_clair, "Vendredi 10 NOVEMBRE  2000");
    EXPECT_EQ(e.jour_choisi, 10);

    montre_mois(e, 1, 2001);
    valide_date(e, 1, 1, 2001);
    EXPECT_EQ(e.date_en_clair, "Lundi 1 JANVIER   2001");
    EXPECT_EQ(e.code_jour, " 10101");

    montre_mois(e, 12, 2000);
    valide_date(e, 2, 12, 2000);
    EXPECT_EQ(e.code_jour, " 21200");
    EXPECT_EQ(e.date_en_clair, "Samedi 2 DECEMBRE  2000");
    EXPECT_EQ(e.mois_txt + "   " + e.annee_txt, "DECEMBRE    2000");
}

TEST(Calendrier, JourSuivantEtEcarts)
{
    EtatDate e;
    e.jour_choisi = 28;
    e.mois_choisi = 2;
    e.annee_choisie = 2000;
    jour_suivant(e);
    EXPECT_EQ(e.jour_choisi, 29);
    EXPECT_EQ(nom_jour(e.jour_sem), "Mardi");
    jour_suivant(e);
    EXPECT_EQ(e.mois_choisi, 3);
    EXPECT_EQ(e.jour_choisi, 1);
    EXPECT_EQ(nom_jour(e.jour_sem), "Mercredi");

    e.jour_choisi = 28;
    e.mois_choisi = 2;
    e.annee_choisie = 2001;
    jour_suivant(e);
    EXPECT_EQ(e.mois_choisi, 3);
    EXPECT_EQ(e.jour_choisi, 1);

    e.jour_choisi = 31;
    e.mois_choisi = 12;
    e.annee_choisie = 2000;
    jour_suivant(e);
    EXPECT_EQ(e.annee_choisie, 2001);
    EXPECT_EQ(e.code_jour, "010101");
    EXPECT_EQ(e.date_en_clair, "Lundi  1 JANVIER    2001");

    e.jour_choisi = 1;
    e.mois_choisi = 12;
    e.annee_choisie = 2000;
    jour_suivant(e);
    EXPECT_EQ(e.date_en_clair, "Samedi  2 DECEMBRE   2000");
    EXPECT_EQ(e.code_jour, "021200");

    EXPECT_EQ(numero_jour(10, 11, 2000), 7619);
    EXPECT_EQ(numero_jour(9, 11, 2000), 7618);
    EXPECT_EQ(ecart_jours(9, 11, 2000, 10, 11, 2000), 1);
    EXPECT_EQ(ecart_jours(9, 11, 2000, 12, 11, 2000), 3);
    EXPECT_EQ(ecart_jours(9, 11, 2000, 1, 1, 2001), 53);

    // Stepping through the race agrees with the validation's weekday.
    EtatDate s, v;
    s.jour_choisi = 9;
    s.mois_choisi = 11;
    s.annee_choisie = 2000;
    for (int k = 0; k < 200; ++k) {
        jour_suivant(s);
        montre_mois(v, s.mois_choisi, s.annee_choisie);
        valide_date(v, s.jour_choisi, s.mois_choisi, s.annee_choisie);
        ASSERT_EQ(s.jour_sem, v.jour_sem) << k;
        QString code = v.code_jour;
        if (code[0] == u' ')
            code[0] = u'0';
        ASSERT_EQ(s.code_jour, code);
    }
    EXPECT_EQ(nom_mois(3), "MARS     ");
    EXPECT_EQ(nom_mois(9), "SEPTEMBRE");
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(nom_mois(m).size(), 9);
}

TEST(Classement, Lignes)
{
    const QStringList t = entete_classement();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[1], QString(89, '='));
    EXPECT_TRUE(t[0].startsWith("Pos  Skipper    Bateau"));

    TDonnees_conc r;
    r.skipper = "Lammorin";
    r.bateau = "Grand Largue ";
    r.lat_txt = "41.34";
    r.long_txt = "11.51";
    r.cap = 45.6L;
    r.vitesse = 12.26L;
    const QString l = ligne_classement(r, true, 3, u',');
    EXPECT_EQ(l, "3  Lammorin     Grand Largue                             41.34    11.51    46    12,3 nds ");
    EXPECT_EQ(ligne_classement(r, true, 3, u'.').mid(81), "12.3 nds ");
    EXPECT_TRUE(ligne_classement(r, false, 21, u',').startsWith("NC Lammorin"));

    r.marque_A = true;
    r.date_txt = "Abandon - démâtage";
    EXPECT_EQ(ligne_classement(r, true, 23, u','),
              QStringLiteral("23 Lammorin     Grand Largue                             Abandon - démâtage             "));
    r.marque_A = false;
    r.skipper = "Tresgrandnomdeskipper";
    const QString longue = ligne_classement(r, true, 1, u',');
    EXPECT_EQ(longue.indexOf("Grand Largue"), 3 + 21 + 1);  // pushed right, not cut
    r.bateau = QString(400, 'b');
    EXPECT_EQ(ligne_classement(r, true, 1, u',').size(), 255);

    JourCourse j(course_livree().nb());
    j.nb_classes = 22;
    const QStringList tab = table_classement(j, u',');
    ASSERT_EQ(tab.size(), 2 + 24);
    EXPECT_TRUE(tab[2 + 21].startsWith("22 "));
    EXPECT_TRUE(tab[2 + 22].startsWith("NC "));
    EXPECT_TRUE(tab[2 + 23].startsWith("NC "));
}
