// The mouse tools: the commands that select them, the dispatch of presses,
// moves and releases on mode_outil, the double click and the keys that
// leave them, the wheel and the keys that zoom, the position under the
// pointer, the distance tool.
#include "outils.h"

#include "posconc.h"
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

namespace orv {

namespace {
constexpr ext FACTEUR_CRAN = 1.2L;  // one notch of the wheel
constexpr int UN_CRAN = 120;        // angle delta of one notch (eighths of a degree)
constexpr ext LAT_NON_DEFINIE = 180;  // point_depart is unset while its latitude is this
}  // namespace

// --- The gesture -------------------------------------------------------------

void OutilsSouris::abandonne()
{
    f_.efface_bande();
    outil_appui = OUTIL_ACCUEIL;
    zoom_en_cours = false;
    f_.canevas.mode_xor = false;
}

void OutilsSouris::appui(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    if (f_.mode_outil == OUTIL_ACCUEIL) {
        // Any press on the welcome picture.
        f_.entre_dans_la_course();
        return;
    }
    if (e->button() == Qt::LeftButton) {
        outil_appui = f_.mode_outil;
        switch (f_.mode_outil) {
        case OUTIL_ZOOM:
            zoom_en_cours = true;
            f_.zoom_av_down(X, Y);
            break;
        case OUTIL_DETAILS: f_.details_appui(X, Y, e->modifiers().testFlag(Qt::ControlModifier)); break;
        case OUTIL_PANORAMIQUE: f_.panoramic_down(X, Y); break;
        case OUTIL_DISTANCE: distance_appui(X, Y); break;
        default: outil_appui = OUTIL_ACCUEIL; break;
        }
    } else if (e->button() == Qt::RightButton && f_.mode_outil == OUTIL_ZOOM) {
        zoom_en_cours = false;
        outil_appui = OUTIL_ACCUEIL;
        f_.efface_bande();
        f_.zoom_arriere();
    }
}

void OutilsSouris::deplacement(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    f_.affiche_position(X, Y);
    if (!(e->buttons() & Qt::LeftButton) || outil_appui != f_.mode_outil)
        return;
    switch (f_.mode_outil) {
    case OUTIL_ZOOM:
        if (zoom_en_cours)
            f_.zoom_av_move(X, Y);
        break;
    case OUTIL_PANORAMIQUE: f_.panoramic_move(X, Y); break;
    case OUTIL_DISTANCE:
        if (point_depart.latitude != LAT_NON_DEFINIE)
            f_.deplace_bande(X, Y);
        break;
    default: break;
    }
}

void OutilsSouris::relache(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    if (f_.mode_outil == OUTIL_DETAILS) {
        f_.details_relache();
        outil_appui = OUTIL_ACCUEIL;
        return;
    }
    // Only the left release that ends a left press made in this same tool:
    // another button, or a release after the tool changed, replays nothing.
    if (e->button() != Qt::LeftButton || outil_appui != f_.mode_outil)
        return;
    outil_appui = OUTIL_ACCUEIL;
    switch (f_.mode_outil) {
    case OUTIL_ZOOM:
        if (zoom_en_cours)
            f_.zoom_av_up(X, Y);
        zoom_en_cours = false;
        break;
    case OUTIL_PANORAMIQUE: f_.panoramic_up(X, Y); break;
    case OUTIL_DISTANCE: distance_relache(X, Y); break;
    default: break;
    }
}

void OutilsSouris::double_clic(QMouseEvent* e)
{
    if (f_.mode_outil == OUTIL_ACCUEIL) {
        appui(e);
        return;
    }
    // Only a left double click leaves a tool; the second click of a right
    // one is a click of its own (in the zoom tool, a second zoom-out).
    if (e->button() != Qt::LeftButton) {
        appui(e);
        return;
    }
    f_.FormDBlClick();
}

void OutilsSouris::distance_appui(int X, int Y)
{
    point_depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
    f_.canevas.mode_xor = true;
    f_.zone_x1 = f_.zone_x2 = X;
    f_.zone_y1 = f_.zone_y2 = Y;
    if (f_.point_sous_souris(X, Y, point_depart))
        f_.commence_bande(TMercator::BandeXor::Trait, ~f_.couleur_fond & 0xFFFFFF, f_.canevas.style_plume, X, Y);
}

void OutilsSouris::distance_relache(int X, int Y)
{
    f_.efface_bande();
    f_.canevas.mode_xor = false;
    // A release over nothing, or on the point that was pressed (a click, the
    // first half of a double click), measures nothing and keeps the view.
    if (point_depart.latitude != LAT_NON_DEFINIE && f_.point_sous_souris(X, Y, point_arrivee) &&
        (point_arrivee.latitude != point_depart.latitude || point_arrivee.longitude != point_depart.longitude)) {
        f_.cadre_sur_deux_points(point_depart, point_arrivee);
        f_.mesure_2pts(point_depart, point_arrivee);
    }
    f_.mode_outil = OUTIL_AUCUN;
    f_.unsetCursor();
    f_.Aff_Message(message_option());
}

// --- The commands and the events of the window -----------------------------

void TFPosConc::abandonne_geste() { outils.abandonne(); }

void TFPosConc::Zoomer1Click()
{
    abandonne_geste();
    mode_outil = OUTIL_ZOOM;
    zone_x1 = zone_y1 = zone_x2 = zone_y2 = 0;
    setCursor(curseur_zoom);
    Aff_Message(Texte::tr("Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit"));
}

void TFPosConc::PanoramiClick()
{
    abandonne_geste();
    mode_outil = OUTIL_PANORAMIQUE;
    depl_panoramique();
    setCursor(curseur_grab);
    Aff_Message(Texte::tr("Cliquer - Glisser - Relacher le bouton gauche de la souris pour déplacer la carte"));
}

void TFPosConc::Distances1Click()
{
    abandonne_geste();
    mode_outil = OUTIL_DISTANCE;
    canevas.style_plume = StylePlume::Tiret;
    setCursor(Qt::CrossCursor);
    outils.point_depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
    Aff_Message(Texte::tr("Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher"));
}

bool TFPosConc::point_sous_souris(int X, int Y, TPos_elem& p)
{
    const int i = Select_Conc(X, Y);
    if (i != -1 && film.actif())
        return film.position(i, p);
    if (i != -1) {
        const TPos_elem& e = etat.jour.donnees_conc[size_t(i)].elem;
        p = cree_pos_elem(QString(), e.latitude, e.longitude);
        return true;
    }
    if (Select_mp(X, Y) && mp_courante) {
        p = cree_pos_elem(QString(), mp_courante->elem.latitude, mp_courante->elem.longitude);
        return true;
    }
    return false;
}

void TFPosConc::cadre_sur_deux_points(const TPos_elem& a, const TPos_elem& b)
{
    etat.vue.lat_sud = a.latitude;
    etat.vue.lat_nord = b.latitude;
    etat.vue.pose_longitudes(a.longitude, b.longitude);
}

void TFPosConc::mesure_2pts(const TPos_elem& a, const TPos_elem& b)
{
    calcule_mesure(etat.orthodromie, etat.loxodromie, a, b);
    // Over the film, drawn again on every frame.
    if (film.actif())
        film.mesure = std::pair{a, b};
    mesure_montree = std::pair{a, b};
    mesure_a_montrer_ = true;
    rend_avec_bande();
    update();
}

void TFPosConc::termine_rejeu()
{
    if (rejeu.termine()) {
        if (mode_outil == OUTIL_TRAJETS)
            mode_outil = OUTIL_AUCUN;
        Validmenu();
    }
}

void TFPosConc::FormDBlClick()
{
    efface_bande();
    termine_rejeu();
    mode_outil = OUTIL_AUCUN;
    outils.zoom_en_cours = false;
    outils.outil_appui = OUTIL_ACCUEIL;
    unsetCursor();
    canevas.mode_xor = false;
    Validmenu();
    invalider();
    Aff_Message(message_option_quittee());
}

void TFPosConc::AfficherBarOutClick(bool montrer)
{
    if (ToolBar1)
        ToolBar1->setVisible(montrer);
}

void TFPosConc::mousePressEvent(QMouseEvent* e) { outils.appui(e); }
void TFPosConc::mouseMoveEvent(QMouseEvent* e)
{
    film.survol(int(e->position().x()), int(e->position().y()));
    outils.deplacement(e);
}
void TFPosConc::mouseReleaseEvent(QMouseEvent* e) { outils.relache(e); }
void TFPosConc::mouseDoubleClickEvent(QMouseEvent* e) { outils.double_clic(e); }

void TFPosConc::leaveEvent(QEvent* e)
{
    TMercator::leaveEvent(e);
    affiche_position(-1, -1);
}

void TFPosConc::affiche_position(int X, int Y)
{
    if (!StatusPosition)
        return;
    const bool dedans = X >= 0 && Y >= 0 && X < width() && Y < height() && jour_charge &&
                        mode_outil != OUTIL_ACCUEIL && !fond_initial;
    StatusPosition->setText(dedans ? texte_position(lat(Y), long_(X)) : QString());
}

bool TFPosConc::zoom_clavier_permis() const
{
    // In every tool, never on the welcome picture nor during a replay step
    // by step (its steps frame the chart themselves; the manual one zooms
    // with Page Up and Page Down).
    return jour_charge && mode_outil != OUTIL_ACCUEIL && !(rejeu.trajets_actifs && rejeu.defilement_en_cours);
}

bool TFPosConc::zoom_molette(int X, int Y, int crans)
{
    if (!zoom_clavier_permis() || crans == 0)
        return false;
    // Successive notches at the same place, with nothing else moving the
    // view in between, zoom around the same point, so that one notch in and
    // one out come back to the same view.
    const Viewport& v = etat.vue;
    const std::array<ext, 5> bornes{v.lat_nord, v.lat_sud, v.long_ouest, v.long_est, v.largeur_large};
    if (!ancre_molette_valide || ancre_molette_px != QPoint(X, Y) || bornes != bornes_molette) {
        ancre_molette = cree_pos_elem(QString(), lat(Y), long_(X));
        ancre_molette_px = QPoint(X, Y);
        ancre_molette_valide = true;
    }
    bool fait = false;
    for (int k = 0; k < std::abs(crans); ++k)
        fait |= zoom_autour(ancre_molette.latitude, ancre_molette.longitude,
                            crans > 0 ? 1 / FACTEUR_CRAN : FACTEUR_CRAN);
    bornes_molette = {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est, v.largeur_large};
    return fait;
}

void TFPosConc::wheelEvent(QWheelEvent* e)
{
    // Over a panel (the ranking, the replay's, the details) the wheel is the
    // panel's, even when it has nothing left to scroll.
    if (QWidget* w = childAt(e->position().toPoint()); w && w != this) {
        e->accept();
        return;
    }
    // High-resolution wheels and touchpads send parts of a notch: they add
    // up to whole notches.
    molette_reste += e->angleDelta().y();
    const int crans = molette_reste / UN_CRAN;
    molette_reste -= crans * UN_CRAN;
    if (crans != 0)
        zoom_molette(int(e->position().x()), int(e->position().y()), crans);
    e->accept();
}

void TFPosConc::keyPressEvent(QKeyEvent* e)
{
    if (rejeu.touche(e))
        return;
    if (e->key() == Qt::Key_Escape) {
        // Always ends in the race-day selection; from the welcome picture,
        // through the same entry as its click.
        if (mode_outil == OUTIL_ACCUEIL) {
            entre_dans_la_course();
            return;
        }
        FormDBlClick();
        SelDateClick();
    } else if (e->key() == Qt::Key_F1) {
        Aide2Click();
    } else if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Minus || e->key() == Qt::Key_Equal) {
        // Around the centre of the chart.
        zoom_molette(width() / 2, height() / 2, e->key() == Qt::Key_Minus ? -1 : 1);
    } else if ((e->key() == Qt::Key_Right || e->key() == Qt::Key_Left) &&
               e->modifiers().testFlag(Qt::ControlModifier)) {
        if (!rejeu.trajets_actifs)
            jour_voisin(e->key() == Qt::Key_Right ? 1 : -1);
    } else {
        TMercator::keyPressEvent(e);
    }
}

}  // namespace orv
