// libFuzzer target: the page reduced to its tables keeps the parser
// shallow (html, body, then at most table, tbody, row and cell for each
// table open, whose most at once the reduction counts).
#include "aide_html.h"
#include "page_html.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray page(reinterpret_cast<const char*>(data), qsizetype(size));
    int tables = 0;
    const QByteArray reduite = orv::reduit_aux_tableaux(page, &tables);
    if (profondeur_gumbo(reduite) > 3 + 4 * tables)
        __builtin_trap();
    return 0;
}
