// Races of tracks at tracker scale: 100 boats of 10,000 fixes (a million)
// and 1,000 boats of 1,000, made here (a random walk east across 180°, a
// fix every 2 to 10 minutes): every boat's position at a random instant, a
// film frame at 1920 × 1080 with the trails of the whole race, a scrub to
// a random instant.
#include "chronologie.h"
#include "etat_avx.h"
#include "etat_programme.h"
#include "images_course.h"
#include "instants.h"
#include "rendu_film.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <cmath>
#include <random>

using namespace orv;

namespace {
struct Flotte {
    Course course;
    std::vector<Piste> pistes;
    std::unique_ptr<Chronologie> chrono;
};

const Flotte& flotte(int bateaux, int points)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Flotte>> faites;
    auto& f = faites[{bateaux, points}];
    if (f)
        return *f;
    f = std::make_unique<Flotte>();
    std::mt19937_64 g(1);
    std::uniform_real_distribution<double> u(0, 1);
    const Instant t0 = 1709337600;
    for (int b = 0; b < bateaux; ++b) {
        Piste p;
        p.skipper = QStringLiteral("Skipper%1").arg(b, 4, 10, QLatin1Char('0'));
        double lat = 5 + 10 * u(g), lon = 147 + 6 * u(g);
        const double cap0 = (80 + 20 * u(g)) * M_PI / 180;
        double cap = cap0;
        Instant t = t0;
        for (int k = 0; k < points; ++k) {
            p.points.push_back({t, lat, std::remainder(lon, 360.0)});
            const double dt = 2 + 8 * u(g);
            t += Instant(dt * 60);
            cap += 0.02 * (cap0 - cap) + 0.1 * (u(g) - 0.5);
            const double d = 9 * dt / 60 / 60;
            lat += d * std::cos(cap);
            lon += d * std::sin(cap) / std::cos(lat * M_PI / 180);
        }
        f->course.concurrents.push_back({p.skipper, {}, {}, {}});
        f->pistes.push_back(std::move(p));
    }
    f->course.nom = QStringLiteral("Flotte");
    f->course.arrivee_connue = false;
    f->course.fichiers_jour = false;
    f->chrono = std::make_unique<Chronologie>(f->course, f->pistes);
    return *f;
}


// A film of the whole race at 1920 × 1080, every trail over the whole race,
// the view framed on every fix; its still chart and its trails in pixels
// kept from frame to frame, as the window keeps them.
struct Film1080 {
    const Chronologie& c;
    EtatProgramme e;
    OptionsFilm f;
    Canevas k;
    Carte carte{k, e.vue};
    Compositeur compositeur;
    TracesVue traces;
    explicit Film1080(const Chronologie& chrono) : c(chrono)
    {
        OptionsCartes o;
        o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
        o.racines_imposees = true;
        charge_cartes(e.cartes, o);
        EnsembleConcurrents tous(c.nb());
        for (int i = 1; i <= c.nb(); ++i)
            tous.set(size_t(i));
        cadre_sur_periode(c, tous, {c.premier(), c.dernier()}, e.vue, 1920);
        f = options_course_entiere(c, clBlack);
        f.trainee = TRAINEE_TOUTE;
    }
    // The frame at t: the moment computed, the scene drawn.
    const uchar* image(Instant t)
    {
        const InstantFilm m = calcule_instant(c, f, t);
        Scene scene;
        ajoute_fond_course(scene, &e.cartes, {}, nullptr);
        ajoute_couches_film(scene, c, f, m, nullptr, &traces);
        compositeur.rend(carte, scene, 1920, 1080);
        return k.image().constBits();
    }
};
}  // namespace

// Every boat's position at a random instant, as a frame asks them.
void BM_flotte_positions_instant_aleatoire(benchmark::State& st)
{
    const Chronologie& c = *flotte(int(st.range(0)), int(st.range(1))).chrono;
    const std::vector<Instant> t = instants_au_hasard(c, 4096);
    size_t k = 0;
    // As a frame computes its moment: after Qt's drawing, the vector state
    // cleared first.
    libere_etat_avx();
    EnsembleConcurrents tous(c.nb());
    for (int i = 1; i <= c.nb(); ++i)
        tous.set(size_t(i));
    std::vector<PositionFilm> p;
    for (auto _ : st) {
        c.positions(t[k++ & 4095], tous, p);
        benchmark::DoNotOptimize(p.data());
    }
}
BENCHMARK(BM_flotte_positions_instant_aleatoire)->Unit(benchmark::kMicrosecond)->Args({100, 10000})->Args({1000, 1000});

// One film frame at 1920 × 1080, the whole race in view, the trails of the
// whole race, the still chart from its cache and the trails in pixels of
// the view kept (the view unchanged), the instant an hour on each time:
// arg 2 the instant's place in the race (per cent), so that its cost is
// seen not to grow with it.
void BM_flotte_image_1080p_trainees(benchmark::State& st)
{
    const Chronologie& c = *flotte(int(st.range(0)), int(st.range(1))).chrono;
    Film1080 film(c);
    const Instant debut = c.premier() + (c.dernier() - c.premier()) * st.range(2) / 100;
    Instant t = debut;
    for (auto _ : st) {
        t += UNE_HEURE;
        if (t > c.dernier())
            t = debut;
        benchmark::DoNotOptimize(film.image(t));
    }
}
BENCHMARK(BM_flotte_image_1080p_trainees)
    ->Unit(benchmark::kMillisecond)
    ->Args({100, 10000, 10})
    ->Args({100, 10000, 90})
    ->Args({1000, 1000, 90});

// A scrub: the slider to a random instant, the moment computed and the
// frame drawn (the view unchanged).
void BM_flotte_glissement_1080p(benchmark::State& st)
{
    const Chronologie& c = *flotte(int(st.range(0)), int(st.range(1))).chrono;
    Film1080 film(c);
    const std::vector<Instant> t = instants_au_hasard(c, 256);
    size_t n = 0;
    for (auto _ : st)
        benchmark::DoNotOptimize(film.image(t[n++ & 255]));
}
BENCHMARK(BM_flotte_glissement_1080p)->Unit(benchmark::kMillisecond)->Args({100, 10000})->Args({1000, 1000});
