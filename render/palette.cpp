#include "palette.h"

#include <array>

namespace orv {

namespace {
// RGB, in an order where neighbours differ most.
constexpr std::array<QRgb, NB_TEINTES> TEINTES = {
    0x42d4f4,  // cyan
    0xf032e6,  // magenta
    0x3cb44b,  // green
    0xffd8b1,  // apricot
    0x4363d8,  // blue
    0x808000,  // olive
    0xfabed4,  // pink
    0x469990,  // teal
    0x911eb4,  // purple
    0xaaffc3,  // mint
    0x9a6324,  // brown
    0xa9a9a9,  // grey
};

size_t teinte(int i) { return size_t(((i - 1) % NB_TEINTES + NB_TEINTES) % NB_TEINTES); }
}  // namespace

TColor couleur_entrant(int i)
{
    const QRgb c = TEINTES[teinte(i)];
    return TColor(qRed(c)) | (TColor(qGreen(c)) << 8) | (TColor(qBlue(c)) << 16);
}

QColor qcouleur_entrant(int i) { return QColor(TEINTES[teinte(i)]); }

bool tirets_entrant(int i) { return ((i - 1) / NB_TEINTES) % 2 == 1; }

}  // namespace orv
