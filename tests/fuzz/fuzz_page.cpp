// libFuzzer target: any bytes as the ranking web page, read as the update
// reads it (charset, depth check, parse, largest table), then as a sheet of
// both layouts with the checks of the lines.
#include "course_livree.h"
#include "feuille.h"
#include "page_html.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char*>(data), qsizetype(size));
    orv::Feuille f;
    QString raison;
    if (!orv::feuille_depuis_html(page, QByteArray("text/html"), f, &raison))
        return 0;
    if (f.nb_cellules > orv::CELLULES_MAX_FEUILLE || f.lignes.size() > size_t(orv::LIGNES_MAX_FEUILLE))
        __builtin_trap();
    for (int code : {1, 2}) {
        QStringList l;
        QString erreur;
        if (orv::lignes_du_classement(course_livree(), f, code, QDate(2000, 11, 12), l, erreur) &&
            l.size() != course_livree().nb() * 9)
            __builtin_trap();
    }
    return 0;
}
