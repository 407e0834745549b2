// The mouse tools of the main window: the commands that select them, the
// dispatch of presses, moves and releases on mode_outil, the double click
// and the keys that leave them, the wheel and the keys that zoom, the
// position under the pointer, and the stepping through race days.
#include "posconc.h"

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
}  // namespace

void TFPosConc::abandonne_geste()
{
    // A gesture cut short by another command: its band goes, its release
    // will do nothing.
    efface_bande();
    outil_appui = OUTIL_ACCUEIL;
    zoom_en_cours = false;
    canevas.mode_xor = false;
}

void TFPosConc::Zoomer1Click()
{
    abandonne_geste();
    mode_outil = OUTIL_ZOOM;
    zone_x1 = zone_y1 = zone_x2 = zone_y2 = 0;
    setCursor(curseur_zoom);
    Aff_Message(QStringLiteral("Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit"));
}

void TFPosConc::PanoramiClick()
{
    abandonne_geste();
    mode_outil = OUTIL_PANORAMIQUE;
    depl_panoramique();
    setCursor(curseur_grab);
    Aff_Message(QStringLiteral("Cliquer - Glisser - Relacher le bouton gauche de la souris pour déplacer la carte"));
}

void TFPosConc::termine_rejeu()
{
    const bool actif = mode_outil == OUTIL_TRAJETS || trajets_actifs || defilement_en_cours;
    arrete_film();
    if (PanelTraj)
        PanelTraj->hide();
    trajets_actifs = false;
    defilement_en_cours = false;
    marge_lat = marge_long = 0.5L;
    if (actif) {
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
    zoom_en_cours = false;
    outil_appui = OUTIL_ACCUEIL;
    unsetCursor();
    canevas.mode_xor = false;
    Validmenu();
    invalider();
    Aff_Message(QStringLiteral("Sélectionner une option | (Double cliquer pour quitter une option)"));
}

void TFPosConc::AfficherBarOutClick(bool montrer)
{
    if (ToolBar1)
        ToolBar1->setVisible(montrer);
}

void TFPosConc::mousePressEvent(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    if (mode_outil == OUTIL_ACCUEIL) {
        // Any press on the welcome picture.
        entre_dans_la_course();
        return;
    }
    if (e->button() == Qt::LeftButton) {
        outil_appui = mode_outil;
        switch (mode_outil) {
        case OUTIL_ZOOM:
            zoom_en_cours = true;
            zoom_av_down(X, Y);
            break;
        case OUTIL_DETAILS: details_appui(X, Y, e->modifiers().testFlag(Qt::ControlModifier)); break;
        case OUTIL_PANORAMIQUE: panoramic_down(X, Y); break;
        case OUTIL_DISTANCE: distance_appui(X, Y); break;
        default: outil_appui = OUTIL_ACCUEIL; break;
        }
    } else if (e->button() == Qt::RightButton && mode_outil == OUTIL_ZOOM) {
        zoom_en_cours = false;
        outil_appui = OUTIL_ACCUEIL;
        efface_bande();
        zoom_arriere();
    }
}

void TFPosConc::mouseMoveEvent(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    affiche_position(X, Y);
    if (!(e->buttons() & Qt::LeftButton) || outil_appui != mode_outil)
        return;
    switch (mode_outil) {
    case OUTIL_ZOOM:
        if (zoom_en_cours)
            zoom_av_move(X, Y);
        break;
    case OUTIL_PANORAMIQUE: panoramic_move(X, Y); break;
    case OUTIL_DISTANCE:
        if (point_depart.latitude != 180)
            deplace_bande(X, Y);
        break;
    default: break;
    }
}

void TFPosConc::mouseReleaseEvent(QMouseEvent* e)
{
    const int X = int(e->position().x()), Y = int(e->position().y());
    if (mode_outil == OUTIL_DETAILS) {
        details_relache();
        outil_appui = OUTIL_ACCUEIL;
        return;
    }
    // Only the left release that ends a left press made in this same tool:
    // another button, or a release after the tool changed, replays nothing.
    if (e->button() != Qt::LeftButton || outil_appui != mode_outil) {
        return;
    }
    outil_appui = OUTIL_ACCUEIL;
    switch (mode_outil) {
    case OUTIL_ZOOM:
        if (zoom_en_cours)
            zoom_av_up(X, Y);
        zoom_en_cours = false;
        break;
    case OUTIL_PANORAMIQUE: panoramic_up(X, Y); break;
    case OUTIL_DISTANCE: distance_relache(X, Y); break;
    default: break;
    }
}

void TFPosConc::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (mode_outil == OUTIL_ACCUEIL) {
        mousePressEvent(e);
        return;
    }
    // Only a left double click leaves a tool; the second click of a right
    // one is a click of its own (in the zoom tool, a second zoom-out).
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    FormDBlClick();
}

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
    return jour_charge && mode_outil != OUTIL_ACCUEIL && !(trajets_actifs && defilement_en_cours);
}

bool TFPosConc::zoom_molette(int X, int Y, int crans)
{
    if (!zoom_clavier_permis() || crans == 0)
        return false;
    // Successive notches at the same place, with nothing else moving the
    // view in between, zoom around the same point, so that one notch in and
    // one out come back to the same view.
    const Viewport& v = viewport();
    const std::array<ext, 4> bornes{v.lat_nord, v.lat_sud, v.long_ouest, v.long_est};
    if (!ancre_molette_valide || ancre_molette_px != QPoint(X, Y) || bornes != bornes_molette) {
        ancre_molette = cree_pos_elem(QString(), lat(Y), long_(X));
        ancre_molette_px = QPoint(X, Y);
        ancre_molette_valide = true;
    }
    bool fait = false;
    for (int k = 0; k < std::abs(crans); ++k)
        fait |= zoom_autour(ancre_molette.latitude, ancre_molette.longitude,
                            crans > 0 ? 1 / FACTEUR_CRAN : FACTEUR_CRAN);
    bornes_molette = {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est};
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
    if (touche_film(e))
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
        if (!trajets_actifs)
            jour_voisin(e->key() == Qt::Key_Right ? 1 : -1);
    } else {
        TMercator::keyPressEvent(e);
    }
}

}  // namespace orv
