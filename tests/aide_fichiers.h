// Files made by the tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// Writes `contenu` to `chemin`, its folders made.
inline void ecrit(const QString& chemin, const QByteArray& contenu)
{
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}
