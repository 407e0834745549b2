// TFPosConc: the main window of the race viewer, a chart window that shows
// the race picture (course marks, places, route, boats or a replay) drawn by
// the core's renderer, with the menus, the tool bar and the status line. It
// keeps its historical method names as its entry points and hands the work to
// the objects that own it: the mouse tools (GestionOutils), the replay and
// its panel (Rejeu), the continuous film (FilmContinu), the update
// (Actualisation), the statistics window.
#pragma once

#include "actualisation.h"
#include "emplacements.h"
#include "etat_programme.h"
#include "film_continu.h"
#include "image_vue.h"
#include "historique_vues.h"
#include "recherche_vue.h"
#include "mercator.h"
#include "outils.h"
#include "reglages.h"
#include "rejeu.h"
#include "rendu_course.h"
#include "traduction.h"

#include <QImage>
#include <array>
#include <functional>
#include <map>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QDragEnterEvent;
class QDropEvent;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace orv {

class TFCalend;

inline const QString TITRE_INITIAL = QStringLiteral(" Orvalis 2000 - 2001 V.4.7c");

// The theoretical route of the window: built once when first switched on.
struct RouteTheorique {
    bool affichee = false;
    bool construite = false;
    bool signalee = false;  // a reading failure was reported
    std::vector<TLieu> noeuds;  // radians
};

class TFPosConc : public TMercator,
                  public FenetreDesOutils,
                  public FenetreDuRejeu,
                  public FenetreDuFilm,
                  public FenetreDeLImage,
                  public FenetreDeLaRecherche {
public:
    // `cadre` holds the menus and the status bar (none in some tests);
    // `emplacements` says where the data and the day files lie.
    TFPosConc(QMainWindow* cadre, EtatProgramme& etat, const Emplacements& emplacements, const QString& rep_courant);

    EtatProgramme& etat;  // the program-wide state it shows and changes

    // State of the window.
    // The current tool's mode.
    ModeOutil mode_outil() const { return outils.mode(); }
    bool fond_initial = true;
    QImage image_fond, image_fond_2x;  // the welcome picture, and twice as sharp
    Emplacements emplacements;
    QString rep_courant;
    const QString& rep_programme() const { return emplacements.rep_programme; }
    Reglages reglages;
    int code_excel = 1;
    int nb_cadrage = 18;
    std::vector<TColor> couleurs_conc;
    bool conc_touche = false;
    const TLieu* mp_courante = nullptr;
    bool jour_charge = false;  // a race day has been loaded
    // While the splash is up, a press on the welcome picture is kept for
    // after it (entree_differee).
    bool attente_intro = false;
    bool entree_differee = false;

    // Shows the calendar modally; true when a date was validated into the
    // date state given. Tests replace it with a script.
    std::function<bool(EtatDate&)> montre_calendrier;
    // The information box (a message box by default) and the help window.
    std::function<void(const QString&)> affiche_information;
    std::function<void()> ouvre_aide;
    // Called once, after the first paint reached the screen.
    std::function<void()> apres_premiere_peinture;

    void FormCreate();
    void FormPaint() override;

    // Another race: a file or folder opened by its reader, shown in place of
    // the current one; false (nothing changed, the reason said) when it
    // cannot be read. Tests give the file dialog's answer.
    bool ouvre_autre_course(const QString& chemin);
    // The view, film instant and day of the race open, kept for its next
    // opening (on leaving it and when the window closes).
    void retient_vue_course();
    // The chart drawn in the modern style or the classic one, at once.
    void applique_style(bool moderne);
    // The same without drawing (the window being made).
    void pose_style(bool moderne);
    void OuvrirCourseClick();
    std::function<QString()> choisit_course;
    // The picture the window shows (the welcome picture, or the chart with
    // its film, replay or day, and the measurement on display) drawn on
    // another chart, as the window would at its canvas's ratio.
    void rend_vers(Carte& c, int32_t larg, int32_t haut) override;
    // The distance measured last, shown until the next paint.
    std::optional<std::pair<TPos_elem, TPos_elem>> mesure_montree;
    // Saving and copying the view as a picture.
    ImageVue image_vue{*this};

    // Find and navigate: the search field, the view history (a view is a
    // step once it has stayed DELAI_VUE_MS unchanged on screen).
    RechercheVue recherche{*this};
    HistoriqueVues historique;
    static constexpr int DELAI_VUE_MS = 500;
    void va_a_la_trouvaille(const Trouvaille& t) override;
    // Alt+← and Alt+→ (and the mouse's back and forward buttons); false at
    // either end.
    bool recule_vue();
    bool avance_vue();
    // The view shown noted as a step now (the tests, without waiting).
    void note_vue();
    // "Comparer deux concurrents…": the two boats (a dialog; a script in
    // the tests), compared in the film.
    void compare_deux();
    std::function<std::optional<std::pair<int, int>>()> choisit_duel;

    void Aff_Message(const QString& texte);
    void Inhibmenu();
    void Validmenu();
    void Redimensionne();
    void titre(const QString& t) override;

    // Race data and days. The day of a date state is read, then shown with
    // that date; false (nothing changed) when it cannot be read.
    // Loads day `d`; false, with what to tell the user in `echec`, when its
    // file is absent or unreadable.
    bool charge_jour(const EtatDate& d, QString* echec = nullptr);
    bool Charge_donnees_coureurs();  // the day of etat.date
    void SelDateClick();
    void ValiderEntrees();
    // The first press (any button) or Esc on the welcome picture.
    void entre_dans_la_course() override;
    void FormDBlClick();
    // Ends a replay in progress (its panel, its progression, its timer):
    // the commands that it disabled come back.
    void termine_rejeu() override;
    // Before a tool-bar button's command: while a replay step by step holds
    // the commands greyed, it ends first; on the welcome picture the greyed
    // buttons do nothing. False when the command must not run.
    bool avant_commande(const QString& bouton);

    // Details.
    int Select_Conc(int X, int Y);
    bool Select_mp(int X, int Y);
    void Afficher1Click();
    void details_appui(int X, int Y, bool ctrl) override;
    void details_relache() override;
    void PhotoConc(int i);
    QStringList lignes_details(int i) const;

    // Tools: zoom, pan, distance; the tool bar.
    GestionOutils outils{*this};
    void Zoomer1Click();
    void abandonne_geste() override;
    void PanoramiClick();
    void Distances1Click();
    void AfficherBarOutClick(bool montrer);
    // The entrant or course mark under (X, Y), unnamed.
    bool point_sous_souris(int X, int Y, TPos_elem& p) override;
    // Bounds on two points, stored so that the fit frames the short way.
    void cadre_sur_deux_points(const TPos_elem& a, const TPos_elem& b);
    // Great-circle path and distance between two positions (DD.MM) into the
    // program's great-circle result, shown over the chart as it is framed.
    void mesure_2pts(const TPos_elem& a, const TPos_elem& b);
    // The chart framed on the two points, then the distance shown.
    void mesure_entre(const TPos_elem& a, const TPos_elem& b) override;
    // What the tools see of the window.
    TMercator& carte() override { return *this; }
    void quitte_outil() override { FormDBlClick(); }
    void message(const QString& texte) override { Aff_Message(texte); }

    // What the window's parts see of it.
    EtatProgramme& modele() override { return etat; }
    const Emplacements& fichiers() const override { return emplacements; }
    QWidget& vue_carte() override { return *this; }
    void informe(const QString& texte) override;
    void avertit(const QString& texte) override;
    void redessine() override { invalider(); }
    const std::vector<TColor>& couleurs() const override { return couleurs_conc; }
    TColor fond() const override { return couleur_fond; }
    GestionOutils& gestion_outils() override { return outils; }
    QString message_affiche() const override { return message_statut; }
    void choisit_date() override { SelDateClick(); }
    void grise_commandes() override { Inhibmenu(); }
    void demarre_film(const SelectionTrajets& s, const AnnotationsTrajets& a) override { film.demarre(s, a); }
    void ferme_film() override { film.ferme(); }
    QMainWindow* cadre_fenetre() override { return cadre; }
    bool archive_prete() override;
    bool jour_affiche() const override { return jour_charge; }
    int cadrage_du_jour() const override { return nb_cadrage; }
    Reglages reglages_affichage() const override;
    double ratio() const override { return TMercator::ratio(); }
    void instant_du_film(std::optional<Instant> t) override;
    QString dossier_courant() const override { return rep_courant; }

    // Zoom by the wheel (notches > 0: in) or the keys, around a pixel.
    bool zoom_molette(int X, int Y, int crans);
    bool zoom_clavier_permis() const;
    // The next (sens 1) or previous (-1) archived day, as a calendar choice.
    bool jour_voisin(int sens);
    // Caption, tool and status line after a day was loaded.
    void affiche_jour_charge();
    // The framing widened so that no framed boat, nor its name, lies under
    // the tool bar.
    void degage_barre_outils();
    // The same for any boats (named, positions in DD.MM).
    void degage_barre_outils(const std::vector<TPos_elem>& bateaux) override;
    void affiche_position(int X, int Y) override;
    // Loads a day as a date validated in the calendar does; false (the day
    // shown kept whole, the status line saying why) when it cannot be read.
    bool montre_jour(const QDate& d);
    // The ranking commands (menu item, statistics, tool button).
    void active_classement(bool oui) override;

    // The theoretical route.
    RouteTheorique route;
    void RtglobClick();
    bool construit_route();

    // The replay.
    Rejeu rejeu{*this};
    void Trajets1Click() { rejeu.Trajets1Click(); }
    void Constitue_trajets() { rejeu.Constitue_trajets(); }
    void BTokTrajClick() { rejeu.BTokTrajClick(); }
    void BTAnnulTrajClick() { rejeu.BTAnnulTrajClick(); }
    void BTExporterClick() { rejeu.BTExporterClick(); }
    void RDGmodeClick() { rejeu.PanelTraj->RDGmodeClick(); }
    void traj_det_val_dist() { rejeu.PanelTraj->traj_det_val_dist(); }
    int index_mode() const { return rejeu.PanelTraj->index_mode(); }
    void choisit_mode(int k) { rejeu.PanelTraj->choisit_mode(k); }
    void Trac_traj_inst() { rejeu.Trac_traj_inst(); }
    void Trac_traj_cadenc() { rejeu.Trac_traj_cadenc(); }
    void Trac_traj_man() { rejeu.Trac_traj_man(); }

    // The continuous film of the race (the "&Vue" menu, the panel's fourth
    // progression).
    FilmContinu film{*this};
    void Filmcontinu1Click() { film.demarre_course_entiere(); }

    // The update of today's day file from the official ranking.
    void Actualiser1Click();
    Actualisation actualisation{this};
    void fin_actualisation(const MiseAJour::Resultat& r, const QDate& jour);
    int delai_classement_ms = DELAI_CLASSEMENT_MS;
    // Where written day files go: beside the program, or the user's folder
    // when installed.
    QString rep_ecriture_jours() const;
    std::function<QDate()> aujourdhui;  // the system's date (a fixed one in the tests)

    // The statistics window (made once, at its first opening).
    void Statistiques1Click();

    // Ranking panel.
    void Classement1Click();
    void BitBtn1Click();
    // The panel's header lines and the rows of the day on the chart.
    void remplit_classement();

    // Help and about.
    void Aide2Click();
    void Oinstallerlesarchives1Click();
    void Apropos1Click();
    // "Raccourcis clavier": every command with its keys, from the menus and
    // the film's keys.
    void RaccourcisClick();
    std::vector<QStringList> lignes_raccourcis() const;

    // The window's frame (menus, status bar; none in some tests), the
    // calendar and the about box the program made.
    QMainWindow* cadre = nullptr;
    TFCalend* calendrier = nullptr;
    QWidget* apropos = nullptr;

    // Greyed ("indeterminate") state of a tool button: shown dimmed, still
    // clickable.
    bool bouton_grise(const QString& nom) const;
    void grise(const QString& bouton, bool oui);

    // Path of a file given by relative name: the current directory first,
    // then the program's directory.
    QString fichier_relatif(const QString& nom) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    using FabriqueItem = std::function<QAction*(QMenu*, const char*, const QString&, std::function<void()>)>;
    void cree_menu_navigation(QMenu* menu_vue, const FabriqueItem& item);
    // The view a paint showed, and the timer that notes it once settled.
    void observe_vue();
    // A step of the history shown; false when there is none.
    bool montre_pas(const std::optional<Viewport>& v);
    Viewport vue_observee_;
    QTimer* minuterie_vue_ = nullptr;
    QMenu* menu_course_ = nullptr;
    QString course_programme_;  // the name of the program's own race
    void cree_menu_course(QMenuBar* mb, QAction* avant);
    void remplit_menu_course();
    void charge_lieux_course();
    QString chemin_course_;  // the race open; empty for the program's own
public:
    // The race open, for the next start (empty: the program's own).
    const QString& chemin_course() const { return chemin_course_; }
    // A race to open when the user enters (kept from the last time); the
    // program's own when empty or when it cannot be read.
    QString course_a_rouvrir;
    // The window was given its kept geometry: entering leaves it as it is.
    bool geometrie_rendue = false;
private:
    // The view kept for the race just opened, given back once its film or
    // its kept day is shown.
    void restaure_vue_course();
    QString message_statut;  // the status line, also without a frame
    // Controls, by their historical names (each also its object name).
    QWidget* fenetre_statistiques = nullptr;
    std::map<QString, QAction*> actions;       // menu items
    std::map<QString, QToolButton*> boutons;   // tool buttons
    QToolBar* ToolBar1 = nullptr;
    QLabel* Memo1 = nullptr;
    QFrame* PanelPhoto = nullptr;
    QLabel* ImagePhoto = nullptr;
    QLabel* LegendePhoto = nullptr;
    QLabel* MemoPhoto1 = nullptr;
    QLabel* MemoPhoto2 = nullptr;
    QFrame* PanelClass = nullptr;
    QLabel* StaticText1 = nullptr;
    QPlainTextEdit* MemoClass = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* StatusPosition = nullptr;
    void cree_menus();
    void cree_barre_outils();
    void cree_panneaux();
    void ajoute_lignes_classement();
    QCursor charge_curseur(const QString& nom, const QCursor& defaut) const;
    QLabel* StatusBar1 = nullptr;
    std::map<QString, bool> grises_;
    // The wheel: parts of a notch not used yet, and the point it zooms
    // around while nothing else moves the view.
    bool mesure_a_montrer_ = false;  // the next paint shows mesure_montree
    int molette_reste = 0;
    TPos_elem ancre_molette;
    QPoint ancre_molette_px;
    bool ancre_molette_valide = false;
    std::array<ext, 5> bornes_molette{};
};

}  // namespace orv
