#include "posconc.h"

#include "fichier_lieux.h"
#include "calend.h"
#include "calendrier.h"
#include "classement.h"
#include "courses_recentes.h"
#include "dialogues.h"
#include "emplacements.h"
#include "fichier_jour.h"
#include "icones.h"
#include "images_course.h"
#include "menu_langue.h"
#include "reglages_utilisateur.h"
#include "texte.h"
#include "trace_geometrie.h"
#include "traduction.h"
#include "zoom.h"

#include <QAction>
#include <QDialog>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace orv {

namespace {
constexpr TColor TEAL = 0x808000;

// Tool buttons, top to bottom: name, hint, icon.
struct DefBouton {
    const char* nom;
    const char* bulle;
    Icone icone;
};
const DefBouton BOUTONS[] = {
    {"ToolBZoom", QT_TRANSLATE_NOOP("Orvalis", "Zoom avant : tracer un rectangle . Zoom arrière : click droit"), Icone::Zoom},
    {"ToolBPAn", QT_TRANSLATE_NOOP("Orvalis", "Panoramique : déplacer la carte"), Icone::Panoramique},
    {"ToolBAff", QT_TRANSLATE_NOOP("Orvalis", "Affiche les détails sur une position"), Icone::Details},
    {"ToolBDate", QT_TRANSLATE_NOOP("Orvalis", "Sélectionner une date"), Icone::Date},
    {"ToolBDist", QT_TRANSLATE_NOOP("Orvalis", "Mesurer des distances (orthodromiques)"), Icone::Distance},
    {"ToolBClass", QT_TRANSLATE_NOOP("Orvalis", "Affiche le classement du jour"), Icone::Classement},
    {"ToolBTraj", QT_TRANSLATE_NOOP("Orvalis", "Retrace les parcours (fonction Trajets)"), Icone::Trajets},
    {"ToolBRoute", QT_TRANSLATE_NOOP("Orvalis", "Affiche la route théorique générale"), Icone::Route},
    {"ToolBActu", QT_TRANSLATE_NOOP("Orvalis", "Actualise les données du jour (connexion à Internet)"), Icone::Actualiser},
    {"ToolBAide", QT_TRANSLATE_NOOP("Orvalis", "Aide "), Icone::Aide},
    {"ToolBQuitte", QT_TRANSLATE_NOOP("Orvalis", "Quitter"), Icone::Quitter},
};

// Menu items disabled by Inhibmenu, with their tool buttons.
const std::pair<const char*, const char*> COMMANDES[] = {
    {"Zoomer1", "ToolBZoom"},     {"Dplacer1", "ToolBPAn"},  {"Afficher1", "ToolBAff"},
    {"Classement1", "ToolBClass"}, {"Distances1", "ToolBDist"}, {"Actualiser1", "ToolBActu"},
    {"Trajets1", "ToolBTraj"},    {"Route1", "ToolBRoute"},  {"SelDate", "ToolBDate"},
    {"Statistiques1", nullptr},  // enabled and disabled with the ranking
    {"Vue1", nullptr},
};

QColor couleur(TColor c) { return QColor(vers_qrgb(c)); }

// The status line's message: centred, cut at its end with "…" when the
// window is too narrow for it (the whole of it in the tooltip).
class LibelleElide : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        const QString t = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
        p.drawText(contentsRect(), int(alignment()), t);
    }
    QSize minimumSizeHint() const override { return QSize(20, QLabel::minimumSizeHint().height()); }
};

QString feuille_style(TColor fond, TColor texte)
{
    return QStringLiteral("background-color: %1; color: %2; border: none;")
        .arg(couleur(fond).name(), couleur(texte).name());
}
}  // namespace

TFPosConc::TFPosConc(QMainWindow* c, EtatProgramme& e, const Emplacements& l, const QString& rep_cour)
    : TMercator(c, e.vue, e.cartes, true), etat(e), emplacements(l), rep_courant(rep_cour), cadre(c)
{
    rep_donnees = emplacements.rep_programme;
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // the position under the pointer
    affiche_information = [this](const QString& m) {
        QMessageBox::information(this, Texte::tr("Information"), m);
    };
    ouvre_aide = [this] {
        FenetreAide aide(rep_programme(), this);
        aide.exec();
    };
    montre_calendrier = [this](EtatDate& d) {
        if (!calendrier)
            return false;
        // The days that have a file, in bold.
        calendrier->marque_jours(jours_avec_fichier(etat.course, emplacements), etat.course.premier_jour,
                                 etat.course.dernier_jour);
        calendrier->date = &d;
        const bool valide = calendrier->exec() == QDialog::Accepted;
        calendrier->date = &etat.date;
        return valide;
    };
    cree_panneaux();
    rejeu.cree_panneau();
    cree_barre_outils();
    rejeu.choisit_fichier_export = [this] {
        QString filtre;
        QString f = QFileDialog::getSaveFileName(this, Texte::tr("Exporter les trajets"), QString(),
                                                 QStringLiteral("GPX (*.gpx);;KML (*.kml)"), &filtre);
        // A name typed without its extension takes the chosen type's.
        const QString suffixe = QFileInfo(f).suffix().toLower();
        if (!f.isEmpty() && suffixe != QLatin1String("gpx") && suffixe != QLatin1String("kml"))
            f += filtre.startsWith(QLatin1String("KML")) ? QStringLiteral(".kml") : QStringLiteral(".gpx");
        return f;
    };
    if (cadre)
        cree_menus();
}

QString TFPosConc::fichier_relatif(const QString& nom) const
{
    const QString ici = QDir(rep_courant).filePath(nom);
    if (QFileInfo::exists(ici))
        return ici;
    return QDir(rep_programme()).filePath(nom);
}

QCursor TFPosConc::charge_curseur(const QString& nom, const QCursor& defaut) const
{
    // Qt reads .cur pictures but not their hotspot: bytes 10..13 hold it.
    const QString chemin = fichier_relatif(nom);
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return defaut;
    const QByteArray b = f.read(14);
    const QPixmap p(chemin);
    if (p.isNull() || b.size() < 14)
        return defaut;
    const int hx = uchar(b[10]) | (uchar(b[11]) << 8);
    const int hy = uchar(b[12]) | (uchar(b[13]) << 8);
    return QCursor(p, hx, hy);
}

void TFPosConc::FormCreate()
{
    fond_initial = true;
    cartes_par_proprietaire = true;
    rep_donnees = emplacements.rep_programme;
    TMercator::FormCreate();

    const QString image = fichier_relatif(QStringLiteral("Zelto1.bmp"));
    if (!image_fond.load(image))
        avertissement(Texte::tr("Image d'accueil « Zelto1.bmp » introuvable ou illisible."));
    // Twice as sharp, for high-density screens.
    if (image_fond_2x.load(fichier_relatif(QStringLiteral("Zelto1@2x.png"))))
        image_fond_2x.setDevicePixelRatio(2);

    vue_avant_le_jour(etat.vue);

    reglages = reglages_du_programme(rep_courant, emplacements);
    code_excel = reglages.code_excel;
    couleur_fond = reglages.fond;
    coul_points = reglages.coul_points;
    // The style kept, set before the first paint (the welcome picture).
    if (style_moderne_retenu())
        pose_style(true);
    nb_cadrage = reglages.nb_cadrage;

    outils.pose_curseur(OUTIL_PANORAMIQUE, charge_curseur(QStringLiteral("HandGrab.cur"), QCursor(Qt::OpenHandCursor)));
    outils.pose_curseur(OUTIL_ZOOM, charge_curseur(QStringLiteral("ZoomP.cur"), QCursor(Qt::CrossCursor)));

    outils.choisit(OUTIL_ACCUEIL);
    couleurs_conc = couleurs_conc_pour(couleur_fond, etat.course.nb());
    Memo1->hide();

    course_programme_ = etat.course.nom;
    charge_lieux_course();

    Inhibmenu();
    rejeu.termine();
    etat.lieux.liste_route.clear();
    route = RouteTheorique{};
    // A settings file that is no regular file, said once beside the hint.
    const QStringList avis = avis_reglages_utilisateur();
    Aff_Message(avis.isEmpty() ? Texte::tr("Cliquer sur l'image")
                               : Texte::tr("Cliquer sur l'image") + QStringLiteral(" — ") + avis.join(u' '));
    if (cadre) {
        cadre->setWindowTitle(TITRE_INITIAL);
        cadre->show();
    }
}

void TFPosConc::FormPaint()
{
    // A measurement lasts until the paint after the one that shows it.
    if (!std::exchange(mesure_a_montrer_, false))
        mesure_montree.reset();
    rend_vers(dessin, width(), height());
    fond_initial = false;
    observe_vue();
}

void TFPosConc::rend_vers(Carte& c, int32_t larg, int32_t haut)
{
    // The race picture: the chart, the marks and places, the route when on,
    // then the film, the replay, or else the day's boats, and the distance
    // measured.
    Scene scene;
    scene.style = style();
    if (fond_initial) {
        // The first paint: the welcome picture alone.
        scene.ajuste_vue = false;
        scene.ajoute<CoucheAccueil>(c.canevas.ratio() > 1 && !image_fond_2x.isNull() ? image_fond_2x : image_fond,
                                    couleur_fond);
    } else {
        ajoute_fond_course(scene, &etat.cartes, style(), &etat.lieux,
                           route.affichee && route.construite ? &route.noeuds : nullptr);
        if (film.actif()) {
            // The film draws its measurement over every frame.
            film.ajoute_couches(scene);
        } else {
            if (!rejeu.ajoute_couches(scene) && !rejeu.chart_seule()) {
                if (style_moderne)
                    scene.ajoute<CoucheJourModerne>(etat.jour, etat.course, couleur_fond);
                else
                    scene.ajoute<CoucheJour>(etat.jour, couleur_fond);
            }
            if (mesure_montree)
                scene.ajoute<CoucheMesure>(mesure_montree->first, mesure_montree->second);
        }
    }
    if (&c == &dessin)
        compositeur.rend(c, scene, larg, haut);
    else
        rend_scene(c, scene, larg, haut);
}

void TFPosConc::informe(const QString& texte)
{
    if (information)
        information(texte);
}

void TFPosConc::avertit(const QString& texte)
{
    if (avertissement)
        avertissement(texte);
}

bool TFPosConc::archive_prete()
{
    if (!rejeu.trajets_constitues)
        rejeu.Constitue_trajets();
    return rejeu.trajets_constitues;
}

Reglages TFPosConc::reglages_affichage() const
{
    // The user's colours: a picture or a video made from them applies its
    // own style.
    Reglages r = reglages;
    r.coul_points = coul_points;
    return r;
}

void TFPosConc::titre(const QString& t)
{
    if (cadre)
        cadre->setWindowTitle(t);
    else
        setWindowTitle(t);
}

void TFPosConc::Aff_Message(const QString& texte)
{
    message_statut = texte;
    if (StatusBar1)
        StatusBar1->setText(texte);
}

void TFPosConc::grise(const QString& nom, bool oui)
{
    grises_[nom] = oui;
    auto b = boutons.find(nom);
    if (b == boutons.end())
        return;
    // Dimmed but still clickable, as the "indeterminate" state of the
    // original tool bar.
    b->second->setIcon(icone(nom_vers_icone(nom), oui));
}

bool TFPosConc::bouton_grise(const QString& nom) const
{
    auto g = grises_.find(nom);
    return g != grises_.end() && g->second;
}

bool TFPosConc::avant_commande(const QString& bouton)
{
    if (!bouton_grise(bouton))
        return true;
    if (mode_outil() == OUTIL_TRAJETS || rejeu.trajets_actifs || rejeu.defilement_en_cours) {
        // The replay ends cleanly, as a double click ends it, then the
        // command runs (unless the settings keep it disabled).
        FormDBlClick();
        return !bouton_grise(bouton);
    }
    return false;
}

void TFPosConc::Inhibmenu()
{
    for (const auto& [menu, bouton] : COMMANDES) {
        if (auto a = actions.find(QString::fromLatin1(menu)); a != actions.end())
            a->second->setEnabled(false);
        if (bouton)
            grise(QString::fromLatin1(bouton), true);
    }
}

void TFPosConc::active_classement(bool oui)
{
    for (const char* nom : {"Classement1", "Statistiques1"})
        if (auto a = actions.find(QString::fromLatin1(nom)); a != actions.end())
            a->second->setEnabled(oui);
    grise(QStringLiteral("ToolBClass"), !oui);
}

void TFPosConc::Validmenu()
{
    for (const auto& [menu, bouton] : COMMANDES) {
        const QLatin1String m(menu);
        const bool actu = m == QLatin1String("Actualiser1");
        if (actu && code_excel == 0)
            continue;
        // A race of tracks has no day file: no day's ranking, designed
        // replay or update.
        if (!etat.course.fichiers_jour &&
            (actu || m == QLatin1String("Classement1") || m == QLatin1String("Trajets1")))
            continue;
        if (auto a = actions.find(QString::fromLatin1(menu)); a != actions.end())
            a->second->setEnabled(true);
        if (bouton)
            grise(QString::fromLatin1(bouton), false);
    }
}

void TFPosConc::Redimensionne()
{
    invalider();
    if (ToolBar1)
        ToolBar1->move(width() - ToolBar1->width() - 2, 2);
}

void TFPosConc::Aide2Click()
{
    // The contents of "AIDEORVLS.HLP": our help page beside the program.
    ouvre_aide();
}

QString TFPosConc::rep_ecriture_jours() const { return emplacements.rep_ecriture(); }

void TFPosConc::Oinstallerlesarchives1Click()
{
    // Where the day files are read and written: beside the program, or the
    // user's own folder when installed (the current directory, named here
    // once, is not where they are looked for when started from elsewhere).
    affiche_information(QStringLiteral("Les archives doivent être enregistrées (téléchargées , décompressées) dans  le "
                                       "répertoire suivant \r\n") +
                        QDir::toNativeSeparators(rep_ecriture_jours()));
}

void TFPosConc::Apropos1Click()
{
    if (auto* d = qobject_cast<QDialog*>(apropos))
        d->exec();
}


void TFPosConc::paintEvent(QPaintEvent* e)
{
    TMercator::paintEvent(e);
    // The position under a pointer that did not move while the view did.
    if (StatusPosition) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        affiche_position(rect().contains(p) && !childAt(p) ? p.x() : -1, p.y());
    }
    if (apres_premiere_peinture) {
        auto f = std::move(apres_premiere_peinture);
        apres_premiere_peinture = nullptr;
        f();
    }
}

void TFPosConc::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Redimensionne();
}

namespace {
// A control named after its member (the tests find it by that name).
template <class W>
W* nomme(W* w, const char* nom)
{
    w->setObjectName(QString::fromLatin1(nom));
    return w;
}
}  // namespace

void TFPosConc::cree_panneaux()
{
    Memo1 = nomme(new QLabel(this), "Memo1");
    Memo1->setGeometry(30, 40, 220, 173);
    Memo1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Memo1->setFont(police_hauteur(QStringLiteral("Times New Roman"), 15));
    Memo1->setStyleSheet(feuille_style(clNavy, clAqua));
    Memo1->hide();

    PanelPhoto = nomme(new QFrame(this), "PanelPhoto");
    PanelPhoto->setGeometry(252, 42, 405, 371);
    PanelPhoto->setFrameShape(QFrame::Panel);
    PanelPhoto->setFrameShadow(QFrame::Raised);
    PanelPhoto->setAutoFillBackground(true);
    LegendePhoto = nomme(new QLabel(PanelPhoto), "LegendePhoto");
    LegendePhoto->setGeometry(2, 2, 402, 284);
    LegendePhoto->setAlignment(Qt::AlignCenter);
    ImagePhoto = nomme(new QLabel(PanelPhoto), "ImagePhoto");
    ImagePhoto->setGeometry(2, 2, 402, 284);
    QFont gras = police_hauteur(QStringLiteral("Times New Roman"), 12);
    gras.setBold(true);
    MemoPhoto1 = nomme(new QLabel(PanelPhoto), "MemoPhoto1");
    MemoPhoto1->setGeometry(6, 290, 193, 75);
    MemoPhoto2 = nomme(new QLabel(PanelPhoto), "MemoPhoto2");
    MemoPhoto2->setGeometry(206, 290, 193, 75);
    for (QLabel* l : {MemoPhoto1, MemoPhoto2}) {
        l->setFont(gras);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    PanelPhoto->hide();

    PanelClass = nomme(new QFrame(this), "PanelClass");
    PanelClass->setGeometry(0, 4, 797, 519);
    PanelClass->setAutoFillBackground(true);
    QFont titre = police_hauteur(QStringLiteral("Times New Roman"), 15);
    titre.setBold(true);
    StaticText1 = nomme(new QLabel(PanelClass), "StaticText1");
    StaticText1->setGeometry(8, 8, 600, 22);
    StaticText1->setFont(titre);
    StaticText1->setStyleSheet(QStringLiteral("color: %1;").arg(couleur(TEAL).name()));
    MemoClass = nomme(new QPlainTextEdit(PanelClass), "MemoClass");
    MemoClass->setGeometry(0, 37, 798, 430);
    MemoClass->setReadOnly(true);
    MemoClass->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoClass->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixe(QStringLiteral("DejaVu Sans Mono"));
    fixe.setStyleHint(QFont::TypeWriter);
    fixe.setPixelSize(13);
    MemoClass->setFont(fixe);
    MemoClass->setStyleSheet(feuille_style(clNavy, clAqua));
    for (const QString& l : entete_classement())
        MemoClass->appendPlainText(l);
    BitBtn1 = nomme(new QPushButton(QStringLiteral("OK"), PanelClass), "BitBtn1");
    BitBtn1->setGeometry(345, 476, 111, 32);
    BitBtn1->setFont(titre);
    BitBtn1->setStyleSheet(QStringLiteral("color: %1;").arg(couleur(TEAL).name()));
    QObject::connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    PanelClass->hide();
}

void TFPosConc::cree_barre_outils()
{
    ToolBar1 = nomme(new QToolBar(this), "ToolBar1");
    ToolBar1->setOrientation(Qt::Vertical);
    ToolBar1->setIconSize(QSize(24, 21));
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { background: black; border: 1px solid #404040; spacing: 0px; }"
                                           "QToolButton { width: 28px; height: 25px; }"));
    QMenu* popup = new QMenu(this);
    popup->addAction(Texte::tr("Comment on s'en sert ?"), this, [this] { Aide2Click(); });
    popup->addAction(Texte::tr("Où installer les archives ?"), this, [this] { Oinstallerlesarchives1Click(); });
    popup->addSeparator();
    popup->addAction(Texte::tr("A propos ..."), this, [this] { Apropos1Click(); });

    for (const DefBouton& d : BOUTONS) {
        const QString nom = QString::fromLatin1(d.nom);
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(nom);
        b->setIcon(icone(d.icone, false));
        b->setToolTip(Texte::tr(d.bulle));
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        boutons[nom] = b;
    }
    boutons["ToolBRoute"]->setCheckable(true);
    boutons["ToolBAide"]->setMenu(popup);
    boutons["ToolBAide"]->setPopupMode(QToolButton::InstantPopup);
    QObject::connect(boutons["ToolBQuitte"], &QToolButton::clicked, this, [this] {
        if (cadre)
            cadre->close();
    });
    // The commands the menu disables: a greyed button still answers, once
    // the replay that greyed it has ended.
    const std::pair<const char*, void (TFPosConc::*)()> commandes[] = {
        {"ToolBDate", &TFPosConc::SelDateClick},      {"ToolBAff", &TFPosConc::Afficher1Click},
        {"ToolBClass", &TFPosConc::Classement1Click}, {"ToolBZoom", &TFPosConc::Zoomer1Click},
        {"ToolBPAn", &TFPosConc::PanoramiClick},      {"ToolBDist", &TFPosConc::Distances1Click},
        {"ToolBRoute", &TFPosConc::RtglobClick},      {"ToolBTraj", &TFPosConc::Trajets1Click},
        {"ToolBActu", &TFPosConc::Actualiser1Click}};
    for (const auto& [nom, commande] : commandes) {
        const QString n = QString::fromLatin1(nom);
        QObject::connect(boutons[n], &QToolButton::clicked, this, [this, n, c = commande] {
            if (avant_commande(n))
                (this->*c)();
            else if (n == QLatin1String("ToolBRoute"))
                boutons[n]->setChecked(route.affichee);  // its click toggled it
        });
    }
    ToolBar1->adjustSize();
    ToolBar1->resize(33, ToolBar1->sizeHint().height());
    ToolBar1->move(width() - ToolBar1->width() - 2, 2);
}

void TFPosConc::cree_menus()
{
    QMenuBar* mb = cadre->menuBar();
    // The desktop's menu font of the original (12 pixels) and narrow items,
    // so that the thirteen commands hold in the window's 804 pixels (a menu
    // bar does not wrap here; what does not fit goes behind "»").
    QFont police_menus(QStringLiteral("Arial"));
    police_menus.setPixelSize(12);
    mb->setFont(police_menus);
    mb->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 1px; }"));
    auto item = [&](QMenu* m, const char* nom, const QString& texte, std::function<void()> f) {
        QAction* a = m ? m->addAction(texte) : mb->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        QObject::connect(a, &QAction::triggered, this, std::move(f));
        actions[QString::fromLatin1(nom)] = a;
        return a;
    };
    item(nullptr, "Zoomer1", Texte::tr("&Zoomer"), [this] { Zoomer1Click(); });
    item(nullptr, "Dplacer1", Texte::tr("&Panoramique"), [this] { PanoramiClick(); });
    item(nullptr, "Afficher1", Texte::tr("&Afficher"), [this] { Afficher1Click(); });
    item(nullptr, "SelDate", Texte::tr("Da&te"), [this] { SelDateClick(); });
    item(nullptr, "Distances1", Texte::tr("&Distances"), [this] { Distances1Click(); });
    item(nullptr, "Classement1", Texte::tr("&Classement"), [this] { Classement1Click(); });
    item(nullptr, "Statistiques1", Texte::tr("Statistiq&ues"), [this] { Statistiques1Click(); });
    item(nullptr, "Trajets1", Texte::tr("&Trajets"), [this] { Trajets1Click(); });
    QMenu* menu_route = mb->addMenu(Texte::tr("&Route"));
    menu_route->menuAction()->setObjectName(QStringLiteral("Route1"));
    actions["Route1"] = menu_route->menuAction();
    QAction* rt = item(menu_route, "Rtglob", Texte::tr("&Globale théorique"), [this] { RtglobClick(); });
    rt->setCheckable(true);
    item(nullptr, "Actualiser1", Texte::tr("Actuali&ser"), [this] { Actualiser1Click(); });
    QMenu* menu_vue = mb->addMenu(Texte::tr("&Vue"));
    cree_menu_course(mb, menu_vue->menuAction());
    menu_vue->menuAction()->setObjectName(QStringLiteral("Vue1"));
    actions["Vue1"] = menu_vue->menuAction();
    item(menu_vue, "Filmcontinu1", Texte::tr("Film &continu de la course"), [this] { Filmcontinu1Click(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menu_vue->addSeparator();
    item(menu_vue, "Enregistrerimage1", Texte::tr("&Enregistrer l'image…"), [this] { image_vue.enregistre(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    // Ctrl+C stays the ranking panel's copy of its text.
    item(menu_vue, "Copierimage1", Texte::tr("Co&pier l'image"), [this] { image_vue.copie(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    item(menu_vue, "ExporterPdf1", Texte::tr("E&xporter en PDF…"), [this] { image_vue.exporte_pdf(); });
    item(menu_vue, "Imprimer1", Texte::tr("Imp&rimer…"), [this] { image_vue.imprime(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    menu_vue->addSeparator();
    cree_menu_navigation(menu_vue, item);
    menu_vue->addSeparator();
    QMenu* styles = menu_vue->addMenu(Texte::tr("St&yle de la carte"));
    styles->menuAction()->setObjectName(QStringLiteral("StyleCarte1"));
    auto* groupe_styles = new QActionGroup(styles);
    for (const bool moderne : {false, true}) {
        QAction* a = item(styles, moderne ? "StyleModerne" : "StyleClassique",
                          moderne ? Texte::tr("&Moderne") : Texte::tr("&Classique"), [this, moderne] {
                              applique_style(moderne);
                              if (!retient_style_moderne(moderne))
                                  affiche_information(
                                      Texte::tr("Le choix du style n'a pas pu être enregistré dans les réglages."));
                          });
        a->setCheckable(true);
        a->setChecked(moderne == style_moderne);
        groupe_styles->addAction(a);
    }
    menu_vue->addSeparator();
    ajoute_menu_langue(menu_vue, langue_installee(), [this](const QString& m) { affiche_information(m); });
    QMenu* aide = mb->addMenu(Texte::tr("A&ide"));
    actions["Aide1"] = aide->menuAction();
    item(aide, "Commentonsensert1", Texte::tr("&Comment on s'en sert ?"), [this] { Aide2Click(); });
    item(aide, "Oinstallerlesarchives2", Texte::tr("Où installer les archives ?"),
         [this] { Oinstallerlesarchives1Click(); });
    item(aide, "Raccourcis1", Texte::tr("&Raccourcis clavier"), [this] { RaccourcisClick(); });
    aide->addSeparator();
    item(aide, "Apropos1", Texte::tr("&A propos"), [this] { Apropos1Click(); });
    QMenu* barre = mb->addMenu(Texte::tr("&Barre d'outils"));
    actions["Barredoutils1"] = barre->menuAction();
    QAction* montrer = item(barre, "AfficherBarOut", Texte::tr("A&fficher "), [] {});
    montrer->setCheckable(true);
    montrer->setChecked(true);
    QObject::connect(montrer, &QAction::toggled, this, [this](bool v) { AfficherBarOutClick(v); });
    item(nullptr, "Quitter1", Texte::tr("&Quitter"), [this] { cadre->close(); });

    StatusBar1 = nomme(new LibelleElide(cadre), "StatusBar1");
    StatusBar1->setAlignment(Qt::AlignCenter);
    QFont f = police_hauteur(QStringLiteral("Times New Roman"), 14);
    f.setBold(true);
    StatusBar1->setFont(f);
    cadre->statusBar()->addWidget(StatusBar1, 1);
    // The position under the pointer, as a sailor reads it.
    StatusPosition = nomme(new QLabel(cadre), "StatusPosition");
    StatusPosition->setAlignment(Qt::AlignCenter);
    StatusPosition->setMinimumWidth(190);
    StatusPosition->setFont(f);
    cadre->statusBar()->addPermanentWidget(StatusPosition);
}

void TFPosConc::applique_style(bool moderne)
{
    pose_style(moderne);
    film.pose_fond(couleur_fond);
    invalider();
    // Land that cannot be read is said once, where the user chose it.
    if (moderne && !etat.cartes.rep_cartes.isEmpty() && !etat.cartes.terres->terres(etat.cartes.rep_cartes))
        avertit(etat.cartes.terres->erreur());
}

void TFPosConc::pose_style(bool moderne)
{
    style_moderne = moderne;
    couleur_fond = moderne ? MER_MODERNE : reglages.fond;
    couleurs_conc = couleurs_conc_pour(couleur_fond, etat.course.nb());
    for (const char* nom : {"StyleClassique", "StyleModerne"})
        if (auto a = actions.find(QString::fromLatin1(nom)); a != actions.end())
            a->second->setChecked((a->first == QLatin1String("StyleModerne")) == moderne);
}

}  // namespace orv
