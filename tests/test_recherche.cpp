// Find and navigate: what the search finds (accents, case, parts of names,
// days of the race, marks and places) and the view history's steps.
#include "historique_vues.h"
#include "recherche.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(Recherche, NomsJoursMarquesEtLieux)
{
    Course c;
    c.premier_jour = QDate(2000, 11, 10);
    c.dernier_jour = QDate(2001, 3, 10);
    for (const auto& [s, b] : {std::pair{"Arvelin", "Brise Marine"}, std::pair{"Le Brâvic", "Phare du Monde"}, std::pair{"Esquilan", "Cap au Large"},
                               std::pair{"Marvelle", "Œil de Mer"}})
        c.concurrents.push_back({QString::fromUtf8(s), QString::fromUtf8(b), {}, {}});
    Lieux l;
    l.liste_mp = {{cree_pos_elem(QString::fromUtf8("Cap de Bonne-Espérance"), -34.21L, -18.28L)}};
    l.liste_lieux = {{cree_pos_elem(QString::fromUtf8("Île Heard"), -53.06L, -73.30L)}};
    const struct {
        const char* requete;
        std::vector<const char*> attendu;
    } cas[] = {
        {"bravic", {"Le Brâvic (Phare du Monde)"}},
        {"LEBRAV", {"Le Brâvic (Phare du Monde)"}},
        {"  le brâ ", {"Le Brâvic (Phare du Monde)"}},
        {"oeil", {"Marvelle (Œil de Mer)"}},
        {"de mer", {"Marvelle (Œil de Mer)"}},
        // A name that starts with it before one that holds it; then the marks.
        {"mar", {"Marvelle (Œil de Mer)", "Arvelin (Brise Marine)"}},
        {"cap", {"Esquilan (Cap au Large)", "Marque : Cap de Bonne-Espérance"}},
        {"ile", {"Lieu : Île Heard"}},
        {"25/12", {"Jour : 25/12/2000"}},
        {"5/1", {"Jour : 05/01/2001"}},
        {"25/12/2000", {"Jour : 25/12/2000"}},
        {"25/12/1999", {}},
        {"31/02", {}},
        {"zzz", {}},
        {"", {}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.requete);
        const std::vector<Trouvaille> r = recherche(c, l, QString::fromUtf8(k.requete));
        std::vector<QString> textes;
        for (const Trouvaille& t : r)
            textes.push_back(t.texte);
        std::vector<QString> attendu;
        for (const char* a : k.attendu)
            attendu.push_back(QString::fromUtf8(a));
        EXPECT_EQ(textes, attendu);
    }
    EXPECT_EQ(recherche(c, l, "esqu").front().concurrent, 3);
    EXPECT_EQ(recherche(c, l, "heard").front().lieu.latitude, -53.06L);
}

TEST(HistoriqueVues, ReculeAvanceEtLimite)
{
    const auto vue = [](int k) {
        Viewport v;
        v.lat_nord = k;
        v.lat_sud = k - 10;
        return v;
    };
    HistoriqueVues h;
    EXPECT_FALSE(h.recule());
    for (int k : {1, 2, 2, 3})
        h.note(vue(k));
    EXPECT_EQ(h.taille(), 3u);  // the same view twice is one step
    EXPECT_EQ(h.recule()->lat_nord, 2);
    EXPECT_EQ(h.recule()->lat_nord, 1);
    EXPECT_FALSE(h.recule());
    EXPECT_EQ(h.avance()->lat_nord, 2);
    // A new step from there drops the one ahead.
    h.note(vue(4));
    EXPECT_FALSE(h.avance());
    EXPECT_EQ(h.recule()->lat_nord, 2);
    // At most a hundred: the oldest go.
    for (int k = 10; k < 160; ++k)
        h.note(vue(k));
    EXPECT_EQ(h.taille(), HistoriqueVues::MAX);
    int premier = 0;
    while (const auto v = h.recule())
        premier = int(v->lat_nord);
    EXPECT_EQ(premier, 60);
}
