#include "posconc.h"

#include "calend.h"
#include "calendrier.h"
#include "classement.h"
#include "dialogues.h"
#include "icones.h"
#include "texte.h"

#include <QAction>
#include <QDir>
#include <QFile>
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
    {"ToolBZoom", "Zoom avant : tracer un rectangle . Zoom arrière : click droit", Icone::Zoom},
    {"ToolBPAn", "Panoramique : déplacer la carte", Icone::Panoramique},
    {"ToolBAff", "Affiche les détails sur une position", Icone::Details},
    {"ToolBDate", "Sélectionner une date", Icone::Date},
    {"ToolBDist", "Mesurer des distances (orthodromiques)", Icone::Distance},
    {"ToolBClass", "Affiche le classement du jour", Icone::Classement},
    {"ToolBTraj", "Retrace les parcours (fonction Trajets)", Icone::Trajets},
    {"ToolBRoute", "Affiche la route théorique générale", Icone::Route},
    {"ToolBActu", "Actualise les données du jour (connexion à Internet)", Icone::Actualiser},
    {"ToolBAide", "Aide ", Icone::Aide},
    {"ToolBQuitte", "Quitter", Icone::Quitter},
};

// Menu items disabled by Inhibmenu, with their tool buttons.
const std::pair<const char*, const char*> COMMANDES[] = {
    {"Zoomer1", "ToolBZoom"},     {"Dplacer1", "ToolBPAn"},  {"Afficher1", "ToolBAff"},
    {"Classement1", "ToolBClass"}, {"Distances1", "ToolBDist"}, {"Actualiser1", "ToolBActu"},
    {"Trajets1", "ToolBTraj"},    {"Route1", "ToolBRoute"},  {"SelDate", "ToolBDate"},
};

QColor couleur(TColor c) { return QColor(vers_qrgb(c)); }

QString feuille_style(TColor fond, TColor texte)
{
    return QStringLiteral("background-color: %1; color: %2; border: none;")
        .arg(couleur(fond).name(), couleur(texte).name());
}
}  // namespace

TColor couleur_vitesse(ext s, bool clair)
{
    if (s < 6)
        return clair ? 0x008000 : 0x00FF00;
    if (s < 8)
        return clair ? 0x00DCDC : 0x00FFFF;
    if (s < 10)
        return 0x0000FF;
    if (s < 15)
        return clair ? 0xC0C0C0 : 0xFFFFFF;
    return 0xFCB4D8;
}

TFPosConc::TFPosConc(QMainWindow* c, const QString& rep_prog, const QString& rep_cour)
    : TMercator(c, true), rep_programme(rep_prog), rep_courant(rep_cour), cadre(c)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    affiche_information = [this](const QString& m) {
        QMessageBox::information(this, QStringLiteral("Information"), m);
    };
    ouvre_aide = [this] {
        FenetreAide aide(rep_programme, this);
        aide.exec();
    };
    montre_calendrier = [this] { return calendrier && calendrier->exec() == QDialog::Accepted; };
    cree_panneaux();
    cree_barre_outils();
    if (cadre)
        cree_menus();
}

QString TFPosConc::fichier_relatif(const QString& nom) const
{
    const QString ici = QDir(rep_courant).filePath(nom);
    if (QFileInfo::exists(ici))
        return ici;
    return QDir(rep_programme).filePath(nom);
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
    TMercator::FormCreate();

    const QString image = fichier_relatif(QStringLiteral("Zelto1.bmp"));
    if (!image_fond.load(image))
        avertissement(QStringLiteral("Image d'accueil « Zelto1.bmp » introuvable ou illisible."));

    Viewport& v = viewport();
    v.lat_sud = 55.0L;
    v.long_ouest = 80.0L;
    v.lat_nord = 0;
    v.long_est = 0;

    reglages = lit_reglages(QDir(rep_courant).filePath(QStringLiteral("posorvls.ini")));
    if (!QFileInfo::exists(QDir(rep_courant).filePath(QStringLiteral("posorvls.ini"))))
        reglages = lit_reglages(QDir(rep_programme).filePath(QStringLiteral("posorvls.ini")));
    code_excel = reglages.code_excel;
    couleur_fond = reglages.fond;
    coul_points = reglages.coul_points;
    nb_cadrage = reglages.nb_cadrage;

    curseur_grab = charge_curseur(QStringLiteral("HandGrab.cur"), QCursor(Qt::OpenHandCursor));
    curseur_zoom = charge_curseur(QStringLiteral("ZoomP.cur"), QCursor(Qt::CrossCursor));

    mode_outil = OUTIL_ACCUEIL;
    couleurs_conc = couleurs_conc_pour(couleur_fond);
    Memo1->hide();

    // Each list's problem is reported on its own, once, at load.
    for (auto charge : {&charge_marques, &charge_lieux}) {
        QString err;
        charge(lieux(), rep_programme, err);
        if (!err.isEmpty())
            information(err);
    }

    Inhibmenu();
    trajets_actifs = false;
    defilement_en_cours = false;
    marge_lat = marge_long = 0.5L;
    lieux().liste_route.clear();
    Aff_Message(QStringLiteral("Cliquer sur l'image"));
    if (cadre) {
        cadre->setWindowTitle(TITRE_INITIAL);
        cadre->show();
    }
}

void TFPosConc::FormPaint()
{
    if (fond_initial) {
        larg_client = width();
        haut_client = height();
        canevas.dimensionne(larg_client, haut_client);
        canevas.remplit(couleur_fond);
        if (!image_fond.isNull()) {
            QPainter p(&canevas.image());
            p.drawImage(0, 0, image_fond);
        }
        fond_initial = false;
        return;
    }
    TMercator::FormPaint();
    Viewport& v = viewport();
    const bool franchit = v.franchit_180;
    trace_marques();
    trace_lieux();
    // The theoretical route and the trajectory replay join here.
    v.franchit_180 = franchit;
    if (defilement_en_cours)
        return;
    canevas.style_plume = StylePlume::Plein;
    if (trajets_constitues && trajets_actifs)
        return;
    canevas.couleur_plume = clYellow;
    for (int i = 1; i <= NB_CONCURRENTS; ++i)
        trace_concurrent(i);
}

void TFPosConc::trace_marques()
{
    for (const TLieu& e : lieux().liste_mp) {
        const QString& n = e.elem.nom;
        if (n.size() >= 3 && n[2] == u'V') {
            canevas.police = police_gdi(QStringLiteral("Arial"), 7);
            canevas.couleur_police = clGray;
            TPos_elem_plot(e.elem);
        } else {
            canevas.police = police_gdi(QStringLiteral("Arial"), 8);
            canevas.couleur_police = clRed;
            canevas.police.setItalic(true);
            canevas.police.setUnderline(true);
            TPos_elem_plot(e.elem);
            canevas.police.setItalic(false);
            canevas.police.setUnderline(false);
        }
    }
}

void TFPosConc::trace_lieux()
{
    for (const TLieu& e : lieux().liste_lieux) {
        canevas.police = police_gdi(QStringLiteral("Arial"), 7);
        canevas.couleur_police = clGray;
        if (e.a_droite) {
            canevas.police.setItalic(true);
            canevas.police.setUnderline(true);
            TPos_elem_plot(e.elem);
            canevas.police.setItalic(false);
            canevas.police.setUnderline(false);
        } else {
            const int x = pos_grX(ddmm_vers_rad(e.elem.longitude));
            const int y = pos_grY(ddmm_vers_rad(e.elem.latitude));
            const int w = canevas.largeur_texte(e.elem.nom);
            const int h = canevas.hauteur_texte(e.elem.nom);
            canevas.texte(x - w / 2, y - h / 2, e.elem.nom);
        }
    }
}

void TFPosConc::trace_concurrent(int i)
{
    const TDonnees_conc& r = jour_course().donnees_conc[size_t(i)];
    if (r.non_classe && r.elem.latitude == 0 && r.elem.longitude == 0)
        return;
    const bool clair = fond_clair(couleur_fond);
    canevas.couleur_police = clair ? clBlack : clWhite;
    canevas.couleur_plume = clYellow;
    TPos_elem_plot(r.elem);
    const int x = pos_grX(ddmm_vers_rad(r.elem.longitude));
    const int y = pos_grY(ddmm_vers_rad(r.elem.latitude));
    const ext s = r.vitesse;
    canevas.couleur_plume = couleur_vitesse(s, clair);
    const ext a = radians(450 - r.cap);
    const int dx = nint32(std::fabs(s) * 4 * std::cos(a));
    const int dy = nint32(std::fabs(s) * 4 * std::sin(a));
    line(x, y, x + dx, y - dy);
}

int TFPosConc::Select_Conc(int X, int Y)
{
    conc_touche = false;
    const int t = larg_client / 80;
    for (int i = 1; i <= NB_CONCURRENTS; ++i) {
        const TDonnees_conc& r = jour_course().donnees_conc[size_t(i)];
        const int px = pos_grX(ddmm_vers_rad(r.elem.longitude));
        const int py = pos_grY(ddmm_vers_rad(r.elem.latitude));
        if (X - t < px && px < X + t && Y - t < py && py < Y + t) {
            conc_touche = true;
            return i;
        }
    }
    return -1;
}

bool TFPosConc::Select_mp(int X, int Y)
{
    conc_touche = false;
    const int t = larg_client / 80;
    for (const TLieu& e : lieux().liste_mp) {
        const int px = pos_grX(ddmm_vers_rad(e.elem.longitude));
        const int py = pos_grY(ddmm_vers_rad(e.elem.latitude));
        if (X - t < px && px < X + t && Y - t < py && py < Y + t) {
            mp_courante = &e;
            conc_touche = true;
            return true;
        }
    }
    return false;
}

void TFPosConc::Afficher1Click()
{
    mode_outil = OUTIL_DETAILS;
    setCursor(Qt::PointingHandCursor);
    Aff_Message(QStringLiteral("Cliquer sur la 1 ère lettre du nom pour obtenir les détails"));
}

QStringList TFPosConc::lignes_details(int i) const
{
    const TDonnees_conc& r = jour_course().donnees_conc[size_t(i)];
    auto nombre = [](ext v, int largeur, int decimales) {
        return QString::asprintf("%*.*f", largeur, decimales, static_cast<double>(v));
    };
    return {QString::number(i),
            QString(),
            r.bateau,
            r.skipper,
            QStringLiteral("Cap = ") + nombre(r.cap, 3, 0) + QStringLiteral("°"),
            (i == 1 ? QStringLiteral("Distance de l'arrivée = ") : QStringLiteral("Distance du leader = ")) +
                nombre(r.distance, 4, 0) + QStringLiteral(" milles"),
            QStringLiteral("Vitesse = ") + nombre(r.vitesse, 5, 1) + QStringLiteral(" noeuds"),
            r.date_txt};
}

void TFPosConc::details_appui(int X, int Y, bool ctrl)
{
    const int i = Select_Conc(X, Y);
    if (i < 0)
        return;
    Memo1->setText(lignes_details(i).join(u'\n'));
    Memo1->show();
    Memo1->raise();
    if (ctrl)
        PhotoConc(i);
}

void TFPosConc::details_relache()
{
    Memo1->hide();
    PanelPhoto->hide();
}

void TFPosConc::PhotoConc(int i)
{
    const int k = indice_conc(jour_course().donnees_conc[size_t(i)].skipper);
    PanelPhoto->show();
    PanelPhoto->raise();
    QPixmap photo;
    if (k < INDICE_INCONNU) {
        const QString chemin = fichier_relatif(noms_conc[size_t(k)] + QStringLiteral("2.bmp"));
        if (QFileInfo::exists(chemin))
            photo.load(chemin);
    }
    if (!photo.isNull()) {
        ImagePhoto->setPixmap(photo.scaled(ImagePhoto->size(), Qt::KeepAspectRatio));
        ImagePhoto->show();
        LegendePhoto->hide();
    } else {
        ImagePhoto->hide();
        LegendePhoto->setText(QStringLiteral("Photo non disponible"));
        LegendePhoto->show();
    }
    if (k < INDICE_INCONNU) {
        const CaracBateau& b = bateaux_conc[size_t(k)];
        MemoPhoto1->setText(QStringLiteral(" Type : %1\n Longueur : %2 m.\n Poids en charge : %3 t.")
                                .arg(QString::fromUtf8(b.greement), QString::fromUtf8(b.longueur),
                                     QString::fromUtf8(b.poids_charge)));
        MemoPhoto2->setText(QStringLiteral(" Voilure au près : %1 m²\n Voilure au portant : %2 m²")
                                .arg(QString::fromUtf8(b.voilure_pres), QString::fromUtf8(b.voilure_portant)));
    } else {
        MemoPhoto1->clear();
        MemoPhoto2->clear();
    }
}

void TFPosConc::Classement1Click()
{
    StaticText1->setText(etat_date().date_en_clair);
    PanelClass->show();
    PanelClass->raise();
    ajoute_lignes_classement();
}

void TFPosConc::remplit_classement()
{
    StaticText1->setText(etat_date().date_en_clair);
    MemoClass->clear();
    for (const QString& l : entete_classement())
        MemoClass->appendPlainText(l);
    ajoute_lignes_classement();
}

void TFPosConc::ajoute_lignes_classement()
{
    const JourCourse& j = jour_course();
    const QChar sep = separateur_decimal_utilisateur();
    const int nb = std::clamp(j.nb_classes, 0, NB_CONCURRENTS);
    for (int i = 1; i <= nb; ++i)
        MemoClass->appendPlainText(ligne_classement(j.donnees_conc[size_t(i)], true, i, sep));
    for (int i = nb + 1; i <= NB_CONCURRENTS; ++i)
        MemoClass->appendPlainText(ligne_classement(j.donnees_conc[size_t(i)], false, i, sep));
    // Show the table from its header lines.
    MemoClass->moveCursor(QTextCursor::Start);
    MemoClass->ensureCursorVisible();
}

void TFPosConc::BitBtn1Click()
{
    MemoClass->clear();
    for (const QString& l : entete_classement())
        MemoClass->appendPlainText(l);
    PanelClass->hide();
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

void TFPosConc::Inhibmenu()
{
    for (const auto& [menu, bouton] : COMMANDES) {
        if (auto a = actions.find(QString::fromLatin1(menu)); a != actions.end())
            a->second->setEnabled(false);
        grise(QString::fromLatin1(bouton), true);
    }
}

void TFPosConc::Validmenu()
{
    for (const auto& [menu, bouton] : COMMANDES) {
        const bool actu = QLatin1String(menu) == QLatin1String("Actualiser1");
        if (actu && code_excel == 0)
            continue;
        if (auto a = actions.find(QString::fromLatin1(menu)); a != actions.end())
            a->second->setEnabled(true);
        grise(QString::fromLatin1(bouton), false);
    }
}

void TFPosConc::Redimensionne()
{
    invalider();
    if (ToolBar1)
        ToolBar1->move(width() - ToolBar1->width() - 2, 2);
}

bool TFPosConc::Charge_donnees_coureurs()
{
    invalider();
    const EtatDate& d = etat_date();
    JourCourse& j = jour_course();
    if (!charge_donnees_coureurs(j, rep_programme, d.code_jour, d.date_en_clair))
        return false;
    cadre_sur_flotte(j, nb_cadrage, viewport());
    jour_charge = true;
    // An open ranking panel follows the day on the chart.
    if (PanelClass->isVisible())
        remplit_classement();
    repeint_immediat();
    return true;
}

void TFPosConc::SelDateClick()
{
    if (auto a = actions.find(QStringLiteral("Classement1")); a != actions.end())
        a->second->setEnabled(true);
    grise(QStringLiteral("ToolBClass"), false);
    trajets_actifs = false;

    // The day shown before the selection, with its whole date state, kept
    // for a cancel: a failed load in between changed both.
    const JourCourse avant = jour_course();
    const Viewport vue_avant = viewport();
    const EtatDate date_avant = etat_date();
    for (;;) {
        if (!montre_calendrier()) {
            // Cancelled: keep the day shown, or go back to the welcome
            // picture when no day was ever loaded.
            jour_course() = avant;
            viewport() = vue_avant;
            etat_date() = date_avant;
            if (calendrier)
                calendrier->setWindowTitle(QStringLiteral("Sélectionner une date"));
            if (!jour_charge) {
                mode_outil = OUTIL_ACCUEIL;
                fond_initial = true;
                Inhibmenu();
                Aff_Message(QStringLiteral("Cliquer sur l'image"));
                invalider();
                return;
            }
            invalider();
            break;
        }
        const bool ok = Charge_donnees_coureurs();
        if (calendrier)
            calendrier->setWindowTitle(ok ? QStringLiteral("Sélectionner une date")
                                          : QStringLiteral("Non disponible : autre date ?"));
        if (ok)
            break;
    }
    const EtatDate& d = etat_date();
    const int n = ecart_jours(9, 11, 2000, d.jour_choisi, d.mois_choisi, d.annee_choisie);
    QString titre = QStringLiteral("Orvalis 2000-2001. Positions des concurrents le ") + jour_course().date_affichee;
    if (n > 2)
        titre += QStringLiteral(" <> %1 ème jour de course").arg(n);
    if (cadre)
        cadre->setWindowTitle(titre);
    else
        setWindowTitle(titre);
    mode_outil = OUTIL_AUCUN;
    Aff_Message(MESSAGE_OPTION);
    unsetCursor();
}

void TFPosConc::ValiderEntrees()
{
    fond_initial = false;
    Validmenu();
    if (cadre)
        cadre->showMaximized();
    SelDateClick();
}

void TFPosConc::FormDBlClick()
{
    mode_outil = OUTIL_AUCUN;
    trajets_actifs = false;
    defilement_en_cours = false;
    unsetCursor();
    canevas.mode_xor = false;
    Validmenu();
    marge_lat = marge_long = 0.5L;
    invalider();
    Aff_Message(QStringLiteral("Sélectionner une option | (Double cliquer pour quitter une option)"));
}

void TFPosConc::Aide2Click()
{
    // The contents of "AIDEORVLS.HLP": our help page beside the program.
    ouvre_aide();
}

void TFPosConc::Oinstallerlesarchives1Click()
{
    affiche_information(QStringLiteral("Les archives doivent être enregistrées (téléchargées , décompressées) dans  le "
                                "répertoire suivant \r\n") +
                 rep_courant);
}

void TFPosConc::Apropos1Click()
{
    if (auto* d = qobject_cast<QDialog*>(apropos))
        d->exec();
}

void TFPosConc::fonction_a_venir()
{
    Aff_Message(QStringLiteral("Cette fonction n'est pas encore disponible dans cette version."));
}

void TFPosConc::paintEvent(QPaintEvent* e)
{
    TMercator::paintEvent(e);
    if (apres_premiere_peinture) {
        auto f = std::move(apres_premiere_peinture);
        apres_premiere_peinture = nullptr;
        f();
    }
}

void TFPosConc::entre_dans_la_course()
{
    if (mode_outil != OUTIL_ACCUEIL)
        return;
    if (attente_intro) {
        // The splash is still up: the entry waits for its end, as it would
        // behind a blocking wait.
        entree_differee = true;
        return;
    }
    entree_differee = false;
    ValiderEntrees();
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
        if (mode_outil == OUTIL_DETAILS)
            details_appui(X, Y, e->modifiers().testFlag(Qt::ControlModifier));
    }
}

void TFPosConc::mouseReleaseEvent(QMouseEvent*)
{
    if (mode_outil == OUTIL_DETAILS)
        details_relache();
}

void TFPosConc::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (mode_outil == OUTIL_ACCUEIL) {
        mousePressEvent(e);
        return;
    }
    FormDBlClick();
}

void TFPosConc::keyPressEvent(QKeyEvent* e)
{
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
    } else {
        TMercator::keyPressEvent(e);
    }
}

void TFPosConc::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Redimensionne();
}

void TFPosConc::cree_panneaux()
{
    Memo1 = new QLabel(this);
    Memo1->setGeometry(30, 40, 220, 173);
    Memo1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Memo1->setFont(police_hauteur(QStringLiteral("Times New Roman"), 15));
    Memo1->setStyleSheet(feuille_style(clNavy, clAqua));
    Memo1->hide();

    PanelPhoto = new QFrame(this);
    PanelPhoto->setGeometry(252, 42, 405, 371);
    PanelPhoto->setFrameShape(QFrame::Panel);
    PanelPhoto->setFrameShadow(QFrame::Raised);
    PanelPhoto->setAutoFillBackground(true);
    LegendePhoto = new QLabel(PanelPhoto);
    LegendePhoto->setGeometry(2, 2, 402, 284);
    LegendePhoto->setAlignment(Qt::AlignCenter);
    ImagePhoto = new QLabel(PanelPhoto);
    ImagePhoto->setGeometry(2, 2, 402, 284);
    QFont gras = police_hauteur(QStringLiteral("Times New Roman"), 12);
    gras.setBold(true);
    MemoPhoto1 = new QLabel(PanelPhoto);
    MemoPhoto1->setGeometry(6, 290, 193, 75);
    MemoPhoto2 = new QLabel(PanelPhoto);
    MemoPhoto2->setGeometry(206, 290, 193, 75);
    for (QLabel* l : {MemoPhoto1, MemoPhoto2}) {
        l->setFont(gras);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    PanelPhoto->hide();

    PanelClass = new QFrame(this);
    PanelClass->setGeometry(0, 4, 797, 519);
    PanelClass->setAutoFillBackground(true);
    QFont titre = police_hauteur(QStringLiteral("Times New Roman"), 15);
    titre.setBold(true);
    StaticText1 = new QLabel(PanelClass);
    StaticText1->setGeometry(8, 8, 600, 22);
    StaticText1->setFont(titre);
    StaticText1->setStyleSheet(QStringLiteral("color: %1;").arg(couleur(TEAL).name()));
    MemoClass = new QPlainTextEdit(PanelClass);
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
    BitBtn1 = new QPushButton(QStringLiteral("OK"), PanelClass);
    BitBtn1->setGeometry(345, 476, 111, 32);
    BitBtn1->setFont(titre);
    BitBtn1->setStyleSheet(QStringLiteral("color: %1;").arg(couleur(TEAL).name()));
    QObject::connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    PanelClass->hide();
}

void TFPosConc::cree_barre_outils()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setOrientation(Qt::Vertical);
    ToolBar1->setIconSize(QSize(24, 21));
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { background: black; border: 1px solid #404040; spacing: 0px; }"
                                           "QToolButton { width: 28px; height: 25px; }"));
    QMenu* popup = new QMenu(this);
    popup->addAction(QStringLiteral("Comment on s'en sert ?"), this, [this] { Aide2Click(); });
    popup->addAction(QStringLiteral("Où installer les archives ?"), this, [this] { Oinstallerlesarchives1Click(); });
    popup->addSeparator();
    popup->addAction(QStringLiteral("A propos ..."), this, [this] { Apropos1Click(); });

    for (const DefBouton& d : BOUTONS) {
        const QString nom = QString::fromLatin1(d.nom);
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(nom);
        b->setIcon(icone(d.icone, false));
        b->setToolTip(QString::fromUtf8(d.bulle));
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        boutons[nom] = b;
    }
    boutons["ToolBRoute"]->setCheckable(true);
    boutons["ToolBAide"]->setMenu(popup);
    boutons["ToolBAide"]->setPopupMode(QToolButton::InstantPopup);
    QObject::connect(boutons["ToolBDate"], &QToolButton::clicked, this, [this] { SelDateClick(); });
    QObject::connect(boutons["ToolBAff"], &QToolButton::clicked, this, [this] { Afficher1Click(); });
    QObject::connect(boutons["ToolBClass"], &QToolButton::clicked, this, [this] { Classement1Click(); });
    QObject::connect(boutons["ToolBQuitte"], &QToolButton::clicked, this, [this] {
        if (cadre)
            cadre->close();
    });
    for (const char* n : {"ToolBZoom", "ToolBPAn", "ToolBDist", "ToolBTraj", "ToolBRoute", "ToolBActu"})
        QObject::connect(boutons[n], &QToolButton::clicked, this, [this] { fonction_a_venir(); });
    ToolBar1->adjustSize();
    ToolBar1->resize(33, ToolBar1->sizeHint().height());
    ToolBar1->move(width() - ToolBar1->width() - 2, 2);
}

void TFPosConc::cree_menus()
{
    QMenuBar* mb = cadre->menuBar();
    auto item = [&](QMenu* m, const char* nom, const QString& texte, std::function<void()> f) {
        QAction* a = m ? m->addAction(texte) : mb->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        QObject::connect(a, &QAction::triggered, this, std::move(f));
        actions[QString::fromLatin1(nom)] = a;
        return a;
    };
    auto a_venir = [this] { fonction_a_venir(); };
    item(nullptr, "Zoomer1", QStringLiteral("&Zoomer"), a_venir);
    item(nullptr, "Dplacer1", QStringLiteral("&Panoramique"), a_venir);
    item(nullptr, "Afficher1", QStringLiteral("&Afficher"), [this] { Afficher1Click(); });
    item(nullptr, "SelDate", QStringLiteral("Da&te"), [this] { SelDateClick(); });
    item(nullptr, "Distances1", QStringLiteral("&Distances"), a_venir);
    item(nullptr, "Classement1", QStringLiteral("&Classement"), [this] { Classement1Click(); });
    item(nullptr, "Trajets1", QStringLiteral("&Trajets"), a_venir);
    QMenu* route = mb->addMenu(QStringLiteral("&Route"));
    route->menuAction()->setObjectName(QStringLiteral("Route1"));
    actions["Route1"] = route->menuAction();
    QAction* rt = item(route, "Rtglob", QStringLiteral("&Globale théorique"), a_venir);
    rt->setCheckable(true);
    item(nullptr, "Actualiser1", QStringLiteral("Actuali&ser"), a_venir);
    QMenu* aide = mb->addMenu(QStringLiteral("A&ide"));
    actions["Aide1"] = aide->menuAction();
    item(aide, "Commentonsensert1", QStringLiteral("&Comment on s'en sert ?"), [this] { Aide2Click(); });
    item(aide, "Oinstallerlesarchives2", QStringLiteral("Où installer les archives ?"),
         [this] { Oinstallerlesarchives1Click(); });
    aide->addSeparator();
    item(aide, "Apropos1", QStringLiteral("&A propos"), [this] { Apropos1Click(); });
    QMenu* barre = mb->addMenu(QStringLiteral("&Barre d'outils"));
    actions["Barredoutils1"] = barre->menuAction();
    QAction* montrer = item(barre, "AfficherBarOut", QStringLiteral("A&fficher "), [] {});
    montrer->setCheckable(true);
    montrer->setChecked(true);
    QObject::connect(montrer, &QAction::toggled, this, [this](bool v) { ToolBar1->setVisible(v); });
    item(nullptr, "Quitter1", QStringLiteral("&Quitter"), [this] { cadre->close(); });

    StatusBar1 = new QLabel(cadre);
    StatusBar1->setAlignment(Qt::AlignCenter);
    QFont f = police_hauteur(QStringLiteral("Times New Roman"), 14);
    f.setBold(true);
    StatusBar1->setFont(f);
    cadre->statusBar()->addWidget(StatusBar1, 1);
}

}  // namespace orv
