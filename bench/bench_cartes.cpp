// Speed of the chart: the coastline dot loop in the real paint path, a whole
// chart paint, and the loading of the shipped maps.
#include "cartes.h"
#include "carte.h"
#include "etat_avx.h"
#include "rendu_course.h"
#include "trace_cartes.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace orv;

namespace {

// The shipped maps, loaded once for every benchmark.
Cartes& cartes()
{
    static Cartes c;
    return c;
}

OptionsCartes options_livrees()
{
    OptionsCartes o;
    o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
    o.racines_imposees = true;
    return o;
}

int64_t total_points(const Cartes& c)
{
    int64_t n = 0;
    for (const CartePix& m : c.liste)
        n += m.points_lus();
    return n;
}

Viewport vue(ext n, ext s, ext o, ext e, int w, int h)
{
    Viewport v;
    v.lat_nord = n;
    v.lat_sud = s;
    v.long_ouest = o;
    v.long_est = e;
    v.ajuste(w, h);
    return v;
}

// Every dot of every shipped map, 1920 × 1080, after the background fill
// (the fill itself is not timed).
void trace_1080p(benchmark::State& st, const Viewport& v)
{
    const Cartes& c = cartes();
    Canevas cv;
    cv.dimensionne(1920, 1080);
    for (auto _ : st) {
        st.PauseTiming();
        cv.remplit(clBlack);
        st.ResumeTiming();
        trace_toutes_cartes(cv.image(), v.ajustement(), 1920, 1080, c, 0x0078F0);
        benchmark::DoNotOptimize(cv.image().constBits());
    }
    const double pts = double(total_points(c));
    st.counters["points"] = pts;
    st.counters["ns_par_point"] = benchmark::Counter(
        pts * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_trace_cartes_monde(benchmark::State& st)
{
    trace_1080p(st, vue(70, -60, 89.59L, -89.59L, 1920, 1080));
}
BENCHMARK(BM_trace_cartes_monde)->Unit(benchmark::kMillisecond);

void BM_trace_cartes_zoom_gascogne(benchmark::State& st)
{
    trace_1080p(st, vue(48, 45, 3.3L, -0.3L, 1920, 1080));
}
BENCHMARK(BM_trace_cartes_zoom_gascogne)->Unit(benchmark::kMillisecond);

// The whole chart paint: fill, fit, coastlines, graticule and labels.
void BM_FormPaint_monde(benchmark::State& st)
{
    Viewport v = vue(70, -60, 89.59L, -89.59L, 1920, 1080);
    Canevas k;
    Carte c(k, v);
    Scene s;
    s.ajoute<CoucheCarte>(&cartes(), s.style);
    for (auto _ : st) {
        rend_scene(c, s, 1920, 1080);
        benchmark::DoNotOptimize(k.image().constBits());
    }
}
BENCHMARK(BM_FormPaint_monde)->Unit(benchmark::kMillisecond);

// The modern chart of the whole world (land, lakes, coast, borders,
// graticule), 1920 × 1080, at density 1 and 2, drawn afresh each time.
void BM_carte_moderne_monde(benchmark::State& st)
{
    Viewport v = vue(90, -90, 180, -180, 1920, 1080);
    Canevas k;
    k.pose_ratio(double(st.range(0)) / 10);
    Carte c(k, v);
    Scene s;
    s.style = {MER_MODERNE, s.style.coul_points, true};
    s.ajoute<CoucheCarteModerne>(&cartes(), s.style);
    for (auto _ : st) {
        rend_scene(c, s, 1920, 1080);
        benchmark::DoNotOptimize(k.image().constBits());
    }
}
BENCHMARK(BM_carte_moderne_monde)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);

void BM_charge_cartes(benchmark::State& st)
{
    const OptionsCartes o = options_livrees();
    for (auto _ : st) {
        Cartes c;
        charge_cartes(c, o);
        benchmark::DoNotOptimize(c.liste.data());
    }
}
BENCHMARK(BM_charge_cartes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private settings directory: no map directory recorded, and the
    // user's own settings untouched.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    charge_cartes(cartes(), options_livrees());
    benchmark::Initialize(&argc, argv);
    // Qt's start-up leaves the vector state dirty: the figures would carry
    // it (BM_dist_ortho 900 ns instead of 80).
    libere_etat_avx();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
