// libFuzzer target: any bytes as a map file, read from disk as the loader
// reads it, then drawn through three viewports (an ordinary one, one across
// the 180° meridian, one wider than half the world).
#include "cartes.h"
#include "trace_cartes.h"
#include "viewport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir rep;
    const QString chemin = rep.filePath(QStringLiteral("fuzz.bdc"));
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    orv::CartePix c;
    QString erreur;
    if (!orv::lit_carte(chemin, int64_t(size), c, erreur))
        return 0;
    if (c.points_lus() * orv::TAILLE_ENREG > c.lus)
        __builtin_trap();
    QImage img(64, 48, QImage::Format_RGB32);
    const orv::ext vues[][4] = {{50, 40, 10, -5}, {10, -10, -170, 170}, {70, -60, 89.59L, -89.59L}};
    for (const auto& b : vues) {
        orv::Viewport v;
        v.ajuste(b[1], b[2], b[0], b[3], 64, 48);
        orv::trace_points(img, v.ajustement(), 64, 48, c.enregs(), c.points_lus(), 0xFFFFFFFFu);
    }
    return 0;
}
