// The mouse tools, each an object, and their manager: the dispatch of
// presses, moves, releases and double clicks to the current tool.
#include "outils.h"

#include "mercator.h"
#include "trace_geometrie.h"
#include "traduction.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolBar>
#include <QWheelEvent>
#include <cmath>
#include <optional>

namespace orv {

namespace {
constexpr ext LAT_NON_DEFINIE = 180;  // the distance tool's first point is unset while its latitude is this

// --- The tools ------------------------------------------------------------------

// No tool, the replay's, the welcome picture's: presses do nothing here.
class OutilSimple : public Outil {
public:
    OutilSimple(FenetreDesOutils& f, GestionOutils& g, ModeOutil m) : Outil(f, g), m_(m) {}
    ModeOutil mode() const override { return m_; }

private:
    ModeOutil m_;
};

// Zoom: a rectangle drawn with the left button zooms into it, the right
// button zooms out.
class OutilZoom : public Outil {
public:
    using Outil::Outil;
    ModeOutil mode() const override { return OUTIL_ZOOM; }
    void active() override
    {
        TMercator& c = f_.carte();
        c.zone_x1 = c.zone_y1 = c.zone_x2 = c.zone_y2 = 0;
        f_.message(Texte::tr("Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit"));
    }
    bool appui(int X, int Y, bool) override
    {
        en_cours = true;
        f_.carte().zoom_av_down(X, Y);
        return true;
    }
    bool autre_appui(Qt::MouseButton bouton) override
    {
        if (bouton != Qt::RightButton)
            return false;
        en_cours = false;
        f_.carte().efface_bande();
        f_.carte().zoom_arriere();
        return true;
    }
    void deplacement(int X, int Y) override
    {
        if (en_cours)
            f_.carte().zoom_av_move(X, Y);
    }
    void relache(int X, int Y) override
    {
        if (en_cours)
            f_.carte().zoom_av_up(X, Y);
        en_cours = false;
    }
    void abandonne() override { en_cours = false; }
    bool en_cours = false;  // a rectangle being drawn
};

// Details: a click on a name or a mark shows its details while held.
class OutilDetails : public Outil {
public:
    using Outil::Outil;
    ModeOutil mode() const override { return OUTIL_DETAILS; }
    void active() override { f_.message(Texte::tr("Cliquer sur la 1 ère lettre du nom pour obtenir les détails")); }
    bool appui(int X, int Y, bool ctrl) override
    {
        f_.details_appui(X, Y, ctrl);
        return true;
    }
    bool tout_relachement() override
    {
        f_.details_relache();
        return true;
    }
};

// Pan: a left drag moves the chart by as much.
class OutilPanoramique : public Outil {
public:
    using Outil::Outil;
    ModeOutil mode() const override { return OUTIL_PANORAMIQUE; }
    void active() override
    {
        f_.carte().depl_panoramique();
        f_.message(Texte::tr("Cliquer - Glisser - Relacher le bouton gauche de la souris pour déplacer la carte"));
    }
    bool appui(int X, int Y, bool) override
    {
        f_.carte().panoramic_down(X, Y);
        return true;
    }
    void deplacement(int X, int Y) override { f_.carte().panoramic_move(X, Y); }
    void relache(int X, int Y) override { f_.carte().panoramic_up(X, Y); }
};

// Distance: from a boat or mark to another, a line in XOR while dragging;
// the release frames both and shows the distance, then the tool ends.
class OutilDistance : public Outil {
public:
    using Outil::Outil;
    ModeOutil mode() const override { return OUTIL_DISTANCE; }
    void active() override
    {
        f_.carte().canevas.style_plume = StylePlume::Tiret;
        depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
        f_.message(Texte::tr("Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher"));
    }
    bool appui(int X, int Y, bool) override
    {
        TMercator& c = f_.carte();
        depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
        c.canevas.mode_xor = true;
        c.zone_x1 = c.zone_x2 = X;
        c.zone_y1 = c.zone_y2 = Y;
        if (f_.point_sous_souris(X, Y, depart))
            c.commence_bande(TMercator::BandeXor::Trait, ~c.couleur_fond & 0xFFFFFF, c.canevas.style_plume, X, Y);
        return true;
    }
    void deplacement(int X, int Y) override
    {
        if (depart.latitude != LAT_NON_DEFINIE)
            f_.carte().deplace_bande(X, Y);
    }
    void relache(int X, int Y) override
    {
        TMercator& c = f_.carte();
        c.efface_bande();
        c.canevas.mode_xor = false;
        // A release over nothing, or on the point that was pressed (a click,
        // the first half of a double click), measures nothing and keeps the
        // view.
        TPos_elem arrivee;
        if (depart.latitude != LAT_NON_DEFINIE && f_.point_sous_souris(X, Y, arrivee) &&
            (arrivee.latitude != depart.latitude || arrivee.longitude != depart.longitude))
            f_.mesure_entre(depart, arrivee);
        g_.choisit(OUTIL_AUCUN);
        f_.message(message_option());
    }
    TPos_elem depart{QString(), LAT_NON_DEFINIE, 0};
};
}  // namespace

// --- The manager -------------------------------------------------------------

GestionOutils::GestionOutils(FenetreDesOutils& f) : f_(f)
{
    for (ModeOutil m : {OUTIL_ACCUEIL, OUTIL_AUCUN, OUTIL_TRAJETS})
        outils_[size_t(m)] = std::make_unique<OutilSimple>(f, *this, m);
    outils_[size_t(OUTIL_ZOOM)] = std::make_unique<OutilZoom>(f, *this);
    outils_[size_t(OUTIL_DETAILS)] = std::make_unique<OutilDetails>(f, *this);
    outils_[size_t(OUTIL_PANORAMIQUE)] = std::make_unique<OutilPanoramique>(f, *this);
    outils_[size_t(OUTIL_DISTANCE)] = std::make_unique<OutilDistance>(f, *this);
    curseurs_[size_t(OUTIL_DETAILS)] = QCursor(Qt::PointingHandCursor);
    curseurs_[size_t(OUTIL_DISTANCE)] = QCursor(Qt::CrossCursor);
    courant_ = outils_[size_t(OUTIL_ACCUEIL)].get();
}

GestionOutils::~GestionOutils() = default;

Outil& GestionOutils::outil(ModeOutil m) const { return *outils_[size_t(m)]; }

ModeOutil GestionOutils::mode() const { return courant_->mode(); }

void GestionOutils::pose_curseur(ModeOutil m, const QCursor& c) { curseurs_[size_t(m)] = c; }

QCursor GestionOutils::curseur(ModeOutil m) const { return curseurs_[size_t(m)].value_or(QCursor()); }

void GestionOutils::choisit(ModeOutil m)
{
    courant_ = &outil(m);
    if (const std::optional<QCursor>& c = curseurs_[size_t(m)])
        f_.carte().setCursor(*c);
    else
        f_.carte().unsetCursor();
}

void GestionOutils::active(ModeOutil m)
{
    abandonne();
    choisit(m);
    courant_->active();
}

void GestionOutils::abandonne()
{
    f_.carte().efface_bande();
    outil_appui_ = OUTIL_ACCUEIL;
    for (const auto& o : outils_)
        if (o)
            o->abandonne();
    f_.carte().canevas.mode_xor = false;
}

const TPos_elem& GestionOutils::point_depart() const
{
    return static_cast<const OutilDistance&>(outil(OUTIL_DISTANCE)).depart;
}

bool GestionOutils::zoom_en_cours() const { return static_cast<const OutilZoom&>(outil(OUTIL_ZOOM)).en_cours; }

void GestionOutils::appui(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    if (mode() == OUTIL_ACCUEIL) {
        // Any press on the welcome picture.
        f_.entre_dans_la_course();
        return;
    }
    if (e->button() == Qt::LeftButton) {
        outil_appui_ = mode();
        if (!courant_->appui(X, Y, e->modifiers().testFlag(Qt::ControlModifier)))
            outil_appui_ = OUTIL_ACCUEIL;
    } else if (courant_->autre_appui(e->button())) {
        outil_appui_ = OUTIL_ACCUEIL;
    }
}

void GestionOutils::deplacement(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    f_.affiche_position(X, Y);
    if ((e->buttons() & Qt::LeftButton) && outil_appui_ == mode())
        courant_->deplacement(X, Y);
}

void GestionOutils::relache(QMouseEvent* e)
{
    if (courant_->tout_relachement()) {
        outil_appui_ = OUTIL_ACCUEIL;
        return;
    }
    // Only the left release that ends a left press made in this same tool:
    // another button, or a release after the tool changed, replays nothing.
    if (e->button() != Qt::LeftButton || outil_appui_ != mode())
        return;
    outil_appui_ = OUTIL_ACCUEIL;
    courant_->relache(int(e->position().x()), int(e->position().y()));
}

void GestionOutils::double_clic(QMouseEvent* e)
{
    // On the welcome picture, and for any button but the left, a press: the
    // second click of a right double click is a click of its own (in the
    // zoom tool, a second zoom-out). A left double click leaves any tool.
    if (mode() == OUTIL_ACCUEIL || e->button() != Qt::LeftButton) {
        appui(e);
        return;
    }
    f_.quitte_outil();
}

}  // namespace orv
