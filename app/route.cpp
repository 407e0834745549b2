// The theoretical route: the course's waypoints ("FIMPV.txt") joined by
// great circles, built once when first switched on and drawn at every paint
// while it is on.
#include "posconc.h"

#include <QAction>
#include <QToolButton>

namespace orv {

void TFPosConc::RtglobClick()
{
    bool voulu = !route.affichee;
    if (voulu && !construit_route())
        voulu = false;  // nothing to draw: the command stays off
    route.affichee = voulu;
    // The menu item and the tool button always say the same.
    if (auto a = actions.find(QStringLiteral("Rtglob")); a != actions.end())
        a->second->setChecked(voulu);
    if (auto b = boutons.find(QStringLiteral("ToolBRoute")); b != boutons.end())
        b->second->setChecked(voulu);
    repeint_immediat();
}

bool TFPosConc::construit_route()
{
    if (route.construite)
        return true;
    QString erreur, avis;
    std::optional<std::vector<TLieu>> noeuds = lit_route_theorique(etat.course, etat.lieux, etat.course.dossier_ou(rep_programme()), erreur, avis);
    if (!noeuds) {
        // Said once; the next switch-on reads the file again.
        if (!route.signalee) {
            information(erreur);
            route.signalee = true;
        }
        return false;
    }
    if (!avis.isEmpty())
        information(avis);
    route.noeuds = std::move(*noeuds);
    route.construite = true;
    return true;
}

}  // namespace orv
