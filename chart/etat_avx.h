// After Qt's vector code (its start-up, its fills and blends of images),
// the upper halves of the processor's 256- and 512-bit registers can be left
// in use; every later SSE instruction then pays a transition, and the
// double-precision trigonometry of the positions and the geometry ran 6 to
// 25 times slower on the machines we build on. This clears that state: it
// is called where such code ran and trigonometry follows.
#pragma once

namespace orv {

// vzeroupper where the processor has AVX; nothing elsewhere.
void libere_etat_avx();

}  // namespace orv
