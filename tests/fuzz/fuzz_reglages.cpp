// libFuzzer target: any bytes as the settings file.
#include "course_livree.h"
#include "reglages.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char*>(data), qsizetype(size));
    const orv::Reglages r = orv::reglages_depuis(orv::lit_ini(contenu));
    if (r.code_excel < 0 || r.code_excel > 2)
        __builtin_trap();
    orv::couleurs_conc_pour(r.fond, course_livree().nb());
    return 0;
}
