// libFuzzer target: any bytes as a places list, with and without the
// placement line.
#include "lieux.h"
#include "fichier_lieux.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char*>(data), qsizetype(size));
    orv::ListeLieux l;
    orv::lit_lieux(contenu, true, l);
    orv::lit_lieux(contenu, false, l);
    for (const orv::TLieu& e : l)
        if (e.elem.nom.size() > 255)
            __builtin_trap();
    return 0;
}
