// The main window's mouse, wheel and keys: the commands that choose the
// tools, the events handed to the tool manager, the double click and the
// keys that leave a tool, the wheel and the keys that zoom, the position
// under the pointer, the distance measured.
#include "posconc.h"

#include "trace_geometrie.h"
#include "traduction.h"

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

void TFPosConc::abandonne_geste() { outils.abandonne(); }

void TFPosConc::Zoomer1Click() { outils.active(OUTIL_ZOOM); }

void TFPosConc::PanoramiClick() { outils.active(OUTIL_PANORAMIQUE); }

void TFPosConc::Distances1Click() { outils.active(OUTIL_DISTANCE); }

void TFPosConc::mesure_entre(const TPos_elem& a, const TPos_elem& b)
{
    cadre_sur_deux_points(a, b);
    mesure_2pts(a, b);
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
        if (mode_outil() == OUTIL_TRAJETS)
            outils.choisit(OUTIL_AUCUN);
        Validmenu();
    }
}

void TFPosConc::FormDBlClick()
{
    outils.abandonne();
    termine_rejeu();
    outils.choisit(OUTIL_AUCUN);
    Validmenu();
    invalider();
    Aff_Message(message_option_quittee());
}

void TFPosConc::AfficherBarOutClick(bool montrer)
{
    if (ToolBar1)
        ToolBar1->setVisible(montrer);
}

void TFPosConc::mousePressEvent(QMouseEvent* e)
{
    // The mouse's back and forward buttons walk the view history.
    if (e->button() == Qt::BackButton || e->button() == Qt::ForwardButton) {
        e->button() == Qt::BackButton ? recule_vue() : avance_vue();
        return;
    }
    // Details shown by a search go at the next press (the details tool
    // shows its own again).
    if (Memo1)
        Memo1->hide();
    outils.appui(e);
}
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
                        mode_outil() != OUTIL_ACCUEIL && !fond_initial;
    StatusPosition->setText(dedans ? texte_position(lat(Y), long_(X)) : QString());
}

bool TFPosConc::zoom_clavier_permis() const
{
    // In every tool, never on the welcome picture nor during a replay step
    // by step (its steps frame the chart themselves; the manual one zooms
    // with Page Up and Page Down).
    return jour_charge && mode_outil() != OUTIL_ACCUEIL && !(rejeu.trajets_actifs && rejeu.defilement_en_cours);
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
        if (mode_outil() == OUTIL_ACCUEIL) {
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
