// Find and navigate in the main window: the search's findings shown, the
// view history walked (Alt+←, Alt+→, the mouse's back and forward buttons).
#include "posconc.h"

#include "convers.h"
#include "traduction.h"
#include "zoom.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
// "Comparer deux concurrents": two lists of the race's entrants, the first
// on `premier`; nothing when cancelled or the same boat twice.
std::optional<std::pair<int, int>> dialogue_duel(QWidget* parent, const Course& c, const std::vector<int>& qui,
                                                 int premier)
{
    QDialog d(parent);
    d.setWindowTitle(Texte::tr("Comparer deux concurrents"));
    auto* f = new QFormLayout(&d);
    QComboBox* listes[2];
    for (int k = 0; k < 2; ++k) {
        listes[k] = new QComboBox(&d);
        for (const int i : qui)
            listes[k]->addItem(c.concurrents[size_t(i)].bateau.isEmpty()
                                   ? c.nom_conc(i)
                                   : QStringLiteral("%1 (%2)").arg(c.nom_conc(i), c.concurrents[size_t(i)].bateau),
                               i);
        f->addRow(k == 0 ? Texte::tr("Premier :") : Texte::tr("Second :"), listes[k]);
    }
    listes[0]->setCurrentIndex(std::max(0, listes[0]->findData(premier)));
    listes[1]->setCurrentIndex(listes[0]->currentIndex() == 0 && qui.size() > 1 ? 1 : 0);
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    b->button(QDialogButtonBox::Cancel)->setText(Texte::tr("Annuler"));
    // The same boat twice is said, the dialog stays.
    QObject::connect(b, &QDialogButtonBox::accepted, &d, [&] {
        if (listes[0]->currentIndex() != listes[1]->currentIndex())
            d.accept();
        else
            QMessageBox::information(&d, Texte::tr("Comparer deux concurrents"),
                                     Texte::tr("Choisir deux concurrents différents."));
    });
    QObject::connect(b, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    f->addRow(b);
    if (qui.size() < 2 || d.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{listes[0]->currentData().toInt(), listes[1]->currentData().toInt()};
}

// A frame of 10° of latitude and 16° of longitude around a position (DD.MM).
std::pair<TPos_elem, TPos_elem> cadre_autour(const TPos_elem& p)
{
    const ext lat = ddmm_vers_deg(p.latitude), lon = ddmm_vers_deg(p.longitude);
    const auto tour = [](ext l) { return std::remainder(l, ext(360)); };
    return {cree_pos_elem(QString(), deg_vers_ddmm(std::max<ext>(lat - 5, -85)), deg_vers_ddmm(tour(lon + 8))),
            cree_pos_elem(QString(), deg_vers_ddmm(std::min<ext>(lat + 5, 85)), deg_vers_ddmm(tour(lon - 8)))};
}
}  // namespace

void TFPosConc::cree_menu_navigation(QMenu* menu_vue, const FabriqueItem& item)
{
    item(menu_vue, "Rechercher1", Texte::tr("Rec&hercher…"), [this] {
        if (jour_charge || film.actif())
            recherche.ouvre();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    item(menu_vue, "VuePrecedente1", Texte::tr("Vue précé&dente"), [this] { recule_vue(); })
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    item(menu_vue, "VueSuivante1", Texte::tr("Vue sui&vante"), [this] { avance_vue(); })
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    item(menu_vue, "Comparer1", Texte::tr("C&omparer deux concurrents…"), [this] { compare_deux(); });
    minuterie_vue_ = new QTimer(this);
    minuterie_vue_->setSingleShot(true);
    minuterie_vue_->setInterval(DELAI_VUE_MS);
    connect(minuterie_vue_, &QTimer::timeout, this, [this] { note_vue(); });
}

void TFPosConc::compare_deux()
{
    if (!jour_charge && !film.actif())
        return;
    // The film's entrants (all of them when it is not open yet).
    std::vector<int> entrants;
    for (int i = 1; i <= etat.course.nb(); ++i)
        if (!film.actif() || film.options.concurrents.test(size_t(i)))
            entrants.push_back(i);
    const std::optional<std::pair<int, int>> qui =
        choisit_duel ? choisit_duel() : dialogue_duel(this, etat.course, entrants, std::max(1, film.suivi()));
    if (!qui)
        return;
    // Over the film's period: the film opens when it is not.
    if (!film.actif())
        film.demarre_course_entiere();
    film.compare(qui->first, qui->second);
}

void TFPosConc::observe_vue()
{
    // The welcome picture has no view of the race; the camera following a
    // boat in a playing film is no step of the user's (a pause is).
    if (fond_initial || !(jour_charge || film.actif()) ||
        (film.actif() && film.suivi() != 0 && film.controleur.en_lecture()))
        return;
    if (etat.vue.meme_demande(vue_observee_) && etat.vue.echelle_libre == vue_observee_.echelle_libre)
        return;
    vue_observee_ = etat.vue;
    // A wheel burst, a drag or the camera easing: noted once it settles.
    if (minuterie_vue_)
        minuterie_vue_->start();
}

void TFPosConc::note_vue()
{
    if (minuterie_vue_)
        minuterie_vue_->stop();
    vue_observee_ = etat.vue;
    historique.note(etat.vue);
}

bool TFPosConc::recule_vue()
{
    // A view not yet noted is the step to come back to.
    if (minuterie_vue_ && minuterie_vue_->isActive())
        note_vue();
    return montre_pas(historique.recule());
}

bool TFPosConc::avance_vue() { return montre_pas(historique.avance()); }

bool TFPosConc::montre_pas(const std::optional<Viewport>& v)
{
    if (!v)
        return false;
    etat.vue = *v;
    vue_observee_ = *v;
    invalider();
    return true;
}

void TFPosConc::va_a_la_trouvaille(const Trouvaille& t)
{
    const Course& c = etat.course;
    switch (t.nature) {
    case Trouvaille::Concurrent:
        if (t.concurrent < 1 || t.concurrent > c.nb())
            return;
        if (film.actif()) {
            // The film follows it (and frames it with its nearest rivals).
            film.suit(t.concurrent);
            Aff_Message(Texte::tr("Le film suit %1").arg(c.nom_conc(t.concurrent)));
            return;
        }
        for (size_t i = 0; i < etat.jour.donnees_conc.size(); ++i) {
            const TDonnees_conc& d = etat.jour.donnees_conc[i];
            if (c.indice(d.skipper) != t.concurrent)
                continue;
            if (!d.sans_position) {
                const auto [a, b] = cadre_autour(d.elem);
                cadre_sur_deux_points(a, b);
                invalider();
            }
            Memo1->setText(lignes_details(int(i)).join(u'\n'));
            Memo1->show();
            Memo1->raise();
            return;
        }
        Aff_Message(Texte::tr("%1 n'est pas dans le fichier du jour").arg(c.nom_conc(t.concurrent)));
        return;
    case Trouvaille::Jour:
        // In the film (or a race of tracks) the film moves to the day's
        // start, as the calendar moves it; else the day is loaded.
        if (c.fichiers_jour && !film.actif()) {
            montre_jour(t.jour);
        } else {
            if (!film.actif())
                film.demarre_course_entiere();
            film.va_a(instant_de(QDateTime(t.jour, QTime(0, 0), Qt::UTC)));
            Aff_Message(t.texte);
        }
        return;
    case Trouvaille::Marque:
    case Trouvaille::Lieu:
        // Centred, at the scale shown.
        etat.vue.ajuste(dessin.larg_client, dessin.haut_client);
        panoramique(etat.vue, pos_grX(ddmm_vers_rad(t.lieu.longitude)), pos_grY(ddmm_vers_rad(t.lieu.latitude)),
                    width() / 2, height() / 2);
        invalider();
        Aff_Message(t.texte);
        return;
    }
}

}  // namespace orv
