// The race as continuous time: positions along great circles between fixes,
// what each position is, the published ranking of the moment, and the
// film's frames (their cached chart, their names).
#include "aide_cartes.h"
#include "camera.h"
#include "chronologie.h"
#include "images_course.h"
#include "incrustations.h"
#include "palette.h"
#include "rendu_film.h"
#include "fichier_jour.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace orv;

namespace {
// A record of an archive made by hand: entrant, day index, status text,
// position in decimal degrees (North and East positive).
struct Rel {
    int i, jour;
    const char* statut;
    double lat = 0, lon = 0;
    int rang = 1;
    bool nc = false;
    bool sans_position = false;
};

struct Archive {
    ArchiveJours a;
    Archive(const std::vector<QDate>& jours, const std::vector<Rel>& rels, std::vector<QDateTime> heures = {})
    {
        a.course = &course_livree();
        a.tete_traj.assign(size_t(course_livree().nb()) + 1, nullptr);
        a.jours = jours;
        heures.resize(jours.size());
        a.heures_classement = heures;
        for (const Rel& r : rels) {
            TDonnees_conc d;
            d.elem = cree_pos_elem(course_livree().nom_conc(r.i), deg_vers_ddmm(r.lat), deg_vers_ddmm(-r.lon));
            d.skipper = course_livree().nom_conc(r.i);
            d.bateau = QStringLiteral("Bateau %1").arg(r.i);
            d.date_txt = QString::fromUtf8(r.statut);
            d.rang = r.rang;
            d.non_classe = r.nc;
            d.sans_position = r.sans_position;
            d.jour = r.jour;
            a.listes.elements.push_back(d);
            TDonnees_conc* e = &a.listes.elements.back();
            TDonnees_conc*& tete = a.tete_traj[size_t(r.i)];
            if (!tete) {
                tete = e;
            } else {
                TDonnees_conc* q = tete;
                while (q->suivant)
                    q = q->suivant;
                q->suivant = e;
            }
        }
        a.constituee = true;
    }
};

Instant quand(int j, int m, int a, int h, int mi, int s = 0)
{
    return instant_de(QDateTime(QDate(a, m, j), QTime(h, mi, s), Qt::UTC));
}

// The point at fraction f of the great circle from (lat1, lon1) to (lat2,
// lon2), by the spherical-trigonometry formula of navigators (degrees).
std::pair<double, double> point_intermediaire(double lat1, double lon1, double lat2, double lon2, double f)
{
    const double r = M_PI / 180, p1 = lat1 * r, l1 = lon1 * r, p2 = lat2 * r, l2 = lon2 * r;
    const double d = 2 * std::asin(std::sqrt(std::pow(std::sin((p1 - p2) / 2), 2) +
                                             std::cos(p1) * std::cos(p2) * std::pow(std::sin((l1 - l2) / 2), 2)));
    const double A = std::sin((1 - f) * d) / std::sin(d), B = std::sin(f * d) / std::sin(d);
    const double x = A * std::cos(p1) * std::cos(l1) + B * std::cos(p2) * std::cos(l2);
    const double y = A * std::cos(p1) * std::sin(l1) + B * std::cos(p2) * std::sin(l2);
    const double z = A * std::sin(p1) + B * std::sin(p2);
    return {std::atan2(z, std::sqrt(x * x + y * y)) / r, std::atan2(y, x) / r};
}

double ecart_longitude(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

const QDate J0(2000, 11, 10), J1(2000, 11, 11), J2(2000, 11, 12), J3(2000, 11, 13);
}  // namespace

TEST(Chronologie, InterpolationSurLeGrandCercle)
{
    const struct Cas {
        const char* nom;
        double lat1, lon1;
        const char* statut2;
        double lat2, lon2;
        Instant t;
        double lat, lon;  // written in: the midpoints of a meridian, the equator, across 180°
        double f;         // else: the fraction of the leg, checked by the formula
    } cas[] = {
        {"méridien", 0, -10, "le 11/11/2000 à 20h00", 10, -10, quand(11, 11, 2000, 8, 0), 5, -10, -1},
        {"équateur", 0, 10, "le 11/11/2000 à 20h00", 0, 20, quand(11, 11, 2000, 8, 0), 0, 15, -1},
        {"180°", 0, 170, "le 11/11/2000 à 20h00", 0, -170, quand(11, 11, 2000, 8, 0), 0, 180, -1},
        // 18 hours between reports at other hours; a third of the leg.
        {"heures inégales", 40, -10, "le 11/11/2000 à 14h00", 38, -14, quand(11, 11, 2000, 2, 0), 0, 0, 1.0 / 3},
        {"haute latitude", 70, -20, "le 11/11/2000 à 20h00", 72, 30, quand(11, 11, 2000, 14, 0), 0, 0, 0.75},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Archive ar({J0, J1}, {{1, 0, "le 10/11/2000 à 20h00", c.lat1, c.lon1}, {1, 1, c.statut2, c.lat2, c.lon2}});
        const Chronologie chrono(ar.a);
        const PositionFilm p = chrono.position(1, c.t);
        ASSERT_TRUE(p.montre);
        EXPECT_EQ(p.nature, Nature::Interpole);
        EXPECT_TRUE(p.en_route);
        auto [lat, lon] = c.f < 0 ? std::pair{c.lat, c.lon} : point_intermediaire(c.lat1, c.lon1, c.lat2, c.lon2, c.f);
        EXPECT_NEAR(p.lat, lat, 1e-6);
        EXPECT_NEAR(ecart_longitude(p.lon, lon), 0, 1e-6) << p.lon;
    }
    // The leg's average speed: 600 miles (10° of a meridian) in 24 hours;
    // the course due North.
    const Archive ar({J0, J1}, {{1, 0, "le 10/11/2000 à 20h00", 0, -10}, {1, 1, "le 11/11/2000 à 20h00", 10, -10}});
    const PositionFilm p = Chronologie(ar.a).position(1, quand(11, 11, 2000, 8, 0));
    EXPECT_NEAR(p.vitesse, 25, 1e-6);
    EXPECT_NEAR(p.cap, 0, 1e-6);
}

// What a position is, entrant by entrant: a fix to the minute, the 30-hour
// rule across a missing day file, before the first fix, an arrival counted
// once and kept, a retirement shown a day then gone, reports that stop.
TEST(Chronologie, NaturesDesPositions)
{
    const Archive ar({J0, J1, J3},
                     {
                         // 1: a fix a day, then the 12th missing (48 hours).
                         {1, 0, "le 10/11/2000 à 20h00", 46, -2},
                         {1, 1, "le 11/11/2000 à 20h00", 45, -4},
                         {1, 2, "le 13/11/2000 à 20h00", 43, -8},
                         // 2: 30 hours between fixes; 3: 31 hours.
                         {2, 0, "le 10/11/2000 à 20h00", 46, -2},
                         {2, 1, "le 12/11/2000 à 02h00", 45, -3},
                         {3, 0, "le 10/11/2000 à 20h00", 46, -2},
                         {3, 1, "le 12/11/2000 à 03h00", 45, -3},
                         // 4: its arrival repeated, then a fix after it that
                         // moves nothing.
                         {4, 0, "le 10/11/2000 à 20h00", 47, -3},
                         {4, 1, "Arrivé le 11/11/2000 à 05h02", 47.5, -3.5},
                         {4, 1, "Arrivé le 11/11/2000 à 05h02", 47.5, -3.5},
                         {4, 2, "le 13/11/2000 à 20h00", 45, -10},
                         // 5: retired in the file of the 11th (no position).
                         {5, 0, "le 10/11/2000 à 20h00", 46, -2},
                         {5, 1, "Abandon - démâtage", 0, 0, 0, true},
                         // 6: its reports stop.
                         {6, 0, "le 10/11/2000 à 20h00", 46, -2},
                         // 8: a technical stop, its placeholder no fix.
                         {8, 0, "le 10/11/2000 à 20h00", 44, -6},
                         {8, 1, "En escale à Rio", 46.4667, 1.7833, 3, false, true},
                     });
    const Chronologie c(ar.a);
    EXPECT_EQ(c.fixes(4).size(), 2u);
    EXPECT_EQ(c.premier(), quand(10, 11, 2000, 20, 0));
    EXPECT_EQ(c.dernier(), quand(13, 11, 2000, 20, 0));
    const struct Cas {
        int i;
        Instant t;
        bool montre;
        Nature nature;
        double lat = 0;  // checked when not 0
    } cas[] = {
        {1, quand(10, 11, 2000, 19, 59), false, Nature::Releve},
        {1, quand(10, 11, 2000, 20, 0), true, Nature::Releve, 46},
        {1, quand(10, 11, 2000, 20, 0, 59), true, Nature::Releve, 46},
        {1, quand(10, 11, 2000, 20, 1), true, Nature::Interpole},
        {1, quand(12, 11, 2000, 20, 0), true, Nature::Estime},
        {1, quand(13, 11, 2000, 20, 0), true, Nature::Releve, 43},
        {1, quand(14, 11, 2000, 20, 0), true, Nature::DerniereConnue, 43},
        {2, quand(11, 11, 2000, 12, 0), true, Nature::Interpole},
        {3, quand(11, 11, 2000, 12, 0), true, Nature::Estime},
        {4, quand(11, 11, 2000, 5, 2), true, Nature::Arrive, 47.5},
        {4, quand(13, 11, 2000, 20, 0), true, Nature::Arrive, 47.5},
        {5, quand(11, 11, 2000, 11, 59), true, Nature::DerniereConnue, 46},
        {5, quand(11, 11, 2000, 12, 0), true, Nature::Abandon, 46},
        {5, quand(12, 11, 2000, 11, 59), true, Nature::Abandon, 46},
        {5, quand(12, 11, 2000, 12, 0), false, Nature::Abandon},
        {6, quand(13, 11, 2000, 20, 0), true, Nature::DerniereConnue, 46},
        {7, quand(11, 11, 2000, 20, 0), false, Nature::Releve},
        {8, quand(12, 11, 2000, 12, 0), true, Nature::DerniereConnue, 44},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(testing::Message() << k.i << " " << date_de(k.t).toString(Qt::ISODate).toStdString());
        const PositionFilm p = c.position(k.i, k.t);
        ASSERT_EQ(p.montre, k.montre);
        if (!k.montre)
            continue;
        EXPECT_EQ(texte_nature(p.nature), texte_nature(k.nature));
        if (k.lat != 0) {
            EXPECT_NEAR(p.lat, k.lat, 1e-9);
        }
        EXPECT_EQ(p.en_route, k.nature == Nature::Interpole || k.nature == Nature::Estime ||
                                  (k.nature == Nature::Releve && k.t < quand(13, 11, 2000, 20, 0)));
    }
}

// The ranking of the moment is the latest published at or before it: at
// its header's time, 20h00 UTC without one or with one not of its day or
// the next, never before the file's own fixes; its rows in rank order, the
// unranked after, each once; a file that ranks nobody publishes nothing.
TEST(Chronologie, ClassementPublie)
{
    const QDate J4(2000, 11, 14);
    const Archive ar({J0, J1, J2, J3, J4},
                     {{1, 0, "le 10/11/2000 à 20h00", 46, -2, 2}, {2, 0, "le 10/11/2000 à 20h00", 46, -2, 1},
                      {1, 1, "le 11/11/2000 à 18h00", 45, -3, 1}, {2, 1, "le 11/11/2000 à 18h00", 45, -3, 2},
                      {2, 1, "le 11/11/2000 à 18h00", 45, -3, 2}, {3, 1, "le 11/11/2000 à 18h00", 0, 0, 3, true},
                      {1, 2, "le 12/11/2000 à 20h00", 44, -4, 1}, {1, 3, "le 13/11/2000 à 20h00", 43, -5, 1}},
                     {QDateTime(), QDateTime(J1, QTime(18, 30), Qt::UTC), QDateTime(QDate(2030, 1, 1), QTime(8, 0), Qt::UTC),
                      QDateTime(J2, QTime(20, 0), Qt::UTC), QDateTime(J4, QTime(10, 0), Qt::UTC)});
    const Chronologie c(ar.a);
    const struct {
        Instant t;
        int jour;
    } cas[] = {
        {quand(10, 11, 2000, 19, 59, 59), -1}, {quand(10, 11, 2000, 20, 0), 0}, {quand(11, 11, 2000, 18, 29, 59), 0},
        {quand(11, 11, 2000, 18, 30), 1},      {quand(12, 11, 2000, 19, 59), 1}, {quand(12, 11, 2000, 20, 0), 2},
        {quand(13, 11, 2000, 19, 59), 2},      {quand(13, 11, 2000, 20, 0), 3},  {quand(14, 11, 2000, 21, 0), 3},
    };
    for (const auto& k : cas)
        EXPECT_EQ(c.jour_publie(k.t), k.jour) << date_de(k.t).toString(Qt::ISODate).toStdString();
    std::vector<int> ordre;
    for (const Chronologie::Ligne& l : c.classement(1))
        ordre.push_back(l.i);
    EXPECT_EQ(ordre, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(c.ligne(0, 2)->rang, 1);
    EXPECT_EQ(c.ligne(2, 2), nullptr);
    // A header earlier than the fixes it ranks (17h00, a fix at 19h00):
    // published with its last fix.
    const Archive tot({J0}, {{1, 0, "le 10/11/2000 à 19h00", 46, -2}}, {QDateTime(J0, QTime(17, 0), Qt::UTC)});
    const Chronologie ct(tot.a);
    EXPECT_EQ(ct.jour_publie(quand(10, 11, 2000, 18, 59, 59)), -1);
    EXPECT_EQ(ct.jour_publie(quand(10, 11, 2000, 19, 0)), 0);
    // A film over chosen days: from 00h00 of the first to 23h59 of the
    // last, within the fixes.
    SelectionTrajets s;
    s.toute_course = false;
    s.debut = 3;
    s.fin = 1;
    const PeriodeFilm p = periode_film(c, s);
    EXPECT_EQ(p.debut, quand(11, 11, 2000, 0, 0));
    EXPECT_EQ(p.fin, quand(13, 11, 2000, 20, 0));  // its last fix
    s.debut = 2;
    s.fin = 1;
    EXPECT_EQ(periode_film(c, s).fin, quand(12, 11, 2000, 23, 59));

    // The day files' own header, read with the day.
    JourCourse j(course_livree().nb());
    lit_jour(course_livree(), j, "Orvalis 2000 - 2001\r\nClassement du 15/12/2000 \xE0 20h00 UTC\r\n\r\n1\r\n", "151200.txt");
    EXPECT_EQ(j.heure_classement, QDateTime(QDate(2000, 12, 15), QTime(20, 0), Qt::UTC));
    lit_jour(course_livree(), j, "Orvalis\r\n\r\n1\r\n", "151200.txt");
    EXPECT_FALSE(j.heure_classement.isValid());
    EXPECT_EQ(texte_horloge(course_livree(), quand(12, 12, 2000, 14, 30)), QStringLiteral("Mardi 12 décembre 2000, 14h30 UTC · jour 33"));
}

// Frames of the shipped archive: the still chart rendered once for a view
// and copied after, the same pixels either way; names never over each
// other nor over their own speed line.
TEST(Chronologie, ImagesDuFilm)
{
    EtatProgramme e;
    e.course = course_livree();
    charge_cartes_livrees(e.cartes);
    QString erreur;
    ASSERT_TRUE(constitue_trajets(course_livree(), e.archive, QStringLiteral(ORVALIS_DONNEES), erreur)) << erreur;
    const Chronologie c(e.archive);
    OptionsFilm o = options_course_entiere(c, clBlack);
    o.trainee = TRAINEE_TOUTE;
    InstantFilm m = calcule_instant(c, o, quand(25, 12, 2000, 8, 0));
    ASSERT_TRUE(cadre_sur_instant(m, e.vue, 1400));
    Canevas k;
    Carte carte(k, e.vue);
    Compositeur compositeur;
    PlacementFilm place;
    auto scene = [&](PlacementFilm* p) {
        Scene s;
        ajoute_fond_course(s, &e.cartes, {}, &e.lieux);
        ajoute_couches_film(s, c, o, m, p);
        return s;
    };
    for (int image = 0; image < 3; ++image) {
        m = calcule_instant(c, o, m.t + UNE_HEURE);
        compositeur.rend(carte, scene(&place), 1400, 860);
    }
    EXPECT_EQ(compositeur.rendus_fixes(), 1);
    const QImage copiee = k.image().copy();
    rend_scene(carte, scene(nullptr), 1400, 860);
    EXPECT_EQ(k.image(), copiee);
    e.vue.lat_nord += 1;
    compositeur.rend(carte, scene(nullptr), 1400, 860);
    EXPECT_EQ(compositeur.rendus_fixes(), 2);

    int places = 0;
    for (int i = 1; i <= course_livree().nb(); ++i) {
        const QRect& r = place.etiquette[size_t(i)];
        if (r.isNull())
            continue;
        ++places;
        for (int j = i + 1; j <= course_livree().nb(); ++j)
            EXPECT_FALSE(r.intersects(place.etiquette[size_t(j)])) << course_livree().nom_conc(i).toStdString();
    }
    EXPECT_GT(places, 12);
}

// A frame by hand: a boat sailing east along the equator. Its trail ends
// at the boat, never ahead of it; at a fix its boat is filled, at its last
// known position hollow.
TEST(Chronologie, TraineeEtCoqueDuFilm)
{
    const Archive ar({J0, J1, J2}, {{1, 0, "le 10/11/2000 à 20h00", 0, 0},
                                    {1, 1, "le 11/11/2000 à 20h00", 0, 10},
                                    {1, 2, "le 12/11/2000 à 20h00", 0, 20}});
    const Chronologie c(ar.a);
    OptionsFilm o;
    o.concurrents.set(1);
    o.periode = {c.premier(), c.dernier() + UN_JOUR};
    o.trainee = TRAINEE_TOUTE;
    o.annotations.vitesses = false;
    Viewport v;
    v.lat_nord = 10;
    v.lat_sud = -10;
    v.long_ouest = 5;    // 5° W to 25° E, DD.MM West positive
    v.long_est = -25;
    Canevas k;
    Carte carte(k, v);
    const QRgb teinte = vers_qrgb(couleur_entrant(1));
    auto image = [&](Instant t) {
        const InstantFilm m = calcule_instant(c, o, t);
        Scene scene;
        scene.ajoute<CoucheCarte>(nullptr, scene.style);
        ajoute_couches_film(scene, c, o, m);
        rend_scene(carte, scene, 400, 200);
        return std::pair{k.image().copy(), QPoint(v.pos_grX(radians(ext(-m.positions[1].lon))), v.pos_grY(0))};
    };
    // Half way through the first leg: the trail behind, nothing ahead.
    const auto [mi, q] = image(quand(11, 11, 2000, 8, 0));
    int derriere = 0, devant = 0;
    for (int x = 0; x < mi.width(); ++x)
        for (int y = q.y() - 1; y <= q.y() + 1; ++y) {
            if (mi.pixel(x, y) != teinte)
                continue;
            if (x < q.x() - 8)
                ++derriere;
            if (x > q.x() + 8)
                ++devant;
        }
    EXPECT_GT(derriere, 20);
    EXPECT_EQ(devant, 0);
    // Heading north (its record's course 0): the pixel two ahead of its
    // centre lies inside the hull.
    for (const auto& [t, plein] : {std::pair{quand(12, 11, 2000, 20, 0), true}, std::pair{quand(13, 11, 2000, 2, 0), false}}) {
        const auto [img, b] = image(t);
        EXPECT_EQ(img.pixel(b.x(), b.y() - 2) == teinte, plein) << date_de(t).toString(Qt::ISODate).toStdString();
    }
}

// The camera's frames: across 180°, a view's request read back, halfway
// the short way round; the video's camera over the whole race holds every
// boat shown at every hour and never jumps from one hour to the next.
TEST(Chronologie, Camera)
{
    const auto k = cadrage_des_points({{10, 179}, {-10, -179}, {0, 178}}, 0, 1, 1);
    ASSERT_TRUE(k);
    EXPECT_NEAR(std::fabs(k->lon), 179.5, 1e-9);
    EXPECT_NEAR(k->larg, 3, 1e-9);
    EXPECT_NEAR(k->haut, 20, 1e-9);
    Viewport v;
    pose_cadrage(v, *k);
    const Cadrage relu = cadrage_de_la_vue(v);
    EXPECT_NEAR(ecart_longitude(relu.lon, k->lon), 0, 1e-3);
    EXPECT_NEAR(relu.larg, k->larg, 1e-3);
    EXPECT_NEAR(relu.haut, k->haut, 1e-3);
    const Cadrage mi = vers({0, 170, 10, 10}, {0, -170, 40, 40}, 0.5);
    EXPECT_NEAR(std::fabs(mi.lon), 180, 1e-9);
    EXPECT_NEAR(mi.larg, 20, 1e-9);

    ArchiveJours a;
    QString erreur;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, QStringLiteral(ORVALIS_DONNEES), erreur)) << erreur;
    const Chronologie c(a);
    for (const int suivre : {0, -1}) {
        SCOPED_TRACE(suivre);
        OptionsFilm o = options_course_entiere(c, clBlack);
        const CameraVideo camera(c, o, suivre);
        std::optional<Cadrage> avant;
        for (Instant t = c.premier(); t <= c.dernier(); t += UNE_HEURE) {
            const InstantFilm m = calcule_instant(c, o, t);
            const std::optional<Cadrage> f = camera.cadrage(t);
            ASSERT_TRUE(f);
            for (int i = 1; i <= course_livree().nb(); ++i) {
                const PositionFilm& p = m.positions[size_t(i)];
                if (!p.montre || (suivre != 0 && i != concurrent_suivi(m, suivre)))
                    continue;
                EXPECT_LE(std::fabs(p.lat - f->lat), f->haut / 2 + 1e-6) << i << " " << t;
                EXPECT_LE(ecart_longitude(p.lon, f->lon), f->larg / 2 + 1e-6) << i << " " << t;
            }
            if (avant) {
                EXPECT_LE(ecart_longitude(avant->lon, f->lon), 0.02 * f->larg) << t;
                EXPECT_LE(std::fabs(avant->larg / f->larg - 1), 0.04) << t;
            }
            avant = f;
        }
    }
}

// The video's ranking box: the first ranked boats of the moment, never an
// unranked one whatever its number, each dot in the film's colour, inside
// the picture at density 2.
TEST(Chronologie, IncrustationsDeLaVideo)
{
    const Archive ar({J0}, {{2, 0, "le 10/11/2000 à 20h00", 46, -2, 1},
                            {3, 0, "le 10/11/2000 à 20h00", 45, -3, 2, true},
                            {1, 0, "le 10/11/2000 à 20h00", 44, -4, 3},
                            {4, 0, "le 10/11/2000 à 20h00", 43, -5, 4}});
    const Chronologie c(ar.a);
    const OptionsFilm o = options_course_entiere(c, clBlack);
    const InstantFilm m = calcule_instant(c, o, quand(10, 11, 2000, 21, 0));
    EXPECT_EQ(premiers_du_classement(c, m, 5), (std::vector<int>{2, 1, 4}));
    EXPECT_EQ(premiers_du_classement(c, m, 2), (std::vector<int>{2, 1}));
    QImage image(640, 360, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    dessine_incrustations(image, c, m);
    auto compte = [&](QColor couleur, bool bas_gauche) {
        int n = 0;
        for (int y = bas_gauche ? 180 : 0; y < 360; ++y)
            for (int x = 0; x < (bas_gauche ? 320 : 640); ++x)
                n += image.pixelColor(x, y) == couleur;
        return n;
    };
    for (int i : {2, 1, 4})
        EXPECT_GT(compte(qcouleur_entrant(i), true), 20) << i;
    EXPECT_EQ(compte(qcouleur_entrant(3), false), 0);
}
