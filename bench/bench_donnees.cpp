// Speed of the race data: one day file (read and parsed), and the whole
// archive re-read as the trajectory assembly does it.
#include "donnees.h"

#include <QDir>
#include <benchmark/benchmark.h>

using namespace orv;

namespace {

const QString REP = QStringLiteral(ORVALIS_DONNEES);

void BM_jour_lecture_et_analyse(benchmark::State& st)
{
    JourCourse j;
    for (auto _ : st) {
        const bool ok = charge_donnees_coureurs(j, REP, QStringLiteral("061200"), QString());
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_jour_lecture_et_analyse)->Unit(benchmark::kMicrosecond);

void BM_relis_data_archive_entiere(benchmark::State& st)
{
    const QStringList noms = QDir(REP).entryList({"[0-3][0-9][01][0-9]0[01].txt"}, QDir::Files);
    JourCourse j;
    ArchiveCourse a;
    for (auto _ : st) {
        a.vide();
        for (const QString& n : noms)
            relis_data(j, a, REP, n);
        benchmark::DoNotOptimize(a.liste_traj[1]);
    }
    st.counters["fichiers"] = double(noms.size());
}
BENCHMARK(BM_relis_data_archive_entiere)->Unit(benchmark::kMillisecond);

}  // namespace
