// libFuzzer target: the depth check of a page never counts less than the
// parser nests (less would let a deep page through to the parser's
// quadratic cost). The parser adds elements the text does not have (html,
// body, a tbody in each table): the check may count up to half of them.
#include "aide_html.h"
#include "page_html.h"

#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray page(reinterpret_cast<const char*>(data), qsizetype(size));
    if (profondeur_gumbo(page) > 2 * orv::profondeur_html(page, INT_MAX) + 3)
        __builtin_trap();
    return 0;
}
