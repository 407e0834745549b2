// Speed of the navigation geometry.
#include "geometrie.h"

#include <benchmark/benchmark.h>

using namespace orv;

namespace {

void BM_dist_ortho(benchmark::State& st)
{
    ext lat1 = 46.30L, lon1 = 1.47L, lat2 = 40.00L, lon2 = 60.00L;
    for (auto _ : st) {
        benchmark::DoNotOptimize(lat1);
        benchmark::DoNotOptimize(lon2);
        benchmark::DoNotOptimize(dist_ortho(lat1, lon1, lat2, lon2));
    }
}
BENCHMARK(BM_dist_ortho);

void BM_calcul_orthodromie_16_points(benchmark::State& st)
{
    Orthodromie o;
    EtatLoxodromie lox;
    const ext pas = pas_orthodromie(1.47L, 60.00L);
    for (auto _ : st) {
        calcul_orthodromie(o, lox, 46.30L, 1.47L, 40.00L, 60.00L, pas);
        benchmark::DoNotOptimize(o.nb_pts_orth);
    }
    st.counters["points"] = o.nb_pts_orth;
}
BENCHMARK(BM_calcul_orthodromie_16_points);

}  // namespace
