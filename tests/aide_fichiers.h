// Files made by the tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <gtest/gtest.h>


// Runs the event loop until `fait` holds or `ms` have passed; whether it
// holds.
template <class F>
bool attend(F fait, int ms = 10000)
{
    QDeadlineTimer fin(ms);
    while (!fait() && !fin.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return fait();
}

// Writes `contenu` to `chemin`, its folders made.
inline void ecrit(const QString& chemin, const QByteArray& contenu)
{
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

// A copy of the program in folder `rep` with the race's description (its
// data otherwise the test's own); its path.
inline QString copie_du_programme(const QString& rep)
{
    const QString copie = QDir(rep).filePath(QStringLiteral("orvalis"));
    QFile::copy(QStringLiteral(ORVALIS_PROGRAMME), copie);
    QFile(copie).setPermissions(QFile(QStringLiteral(ORVALIS_PROGRAMME)).permissions());
    QFile::copy(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"), QDir(rep).filePath(QStringLiteral("orvalis.course")));
    return copie;
}
