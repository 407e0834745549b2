// The land as polygons ("Terres.bin", made by tools/cartes/make_land.py) and
// the modern chart drawn from it: a flat sea, flat land, lakes as water, an
// anti-aliased coast, thin borders, a discreet graticule labelled along the
// edges. The detail follows the view's scale.
#pragma once

#include "viewport.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QPainter;

class QImage;

namespace orv {

inline constexpr const char* FICHIER_TERRES = "Terres.bin";
// Refused above this (the file made from the sources is 2.9 MB).
inline constexpr int64_t TAILLE_TERRES_MAX = int64_t(64) << 20;

enum class NatureTerres : uint8_t { Terre = 1, Lacs = 2, Frontieres = 3 };
enum class DetailTerres : uint8_t { Au110m = 0, Au50m = 1, Au10m = 2, Complet = 3 };

struct CoucheTerres {
    NatureTerres nature = NatureTerres::Terre;
    DetailTerres detail = DetailTerres::Au110m;
    bool anneaux = true;  // closed rings (land, lakes) or lines (borders)
    float ouest = -180, sud = -90, est = 180, nord = 90;  // the box it covers
    // Longitude (East positive), latitude, in degrees, line after line.
    std::vector<float> xy;
    struct Ligne {
        uint32_t debut = 0, n = 0;  // in points
        float ouest = 0, sud = 0, est = 0, nord = 0;
        uint32_t bloc = 0;          // its first block
    };
    std::vector<Ligne> lignes;
    // Each line cut in blocks of BLOC points, each block's box (west, south,
    // east, north) taking in the point before it: a block wholly off the
    // view on one side is drawn as its last point alone.
    static constexpr uint32_t BLOC = 32;
    std::vector<float> blocs;
};

struct Terres {
    std::vector<CoucheTerres> couches;
    const CoucheTerres* couche(NatureTerres n, DetailTerres d) const;
};

// Reads a land file; false with the reason in French when it is not one,
// is cut, or holds a value no chart has.
bool lit_terres(const QString& chemin, Terres& t, QString& erreur);

// The land of a map folder, read at its first use and kept (shared by
// copies; safe from several threads).
class ChargeurTerres {
public:
    const Terres* terres(const QString& rep_cartes);
    QString erreur() const;

private:
    mutable std::mutex m_;
    bool lu_ = false;
    Terres t_;
    QString erreur_;
};

// The modern chart's colours.
struct CouleursModernes {
    QColor mer{0xA9, 0xCB, 0xE0};
    QColor terre{0xEC, 0xE6, 0xD8};
    QColor cote{0x6F, 0x8C, 0xA3};
    QColor frontiere{0xB4, 0xA5, 0x96};
    QColor graticule{0x95, 0xBB, 0xD4};
    QColor etiquette{0x4E, 0x6C, 0x84};
};

// The chart on `img` (its device pixel ratio applied) for the fitted view
// `a`, a client of larg × haut logical pixels: the sea, the land when
// `t` is given, the graticule and its labels.
void trace_carte_moderne(QImage& img, const Ajustement& a, int32_t larg, int32_t haut, const Terres* t,
                         const CouleursModernes& c = {});
// The same on any painter (a page: vector paths and text), `ratio` its
// physical pixels per logical one.
void trace_carte_moderne(QPainter& pt, double ratio, const Ajustement& a, int32_t larg, int32_t haut,
                         const Terres* t, const CouleursModernes& c = {});

}  // namespace orv
