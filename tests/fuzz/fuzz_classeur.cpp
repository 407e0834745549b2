// libFuzzer target: any bytes as a ranking workbook, read by the reader its
// name selects (FUZZ_CLASSEUR=xls or xlsx at build time), then as a sheet
// with the checks of the lines.
#include "classeur.h"
#include "course_livree.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray octets(reinterpret_cast<const char*>(data), qsizetype(size));
    orv::Feuille f;
    QString erreur;
#if FUZZ_XLSX
    QBuffer zip;
    zip.setData(octets);
    zip.open(QIODevice::ReadOnly);
    if (!orv::lit_xlsx(&zip, QStringLiteral("RECLASS"), f, erreur))
        return 0;
#else
    if (!orv::lit_xls_octets(octets, QStringLiteral("RECLASS"), f, erreur))
        return 0;
#endif
    if (f.nb_cellules > orv::CELLULES_MAX_FEUILLE)
        __builtin_trap();
    QStringList l;
    orv::lignes_du_classement(course_livree(), f, 1, QDate(2000, 11, 12), l, erreur);
    return 0;
}
