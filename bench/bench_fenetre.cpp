// Speed of the main window: a full repaint of a race day, a zoom or pan
// step, a rubber-band move, the theoretical route's walk.
#include "calendrier.h"
#include "posconc.h"

#include <QDir>
#include <benchmark/benchmark.h>

using namespace orv;

namespace {

// World maps, marks, places and the 24 boats of 6 December 2000, 1920 × 1080.
void BM_peinture_jour_1080p(benchmark::State& st)
{
    TFPosConc carte(nullptr, QStringLiteral(ORVALIS_DONNEES), QDir::tempPath());
    carte.information = [](const QString&) {};
    carte.avertissement = carte.information;
    carte.resize(1920, 1080);
    carte.FormCreate();
    carte.fond_initial = false;
    montre_mois(etat_date(), 12, 2000);
    valide_date(etat_date(), 6, 12, 2000);
    carte.Charge_donnees_coureurs();
    for (auto _ : st) {
        carte.FormPaint();
        benchmark::DoNotOptimize(carte.canevas.image().constBits());
    }
    st.counters["larg_deg"] = double(viewport().larg_deg);
}
BENCHMARK(BM_peinture_jour_1080p)->Unit(benchmark::kMillisecond);

// The main window at 1920 × 1080 on 6 December 2000, maps loaded.
struct Fenetre1080 {
    TFPosConc carte{nullptr, QStringLiteral(ORVALIS_DONNEES), QDir::tempPath()};
    Fenetre1080()
    {
        carte.information = [](const QString&) {};
        carte.avertissement = carte.information;
        carte.resize(1920, 1080);
        carte.FormCreate();
        carte.fond_initial = false;
        montre_mois(etat_date(), 12, 2000);
        valide_date(etat_date(), 6, 12, 2000);
        carte.Charge_donnees_coureurs();
        carte.rend(1920, 1080);
    }
};

// One zoom step of the wheel, in then out (each: new bounds, re-fit and
// the whole race-day repaint); the time is per step.
void BM_pas_de_zoom_1080p(benchmark::State& st)
{
    Fenetre1080 f;
    const ext la = f.carte.lat(500), lo = f.carte.long_(900);
    bool dedans = true;
    for (auto _ : st) {
        f.carte.zoom_autour(la, lo, dedans ? 1 / 1.2L : 1.2L);
        dedans = !dedans;
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_pas_de_zoom_1080p)->Unit(benchmark::kMillisecond);

// One pan of 40 pixels, right then left.
void BM_pas_de_panoramique_1080p(benchmark::State& st)
{
    Fenetre1080 f;
    f.carte.depl_panoramique();
    int sens = 1;
    for (auto _ : st) {
        f.carte.panoramic_down(900, 500);
        f.carte.panoramic_move(900 + 40 * sens, 500);
        f.carte.panoramic_up(900 + 40 * sens, 500);
        sens = -sens;
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_pas_de_panoramique_1080p)->Unit(benchmark::kMillisecond);

// One move of the zoom rectangle: the old one erased, the new one drawn
// (XOR), the touched area handed to the screen.
void BM_deplacement_du_cadre_1080p(benchmark::State& st)
{
    Fenetre1080 f;
    f.carte.zoom_av_down(300, 200);
    int k = 0;
    for (auto _ : st) {
        f.carte.zoom_av_move(1500 + (k & 63), 900 - (k & 31));
        ++k;
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_deplacement_du_cadre_1080p)->Unit(benchmark::kMicrosecond);

// The theoretical route as every paint walks it (built beforehand), on the
// world view.
void BM_marche_de_la_route(benchmark::State& st)
{
    Fenetre1080 f;
    Viewport& v = viewport();
    v.lat_nord = 70;
    v.lat_sud = -60;
    v.long_ouest = 89.59L;
    v.long_est = -89.59L;
    f.carte.construit_route();
    f.carte.rend(1920, 1080);
    for (auto _ : st) {
        f.carte.Trace_route_theo();
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
    st.counters["noeuds"] = double(f.carte.liste_route_ortho.size());
}
BENCHMARK(BM_marche_de_la_route)->Unit(benchmark::kMicrosecond);

}  // namespace
