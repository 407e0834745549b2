// Where the program finds its files: portable (its data beside it) or
// installed (data in share/orvalis, day files in the user's folder first).
#include "donnees.h"
#include "aide_cartes.h"
#include "emplacements.h"
#include "mise_a_jour.h"
#include "reglages.h"

#include "aide_fichiers.h"
#include "fichier_jour.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

TEST(Emplacements, PortableOuInstalle)
{
    QTemporaryDir t;
    const QString bin = t.filePath("usr/bin"), partage = t.filePath("usr/share/orvalis");
    const QString perso = t.filePath("home/.local/share/orvalis");
    QDir().mkpath(bin);

    // Nothing anywhere: the program's own folder, as it always was.
    Emplacements e = determine_emplacements(bin, perso);
    EXPECT_FALSE(e.installe);
    EXPECT_EQ(e.rep_programme, bin);
    EXPECT_EQ(e.rep_ecriture(), bin);

    // Data under share/orvalis and not beside the program: installed.
    ecrit(partage + "/orvalis.course", "x\r\n");
    e = determine_emplacements(bin, perso);
    EXPECT_TRUE(e.installe);
    EXPECT_EQ(e.rep_programme, QDir::cleanPath(partage));
    EXPECT_EQ(e.rep_archives, perso);
    EXPECT_EQ(e.rep_ecriture(), perso);

    // Data beside the program wins (a build tree next to an installed copy).
    ecrit(bin + "/orvalis.course", "x\r\n");
    e = determine_emplacements(bin, perso);
    EXPECT_FALSE(e.installe);
    EXPECT_EQ(e.rep_programme, bin);
}

TEST(Emplacements, JoursDeLUtilisateurDAbordPuisEcritureChezLui)
{
    QTemporaryDir t;
    const QString partage = t.filePath("share"), perso = t.filePath("perso");
    ecrit(partage + "/121100.txt", "livre\r\n");
    ecrit(partage + "/131100.txt", "livre\r\n");
    ecrit(perso + "/121100.txt", "perso\r\n");

    // Portable: the user's folder is never consulted.
    const Emplacements portable(partage, perso, false), installe(partage, perso, true);
    EXPECT_EQ(chemin_fichier_jour(portable, "121100"), partage + "/121100.txt");
    EXPECT_EQ(chemin_fichier_jour(installe, "121100"), perso + "/121100.txt");
    EXPECT_EQ(chemin_fichier_jour(installe, "131100"), partage + "/131100.txt");
    EXPECT_EQ(chemin_jour_nomme(installe, "131100.txt"), partage + "/131100.txt");
    // The calendar's days with a file: the user's and the shipped ones, a
    // one-digit day's file with its '0'.
    ecrit(perso + "/011200.txt", "perso\r\n");
    EXPECT_EQ(jours_avec_fichier(course_livree(), installe),
              (std::vector<QDate>{QDate(2000, 11, 12), QDate(2000, 11, 13), QDate(2000, 12, 1)}));
    EXPECT_EQ(jours_avec_fichier(course_livree(), portable), (std::vector<QDate>{QDate(2000, 11, 12), QDate(2000, 11, 13)}));

    // The settings: the current directory, then the user's, then the shipped
    // one.
    const QString courant = t.filePath("courant");
    QDir().mkpath(courant);
    ecrit(partage + "/posorvls.ini", "[version_Excel]\r\nExcel=2000\r\n");
    EXPECT_EQ(reglages_du_programme(courant, installe).code_excel, 2);
    ecrit(perso + "/posorvls.ini", "[version_Excel]\r\nExcel=autre\r\n");
    EXPECT_EQ(reglages_du_programme(courant, installe).code_excel, 0);

    // The update writes into the user's folder, made when missing, and the
    // day read next is that one.
    const Emplacements n(partage, t.filePath("neuf"), true);
    QString err;
    const QString ecrit_ = actualise_classement(course_livree(), {QStringLiteral(ORVALIS_SOURCES "/tests/donnees/classement97.html")},
                                                1, QDate(2000, 11, 13), n.rep_ecriture(), 5000, err);
    ASSERT_EQ(ecrit_, t.filePath("neuf") + "/131100.txt") << err.toStdString();
    EXPECT_EQ(chemin_fichier_jour(n, "131100"), ecrit_);
    JourCourse j(course_livree().nb());
    ASSERT_TRUE(charge_donnees_coureurs(course_livree(), j, n, "131100", "13/11/2000"));
    EXPECT_EQ(j.nb_classes, 24);
}
