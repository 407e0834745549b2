// Speed of the navigation geometry.
#include "etat_avx.h"
#include "geometrie.h"

#include <QImage>
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

// The same after one of Qt's fills of an image, which leaves the upper
// halves of the vector registers in use: without, then with the state
// cleared (the fill's own time included in both).
void dist_apres_remplissage(benchmark::State& st, bool liberer)
{
    QImage img(16, 16, QImage::Format_RGB32);
    ext lat1 = 46.30L, lon1 = 1.47L, lat2 = 40.00L, lon2 = 60.00L;
    for (auto _ : st) {
        img.fill(Qt::black);
        if (liberer)
            libere_etat_avx();
        benchmark::DoNotOptimize(lat1);
        benchmark::DoNotOptimize(lon2);
        benchmark::DoNotOptimize(dist_ortho(lat1, lon1, lat2, lon2));
    }
}
void BM_dist_ortho_apres_remplissage_qt(benchmark::State& st) { dist_apres_remplissage(st, false); }
void BM_dist_ortho_apres_remplissage_qt_etat_libere(benchmark::State& st) { dist_apres_remplissage(st, true); }
BENCHMARK(BM_dist_ortho_apres_remplissage_qt);
BENCHMARK(BM_dist_ortho_apres_remplissage_qt_etat_libere);

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
