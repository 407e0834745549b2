// TFPosConc: the main window of the race viewer, a chart window that adds
// the race picture (course marks, places, boats), the details tool, the
// ranking panel, the race-day selection, the menus, the tool bar and the
// status line.
#pragma once

#include "actualisation.h"
#include "donnees.h"
#include "geometrie.h"
#include "lieux.h"
#include "mercator.h"
#include "reglages.h"
#include "trajets.h"

#include <QImage>
#include <QPoint>
#include <vector>
#include <array>
#include <functional>
#include <map>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QTimer;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace orv {

class TFCalend;

// Mouse tools (mode_outil).
enum ModeOutil : uint8_t {
    OUTIL_ACCUEIL = 0,
    OUTIL_AUCUN = 1,
    OUTIL_ZOOM = 2,
    OUTIL_DETAILS = 4,
    OUTIL_PANORAMIQUE = 6,
    OUTIL_TRAJETS = 7,
    OUTIL_DISTANCE = 8,
};

inline const QString TITRE_INITIAL = QStringLiteral(" Orvalis 2000 - 2001 V.4.7c");
inline const QString MESSAGE_OPTION = QStringLiteral("Sélectionner une option  | (Double cliquer pour quitter une option)");

// Colour of a speed line for a speed in knots.
TColor couleur_vitesse(ext noeuds, bool fond_clair);
// Pen colour of an entrant's track on a background (navy shifts it).
TColor couleur_trajet(TColor couleur_conc, TColor fond);
// Pen style of entrant i's track: by i mod 5, solid, dash, dot, dash-dot,
// dash-dot-dot.
StylePlume style_trajet(int i);

class TFPosConc : public TMercator {
public:
    // `cadre` holds the menus and the status bar (none for a headless
    // render); `rep_programme` is where the data files lie.
    TFPosConc(QMainWindow* cadre, const QString& rep_programme, const QString& rep_courant);

    // State of the window.
    uint8_t mode_outil = OUTIL_ACCUEIL;
    bool fond_initial = true;
    QImage image_fond;
    QString rep_programme, rep_courant;
    Reglages reglages;
    int code_excel = 1;
    int nb_cadrage = 18;
    std::array<TColor, 25> couleurs_conc{};
    bool trajets_constitues = false, trajets_actifs = false, defilement_en_cours = false;
    ext marge_lat = 0.5L, marge_long = 0.5L;
    bool conc_touche = false;
    const TLieu* mp_courante = nullptr;
    bool jour_charge = false;  // a race day has been loaded
    // While the splash is up, a press on the welcome picture is kept for
    // after it (entree_differee).
    bool attente_intro = false;
    bool entree_differee = false;
    QString message_statut;

    // Shows the calendar modally; true when a date was validated. Tests
    // replace it with a script.
    std::function<bool()> montre_calendrier;
    // The information box (a message box by default) and the help window.
    std::function<void(const QString&)> affiche_information;
    std::function<void()> ouvre_aide;
    // Called once, after the first paint reached the screen.
    std::function<void()> apres_premiere_peinture;

    void FormCreate();
    void FormPaint() override;

    void Aff_Message(const QString& texte);
    void Inhibmenu();
    void Validmenu();
    void Redimensionne();

    // Race data and days.
    bool Charge_donnees_coureurs();
    void SelDateClick();
    void ValiderEntrees();
    // The first press (any button) or Esc on the welcome picture.
    void entre_dans_la_course();
    void FormDBlClick();
    // Ends a replay in progress (its panel, its progression, its timer):
    // the commands that it disabled come back.
    void termine_rejeu();
    // Before a tool-bar button's command: while a replay step by step holds
    // the commands greyed, it ends first; on the welcome picture the greyed
    // buttons do nothing. False when the command must not run.
    bool avant_commande(const QString& bouton);

    // Race picture and details.
    void trace_marque(const TPos_elem& e);  // the course-mark label style
    void trace_marques();
    void trace_lieux();
    void trace_concurrent(int i);
    // The speed line from (x, y): 4 pixels per knot along the course, in the
    // colour of the speed band.
    void trait_vitesse(int x, int y, ext vitesse, ext cap);
    int Select_Conc(int X, int Y);
    bool Select_mp(int X, int Y);
    void Afficher1Click();
    void details_appui(int X, int Y, bool ctrl);
    void details_relache();
    void PhotoConc(int i);
    QStringList lignes_details(int i) const;

    // Tools: zoom, pan, distance; leaving them; the tool bar.
    void Zoomer1Click();
    void abandonne_geste();
    void PanoramiClick();
    void Distances1Click();
    void AfficherBarOutClick(bool montrer);
    bool zoom_en_cours = false;
    // The tool in which the left button went down (OUTIL_ACCUEIL: none), so
    // that only the release of that press acts.
    uint8_t outil_appui = OUTIL_ACCUEIL;
    TPos_elem point_depart{QString(), 180, 0}, point_arrivee;
    void distance_appui(int X, int Y);
    void distance_relache(int X, int Y);
    // The entrant or course mark under (X, Y), unnamed.
    bool point_sous_souris(int X, int Y, TPos_elem& p);
    // Bounds on two points, stored so that the fit frames the short way.
    void cadre_sur_deux_points(const TPos_elem& a, const TPos_elem& b);
    // Great-circle path and distance between two positions (DD.MM); with
    // `repeindre`, the chart is rendered again between the computation and
    // the drawing.
    void mesure_2pts(const TPos_elem& a, const TPos_elem& b, bool repeindre);
    void Affiche_graph_ortho(TColor couleur, ext lat1, ext lon1, ext lat2, ext lon2);

    // Zoom by the wheel (notches > 0: in) or the keys, around a pixel.
    bool zoom_molette(int X, int Y, int crans);
    bool zoom_clavier_permis() const;
    // The next (sens 1) or previous (-1) archived day, as a calendar choice.
    bool jour_voisin(int sens);
    // The framing widened so that no framed boat, nor its name, lies
    // under the tool bar.
    void degage_barre_outils();
    // Caption, tool and status line after a day was loaded.
    void affiche_jour_charge();
    void affiche_position(int X, int Y);

    // The theoretical route.
    bool route_affichee = false;
    bool route_construite = false;
    bool route_signalee = false;  // a reading failure was reported
    std::vector<TLieu> liste_route_ortho;  // radians
    void RtglobClick();
    bool construit_route();
    void Trace_route_theo();
    void trace_point_radians(const TLieu& n);

    // The replay: the panel, the assembly, the progressions.
    QFrame* PanelTraj = nullptr;
    QListWidget* ListBoxConc = nullptr;
    QCheckBox *ChbxToutCourse = nullptr, *ChbxEnt2dt = nullptr;
    QWidget* Panel1 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QCheckBox *ChbxDate = nullptr, *ChbxVit = nullptr, *ChbxClass = nullptr, *ChBXDist = nullptr,
              *ChBxDistPrel = nullptr;
    QGroupBox *RDGmode = nullptr, *GPBCad = nullptr;
    QLineEdit* EdCad = nullptr;
    QWidget* UpDown1 = nullptr;
    QPushButton *BTokTraj = nullptr, *BTAnnulTraj = nullptr, *BTExporter = nullptr;
    int periode_cadence = 3000;  // milliseconds
    int nb_jours_traj = 0, jour_traj = 0, dernier_conc = 0;
    SelectionTrajets selection_traj;
    Film film;
    bool film_cadence = false;   // the timed film is running
    bool film_en_pause = false;
    std::array<TPos_elem, NB_CONCURRENTS + 1> releve_prec{};
    // The export's file, asked by a dialog (a script in the tests).
    std::function<QString()> choisit_fichier_export;

    void Trajets1Click();
    void Constitue_trajets();
    void Traj_date_sel_tout_course();
    void Traj_date_sel_ent2dt();
    void RDGmodeClick();
    void traj_det_val_dist();
    void BTokTrajClick();
    void BTAnnulTrajClick();
    void BTExporterClick();
    int index_mode() const;       // RDGmode: 0 instant, 1 timed, 2 manual
    void choisit_mode(int k);
    // The entrants and period chosen in the panel; false (with the warning
    // box) when none is chosen or a date is missing.
    bool selection_du_panneau(SelectionTrajets& s);
    void Plot_traj_conc(const TDonnees_conc& r, int i, bool premier);
    void cadre_sur_pas(const std::array<const TDonnees_conc*, NB_CONCURRENTS + 1>& fixes);
    void Aff_dist_entre_2(const std::array<const TDonnees_conc*, NB_CONCURRENTS + 1>& fixes);
    void Trac_traj_inst();
    void Trac_traj_cadenc();
    void Trac_traj_man();
    void un_pas();
    void tic_film();
    void arrete_film();
    // The keys of a replay in progress; false when the key is not theirs.
    bool touche_film(QKeyEvent* e);

    // The update of today's day file from the official ranking.
    void Actualiser1Click();
    Actualisation actualisation{this};
    void fin_actualisation(const MiseAJour::Resultat& r, const QDate& jour);
    int delai_classement_ms = 20000;
    // Where written day files go: beside the program, or the user's folder
    // when installed.
    QString rep_ecriture_jours() const;
    std::function<QDate()> aujourdhui;  // the system's date (a fixed one in the tests)

    // The statistics window (made once, at its first opening).
    void Statistiques1Click();
    QWidget* fenetre_statistiques = nullptr;
    // Loads a day as a date validated in the calendar does; false (the day
    // shown kept whole, the status line saying why) when it cannot be read.
    bool montre_jour(const QDate& d);
    // The ranking commands (menu item, statistics, tool button).
    void active_classement(bool oui);

    // Ranking panel.
    void Classement1Click();
    void BitBtn1Click();
    // The panel's header lines and the rows of the day on the chart.
    void remplit_classement();

    // Help and about.
    void Aide2Click();
    void Oinstallerlesarchives1Click();
    void Apropos1Click();

    // Controls, named as the design names them.
    QMainWindow* cadre = nullptr;
    TFCalend* calendrier = nullptr;
    QWidget* apropos = nullptr;
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
    QLabel* StatusBar1 = nullptr;
    QLabel* StatusPosition = nullptr;
    QCursor curseur_grab, curseur_zoom;

    // Greyed ("indeterminate") state of a tool button: shown dimmed, still
    // clickable.
    bool bouton_grise(const QString& nom) const;

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

private:
    void cree_menus();
    void cree_barre_outils();
    void cree_panneaux();
public:
    void grise(const QString& bouton, bool oui);

private:
    void etat_commandes(bool actif);
    void ajoute_lignes_classement();
    QCursor charge_curseur(const QString& nom, const QCursor& defaut) const;
    std::map<QString, bool> grises_;
    void cree_panneau_trajets();
    void demarre_film();
    QTimer* minuterie();
    QTimer* minuterie_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    std::array<bool, NB_CONCURRENTS + 1> vu_{};  // entrants drawn since the film started
    int molette_reste = 0;  // parts of a notch not used yet
    TPos_elem ancre_molette;
    QPoint ancre_molette_px;
    bool ancre_molette_valide = false;
    std::array<ext, 4> bornes_molette{};  // the bounds the last notch left
};

// The two-entrant distance option of the replay: exactly two entrants and
// a step-by-step mode (index 1 timed or 2 manual, not 0 instant).
bool distance_entre_deux_permise(int nb_selectionnes, int index_mode);

}  // namespace orv
