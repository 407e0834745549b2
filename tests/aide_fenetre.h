#pragma once
// The main window offscreen with a scripted calendar, shared by the tests
// of the window and of its tools.
#include "aide_cartes.h"
#include "aide_fichiers.h"
#include "calendrier.h"
#include "posconc.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace orv_test {

using namespace orv;

inline const QString DONNEES = QStringLiteral(ORVALIS_DONNEES);

inline TColor px(const QImage& i, int x, int y)
{
    const QRgb v = i.pixel(x, y);
    return TColor(qRed(v)) | (TColor(qGreen(v)) << 8) | (TColor(qBlue(v)) << 16);
}

inline int compte(const QImage& i, TColor c)
{
    int n = 0;
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            n += px(i, x, y) == c;
    return n;
}

// The window's controls, by their object names, from its frame down.
template <class T>
T* enfant(QWidget* fenetre, const char* nom)
{
    T* o = fenetre->window()->findChild<T*>(QString::fromLatin1(nom));
    if (!o)
        ADD_FAILURE() << "no control " << nom;
    return o;
}
inline QAction* action(QWidget* fenetre, const char* nom) { return enfant<QAction>(fenetre, nom); }
inline QToolButton* bouton(QWidget* fenetre, const char* nom) { return enfant<QToolButton>(fenetre, nom); }
inline PanneauTrajets* panneau(QWidget* fenetre) { return enfant<PanneauTrajets>(fenetre, "PanelTraj"); }
// What the status line says.
inline QString statut(QWidget* fenetre) { return enfant<QLabel>(fenetre, "StatusBar1")->text(); }

struct Date {
    int j, m, a;
    bool valide = true;
};

class FenetrePrincipale : public ::testing::Test {
protected:
    void SetUp() override
    {
        charge_cartes_livrees(etat.cartes);
        etat.course = course_livree();
        cadre = std::make_unique<QMainWindow>();
        carte = new TFPosConc(cadre.get(), etat, DONNEES, courant.path());
        cadre->setCentralWidget(carte);
        cadre->resize(804, 640);
        carte->information = [this](const QString& m) { messages << m; };
        carte->avertissement = carte->information;
        carte->affiche_information = carte->information;
        carte->montre_calendrier = [this](EtatDate& choix) {
            titres << titre_calendrier;
            if (dates.empty())
                return false;
            const Date d = dates.front();
            dates.erase(dates.begin());
            if (!d.valide)
                return false;
            montre_mois(choix, d.m, d.a);
            valide_date(choix, d.j, d.m, d.a);
            return true;
        };
        carte->FormCreate();
    }
    void TearDown() override { cadre.reset(); }
    // Loads a day through the calendar as the user would.
    void choisit(int j, int m, int a)
    {
        dates = {{j, m, a}};
        carte->SelDateClick();
    }
    QString titre() const { return cadre->windowTitle(); }
    // 10° N to 10° S, 15° W to 15° E, with no day, marks or places.
    Viewport& vue_vide()
    {
        carte->fond_initial = false;
        etat.jour = JourCourse(course_livree().nb());
        etat.lieux = Lieux{};
        Viewport& v = etat.vue;
        v.lat_nord = 10;
        v.lat_sud = -10;
        v.long_ouest = 15;
        v.long_est = -15;
        return v;
    }

    EtatProgramme etat;
    QTemporaryDir courant;
    std::unique_ptr<QMainWindow> cadre;
    TFPosConc* carte = nullptr;
    std::vector<Date> dates;
    QStringList titres, messages;
    QString titre_calendrier = QStringLiteral("Sélectionner une date");
};

}  // namespace orv_test

using namespace orv_test;
