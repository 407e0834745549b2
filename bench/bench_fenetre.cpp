// Speed of the main window: a full repaint of a race day, a zoom or pan
// step, a rubber-band move, the theoretical route's walk.
#include "calendrier.h"
#include "course_livree.h"
#include "etat_programme.h"
#include "posconc.h"
#include "fenetre_statistiques.h"
#include "statistiques.h"
#include "trajets.h"
#include "fenetre_bench.h"
#include "exports.h"
#include "fichier_jour.h"

#include <QTabWidget>
#include <QTemporaryDir>

#include <QDir>
#include <benchmark/benchmark.h>

using namespace orv;

namespace {

// World maps, marks, places and the 24 boats of 6 December 2000, 1920 × 1080,
// in the classic style or the modern one.
void peinture_jour(benchmark::State& st, bool moderne)
{
    Fenetre1080 f(double(st.range(0)) / 10);
    TFPosConc& carte = f.carte;
    carte.applique_style(moderne);
    for (auto _ : st) {
        carte.FormPaint();
        benchmark::DoNotOptimize(carte.canevas.image().constBits());
    }
    st.counters["larg_deg"] = double(f.etat.vue.larg_deg());
}

// One zoom step of the wheel, in then out (each: new bounds, re-fit and
// the whole race-day repaint); the time is per step.
void pas_de_zoom(benchmark::State& st, bool moderne)
{
    Fenetre1080 f(double(st.range(0)) / 10);
    f.carte.applique_style(moderne);
    const ext la = f.carte.lat(500), lo = f.carte.long_(900);
    bool dedans = true;
    for (auto _ : st) {
        f.carte.zoom_autour(la, lo, dedans ? 1 / 1.2L : 1.2L);
        dedans = !dedans;
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
}

// One pan of 40 pixels, right then left.
void pas_de_panoramique(benchmark::State& st, bool moderne)
{
    Fenetre1080 f(double(st.range(0)) / 10);
    f.carte.applique_style(moderne);
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

void BM_peinture_jour_1080p(benchmark::State& st) { peinture_jour(st, false); }
BENCHMARK(BM_peinture_jour_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);
void BM_pas_de_zoom_1080p(benchmark::State& st) { pas_de_zoom(st, false); }
BENCHMARK(BM_pas_de_zoom_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);
void BM_pas_de_panoramique_1080p(benchmark::State& st) { pas_de_panoramique(st, false); }
BENCHMARK(BM_pas_de_panoramique_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);

// The modern style: the still chart of the day's view alone (land, coast,
// graticule, drawn afresh), then the same three.
void BM_carte_moderne_du_jour_1080p(benchmark::State& st)
{
    Fenetre1080 f;
    Viewport v = f.etat.vue;
    Canevas k;
    Carte c(k, v);
    Scene s;
    s.style = {MER_MODERNE, s.style.coul_points, true};
    s.ajoute<CoucheCarteModerne>(&f.etat.cartes, s.style);
    for (auto _ : st) {
        rend_scene(c, s, 1920, 1080);
        benchmark::DoNotOptimize(k.image().constBits());
    }
    st.counters["larg_deg"] = double(v.larg_deg());
}
BENCHMARK(BM_carte_moderne_du_jour_1080p)->Unit(benchmark::kMillisecond);
void BM_peinture_jour_moderne_1080p(benchmark::State& st) { peinture_jour(st, true); }
BENCHMARK(BM_peinture_jour_moderne_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);
void BM_pas_de_zoom_moderne_1080p(benchmark::State& st) { pas_de_zoom(st, true); }
BENCHMARK(BM_pas_de_zoom_moderne_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);
void BM_pas_de_panoramique_moderne_1080p(benchmark::State& st) { pas_de_panoramique(st, true); }
BENCHMARK(BM_pas_de_panoramique_moderne_1080p)->Unit(benchmark::kMillisecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);

// One move of the zoom rectangle: the old one erased, the new one drawn
// (XOR), the touched area handed to the screen.
void BM_deplacement_du_cadre_1080p(benchmark::State& st)
{
    Fenetre1080 f(double(st.range(0)) / 10);
    f.carte.zoom_av_down(300, 200);
    int k = 0;
    for (auto _ : st) {
        f.carte.zoom_av_move(1500 + (k & 63), 900 - (k & 31));
        ++k;
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_deplacement_du_cadre_1080p)->Unit(benchmark::kMicrosecond)->ArgName("ratio_x10")->Arg(10)->Arg(20);

// The theoretical route as every paint walks it (built beforehand), on the
// world view.
void BM_marche_de_la_route(benchmark::State& st)
{
    Fenetre1080 f;
    Viewport& v = f.etat.vue;
    v.lat_nord = 70;
    v.lat_sud = -60;
    v.long_ouest = 89.59L;
    v.long_est = -89.59L;
    f.carte.construit_route();
    f.carte.rend(1920, 1080);
    for (auto _ : st) {
        Trace_route_theo(f.carte.dessin, f.carte.route.noeuds);
        benchmark::DoNotOptimize(f.carte.canevas.image().constBits());
    }
    st.counters["noeuds"] = double(f.carte.route.noeuds.size());
}
BENCHMARK(BM_marche_de_la_route)->Unit(benchmark::kMicrosecond);

// The assembly of the whole bundled archive from disk.
void BM_constitue_trajets(benchmark::State& st)
{
    ArchiveJours a;
    QString err;
    for (auto _ : st) {
        constitue_trajets(course_livree(), a, QStringLiteral(ORVALIS_DONNEES), err);
        benchmark::DoNotOptimize(a.tete_traj[1]);
    }
    st.counters["jours"] = double(a.nb_jours());
}
BENCHMARK(BM_constitue_trajets)->Unit(benchmark::kMillisecond);

// The main window replaying all 24 entrants over the whole race.
struct Rejeu1080 : Fenetre1080 {
    Rejeu1080()
    {
        QString err;
        constitue_trajets(course_livree(), etat.archive, QStringLiteral(ORVALIS_DONNEES), err);
        for (int i = 1; i <= course_livree().nb(); ++i)
            carte.rejeu.selection_traj.concurrents.set(size_t(i));
        carte.rejeu.trajets_constitues = carte.rejeu.trajets_actifs = true;
        carte.outils.choisit(OUTIL_TRAJETS);
        cadre_sur_trajets(etat.archive, carte.rejeu.selection_traj, etat.vue, 1920);
        carte.rend(1920, 1080);
    }
};

// One paint in instant mode (maps, marks, places, every track with all its
// annotations), as every repaint of that mode does.
void BM_peinture_instantanee_course_entiere(benchmark::State& st)
{
    Rejeu1080 r;
    for (auto _ : st) {
        r.carte.FormPaint();
        benchmark::DoNotOptimize(r.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_peinture_instantanee_course_entiere)->Unit(benchmark::kMillisecond);

// One step of the timed replay: framing, the chart, the day's 24 fixes.
void BM_pas_du_rejeu_cadence(benchmark::State& st)
{
    Rejeu1080 r;
    Rejeu& rejeu = r.carte.rejeu;
    r.carte.choisit_mode(1);
    rejeu.defilement_en_cours = true;
    rejeu.cadence_en_cours = true;
    for (auto _ : st) {
        st.PauseTiming();
        if (!rejeu.etapes.reste()) {
            rejeu.etapes = Etapes(r.etat.archive, rejeu.selection_traj);
            rejeu.dernier_conc = rejeu.selection_traj.dernier(course_livree().nb());
        }
        st.ResumeTiming();
        rejeu.un_pas();
        benchmark::DoNotOptimize(r.carte.canevas.image().constBits());
    }
}
BENCHMARK(BM_pas_du_rejeu_cadence)->Unit(benchmark::kMillisecond);

// The export of the whole race (24 tracks) as GPX.
void BM_export_gpx_course_entiere(benchmark::State& st)
{
    QString err;
    ArchiveJours archive;
    constitue_trajets(course_livree(), archive, QStringLiteral(ORVALIS_DONNEES), err);
    SelectionTrajets s;
    for (int i = 1; i <= course_livree().nb(); ++i)
        s.concurrents.set(size_t(i));
    QTemporaryDir d;
    const auto couleurs = couleurs_conc_pour(clBlack, course_livree().nb());
    for (auto _ : st)
        exporte_trajets(archive, s, d.filePath("course.gpx"), couleurs, err);
}
BENCHMARK(BM_export_gpx_course_entiere)->Unit(benchmark::kMillisecond);

// Every statistic of the bundled archive, once assembled.
void BM_calcule_statistiques(benchmark::State& st)
{
    QString err;
    ArchiveJours archive;
    constitue_trajets(course_livree(), archive, QStringLiteral(ORVALIS_DONNEES), err);
    for (auto _ : st) {
        const StatistiquesCourse s = calcule_statistiques(archive);
        benchmark::DoNotOptimize(s.bilans[1].distance);
    }
}
BENCHMARK(BM_calcule_statistiques)->Unit(benchmark::kMillisecond);

// The statistics window opened with both charts and the table, laid out
// and painted once (offscreen).
void BM_ouverture_fenetre_statistiques(benchmark::State& st)
{
    QString err;
    ArchiveJours archive;
    constitue_trajets(course_livree(), archive, QStringLiteral(ORVALIS_DONNEES), err);
    const StatistiquesCourse s = calcule_statistiques(archive);
    for (auto _ : st) {
        FenetreStatistiques f(s, true);
        f.setAttribute(Qt::WA_DontShowOnScreen);
        f.show();
        benchmark::DoNotOptimize(f.grab());
        f.onglets->setCurrentIndex(1);
        benchmark::DoNotOptimize(f.grab());
    }
}
BENCHMARK(BM_ouverture_fenetre_statistiques)->Unit(benchmark::kMillisecond);

}  // namespace
