#include "film_continu.h"

#include "panneau_duel.h"

#include "outils.h"
#include "trace_geometrie.h"
#include "traduction.h"

#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLayout>
#include <QMainWindow>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

namespace orv {

namespace {
// While the film is open, a widget of its window that has the focus and
// would take one of the film's keys for itself (a text field takes the
// arrows, Home, End and Space) lets the window's shortcut have it.
class FiltreTouchesFilm : public QObject {
public:
    FiltreTouchesFilm(QWidget* fenetre, std::vector<QShortcut*>* touches) : fenetre_(fenetre), touches_(touches) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::ShortcutOverride)
            return false;
        // An open list of the bar (speed, trail, follow) takes its keys:
        // the arrows move in it, Return chooses, Esc closes it, not the
        // film. (Accepted here, the list still sees it.)
        if (QApplication::activePopupWidget()) {
            e->accept();
            return false;
        }
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->window() != fenetre_)
            return false;
        // A text field with the focus (the search) takes letters, Space,
        // the arrows, Home, End and Esc, not the film.
        if (const auto* champ = qobject_cast<QLineEdit*>(w); champ && !champ->isReadOnly())
            return false;
        const QKeySequence k(static_cast<QKeyEvent*>(e)->keyCombination());
        for (const QShortcut* s : *touches_)
            if (s->isEnabled() && s->key() == k) {
                e->ignore();
                return true;
            }
        return false;
    }

private:
    QWidget* fenetre_;
    std::vector<QShortcut*>* touches_;
};

QString message_film()
{
    return Texte::tr("Film continu : Espace lecture/pause | ↑ ↓ vitesse | ← → une heure | Ctrl+← → un jour | Début Fin | "
                     "F cadrer la flotte | Échap ferme");
}

}  // namespace

FilmContinu::FilmContinu(FenetreDuFilm& f)
    : controleur([this] { return maintenant_ms(); }), f_(f)
{
    horloge.start();
}

FilmContinu::~FilmContinu() = default;

void FilmContinu::cree_interface()
{
    if (barre)
        return;
    QWidget* fenetre = f_.cadre_fenetre() ? static_cast<QWidget*>(f_.cadre_fenetre()) : &f_.vue_carte();
    barre = new BarreFilm(nullptr);
    classement = new ClassementFilm(nullptr);
    if (f_.cadre_fenetre()) {
        dock_barre_ = new QDockWidget(f_.cadre_fenetre());
        dock_barre_->setObjectName(QStringLiteral("BarreFilm"));
        dock_barre_->setTitleBarWidget(new QWidget(dock_barre_));
        dock_barre_->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock_barre_->setWidget(barre);
        dock_barre_->setFocusPolicy(Qt::NoFocus);
        f_.cadre_fenetre()->addDockWidget(Qt::BottomDockWidgetArea, dock_barre_);
        dock_classement_ = new QDockWidget(Texte::tr("Classement"), f_.cadre_fenetre());
        dock_classement_->setObjectName(QStringLiteral("ClassementFilm"));
        dock_classement_->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock_classement_->setWidget(classement);
        dock_classement_->setFocusPolicy(Qt::NoFocus);
        f_.cadre_fenetre()->addDockWidget(Qt::RightDockWidgetArea, dock_classement_);
        dock_barre_->hide();
        dock_classement_->hide();
    } else {
        barre->setParent(&f_.vue_carte());
        classement->setParent(&f_.vue_carte());
        barre->hide();
        classement->hide();
    }

    barre->bascule = [this] {
        controleur.bascule();
        actualise();
    };
    barre->ferme = [this] { ferme(); };
    barre->exporte = [this] { exporte_video(); };
    barre->cadre = [this] { cadre_flotte(); };
    barre->choisit_vitesse = [this](int k) {
        controleur.choisit_vitesse(k);
        montre_etat();
    };
    barre->choisit_trainee = [this](int k) {
        options.trainee = TRAINEES[size_t(std::clamp(k, 0, int(TRAINEES.size()) - 1))];
        actualise();
    };
    barre->choisit_suivi = [this](int qui) { suit(qui); };
    barre->va_a = [this](Instant t) {
        va_a(t);
        // The picture follows the drag at once.
        f_.vue_carte().repaint();
    };
    classement->suit = [this](int i) { suit(i); };
    // Ctrl+click on a second row: the boat followed compared with it.
    classement->compare = [this](int i) {
        if (suivi_ > 0 && suivi_ != i) {
            compare(suivi_, i);
        } else {
            suit(i);
            f_.message(Texte::tr("Ctrl+clic sur une deuxième ligne : les deux concurrents comparés"));
        }
    };

    // The film's keys, the window's whatever holds the focus, on only while
    // the film is open.
    auto touche = [&](QKeySequence k, std::function<void()> action) {
        auto* s = new QShortcut(k, fenetre);
        for (const auto& [cle, texte] : touches_film())
            if (cle == k)
                s->setWhatsThis(texte);
        s->setContext(Qt::WindowShortcut);
        s->setAutoRepeat(true);
        s->setEnabled(false);
        QObject::connect(s, &QShortcut::activated, fenetre, [this, action] {
            action();
            actualise();
        });
        touches_.push_back(s);
    };
    touche(QKeySequence(Qt::Key_Space), [this] { controleur.bascule(); });
    touche(QKeySequence(Qt::Key_Up), [this] { controleur.vitesse_plus(); });
    touche(QKeySequence(Qt::Key_Down), [this] { controleur.vitesse_moins(); });
    touche(QKeySequence(Qt::Key_Left), [this] { controleur.decale(-UNE_HEURE); });
    touche(QKeySequence(Qt::Key_Right), [this] { controleur.decale(UNE_HEURE); });
    touche(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { controleur.decale(-UN_JOUR); });
    touche(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { controleur.decale(UN_JOUR); });
    touche(QKeySequence(Qt::Key_Home), [this] { controleur.debut(); });
    touche(QKeySequence(Qt::Key_End), [this] { controleur.fin(); });
    touche(QKeySequence(Qt::Key_F), [this] { cadre_flotte(); });
    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), fenetre);
    echap->setContext(Qt::WindowShortcut);
    echap->setEnabled(false);
    QObject::connect(echap, &QShortcut::activated, fenetre, [this] {
        // An open list closes, the film stays.
        if (QWidget* liste = QApplication::activePopupWidget()) {
            liste->close();
            return;
        }
        ferme();
    });
    touches_.push_back(echap);

    filtre_touches_ = std::make_unique<FiltreTouchesFilm>(fenetre, &touches_);
    qApp->installEventFilter(filtre_touches_.get());

    // Frames at the screen's rate while the film is open; a paused film
    // reads the clock and draws nothing.
    images_ = new QTimer(&f_.vue_carte());
    images_->setTimerType(Qt::PreciseTimer);
    images_->setInterval(16);
    QObject::connect(images_, &QTimer::timeout, &f_.vue_carte(), [this] { image_suivante(); });
}

void FilmContinu::va_a(Instant t)
{
    controleur.va_a(t);
    actualise();
}

void FilmContinu::demarre_course_entiere()
{
    SelectionTrajets s;
    for (int i = 1; i <= f_.modele().course.nb(); ++i)
        s.concurrents.set(size_t(i));
    s.toute_course = true;
    AnnotationsTrajets a{false, true, false, false, false};
    demarre(s, a, f_.jour_affiche());
}

void FilmContinu::demarre(const SelectionTrajets& s, const AnnotationsTrajets& a, bool depuis_le_jour)
{
    f_.abandonne_geste();
    f_.termine_rejeu();
    // The comparison holds the time model about to be replaced.
    fin_duel();
    if (!f_.modele().course.fichiers_jour) {
        chronologie = std::make_unique<Chronologie>(f_.modele().course, f_.modele().pistes);
    } else {
        if (!f_.archive_prete())
            return;  // said by the assembly
        chronologie = std::make_unique<Chronologie>(f_.modele().archive);
    }
    if (chronologie->vide()) {
        f_.informe(aucune_position());
        return;
    }
    // From the day shown: its ranking's time.
    std::optional<Instant> depart;
    const EtatDate& d = f_.modele().date;
    if (depuis_le_jour && chronologie->publie())
        if (const int k = f_.modele().archive.indice_du_jour(QDate(d.annee_choisie, d.mois_choisi, d.jour_choisi)); k >= 0)
            depart = chronologie->publication(k);
    ouvre(s, a, depart);
}

void FilmContinu::exporte_video()
{
    if (!chronologie)
        return;
    ParametresVideo p;
    p.periode = options.periode;
    p.concurrents = options.concurrents;
    p.trainee = options.trainee;
    p.suivre = suivi_;
    p.vitesse = ControleurFilm::VITESSES[size_t(controleur.vitesse())];
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    if (dossier.isEmpty() || !QDir(dossier).exists())
        dossier = QDir::homePath();
    DialogueVideo d(&f_.vue_carte(), f_.modele().course, p, controleur.vitesse(), f_.vue_carte().size(), f_.vue_carte().devicePixelRatioF(),
                    date_de(chronologie->premier()).date(), date_de(chronologie->dernier()).date(),
                    QDir(dossier).filePath(QStringLiteral("orvalis.mp4")));
    std::optional<ChoixVideo> choix;
    if (choisit_video)
        choix = choisit_video(d);
    else if (d.exec() == QDialog::Accepted)
        choix = d.choix(*chronologie);
    if (!choix)
        return;
    const SourceExport source{f_.modele(), f_.fichiers(), f_.reglages_affichage(), &f_.vue_carte()};
    export_video = std::make_unique<ExportVideo>(source, *choix, [this](bool ok, const QString& m) {
        barre->exporter->setEnabled(true);
        f_.message(m);
        if (ok)
            f_.informe(m);
        else
            f_.avertit(m);
        // Its copies and frame let go once its step has returned (unless
        // another export has taken its place meanwhile).
        QTimer::singleShot(0, barre, [this, fini = export_video.get()] {
            if (export_video.get() == fini)
                export_video.reset();
        });
    });
    QString erreur;
    if (!export_video->demarre(erreur)) {
        export_video.reset();
        f_.avertit(erreur);
        return;
    }
    barre->exporter->setEnabled(false);
}

void FilmContinu::ouvre(const SelectionTrajets& s, const AnnotationsTrajets& a, std::optional<Instant> depart)
{
    cree_interface();
    if (!actif_)
        vue_avant_ = f_.modele().vue;
    options.concurrents = s.concurrents;
    options.periode = periode_film(*chronologie, s);
    options.annotations = a;
    options.annotations.distances_parcourues = false;
    options.trainee = TRAINEES[size_t(std::clamp(barre->trainee->currentIndex(), 0, int(TRAINEES.size()) - 1))];
    options.fond = f_.fond();
    options.survole = 0;
    mesure.reset();
    suivi_ = 0;
    cible_.reset();
    vue_camera_.reset();
    message_suivi_.clear();
    std::vector<int> entrants;
    for (int i = 1; i <= chronologie->nb(); ++i)
        if (s.concurrents.test(size_t(i)))
            entrants.push_back(i);
    barre->prepare(chronologie->course(), options.periode, entrants);
    classement->montre(*chronologie, -2, options.concurrents);
    if (dock_barre_) {
        dock_barre_->show();
        dock_classement_->show();
        // The chart's width beside the docks, for the framing.
        if (f_.cadre_fenetre()->layout())
            f_.cadre_fenetre()->layout()->activate();
    } else {
        barre->setGeometry(0, f_.vue_carte().height() - barre->sizeHint().height(), f_.vue_carte().width(), barre->sizeHint().height());
        barre->show();
    }
    // From a day: its fleet framed as the day view frames it (its first
    // boats of the ranking). Else every chosen boat in view over the whole
    // period: its positions at the start and the end and its fixes between.
    const Instant t0 = std::clamp(depart.value_or(options.periode.debut), options.periode.debut, options.periode.fin);
    bool cadre = false;
    if (depart) {
        const InstantFilm m = calcule_instant(*chronologie, options, t0);
        cadre = cadre_sur_instant(m, f_.modele().vue, f_.vue_carte().width(), f_.cadrage_du_jour());
        // Clear of the tool bar, as the day view's boats are.
        std::vector<TPos_elem> bateaux;
        for (const int i : m.ordre)
            if (m.positions[size_t(i)].montre && int(bateaux.size()) < f_.cadrage_du_jour())
                bateaux.push_back(pos_elem_de(m.positions[size_t(i)], chronologie->course().nom_conc(i)));
        if (cadre)
            f_.degage_barre_outils(bateaux);
    }
    if (!cadre)
        cadre_sur_periode(*chronologie, options.concurrents, options.periode, f_.modele().vue, f_.vue_carte().width());
    titre_avant_ = f_.cadre_fenetre() ? f_.cadre_fenetre()->windowTitle() : f_.vue_carte().windowTitle();
    // Another race is named by its own name.
    const Course& course = f_.modele().course;
    f_.titre(!course.autre() ? Texte::tr("Orvalis 2000-2001. Film continu de la course")
                                      : Texte::tr("%1. Film continu de la course").arg(course.nom));
    actif_ = true;
    images_dessinees_ = 0;
    ecart_max_ = 0;
    for (QShortcut* t : touches_)
        t->setEnabled(true);
    controleur.demarre(options.periode, t0);
    images_->start();
    f_.message(message_film());
    f_.vue_carte().setFocus();
    camera_ms_ = maintenant_ms();
    actualise();
}

void FilmContinu::ferme()
{
    if (!actif_)
        return;
    actif_ = false;
    images_->stop();
    f_.instant_du_film(std::nullopt);
    fin_duel();
    if (bilan_images)
        bilan_images(images_dessinees_, derniere_image_ - premiere_image_, ecart_max_);
    for (QShortcut* t : touches_)
        t->setEnabled(false);
    if (dock_barre_) {
        dock_barre_->hide();
        dock_classement_->hide();
    } else {
        barre->hide();
        classement->hide();
    }
    mesure.reset();
    cible_.reset();
    vue_camera_.reset();
    f_.modele().vue = vue_avant_;
    f_.active_classement(true);
    f_.titre(titre_avant_);
    f_.message(message_option_quittee());
    f_.redessine();
}

void FilmContinu::image_suivante()
{
    if (!actif_)
        return;
    // The slider held: the picture stays where the hand is.
    if (barre->curseur->isSliderDown()) {
        controleur.va_a(controleur.instant());
        return;
    }
    const bool lecture = controleur.en_lecture();
    const bool avance = controleur.avance() || lecture != controleur.en_lecture();
    if (avance)
        calcule_moment();
    if (anime_camera() || avance)
        f_.redessine();
}

void FilmContinu::actualise()
{
    if (!actif_ || !chronologie)
        return;
    calcule_moment();
    f_.redessine();
}

void FilmContinu::calcule_moment()
{
    moment = calcule_instant(*chronologie, options, controleur.instant());
    // The boat followed not on the chart: said in the status line, once.
    const QString m = etat_du_suivi(qui_est_suivi());
    if (m != message_suivi_) {
        message_suivi_ = m;
        f_.message(m.isEmpty() ? message_film() : m);
    }
    montre_etat();
}

int64_t FilmContinu::maintenant_ms() const { return horloge_essai ? horloge_essai() : horloge.elapsed(); }

int FilmContinu::qui_est_suivi() const { return concurrent_suivi(moment, suivi_); }

QString FilmContinu::etat_du_suivi(int qui) const
{
    if (qui <= 0 || !chronologie)
        return {};
    const PositionFilm& p = moment.positions[size_t(qui)];
    const QString nom = chronologie->course().nom_conc(qui);
    const std::vector<Fixe>& f = chronologie->fixes(qui);
    if (f.empty() || moment.t < f.front().t)
        return Texte::tr("Suivi : %1 n'a pas encore pris le départ, il n'est pas sur la carte.").arg(nom);
    if (p.nature == Nature::Abandon || (chronologie->abandon(qui) && moment.t >= chronologie->abandon(qui)))
        return p.montre ? Texte::tr("Suivi : %1 a abandonné.").arg(nom)
                        : Texte::tr("Suivi : %1 a abandonné, il n'est plus sur la carte.").arg(nom);
    if (!p.montre)
        return Texte::tr("Suivi : %1 n'est pas sur la carte à cet instant.").arg(nom);
    return {};
}

bool FilmContinu::anime_camera()
{
    const int64_t t = maintenant_ms();
    const int64_t dt = std::max<int64_t>(0, t - camera_ms_);
    camera_ms_ = t;
    // A view that changed since the camera set it is the user's: the
    // following, or the frame asked, ends there.
    if (vue_camera_ && !vue_camera_->meme_demande(f_.modele().vue)) {
        vue_camera_.reset();
        cible_.reset();
        if (suivi_ != 0) {
            suivi_ = 0;
            message_suivi_.clear();
            f_.message(Texte::tr("Suivi arrêté : la vue est la vôtre."));
            montre_etat();
        }
        return false;
    }
    std::optional<Cadrage> cible = cible_;
    if (const int qui = qui_est_suivi(); qui > 0)
        cible = cadrage_du_moment(moment, qui);
    if (!cible)
        return false;
    Cadrage k = pas_vers(cadrage_de_la_vue(f_.modele().vue), *cible, 1 - std::exp(-double(dt) / DUREE_CAMERA_MS));
    if (proche(k, *cible)) {
        k = *cible;
        if (suivi_ == 0)
            cible_.reset();
    }
    const Viewport avant = f_.modele().vue;
    pose_cadrage(f_.modele().vue, k);
    vue_camera_ = f_.modele().vue;
    return !avant.meme_demande(f_.modele().vue);
}

void FilmContinu::cadre_flotte()
{
    if (!actif_)
        return;
    suivi_ = 0;
    cible_ = cadrage_du_moment(moment, 0);
    vue_camera_ = f_.modele().vue;
    camera_ms_ = maintenant_ms();
    calcule_moment();
}

void FilmContinu::montre_etat()
{
    barre->montre(controleur.instant(), controleur.en_lecture(), controleur.vitesse(), suivi_);
    f_.instant_du_film(controleur.instant());
    if (duel_actif())
        duel->montre(controleur.instant());
    if (chronologie->publie())
        classement->montre(*chronologie, moment.jour_classement, options.concurrents);
    else
        classement->montre_calcule(*chronologie, moment.t, options.concurrents);
}

void FilmContinu::ajoute_couches(Scene& s)
{
    const int64_t maintenant = horloge.elapsed();
    if (images_dessinees_++ == 0)
        premiere_image_ = maintenant;
    else
        ecart_max_ = std::max(ecart_max_, maintenant - derniere_image_);
    derniere_image_ = maintenant;
    options.fond = s.style.fond;
    ajoute_couches_film(s, *chronologie, options, moment, &placement, &traces_);
    if (mesure)
        s.ajoute<CoucheMesure>(mesure->first, mesure->second);
    // The great circle between the two boats compared.
    if (duel_actif()) {
        const PositionFilm &a = moment.positions[size_t(duel->premier())], &b = moment.positions[size_t(duel->second())];
        if (a.montre && b.montre)
            s.ajoute<CoucheMesure>(pos_elem_de(a, QString()), pos_elem_de(b, QString()));
    }
}

void FilmContinu::compare(int a, int b)
{
    if (!actif_ || a == b || !options.concurrents.test(size_t(a)) || !options.concurrents.test(size_t(b)))
        return;
    if (!dock_duel_) {
        duel = new PanneauDuel(nullptr);
        duel->va_a = [this](Instant t) { va_a(t); };
        duel->ferme = [this] { fin_duel(); };
        dock_duel_ = new QDockWidget(Texte::tr("Comparaison"), f_.cadre_fenetre());
        dock_duel_->setObjectName(QStringLiteral("DuelFilm"));
        dock_duel_->setFeatures(QDockWidget::NoDockWidgetFeatures);
        dock_duel_->setWidget(duel);
        if (f_.cadre_fenetre())
            f_.cadre_fenetre()->addDockWidget(Qt::RightDockWidgetArea, dock_duel_);
    }
    const PeriodeFilm p = controleur.periode();
    duel->compare(*chronologie, a, b, p.debut, p.fin);
    dock_duel_->show();
    duel->montre(controleur.instant());
    // The camera keeps the first boat (and its nearest rivals) in sight.
    if (suivi_ == 0)
        suit(a);
    f_.message(Texte::tr("Comparaison : %1 contre %2").arg(chronologie->course().nom_conc(a), chronologie->course().nom_conc(b)));
    f_.redessine();
}

void FilmContinu::fin_duel()
{
    if (dock_duel_)
        dock_duel_->hide();
    f_.redessine();
}

bool FilmContinu::duel_actif() const { return dock_duel_ && !dock_duel_->isHidden(); }

int FilmContinu::concurrent_sous(int x, int y) const { return actif_ ? placement.sous(x, y) : 0; }

bool FilmContinu::position(int i, TPos_elem& p) const
{
    if (!actif_ || i < 1 || i >= int(moment.positions.size()) || !moment.positions[size_t(i)].montre)
        return false;
    p = pos_elem_de(moment.positions[size_t(i)], QString());
    return true;
}

QStringList FilmContinu::lignes_details(int i) const
{
    const PositionFilm& p = moment.positions[size_t(i)];
    if (!chronologie || !p.montre)
        return {};
    const Fixe& dernier = chronologie->fixes(i)[size_t(p.fixe)];
    const QString quoi = p.nature == Nature::Interpole ? Texte::tr("position estimée (interpolée)")
                         : p.nature == Nature::Estime  ? Texte::tr("position estimée (trou de plus de 30 h)")
                                                       : texte_nature_traduit(p.nature);
    // The first line is the rank, as in the day's details: the ranking's of
    // the moment.
    const TDonnees_conc* r = moment.jour_classement >= 0 ? chronologie->ligne(moment.jour_classement, i) : nullptr;
    QStringList l{r && !r->non_classe ? QString::number(r->rang) : QStringLiteral("NC"), QString(),
                  dernier.r ? dernier.r->bateau : chronologie->course().concurrents[size_t(i)].bateau,
                  chronologie->course().nom_conc(i), texte_position(deg_vers_ddmm(p.lat), deg_vers_ddmm(-p.lon))};
    if (p.en_route) {
        l << Texte::tr("Cap moyen = %1°").arg(p.cap, 3, 'f', 0)
          << Texte::tr("Vitesse moyenne = %1 noeuds").arg(p.vitesse, 4, 'f', 1);
    }
    const QDateTime quand = date_de(moment.t);
    l << Texte::tr("le %1 à %2 UTC")
             .arg(quand.toString(QStringLiteral("dd/MM/yyyy")), quand.toString(Texte::tr("HH'h'mm", "Qt time format: 20h00")))
      << quoi;
    return l;
}

void FilmContinu::survol(int x, int y)
{
    const int i = concurrent_sous(x, y);
    if (!actif_ || i == options.survole)
        return;
    options.survole = i;
    f_.redessine();
}

void FilmContinu::suit(int qui)
{
    suivi_ = qui;
    cible_.reset();
    vue_camera_ = f_.modele().vue;
    camera_ms_ = maintenant_ms();
    actualise();
}

void FilmContinu::pose_fond(TColor fond)
{
    options.fond = fond;
    if (actif_)
        calcule_moment();
}

std::vector<std::pair<QKeySequence, QString>> FilmContinu::touches_film()
{
    return {{QKeySequence(Qt::Key_Space), Texte::tr("Film : lecture ou pause")},
            {QKeySequence(Qt::Key_Up), Texte::tr("Film : plus vite")},
            {QKeySequence(Qt::Key_Down), Texte::tr("Film : moins vite")},
            {QKeySequence(Qt::Key_Left), Texte::tr("Film : une heure en arrière")},
            {QKeySequence(Qt::Key_Right), Texte::tr("Film : une heure en avant")},
            {QKeySequence(Qt::CTRL | Qt::Key_Left), Texte::tr("Film : un jour en arrière")},
            {QKeySequence(Qt::CTRL | Qt::Key_Right), Texte::tr("Film : un jour en avant")},
            {QKeySequence(Qt::Key_Home), Texte::tr("Film : au début")},
            {QKeySequence(Qt::Key_End), Texte::tr("Film : à la fin")},
            {QKeySequence(Qt::Key_F), Texte::tr("Film : cadrer la flotte")},
            {QKeySequence(Qt::Key_Escape), Texte::tr("Film : fermer")}};
}

}  // namespace orv
