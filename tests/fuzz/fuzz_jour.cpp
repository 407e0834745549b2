// libFuzzer target: any bytes as a day file, read as the day load and as
// the archive re-reading do.
#include "donnees.h"
#include "course_livree.h"
#include "fichier_jour.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char*>(data), qsizetype(size));
    orv::JourCourse j(course_livree().nb());
    orv::lit_jour(course_livree(), j, contenu, QStringLiteral("101100.txt"));
    if (j.nb_classes < 0 || j.nb_classes > course_livree().nb())
        __builtin_trap();
    orv::ArchiveCourse a;
    orv::relit_jour(course_livree(), j, a, contenu, QStringLiteral("101100.txt"));
    orv::relit_jour(course_livree(), j, a, contenu, QStringLiteral("111100.txt"));
    return 0;
}
