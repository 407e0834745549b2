// The program in English: which language is chosen, the window's and the
// command line's texts in it, the accelerators of its menus, and what stays
// data (the files written are the same bytes in both languages).
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "langue.h"
#include "mise_a_jour.h"

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>

namespace {

TEST(Langue, Choix)
{
    const struct {
        const char *demandee, *enregistree;
        QStringList systeme;
        Langue attendue;
    } cas[] = {
        {"", "", {"en-US", "fr-FR"}, Langue::Anglais}, {"", "", {"en"}, Langue::Anglais},
        {"", "", {"fr-FR", "en-US"}, Langue::Francais}, {"", "", {"C"}, Langue::Francais},
        {"", "", {}, Langue::Francais},                 {"", "", {"eng"}, Langue::Francais},
        {"", "en", {"fr-FR"}, Langue::Anglais},         {"fr", "en", {"en-US"}, Langue::Francais},
        {"xx", "", {"en-GB"}, Langue::Anglais},         {"", "de", {"de-DE"}, Langue::Francais},
    };
    for (const auto& c : cas)
        EXPECT_EQ(choisit_langue(c.demandee, c.enregistree, c.systeme), c.attendue)
            << c.demandee << "|" << c.enregistree << "|" << c.systeme.join(',').toStdString();
}

// The accelerator letters that two items of one menu share, menu bar and
// submenus alike.
QStringList accelerateurs_partages(const QList<QAction*>& items)
{
    QStringList vus, partages;
    for (QAction* a : items) {
        if (a->isSeparator())
            continue;
        const QString t = a->text();
        const qsizetype k = t.indexOf(u'&');
        if (k >= 0 && k + 1 < t.size()) {
            const QString lettre = t.mid(k + 1, 1).toUpper();
            (vus.contains(lettre) ? partages : vus) << lettre;
        }
        if (a->menu())
            partages += accelerateurs_partages(a->menu()->actions());
    }
    return partages;
}

class FenetreAnglaise : public FenetrePrincipale {
protected:
    void SetUp() override
    {
        installe_langue(Langue::Anglais);
        FenetrePrincipale::SetUp();
    }
    void TearDown() override
    {
        FenetrePrincipale::TearDown();
        installe_langue(Langue::Francais);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvalis", "orvalis").remove("langue");
    }
};

TEST_F(FenetreAnglaise, MenusClassementEtMessage)
{
    QStringList barre;
    for (QAction* a : cadre->menuBar()->actions())
        barre << a->text();
    EXPECT_EQ(barre.join(' '), "&Zoom &Pan D&etails D&ate &Distances &Ranking &Statistics &Tracks R&oute &Update "
                               "Ra&ce &View &Help Tool&bar &Quit");
    EXPECT_TRUE(accelerateurs_partages(cadre->menuBar()->actions()).isEmpty())
        << accelerateurs_partages(cadre->menuBar()->actions()).join(',').toStdString();
    // Every item within the window's 804 pixels: none behind the "»".
    cadre->show();
    QMenuBar* mb = cadre->menuBar();
    EXPECT_LE(mb->actionGeometry(mb->actions().last()).right(), mb->width() - 1);

    choisit(6, 12, 2000);
    carte->Classement1Click();
    EXPECT_TRUE(enfant<QLabel>(carte, "StaticText1")->text().startsWith("Wednesday 6 DECEMBER")) << enfant<QLabel>(carte, "StaticText1")->text().toStdString();
    const QString classement = enfant<QPlainTextEdit>(carte, "MemoClass")->toPlainText();
    EXPECT_TRUE(classement.startsWith("Pos  Skipper    Boat ")) << classement;
    // The status texts of the day file shown as they are.
    EXPECT_TRUE(classement.contains("Abandon")) << classement;

    // The language menu: the choice kept, its effect said in English.
    QAction* francais = cadre->findChild<QAction*>("LangueFr");
    ASSERT_NE(francais, nullptr);
    EXPECT_FALSE(francais->isChecked());
    francais->trigger();
    EXPECT_EQ(langue_enregistree(), "fr");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Orvalis will be in French the next time it starts.");
}

// In French the design's own pair stays (Da&te, &Trajets); nothing else
// shares a letter.
TEST_F(FenetrePrincipale, AccelerateursFrancais)
{
    EXPECT_EQ(accelerateurs_partages(cadre->menuBar()->actions()), QStringList{"T"});
}

struct Sortie {
    int code;
    QByteArray out, err;
};

Sortie lance(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ORVALIS_PROGRAMME), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The command line in English; what it writes, the same bytes in both
// languages; the update's day file too.
TEST(Langue, LigneDeCommandeEtFichiersIdentiques)
{
    Sortie s = lance({"--langue", "en", "--help"});
    EXPECT_EQ(s.code, 0);
    EXPECT_TRUE(s.out.startsWith("Usage:\n  orvalis ")) << s.out.toStdString();
    EXPECT_FALSE(s.out.contains("ouvre la fenêtre"));
    s = lance({"--langue", "en", "--date", "01/01/2001"});
    EXPECT_EQ(s.code, 2);
    EXPECT_FALSE(s.err.contains("s'emploient")) << s.err.toStdString();
    s = lance({"--langue", "de"});
    EXPECT_EQ(s.code, 2);
    EXPECT_TRUE(s.err.contains("--langue")) << s.err.toStdString();

    QTemporaryDir d;
    for (const char* l : {"fr", "en"}) {
        const QString suffixe = QString::fromLatin1(l);
        EXPECT_EQ(lance({"--langue", l, "--gpx", d.filePath("t-" + suffixe + ".gpx"), "--au", "20/11/2000"}).code, 0);
        EXPECT_EQ(lance({"--langue", l, "--kml", d.filePath("t-" + suffixe + ".kml"), "--au", "20/11/2000"}).code, 0);
        EXPECT_EQ(lance({"--langue", l, "--positions", "15/12/2000", "14:30", "--csv", d.filePath("p-" + suffixe + ".csv")}).code, 0);
        EXPECT_EQ(lance({"--langue", l, "--statistiques", "--csv", d.filePath("s-" + suffixe + ".csv")}).code, 0);
        installe_langue(suffixe == "en" ? Langue::Anglais : Langue::Francais);
        QDir().mkpath(d.filePath(suffixe));
        QString err;
        EXPECT_FALSE(actualise_classement(course_livree(), {QUrl::fromLocalFile(QStringLiteral(ORVALIS_SOURCES "/tests/donnees/classement97.html")).toString()},
                                          1, QDate(2000, 11, 16), d.filePath(suffixe), 800, err)
                         .isEmpty())
            << err.toStdString();
    }
    installe_langue(Langue::Francais);
    for (const char* f : {"t-%1.gpx", "t-%1.kml", "p-%1.csv", "s-%1.csv", "%1/161100.txt"}) {
        const QByteArray fr = contenu(d.filePath(QString::fromLatin1(f).arg("fr")));
        EXPECT_FALSE(fr.isEmpty()) << f;
        EXPECT_EQ(fr, contenu(d.filePath(QString::fromLatin1(f).arg("en")))) << f;
    }
}

}  // namespace
