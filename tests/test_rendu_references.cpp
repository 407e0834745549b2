// The race picture drawn by the core alone, without any widget, gives the
// reference pictures of the command line, pixel for pixel.
#include "aide_fichiers.h"
#include "aide_cartes.h"
#include "images_course.h"
#include "references.h"
#include "fichier_jour.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace orv;

namespace {
QString reference(const QString& nom)
{
    QFile f(QStringLiteral(ORVALIS_SOURCES "/tests/references/images.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(nom.toLatin1() + ' '))
            return QString::fromLatin1(l.mid(nom.size() + 1).trimmed());
    return {};
}

SourceImage source(bool blanc)
{
    SourceImage s{QStringLiteral(ORVALIS_DONNEES), Reglages{}, [](const QString&) {}};
    if (blanc) {
        s.reglages.fond = clWhite;
        s.reglages.coul_points = clGray;
    }
    return s;
}
}  // namespace

TEST(RenduSansFenetre, ImagesDeReference)
{
    QString err;
    {
        EtatProgramme e;
        e.course = course_livree();
        EXPECT_EQ(orv_test::empreinte(image_carte(e, source(false), std::nullopt, {804, 585})), reference("monde"));
    }
    {
        EtatProgramme e;
        e.course = course_livree();
        EXPECT_EQ(orv_test::empreinte(image_carte(e, source(false), Zone{50, 44, 6, -3}, {804, 585})),
                  reference("gascogne"));
    }
    const struct {
        const char* nom;
        QDate jour;
        bool route, blanc;
        QSize taille;
    } jours[] = {{"jour-121100", {2000, 11, 12}, false, false, {804, 585}},
                 {"jour-061200-route", {2000, 12, 6}, true, false, {804, 585}},
                 {"jour-121100-blanc", {2000, 11, 12}, false, true, {804, 585}},
                 {"jour-150101-320x200", {2001, 1, 15}, false, false, {320, 200}}};
    for (const auto& j : jours) {
        SCOPED_TRACE(j.nom);
        EtatProgramme e;
        e.course = course_livree();
        const QImage i = image_jour(e, source(j.blanc), j.jour, j.route, std::nullopt, j.taille, err);
        EXPECT_EQ(orv_test::empreinte(i), reference(j.nom)) << err;
    }
    EtatProgramme e;
    e.course = course_livree();
    ASSERT_TRUE(constitue_trajets(course_livree(), e.archive, QStringLiteral(ORVALIS_DONNEES), err));
    SelectionTrajets deux;
    deux.concurrents.set(1);  // Arvelin
    deux.concurrents.set(6);  // Darnoux
    deux.toute_course = false;
    deux.debut = e.archive.indice_du_jour({2000, 11, 12});
    deux.fin = e.archive.indice_du_jour({2000, 11, 20});
    EXPECT_EQ(orv_test::empreinte(image_trajets(e, source(false), deux, {804, 585}, err)), reference("trajets-deux"));
}
