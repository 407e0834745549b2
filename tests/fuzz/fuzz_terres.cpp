// libFuzzer target: any bytes as the land file, read as the modern chart
// reads it, then drawn through three viewports (an ordinary one, one across
// the 180° meridian, the widest).
#include "terres.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The graticule's labels need the fonts of an application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir rep;
    const QString chemin = rep.filePath(QStringLiteral("Terres.bin"));
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    orv::Terres t;
    QString erreur;
    if (!orv::lit_terres(chemin, t, erreur))
        return 0;
    QImage img(64, 48, QImage::Format_RGB32);
    const orv::ext vues[][4] = {{50, 40, 10, -5}, {10, -10, -170, 170}, {90, -90, 180, -180}};
    for (const auto& b : vues) {
        orv::Viewport v;
        v.ajuste(b[1], b[2], b[0], b[3], 64, 48);
        orv::trace_carte_moderne(img, v.ajustement(), 64, 48, &t);
    }
    return 0;
}
