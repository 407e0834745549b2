// The window's "&Course" menu: another race opened (a file chosen, one of
// the last ones, the program's own race, or a file or folder dropped on the
// window). A race of tracks opens in the continuous film; the day view,
// the designed replay and the update stay for races of day files.
#include "posconc.h"

#include "calend.h"
#include "calendrier.h"
#include "courses_recentes.h"
#include "emplacements.h"
#include "fichier_lieux.h"
#include "lecteurs.h"
#include "traduction.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

namespace orv {

namespace {
QString course_du_programme(const Emplacements& e)
{
    return QDir(e.rep_programme).filePath(QString::fromLatin1(FICHIER_COURSE));
}
}  // namespace

void TFPosConc::cree_menu_course(QMenuBar* mb, QAction* avant)
{
    menu_course_ = new QMenu(Texte::tr("C&ourse"), mb);
    menu_course_->menuAction()->setObjectName(QStringLiteral("Course1"));
    mb->insertMenu(avant, menu_course_);
    QObject::connect(menu_course_, &QMenu::aboutToShow, this, [this] { remplit_menu_course(); });
    remplit_menu_course();
    setAcceptDrops(true);
}

void TFPosConc::remplit_menu_course()
{
    menu_course_->clear();
    QAction* ouvrir = menu_course_->addAction(Texte::tr("&Ouvrir une course…"), this, [this] { OuvrirCourseClick(); });
    ouvrir->setObjectName(QStringLiteral("OuvrirCourse1"));
    ouvrir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    const QStringList recentes = courses_recentes();
    if (!recentes.isEmpty())
        menu_course_->addSeparator();
    for (qsizetype k = 0; k < recentes.size(); ++k) {
        const QString chemin = recentes[k];
        menu_course_->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(chemin)), this,
                                [this, chemin] { ouvre_autre_course(chemin); });
    }
    menu_course_->addSeparator();
    QAction* propre = menu_course_->addAction(Texte::tr("La course %1").arg(course_programme_), this,
                                              [this] { ouvre_autre_course(course_du_programme(emplacements)); });
    propre->setObjectName(QStringLiteral("CourseProgramme1"));
}

void TFPosConc::OuvrirCourseClick()
{
    const QString filtre = Texte::tr("Courses (*.gpx *.kml *.kmz *.csv *.tsv *.course);;Tous les fichiers (*)");
    const QString chemin = choisit_course ? choisit_course()
                                          : QFileDialog::getOpenFileName(this, Texte::tr("Ouvrir une course"),
                                                                         QString(), filtre);
    if (!chemin.isEmpty())
        ouvre_autre_course(chemin);
}

bool TFPosConc::ouvre_autre_course(const QString& chemin)
{
    CourseOuverte o;
    QString erreur;
    if (!ouvre_course(chemin, o, erreur)) {
        avertit(erreur);
        return false;
    }
    // The program's own race keeps its files where the program keeps them.
    if (QFileInfo(chemin) == QFileInfo(course_du_programme(emplacements)))
        o.course.dossier.clear();
    // Whatever showed the previous race ends, its view kept; its search
    // findings go with it.
    retient_vue_course();
    recherche.ferme();
    film.ferme();
    termine_rejeu();
    abandonne_geste();
    delete fenetre_statistiques;
    fenetre_statistiques = nullptr;
    etat.course = std::move(o.course);
    etat.pistes = std::move(o.pistes);
    etat.archive.vide();
    rejeu.trajets_constitues = false;
    etat.lieux = Lieux{};
    charge_lieux_course();
    route = RouteTheorique{};
    if (auto a = actions.find(QStringLiteral("Rtglob")); a != actions.end())
        a->second->setChecked(false);
    couleurs_conc = couleurs_conc_pour(couleur_fond, etat.course.nb());
    jour_charge = false;
    mesure_montree.reset();
    fond_initial = false;
    titre(!etat.course.autre() ? TITRE_INITIAL : etat.course.nom);
    // The calendar opens on the day kept for the race, else its first.
    const std::optional<VueRetenue> gardee = vue_retenue(chemin);
    const QDate premier = gardee && gardee->jour >= etat.course.premier_jour &&
                                      gardee->jour <= etat.course.dernier_jour
                              ? gardee->jour
                              : etat.course.premier_jour;
    montre_mois(etat.date, premier.month(), premier.year());
    valide_date(etat.date, premier.day(), premier.month(), premier.year());
    if (calendrier)
        calendrier->choisit(premier);
    const bool propre = QFileInfo(chemin) == QFileInfo(course_du_programme(emplacements));
    chemin_course_ = propre ? QString() : QFileInfo(chemin).absoluteFilePath();
    historique.vide();
    if (!propre)
        retient_course(chemin);
    for (const QString& a : o.avis)
        information(a);
    if (!etat.course.fichiers_jour) {
        // No day to show: the commands of days stay greyed (the calendar
        // moves the film); the film opens.
        Inhibmenu();
        Validmenu();
        film.demarre_course_entiere();
    } else {
        Validmenu();
        invalider();
        SelDateClick();
    }
    restaure_vue_course();
    return true;
}

void TFPosConc::retient_vue_course()
{
    VueRetenue v;
    // A race of day files keeps its day's view, not the film's camera.
    const Viewport& vue_course = film.actif() && etat.course.fichiers_jour ? film.vue_du_jour() : etat.vue;
    v.nord = vue_course.lat_nord;
    v.sud = vue_course.lat_sud;
    v.ouest = vue_course.long_ouest;
    v.est = vue_course.long_est;
    v.largeur_large = vue_course.largeur_large;
    v.echelle_libre = vue_course.echelle_libre;
    if (film.actif())
        v.instant = film.controleur.instant();
    if (jour_charge)
        v.jour = QDate(etat.date.annee_choisie, etat.date.mois_choisi, etat.date.jour_choisi);
    // Nothing shown yet: nothing to keep.
    if (!v.instant && !v.jour.isValid())
        return;
    retient_vue(chemin_course_.isEmpty() ? course_du_programme(emplacements) : chemin_course_, v);
}

void TFPosConc::restaure_vue_course()
{
    const std::optional<VueRetenue> v =
        vue_retenue(chemin_course_.isEmpty() ? course_du_programme(emplacements) : chemin_course_);
    if (!v)
        return;
    if (film.actif() && v->instant) {
        // At the moment it was left, held there.
        film.controleur.pause();
        film.va_a(Instant(*v->instant));
    }
    else if (!(jour_charge && !film.actif() &&
               v->jour == QDate(etat.date.annee_choisie, etat.date.mois_choisi, etat.date.jour_choisi)))
        return;  // another moment than the one the view was kept for
    Viewport& vue_course = etat.vue;
    vue_course.lat_nord = v->nord;
    vue_course.lat_sud = v->sud;
    vue_course.long_ouest = v->ouest;
    vue_course.long_est = v->est;
    vue_course.largeur_large = v->largeur_large;
    vue_course.echelle_libre = v->echelle_libre;
    redessine();
}

void TFPosConc::charge_lieux_course()
{
    // Each list's problem is reported on its own, once, at load.
    for (const auto& [charge, fichier] : {std::pair{&charge_marques, etat.course.fichier_marques},
                                          std::pair{&charge_lieux, etat.course.fichier_lieux}}) {
        QString err;
        charge(etat.lieux, etat.course.dossier_ou(rep_programme()), err, fichier);
        if (!err.isEmpty())
            information(err);
    }
}

void TFPosConc::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls() && e->mimeData()->urls().size() == 1 && e->mimeData()->urls().first().isLocalFile())
        e->acceptProposedAction();
}

void TFPosConc::dropEvent(QDropEvent* e)
{
    const QString chemin = e->mimeData()->urls().first().toLocalFile();
    e->acceptProposedAction();
    // After the drop has returned: the file dialog of an error must not
    // run inside the drag.
    QMetaObject::invokeMethod(this, [this, chemin] { ouvre_autre_course(chemin); }, Qt::QueuedConnection);
}

}  // namespace orv
