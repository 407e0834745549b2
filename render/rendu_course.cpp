#include "rendu_course.h"

#include "palette.h"
#include "rendu_film.h"

#include "etat_avx.h"
#include "fichier_lieux.h"
#include "geometrie.h"
#include "reglages.h"
#include "trace_geometrie.h"
#include "traduction.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace orv {

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

StylePlume style_trajet(int i)
{
    switch (i % 5) {
    case 1: return StylePlume::Tiret;
    case 2: return StylePlume::Point;
    case 3: return StylePlume::TiretPoint;
    case 4: return StylePlume::TiretPointPoint;
    default: return StylePlume::Plein;
    }
}

TColor couleur_trajet(TColor c, TColor fond)
{
    // On a navy background the colour is shifted and its blue byte dropped,
    // on the packed value.
    return fond == clNavy ? (c + 64) & 0xFFFF : c;
}

void trace_marque(Carte& c, const TPos_elem& e)
{
    // A name whose third character is "V": small and grey; others red,
    // larger, italic and underlined. The fonts are made once.
    static const QFont petite = police_gdi(QStringLiteral("Arial"), 7);
    static const QFont grande = police_gdi(QStringLiteral("Arial"), 8);
    static const QFont grande_soulignee = [] {
        QFont f = grande;
        f.setItalic(true);
        f.setUnderline(true);
        return f;
    }();
    if (e.nom.size() >= 3 && e.nom[2] == u'V') {
        c.canevas.police = petite;
        c.canevas.couleur_police = clGray;
        c.TPos_elem_plot(e);
    } else {
        c.canevas.police = grande_soulignee;
        c.canevas.couleur_police = clRed;
        c.TPos_elem_plot(e);
        c.canevas.police = grande;
    }
}

void trace_marques(Carte& c, const Lieux& l)
{
    for (const TLieu& e : l.liste_mp)
        trace_marque(c, e.elem);
}

void trace_lieux(Carte& c, const Lieux& l)
{
    Canevas& k = c.canevas;
    for (const TLieu& e : l.liste_lieux) {
        k.police = police_gdi(QStringLiteral("Arial"), 7);
        k.couleur_police = clGray;
        if (e.a_droite) {
            k.police.setItalic(true);
            k.police.setUnderline(true);
            c.TPos_elem_plot(e.elem);
            k.police.setItalic(false);
            k.police.setUnderline(false);
        } else {
            const int x = c.pos_grX(ddmm_vers_rad(e.elem.longitude));
            const int y = c.pos_grY(ddmm_vers_rad(e.elem.latitude));
            const int w = k.largeur_texte(e.elem.nom);
            const int h = k.hauteur_texte(e.elem.nom);
            k.texte(x - w / 2, y - h / 2, e.elem.nom);
        }
    }
}

std::vector<TLieu> construit_route(const ListeLieux& points)
{
    std::vector<TLieu> route;
    if (points.size() < 2)
        return route;
    Orthodromie o;
    EtatLoxodromie lox;
    auto noeud = [](const QString& nom, ext lat_rad, ext lon_rad) {
        TLieu n;
        lieu_de_valeurs(n, nom, true, lat_rad, lon_rad);
        return n;
    };
    for (size_t k = 0; k + 1 < points.size(); ++k) {
        const TPos_elem& a = points[k].elem;
        const TPos_elem& b = points[k + 1].elem;
        const ext dG = ecart_court(ddmm_vers_rad(a.longitude), ddmm_vers_rad(b.longitude));
        calcul_orthodromie(o, lox, a.latitude, a.longitude, b.latitude, b.longitude, std::fabs(degres(dG) * 0.0625L));
        route.push_back(noeud(a.nom, ddmm_vers_rad(a.latitude), ddmm_vers_rad(a.longitude)));
        for (int32_t i = 0; i < o.nb_pts_orth; ++i)
            route.push_back(noeud(QString(), o.pts_orth[size_t(i)].latitude, o.pts_orth[size_t(i)].longitude));
    }
    const TPos_elem& fin = points.back().elem;
    route.push_back(noeud(fin.nom, ddmm_vers_rad(fin.latitude), ddmm_vers_rad(fin.longitude)));
    return route;
}

std::optional<std::vector<TLieu>> lit_route_theorique(const Course& c, Lieux& l, const QString& rep, QString& erreur,
                                                      QString& avis)
{
    l.liste_route.clear();
    QString err;
    if (!charge_route(l, rep, err, c.fichier_route)) {
        erreur = err;
        return std::nullopt;
    }
    if (l.liste_route.size() < 2) {
        erreur = Texte::tr("« %1 » : moins de deux points de route, pas de route théorique à tracer.").arg(c.fichier_route);
        return std::nullopt;
    }
    avis = err;
    return construit_route(l.liste_route);
}

namespace {
void trace_point_radians(Carte& c, const TLieu& n)
{
    const TPos_elem e = cree_pos_elem(n.elem.nom, rad_vers_ddmm(n.elem.latitude), rad_vers_ddmm(n.elem.longitude));
    // A point between waypoints has no name: its yellow dot alone, the
    // label style would change nothing that shows.
    if (e.nom.isEmpty())
        c.TPos_elem_plot(e);
    else
        trace_marque(c, e);
}
}  // namespace

void Trace_route_theo(Carte& c, const std::vector<TLieu>& route)
{
    if (route.size() < 2)
        return;
    Canevas& k = c.canevas;
    k.couleur_plume = clGray;
    const StylePlume style = k.style_plume;
    k.style_plume = StylePlume::Point;
    k.police = police_gdi(k.police.family(), 8);
    // Segments whose ends lie more than twice the client away are skipped,
    // and so is the one whose ends the X conversion puts a turn apart.
    const int64_t xl = 2 * int64_t(c.larg_client), yl = 2 * int64_t(c.haut_client);
    for (size_t i = 0; i + 1 < route.size(); ++i) {
        const TPos_elem& n = route[i].elem;
        const TPos_elem& s = route[i + 1].elem;
        trace_point_radians(c, route[i]);
        const int32_t x1 = c.pos_grX(n.longitude), y1 = c.pos_grY(n.latitude);
        const int32_t x2 = c.pos_grX(s.longitude), y2 = c.pos_grY(s.latitude);
        if (std::abs(int64_t(x1)) <= xl && std::abs(int64_t(x2)) <= xl && std::abs(int64_t(y1)) <= yl &&
            std::abs(int64_t(y2)) <= yl && correlation_dx_dG(c.vue, rad_vers_ddmm(n.longitude), rad_vers_ddmm(s.longitude))) {
            k.couleur_plume = clGray;
            c.line(x1, y1, x2, y2);
        }
    }
    k.style_plume = style;
    k.police = police_gdi(k.police.family(), 7);
}

QPoint trait_vitesse(Carte& c, int x, int y, ext vitesse, ext cap, bool clair)
{
    // 4 pixels per knot along the course (0 up, 90 to the right), in the
    // colour of the speed band.
    c.canevas.couleur_plume = couleur_vitesse(vitesse, clair);
    const ext a = radians(450 - cap);
    const int dx = nint32(std::fabs(vitesse) * 4 * std::cos(a));
    const int dy = nint32(std::fabs(vitesse) * 4 * std::sin(a));
    c.line(x, y, x + dx, y - dy);
    return {x + dx, y - dy};
}

void trace_concurrent(Carte& c, const TDonnees_conc& r, bool clair)
{
    // No position: an unranked entrant at 0° 0°, a technical stop.
    if (!dessine_au_jour(r))
        return;
    c.canevas.couleur_police = clair ? clBlack : clWhite;
    c.canevas.couleur_plume = clYellow;
    c.TPos_elem_plot(r.elem);
    trait_vitesse(c, c.pos_grX(ddmm_vers_rad(r.elem.longitude)), c.pos_grY(ddmm_vers_rad(r.elem.latitude)), r.vitesse,
                  r.cap, clair);
}

TraceurTrajets::TraceurTrajets(const AnnotationsTrajets& a, const std::vector<TColor>& couleurs, TColor fond)
    : releve_prec(couleurs.size(), cree_pos_elem(QString(), 180, 0)), a_(a), couleurs_(couleurs), fond_(fond)
{
}

void TraceurTrajets::Plot_traj_conc(Carte& c, const TDonnees_conc& r, int i, bool premier)
{
    // No position (an unranked entrant at 0° 0°, a retired boat's record
    // that carries the harbour's placeholder): nothing drawn, and the track
    // ends where the boat was.
    if (!releve_reel(r))
        return;
    Canevas& k = c.canevas;
    const bool clair = fond_clair(fond_);
    QString nom = r.skipper;
    if (a_.classement)
        nom += u' ' + QString::number(r.rang);
    k.couleur_police = clair ? clBlack : clWhite;
    k.couleur_plume = clYellow;
    c.TPos_elem_plot(cree_pos_elem(nom, r.elem.latitude, r.elem.longitude));
    const int x = c.pos_grX(ddmm_vers_rad(r.elem.longitude));
    const int y = c.pos_grY(ddmm_vers_rad(r.elem.latitude));

    // A segment from the previous fix drawn, unless this is the period's
    // first (or nothing was drawn before it).
    if (!premier && releve_prec[size_t(i)].latitude != 180) {
        const TPos_elem& p = releve_prec[size_t(i)];
        const int xp = c.pos_grX(ddmm_vers_rad(p.longitude));
        const int yp = c.pos_grY(ddmm_vers_rad(p.latitude));
        k.couleur_plume = couleur_trajet(couleurs_[size_t(i)], fond_);
        k.style_plume = style_trajet(i);
        // Drawn when the screen agrees with the geography: a segment whose
        // ends the X conversion puts a turn apart is not.
        const ext lon = ddmm_vers_rad(r.elem.longitude), lon_p = ddmm_vers_rad(p.longitude);
        const bool est = a_lEst(lon, lon_p);
        if ((est && x >= xp) || (!est && x < xp) || x == xp) {
            c.line(xp, yp, x, y);
            if (a_.distances_parcourues)
                Affiche_dist_ortho(c, p.latitude, p.longitude, r.elem.latitude, r.elem.longitude);
        }
    }
    releve_prec[size_t(i)] = cree_pos_elem(QString(), r.elem.latitude, r.elem.longitude);

    k.couleur_police = clair ? 0x008000 : 0x00FF00;
    if (a_.dates)
        k.texte(x + 3, y - k.hauteur_texte(QStringLiteral("A")) - 4, r.date_txt);
    if (a_.vitesses) {
        k.style_plume = StylePlume::Plein;
        trait_vitesse(c, x, y, r.vitesse, r.cap, clair);
    }
}

void CoucheJour::dessine(Carte& c) const
{
    c.canevas.couleur_plume = clYellow;
    for (size_t i = 1; i < j_.donnees_conc.size(); ++i)
        trace_concurrent(c, j_.donnees_conc[i], fond_clair(fond_));
}

void trace_coque(Canevas& k, QPoint q, double cap, TColor couleur, bool plein)
{
    const double s = std::sin(cap * M_PI / 180), co = std::cos(cap * M_PI / 180);
    auto coin = [&](double avant, double cote) {
        return QPoint(q.x() + int(std::lround(avant * s + cote * co)), q.y() + int(std::lround(-avant * co + cote * s)));
    };
    const QPoint coque[3] = {coin(7, 0), coin(-4, 3.5), coin(-4, -3.5)};
    k.triangle(coque, couleur, plein);
}

void CoucheJourModerne::dessine(Carte& c) const
{
    Canevas& k = c.canevas;
    const bool clair = fond_clair(fond_);
    const QRect client(0, 0, c.larg_client, c.haut_client);
    k.police = police_gdi(QStringLiteral("Arial"), 8);
    k.couleur_police = clair ? clBlack : clWhite;
    k.style_plume = StylePlume::Plein;
    std::vector<NomAPlacer> noms;
    for (size_t i = 1; i < j_.donnees_conc.size(); ++i) {
        const TDonnees_conc& r = j_.donnees_conc[i];
        if (!dessine_au_jour(r))
            continue;
        const QPoint q(c.pos_grX(ddmm_vers_rad(r.elem.longitude)), c.pos_grY(ddmm_vers_rad(r.elem.latitude)));
        if (!client.contains(q))
            continue;
        const QPoint bout = trait_vitesse(c, q.x(), q.y(), r.vitesse, r.cap, clair);
        const int e = course_.indice(r.elem.nom);
        trace_coque(k, q, double(r.cap), e <= course_.nb() ? couleur_entrant(e) : clBlack, true);
        noms.push_back({int(i), q, bout, {}, QSize(k.largeur_texte(r.elem.nom), k.hauteur_texte(r.elem.nom))});
    }
    const std::vector<QRect> places = place_noms(noms, client, 0);
    for (size_t j = 0; j < noms.size(); ++j)
        if (!places[j].isNull())
            k.texte(places[j].left(), places[j].top(), j_.donnees_conc[size_t(noms[j].i)].elem.nom);
}

void CoucheTrajets::dessine(Carte& c) const
{
    if (s_.dernier(a_.nb_concurrents()) == 0)
        return;
    TraceurTrajets t(an_, couleurs_, fond_);
    Etapes etapes(a_, s_);
    c.canevas.style_plume = StylePlume::Plein;
    while (etapes.reste()) {
        const auto fixes = etapes.pas();
        for (size_t i = 1; i < fixes.size(); ++i)
            if (const TDonnees_conc* f = fixes[i])
                t.Plot_traj_conc(c, *f, i, etapes.premier(i, f));
    }
}

void CouchePas::dessine(Carte& c) const
{
    TraceurTrajets t(an_, couleurs_, fond_);
    t.releve_prec = p_.precedents;
    c.canevas.style_plume = StylePlume::Plein;
    for (int i = 1; i < int(p_.releves.size()); ++i)
        if (const TDonnees_conc* f = p_.releves[size_t(i)])
            t.Plot_traj_conc(c, *f, i, p_.premiers[size_t(i)]);
}

std::optional<std::pair<TPos_elem, TPos_elem>> PasDeRejeu::deux_choisis() const
{
    std::array<const TDonnees_conc*, 2> ab{};
    int n = 0;
    for (int i = 1; i < int(releves.size()); ++i)
        if (choisis.test(size_t(i))) {
            if (n < 2)
                ab[size_t(n)] = releves[size_t(i)];
            ++n;
        }
    if (n != 2 || !ab[0] || !ab[1])
        return std::nullopt;
    return std::pair{ab[0]->elem, ab[1]->elem};
}

namespace {
// A list's fingerprint: names, positions and label sides.
void empreinte(CleCouche& k, const ListeLieux& l)
{
    k << quint64(l.size());
    for (const TLieu& e : l)
        k << quint64(qHash(e.elem.nom)) << e.elem.latitude << e.elem.longitude << quint64(e.a_droite);
}
}  // namespace

void CoucheCarte::dessine(Carte& c) const
{
    c.canevas.halo = -1;
    c.peint(cartes_, style_, c.larg_client, c.haut_client);
}

CleCouche CoucheCarte::cle() const
{
    CleCouche k;
    k << cartes_ << quint64(style_.fond) << quint64(style_.coul_points);
    if (cartes_)
        k << quint64(cartes_->cartes_chargees) << quint64(cartes_->liste.size()) << quint64(qHash(cartes_->rep_cartes));
    return k;
}

void CoucheCarteModerne::dessine(Carte& c) const
{
    c.couleur_fond = style_.fond;
    c.canevas.mode_xor = false;
    c.vue.elargit_si_vide();
    c.canevas.dimensionne(c.larg_client, c.haut_client);
    c.vue.ajuste(c.larg_client, c.haut_client);
    const Terres* t = cartes_ && !cartes_->rep_cartes.isEmpty() ? cartes_->terres->terres(cartes_->rep_cartes) : nullptr;
    if (QPainter* page = c.canevas.vecteur()) {
        c.canevas.vide_pixels();
        trace_carte_moderne(*page, c.canevas.ratio(), c.vue.ajustement(), c.larg_client, c.haut_client, t);
    } else {
        trace_carte_moderne(c.canevas.image(), c.vue.ajustement(), c.larg_client, c.haut_client, t);
    }
    // Land that could not be read is said on the chart itself: a sea
    // without land must not pass for the world.
    if (!t && cartes_ && !cartes_->rep_cartes.isEmpty()) {
        QPainter p;
        QPainter* q = c.canevas.vecteur();
        if (!q) {
            p.begin(&c.canevas.image());
            q = &p;
        }
        q->setPen(QColor(0x80, 0, 0));
        q->drawText(QRectF(8, 16, c.larg_client - 16, 40), Qt::TextWordWrap, cartes_->terres->erreur());
        if (p.isActive())
            p.end();
        libere_etat_avx();
    }
    // What the layers above start from, as after the classic chart.
    c.canevas.couleur_pinceau = style_.fond;
    c.canevas.couleur_plume = COUL_GRATICULE;
    c.canevas.style_plume = StylePlume::Point;
    c.canevas.police = police_gdi(QStringLiteral("Arial"), 7);
    c.canevas.couleur_police = COUL_GRATICULE;
    // Every text above it haloed in the sea's colour.
    c.canevas.halo = style_.fond;
}

CleCouche CoucheCarteModerne::cle() const
{
    CleCouche k;
    k << cartes_ << quint64(style_.fond) << quint64(1);
    if (cartes_)
        k << cartes_->terres.get() << quint64(qHash(cartes_->rep_cartes));
    return k;
}

void CoucheAccueil::dessine(Carte& c) const
{
    c.canevas.halo = -1;
    c.canevas.remplit(fond_);
    if (!image_.isNull()) {
        QPainter p(&c.canevas.image());
        p.drawImage(0, 0, image_);
    }
    libere_etat_avx();
}

CleCouche CoucheAccueil::cle() const
{
    CleCouche k;
    k << quint64(image_.cacheKey()) << quint64(fond_);
    return k;
}

void CoucheLieux::dessine(Carte& c) const
{
    trace_marques(c, l_);
    trace_lieux(c, l_);
}

CleCouche CoucheLieux::cle() const
{
    CleCouche k;
    empreinte(k, l_.liste_mp);
    empreinte(k, l_.liste_lieux);
    return k;
}

CleCouche CoucheRoute::cle() const
{
    CleCouche k;
    empreinte(k, route_);
    return k;
}

void ajoute_fond_course(Scene& s, const Cartes* cartes, const StyleCarte& style, const Lieux* lieux,
                        const std::vector<TLieu>* route)
{
    s.style = style;
    if (style.moderne)
        s.ajoute<CoucheCarteModerne>(cartes, style);
    else
        s.ajoute<CoucheCarte>(cartes, style);
    if (lieux)
        s.ajoute<CoucheLieux>(*lieux);
    if (route)
        s.ajoute<CoucheRoute>(*route);
}

void CoucheMesure::dessine(Carte& c) const
{
    Orthodromie o;
    EtatLoxodromie lox;
    calcule_mesure(o, lox, a_, b_);
    trace_mesure(c, o, a_, b_);
}

}  // namespace orv
