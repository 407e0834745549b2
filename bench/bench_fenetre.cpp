// Speed of the main window: a full repaint of a race day.
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

}  // namespace
