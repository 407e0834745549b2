// One scene: every drawable of a picture is a layer, in the paint order,
// still or moving; one composer draws a scene on a chart for a viewport and
// a device pixel ratio. The window, the pictures of the command line, the
// film and the video each build a scene and hand it to a composer; none
// paints on its own.
//
// A still layer (the chart, the marks and places, the route) says what its
// pixels depend on (its key); the composer keeps the picture of the still
// layers at the bottom of the scene and copies it while the view, the size
// and every one of their keys are unchanged. A moving layer is drawn at
// every picture. A new layer is a class derived from Couche, added to the
// scene where it belongs in the paint order.
#pragma once

#include "carte.h"

#include <QImage>
#include <memory>
#include <vector>

namespace orv {

// What a still layer's pixels depend on besides the view: values compared
// between pictures (pointers, sizes, colours, fingerprints of lists).
class CleCouche {
public:
    CleCouche& operator<<(quint64 v)
    {
        v_.push_back(v);
        return *this;
    }
    CleCouche& operator<<(const void* p) { return *this << quint64(reinterpret_cast<quintptr>(p)); }
    CleCouche& operator<<(ext v);
    bool operator==(const CleCouche&) const = default;

private:
    std::vector<quint64> v_;
};

class Couche {
public:
    virtual ~Couche() = default;
    virtual void dessine(Carte& c) const = 0;
    // Still layers are drawn once and copied while their key holds.
    virtual bool fixe() const { return false; }
    virtual CleCouche cle() const { return {}; }
};

// The layers of a picture, in the paint order, and how its chart is fitted.
class Scene {
public:
    StyleCarte style;        // the sea (the erase) and the coast
    bool ajuste_vue = true;  // the viewport fitted to the client (not for the welcome picture)

    // Adds a layer over those already there.
    template <class C, class... A>
    C& ajoute(A&&... args)
    {
        couches_.push_back(std::make_unique<C>(std::forward<A>(args)...));
        return static_cast<C&>(*couches_.back());
    }
    const std::vector<std::unique_ptr<Couche>>& couches() const { return couches_; }

private:
    std::vector<std::unique_ptr<Couche>> couches_;
};

// Draws scenes on a chart, keeping the picture of their still layers.
class Compositeur {
public:
    // `garde`: the still layers' picture kept for the next scene (a
    // picture made once keeps nothing).
    explicit Compositeur(bool garde = true) : garde_(garde) {}
    // Scene `s` on c's canvas (its ratio the device's), a client of
    // larg × haut logical pixels: the viewport fitted, the still layers at
    // the bottom from the cache when nothing they depend on changed (the
    // canvas's drawing state put back as they left it), then the others.
    void rend(Carte& c, const Scene& s, int32_t larg, int32_t haut);
    // The next picture draws its still layers again.
    void invalide() { valide_ = false; }
    // How many times the still layers were drawn.
    int rendus_fixes() const { return rendus_; }

private:
    struct Cle {
        ext nord, sud, ouest, est, large;
        bool libre, ajuste;
        int32_t larg, haut;
        double ratio;
        TColor fond;
        std::vector<CleCouche> couches;
        bool operator==(const Cle&) const = default;
    };
    Cle cle(const Carte& c, const Scene& s, size_t nb_fixes, int32_t larg, int32_t haut) const;
    QImage image_;
    Cle cle_{};
    Canevas::Etat etat_{};
    int32_t x_elem_ = 0, y_elem_ = 0;
    bool garde_ = true;
    bool valide_ = false;
    int rendus_ = 0;
};

// A scene drawn once (a composer of its own).
void rend_scene(Carte& c, const Scene& s, int32_t larg, int32_t haut);

}  // namespace orv
