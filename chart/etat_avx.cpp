#include "etat_avx.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace orv {

namespace {
__attribute__((target("avx"))) void zeroupper() { _mm256_zeroupper(); }
const bool avx = __builtin_cpu_supports("avx");
}  // namespace

void libere_etat_avx()
{
    if (avx)
        zeroupper();
}

}  // namespace orv
#else
namespace orv {
void libere_etat_avx() {}
}  // namespace orv
#endif
