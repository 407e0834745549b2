#include "mercator.h"

#include <QDir>

#include "geometrie.h"
#include "rendu_course.h"
#include "trace_geometrie.h"
#include "traduction.h"
#include "zoom.h"

#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr TColor COUL_PANORAMIQUE = 0xBDBD3F;
}  // namespace

TMercator::TMercator(QWidget* parent, Viewport& v, Cartes& c, bool par_proprietaire)
    : QWidget(parent), vue(v), cartes(c), dessin(canevas, v), cartes_par_proprietaire(par_proprietaire)
{
    setWindowTitle(QStringLiteral("TMercator générique"));
    resize(804, 585);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canevas.police = police_hauteur(QStringLiteral("Times New Roman"), 11);
    canevas.couleur_police = clAqua;
    information = [this](const QString& m) {
        QMessageBox::information(this, Texte::tr("Information"), m);
    };
    avertissement = [this](const QString& m) {
        QMessageBox::warning(this, Texte::tr("Avertissement"), m);
    };
    if (QScreen* ecran = screen()) {
        const QRect g = ecran->availableGeometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
}

void TMercator::FormCreate()
{
    if (!cartes_par_proprietaire)
        charge_cartes();
}

void TMercator::charge_cartes()
{
    OptionsCartes opt;
    opt.rep_programme = rep_donnees.isEmpty() ? QDir::currentPath() : rep_donnees;
    opt.information = information;
    opt.avertissement = avertissement;
    orv::charge_cartes(cartes, opt);
}

void TMercator::FormPaint()
{
    Scene s;
    s.style = style();
    if (style_moderne)
        s.ajoute<CoucheCarteModerne>(&cartes, style());
    else
        s.ajoute<CoucheCarte>(&cartes, style());
    compositeur.rend(dessin, s, width(), height());
}

void TMercator::Affiche_dist_ortho(ext lat1, ext lon1, ext lat2, ext lon2)
{
    orv::Affiche_dist_ortho(dessin, lat1, lon1, lat2, lon2);
}

bool TMercator::correlation_dx_dG(ext A, ext B) const
{
    return orv::correlation_dx_dG(vue, A, B);
}

QRect TMercator::rect_bande() const
{
    if (bande.forme == BandeXor::Aucune)
        return {};
    return QRect(QPoint(std::min(zone_x1, zone_x2), std::min(zone_y1, zone_y2)),
                 QPoint(std::max(zone_x1, zone_x2), std::max(zone_y1, zone_y2)))
        .adjusted(-1, -1, 1, 1);
}

void TMercator::trace_bande()
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const TColor c = canevas.couleur_plume;
    const StylePlume s = canevas.style_plume;
    canevas.mode_xor = true;
    canevas.couleur_plume = bande.couleur;
    canevas.style_plume = bande.style;
    if (bande.forme == BandeXor::Rectangle)
        canevas.rectangle(zone_x1, zone_y1, zone_x2, zone_y2);
    else
        line(zone_x1, zone_y1, zone_x2, zone_y2);
    canevas.couleur_plume = c;
    canevas.style_plume = s;
}

void TMercator::commence_bande(BandeXor::Forme forme, TColor couleur, StylePlume style, int X, int Y)
{
    efface_bande();
    zone_x1 = zone_x2 = X;
    zone_y1 = zone_y2 = Y;
    bande = {forme, couleur, style};
    trace_bande();
    update(rect_bande());
}

void TMercator::deplace_bande(int X, int Y)
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const QRect avant = rect_bande();
    trace_bande();  // XOR again: the old band goes
    zone_x2 = X;
    zone_y2 = Y;
    trace_bande();
    update(avant.united(rect_bande()));
}

void TMercator::efface_bande()
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const QRect r = rect_bande();
    trace_bande();
    bande.forme = BandeXor::Aucune;
    update(r);
}

void TMercator::zoom_av_down(int X, int Y)
{
    canevas.style_plume = StylePlume::Tiret;
    commence_bande(BandeXor::Rectangle, clWhite, StylePlume::Tiret, X, Y);
}

void TMercator::zoom_av_move(int X, int Y) { deplace_bande(X, Y); }

void TMercator::depl_panoramique() { canevas.style_plume = StylePlume::TiretPoint; }

void TMercator::panoramic_down(int X, int Y)
{
    commence_bande(BandeXor::Trait, COUL_PANORAMIQUE, StylePlume::TiretPoint, X, Y);
}

void TMercator::panoramic_move(int X, int Y)
{
    canevas.couleur_plume = COUL_PANORAMIQUE;
    canevas.style_plume = StylePlume::TiretPoint;
    deplace_bande(X, Y);
}

bool TMercator::zoom_ok() const
{
    return orv::zoom_ok(vue, zone_x1, zone_y1, zone_x2, zone_y2);
}

bool TMercator::zoom_av_up(int X, int Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    canevas.couleur_plume = COUL_PANORAMIQUE;
    // The band goes in any case: a refused rectangle must not stay on screen.
    efface_bande();
    if (!zoom_rectangle(vue, zone_x1, zone_y1, zone_x2, zone_y2))
        return false;
    invalider();
    return true;
}

bool TMercator::zoom_arriere()
{
    if (!orv::zoom_arriere(vue, dessin.larg_client, dessin.haut_client))
        return false;
    invalider();
    return true;
}

void TMercator::panoramic_up(int X, int Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    efface_bande();
    const Decalage_panoramique d = panoramique(vue, zone_x1, zone_y1, zone_x2, zone_y2);
    pas_G = d.pas_G;
    pas_L = d.pas_L;
    invalider();
}

bool TMercator::zoom_autour(ext lat_P, ext lon_P, ext facteur)
{
    if (!orv::zoom_autour(vue, lat_P, lon_P, facteur, dessin.larg_client, dessin.haut_client))
        return false;
    invalider();
    return true;
}

void TMercator::rend_avec_bande()
{
    // At the screen's own resolution (the pointer and the chart stay in
    // logical pixels: the canvas converts).
    canevas.pose_ratio(ratio());
    FormPaint();
    trace_bande();
}

void TMercator::invalider()
{
    rend_avec_bande();
    update();
}

void TMercator::repeint_immediat()
{
    rend_avec_bande();
    repaint();
}

const QImage& TMercator::rend(int largeur, int hauteur)
{
    resize(largeur, hauteur);
    rend_avec_bande();
    return canevas.image();
}

void TMercator::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect r = e->rect();
    const double d = canevas.image().devicePixelRatio();
    p.drawImage(QRectF(r), canevas.image(), QRectF(r.x() * d, r.y() * d, r.width() * d, r.height() * d));
}

void TMercator::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    QWindow* w = window()->windowHandle();
    if (suit_l_ecran_ || !w)
        return;
    suit_l_ecran_ = true;
    auto rendre = [this] {
        if (canevas.ratio() != ratio())
            invalider();
    };
    auto suit = [this, rendre](QScreen* ecran) {
        disconnect(connexion_ecran_);
        if (ecran)
            connexion_ecran_ = connect(ecran, &QScreen::logicalDotsPerInchChanged, this, rendre);
        rendre();
    };
    connect(w, &QWindow::screenChanged, this, suit);
    suit(w->screen());
}

void TMercator::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    invalider();
}

}  // namespace orv
