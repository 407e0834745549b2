// Speed of the continuous film: every entrant's position at an instant, one
// frame of the whole race at 1920 × 1080 with every trail, a scrub of the
// window's slider to a finished back buffer.
#include "chronologie.h"
#include "course_livree.h"
#include "etat_programme.h"
#include "fenetre_bench.h"
#include "images_course.h"
#include "instants.h"
#include "posconc.h"
#include "rendu_film.h"
#include "video.h"
#include "fichier_jour.h"
#include "fichier_lieux.h"

#include <QDir>
#include <QSlider>
#include <benchmark/benchmark.h>
#include <random>

using namespace orv;

namespace {
const ArchiveJours& archive_livree()
{
    static const ArchiveJours a = [] {
        ArchiveJours r;
        QString err;
        constitue_trajets(course_livree(), r, QStringLiteral(ORVALIS_DONNEES), err);
        return r;
    }();
    return a;
}

// The shipped maps and course marks.
void charge_cartes_et_marques(EtatProgramme& e)
{
    OptionsCartes o;
    o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
    o.racines_imposees = true;
    charge_cartes(e.cartes, o);
    QString err;
    charge_marques(e.lieux, QStringLiteral(ORVALIS_DONNEES), err);
}

}  // namespace

// The 24 positions of a random instant (one binary search each).
void BM_positions_24_instant_aleatoire(benchmark::State& st)
{
    const Chronologie c(archive_livree());
    const std::vector<Instant> t = instants_au_hasard(c, 4096);
    size_t k = 0;
    for (auto _ : st) {
        const Instant q = t[k++ & 4095];
        for (int i = 1; i <= course_livree().nb(); ++i)
            benchmark::DoNotOptimize(c.position(i, q));
    }
}
BENCHMARK(BM_positions_24_instant_aleatoire)->Unit(benchmark::kMicrosecond);

// One frame: the whole race in view, 24 entrants, trails over the whole
// race, the still chart from its cache (the view unchanged), the instant an
// hour on each time.
void BM_image_film_1080p_course_entiere(benchmark::State& st)
{
    EtatProgramme e;
    e.course = course_livree();
    charge_cartes_et_marques(e);
    const Chronologie c(archive_livree());
    SelectionTrajets s;
    for (int i = 1; i <= course_livree().nb(); ++i)
        s.concurrents.set(size_t(i));
    cadre_sur_trajets(archive_livree(), s, e.vue, 1920);
    const bool moderne = st.range(0) == 1;
    const StyleCarte style{moderne ? MER_MODERNE : clBlack, StyleCarte{}.coul_points, moderne};
    OptionsFilm f = options_course_entiere(c, style.fond);
    f.trainee = TRAINEE_TOUTE;
    Canevas k;
    Carte carte(k, e.vue);
    Compositeur compositeur;
    TracesVue traces;
    Instant t = c.premier() + 60 * UN_JOUR;
    for (auto _ : st) {
        t += UNE_HEURE;
        if (t > c.dernier())
            t = c.premier();
        const InstantFilm m = calcule_instant(c, f, t);
        Scene scene;
        ajoute_fond_course(scene, &e.cartes, style, &e.lieux);
        ajoute_couches_film(scene, c, f, m, nullptr, &traces);
        compositeur.rend(carte, scene, 1920, 1080);
        benchmark::DoNotOptimize(k.image().constBits());
    }
    st.counters["rendus_du_fond"] = compositeur.rendus_fixes();
}
BENCHMARK(BM_image_film_1080p_course_entiere)->Unit(benchmark::kMillisecond)->ArgName("moderne")->Arg(0)->Arg(1);

// The window's slider set to a random instant (the view unchanged): the
// moment computed, the bar and the leaderboard set, the back buffer drawn.
void BM_glissement_curseur_1080p(benchmark::State& st)
{
    FenetreBench f;
    TFPosConc& carte = f.carte;
    carte.Validmenu();
    carte.Filmcontinu1Click();
    carte.film.controleur.pause();
    QSlider* curseur = carte.film.barre->curseur;
    std::mt19937 g(3);
    std::uniform_int_distribution<int> d(curseur->minimum(), curseur->maximum());
    for (auto _ : st) {
        curseur->setValue(d(g));
        benchmark::DoNotOptimize(carte.canevas.image().constBits());
    }
    st.counters["rendus_du_fond"] = carte.compositeur.rendus_fixes();
}
BENCHMARK(BM_glissement_curseur_1080p)->Unit(benchmark::kMillisecond);

// The video's frames alone (no encoding): the whole race at a day per
// second and 30 frames per second, the overlays burned in, at 1280 × 720,
// 1920 × 1080 and 3840 × 2160 (1920 × 1080 at density 2); frames per
// second as the counter.
void BM_images_video(benchmark::State& st)
{
    EtatProgramme e;
    e.course = course_livree();
    charge_cartes_et_marques(e);
    QString err;
    charge_lieux(e.lieux, QStringLiteral(ORVALIS_DONNEES), err);
    const Chronologie c(archive_livree());
    ParametresVideo p;
    p.periode = {c.premier(), c.dernier()};
    p.taille = {int(st.range(0)), int(st.range(0)) * 9 / 16};
    p.echelle = double(st.range(1)) / 10;
    ImagesVideo images(e.cartes, e.lieux, e.vue, Reglages{}, c, p);
    int64_t k = 0;
    const int64_t n = nb_images(p);
    for (auto _ : st)
        benchmark::DoNotOptimize(images.image(instant_image(p, k++ % n)).constBits());
    st.counters["images_par_s"] = benchmark::Counter(double(st.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_images_video)
    ->Unit(benchmark::kMillisecond)
    ->ArgNames({"largeur", "densite_x10"})
    ->Args({1280, 10})
    ->Args({1920, 10})
    ->Args({1920, 20});
