// Speed of the race data: one day file (read and parsed), and the whole
// archive re-read as the trajectory assembly does it.
#include "donnees.h"
#include "course_livree.h"
#include "mise_a_jour.h"
#include "page_html.h"
#include "ecriture.h"
#include "texte.h"
#include "fichier_jour.h"

#include <QFile>
#include <QTemporaryDir>

#include <QDir>
#include <benchmark/benchmark.h>

using namespace orv;

namespace {

const QString REP = QStringLiteral(ORVALIS_DONNEES);

void BM_jour_lecture_et_analyse(benchmark::State& st)
{
    JourCourse j(course_livree().nb());
    for (auto _ : st) {
        const bool ok = charge_donnees_coureurs(course_livree(), j, REP, QStringLiteral("061200"), QString());
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_jour_lecture_et_analyse)->Unit(benchmark::kMicrosecond);

void BM_relis_data_archive_entiere(benchmark::State& st)
{
    const QStringList noms = QDir(REP).entryList({"[0-3][0-9][01][0-9]0[01].txt"}, QDir::Files);
    JourCourse j(course_livree().nb());
    ArchiveCourse a;
    for (auto _ : st) {
        a.vide(course_livree().nb());
        for (const QString& n : noms)
            relis_data(course_livree(), j, a, REP, n);
        benchmark::DoNotOptimize(a.liste_traj[1]);
    }
    st.counters["fichiers"] = double(noms.size());
}
BENCHMARK(BM_relis_data_archive_entiere)->Unit(benchmark::kMillisecond);

QByteArray page_de_classement()
{
    QFile f(QStringLiteral(ORVALIS_DONNEES "/../tests/donnees/classement97.html"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A ranking page (layout 97) into the day file's lines.
QStringList lignes_de_la_page(const QByteArray& page)
{
    Feuille g;
    feuille_depuis_html(page, QByteArray(), g);
    QStringList lignes;
    QString err;
    MAJ_fi_clss(course_livree(), g, lignes, err);
    return lignes;
}

// A 24-entrant ranking page (layout 97) into the grid, the day file's
// lines from it, and the file written atomically (network aside).
void BM_page_de_classement_vers_fichier_du_jour(benchmark::State& st)
{
    const QByteArray page = page_de_classement();
    QTemporaryDir d;
    const QString chemin = d.filePath(QStringLiteral("121100.txt"));
    for (auto _ : st)
        ecrit_lignes(chemin, lignes_de_la_page(page));
}
BENCHMARK(BM_page_de_classement_vers_fichier_du_jour)->Unit(benchmark::kMicrosecond);

// The parsing part alone (the page into the day file's lines).
void BM_page_de_classement_analyse(benchmark::State& st)
{
    const QByteArray page = page_de_classement();
    for (auto _ : st)
        benchmark::DoNotOptimize(lignes_de_la_page(page));
}
BENCHMARK(BM_page_de_classement_analyse)->Unit(benchmark::kMicrosecond);

}  // namespace
