// The .xls reader (BIFF, through FreeXL).
#include "classeur.h"

#include <QFile>
#include <charconv>
#include <freexl.h>

namespace orv {

QString nombre_court(double v)
{
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return QString::fromLatin1(b, int(r.ptr - b));
}

bool lit_xls(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    const void* h = nullptr;
    if (freexl_open(QFile::encodeName(chemin).constData(), &h) != FREEXL_OK) {
        if (h)
            freexl_close(h);
        erreur = QStringLiteral("classeur illisible");
        return false;
    }
    unsigned int nb = 0;
    freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &nb);
    bool trouvee = false;
    for (unsigned short k = 0; k < nb && !trouvee; ++k) {
        const char* nom = nullptr;
        if (freexl_get_worksheet_name(h, k, &nom) == FREEXL_OK && nom && QString::fromUtf8(nom) == nom_feuille)
            trouvee = freexl_select_active_worksheet(h, k) == FREEXL_OK;
    }
    if (!trouvee) {
        freexl_close(h);
        erreur = QStringLiteral("pas de feuille « %1 »").arg(nom_feuille);
        return false;
    }
    unsigned int lignes = 0;
    unsigned short colonnes = 0;
    freexl_worksheet_dimensions(h, &lignes, &colonnes);
    f = Feuille{};
    bool complete = true;
    for (unsigned int l = 0; l < lignes && complete; ++l) {
        for (unsigned short c = 0; c < colonnes && complete; ++c) {
            FreeXL_CellValue v{};
            if (freexl_get_cell_value(h, l, c, &v) != FREEXL_OK)
                continue;
            QString texte;
            switch (v.type) {
            case FREEXL_CELL_INT: texte = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: texte = nombre_court(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: texte = QString::fromUtf8(v.value.text_value); break;
            default: continue;
            }
            complete = f.place(int(l) + 1, int(c) + 1, texte);
        }
    }
    freexl_close(h);
    if (!complete)
        erreur = QStringLiteral("feuille « %1 » trop grande pour un classement").arg(nom_feuille);
    return complete;
}

}  // namespace orv
