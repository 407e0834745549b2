// libFuzzer target: any bytes as a fleet of tracks (GPX, KML/KMZ or CSV, by
// FUZZ_SUFFIXE), opened as the program opens a race; a race read must hold
// its invariants (tracks in strict time order, positions in range) and
// answer positions at any instant.
#include "chronologie.h"
#include "lecteurs.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir d;
    const QString chemin = d.filePath(QStringLiteral("f." FUZZ_SUFFIXE));
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    orv::CourseOuverte o;
    QString erreur;
    if (!orv::ouvre_course(chemin, o, erreur))
        return 0;
    if (o.course.nb() != int(o.pistes.size()) || o.pistes.empty() || o.course.fichiers_jour)
        __builtin_trap();
    for (const orv::Piste& p : o.pistes) {
        if (p.points.empty())
            __builtin_trap();
        for (size_t k = 0; k < p.points.size(); ++k) {
            const orv::PointPiste& q = p.points[k];
            if (!(q.lat >= -90 && q.lat <= 90 && q.lon >= -180 && q.lon <= 180) || (k && q.t <= p.points[k - 1].t))
                __builtin_trap();
        }
    }
    const orv::Chronologie c(o.course, o.pistes);
    for (orv::Instant t : {c.premier(), (c.premier() / 2 + c.dernier() / 2), c.dernier() + 3600}) {
        for (int i = 1; i <= c.nb(); ++i) {
            const orv::PositionFilm p = c.position(i, t);
            if (p.montre && !(p.lat >= -90.001 && p.lat <= 90.001))
                __builtin_trap();
        }
        (void)c.ordre_calcule(t);
    }
    return 0;
}
