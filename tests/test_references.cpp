// The pictures of `--png`, held to reference fingerprints: a change of the
// drawing code that moves one pixel of one of them fails here. The
// fingerprints depend on the fonts (Liberation, package fonts-liberation)
// and on Qt's rasteriser; after a reviewed change of the pictures they are
// made again with
//     ORVALIS_REFAIRE_REFERENCES=1 build/bin/orvalis_tests --gtest_filter='References.*'
// which rewrites tests/references/images.txt.
#include "aide_fichiers.h"
#include "references.h"

#include <QCryptographicHash>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString FICHIER_REFERENCES = QStringLiteral(ORVALIS_SOURCES "/tests/references/images.txt");

std::map<QString, QString> references()
{
    std::map<QString, QString> r;
    QFile f(FICHIER_REFERENCES);
    if (!f.open(QIODevice::ReadOnly))
        return r;
    for (const QByteArray& l : f.readAll().split('\n')) {
        const QList<QByteArray> c = l.trimmed().split(' ');
        if (c.size() == 2)
            r[QString::fromLatin1(c[0])] = QString::fromLatin1(c[1]);
    }
    return r;
}

}  // namespace

// Each case drawn by the program on the command line.
TEST(References, ImagesDeLaLigneDeCommande)
{
    QTemporaryDir d;
    // A white sea with grey coasts, for the cases that ask for it.
    ecrit(d.filePath("blanc/posorvls.ini"), "[affichage_cartes]\r\nfond=blanc\r\ncontours=gris\r\n");
    const std::map<QString, QString> attendu = references();
    QStringList table;
    for (const orv_test::CasReference& c : orv_test::cas_de_reference()) {
        SCOPED_TRACE(c.nom);
        QProcess p;
        p.setWorkingDirectory(c.blanc ? d.filePath("blanc") : d.path());
        const QString png = d.filePath(c.nom + ".png");
        p.start(QStringLiteral(ORVALIS_PROGRAMME), QStringList{"--png", png} + c.arguments);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QString e = orv_test::empreinte(QImage(png));
        table << c.nom + u' ' + e;
        if (!qEnvironmentVariableIsSet("ORVALIS_REFAIRE_REFERENCES")) {
            ASSERT_TRUE(attendu.count(c.nom)) << "no reference: make them again (see the top of this file)";
            EXPECT_EQ(e, attendu.at(c.nom));
        }
    }
    if (qEnvironmentVariableIsSet("ORVALIS_REFAIRE_REFERENCES"))
        ecrit(FICHIER_REFERENCES, (table.join(u'\n') + u'\n').toUtf8());
}
