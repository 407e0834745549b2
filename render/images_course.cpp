#include "images_course.h"

#include "calendrier.h"
#include "fichier_jour.h"
#include "fichier_lieux.h"
#include "traduction.h"

#include <QDir>

namespace orv {

namespace {
void pose_zone(Viewport& v, const std::optional<Zone>& zone)
{
    if (!zone)
        return;
    v.lat_nord = zone->nord;
    v.lat_sud = zone->sud;
    v.long_ouest = zone->ouest;
    v.long_est = zone->est;
    v.largeur_large = 0;
}

// The scene drawn once; on s.page too when given (the picture is then
// what the page did not take: nothing).
QImage rend(EtatProgramme& e, const Scene& scene, QSize taille, const SourceImage& s)
{
    Canevas canevas;
    canevas.pose_ratio(s.echelle);
    canevas.pose_vecteur(s.page);
    Carte carte(canevas, e.vue);
    rend_scene(carte, scene, taille.width(), taille.height());
    canevas.vide_pixels();
    return canevas.image();
}
}  // namespace

void charge_lieux_programme(EtatProgramme& e, const SourceImage& s)
{
    const QString rep = e.course.dossier_ou(s.emplacements.rep_programme);
    for (const auto& [charge, fichier] : {std::pair{&charge_marques, e.course.fichier_marques},
                                          std::pair{&charge_lieux, e.course.fichier_lieux}}) {
        QString err;
        charge(e.lieux, rep, err, fichier);
        if (!err.isEmpty() && s.message)
            s.message(err);
    }
}

void ajoute_fond_programme(Scene& scene, const EtatProgramme& e, const SourceImage& s,
                           const std::vector<TLieu>* route)
{
    ajoute_fond_course(scene, &e.cartes, {s.reglages.fond, s.reglages.coul_points, s.moderne}, &e.lieux, route);
}

void pose_style(SourceImage& s, bool moderne)
{
    s.moderne = moderne;
    if (moderne)
        s.reglages.fond = MER_MODERNE;
}

void vue_avant_le_jour(Viewport& v)
{
    v.lat_sud = 55.0L;
    v.long_ouest = 80.0L;
    v.lat_nord = 0;
    v.long_est = 0;
    v.largeur_large = 0;
}

void charge_cartes_programme(EtatProgramme& e, const SourceImage& s)
{
    if (e.cartes.cartes_chargees)
        return;
    OptionsCartes opt;
    opt.rep_programme = s.emplacements.rep_programme;
    opt.information = s.message;
    opt.avertissement = s.message;
    charge_cartes(e.cartes, opt);
}

QImage image_carte(EtatProgramme& e, const SourceImage& s, const std::optional<Zone>& zone, QSize taille)
{
    charge_cartes_programme(e, s);
    pose_zone(e.vue, zone);
    Scene scene;
    if (s.moderne) {
        scene.style = {MER_MODERNE, scene.style.coul_points, true};
        scene.ajoute<CoucheCarteModerne>(&e.cartes, scene.style);
    } else {
        scene.ajoute<CoucheCarte>(&e.cartes, scene.style);
    }
    return rend(e, scene, taille, s);
}

QImage image_jour(EtatProgramme& e, const SourceImage& s, const QDate& jour, bool route,
                  const std::optional<Zone>& zone, QSize taille, QString& erreur)
{
    charge_cartes_programme(e, s);
    charge_lieux_programme(e, s);
    // The view before the day, as the window has it when it loads one (a
    // day whose fleet is one point is widened by its extents).
    vue_avant_le_jour(e.vue);
    e.vue.elargit_si_vide();
    e.vue.ajuste(taille.width(), taille.height());
    montre_mois(e.date, jour.month(), jour.year());
    valide_date(e.date, jour.day(), jour.month(), jour.year());
    if (!charge_donnees_coureurs(e.course, e.jour, s.emplacements, e.date.code_jour, e.date.date_en_clair)) {
        erreur = e.jour.fichier_illisible ? fichier_jour_illisible(e.jour.nom_fichier_jour)
                                          : Texte::tr("Non disponible : autre date ?");
        return {};
    }
    if (e.jour.valeurs_hors_bornes > 0 && s.message)
        s.message(valeurs_impossibles(e.jour.nom_fichier_jour));
    cadre_sur_flotte(e.jour, s.reglages.nb_cadrage, e.vue);
    std::vector<TLieu> noeuds;
    if (route) {
        QString avis;
        std::optional<std::vector<TLieu>> r =
            lit_route_theorique(e.course, e.lieux, e.course.dossier_ou(s.emplacements.rep_programme), erreur, avis);
        if (!r)
            return {};
        if (!avis.isEmpty() && s.message)
            s.message(avis);
        noeuds = std::move(*r);
    }
    pose_zone(e.vue, zone);
    Scene scene;
    ajoute_fond_programme(scene, e, s, route ? &noeuds : nullptr);
    if (s.moderne)
        scene.ajoute<CoucheJourModerne>(e.jour, e.course, s.reglages.fond);
    else
        scene.ajoute<CoucheJour>(e.jour, s.reglages.fond);
    return rend(e, scene, taille, s);
}

QImage image_trajets(EtatProgramme& e, const SourceImage& s, const SelectionTrajets& selection, QSize taille,
                     QString& erreur)
{
    charge_cartes_programme(e, s);
    charge_lieux_programme(e, s);
    if (!cadre_sur_trajets(e.archive, selection, e.vue, taille.width())) {
        erreur = aucune_position();
        return {};
    }
    Scene scene;
    ajoute_fond_programme(scene, e, s);
    scene.ajoute<CoucheTrajets>(e.archive, selection, AnnotationsTrajets{},
                                couleurs_conc_pour(s.reglages.fond, e.archive.nb_concurrents()), s.reglages.fond);
    return rend(e, scene, taille, s);
}

OptionsFilm options_course_entiere(const Chronologie& c, TColor fond)
{
    OptionsFilm o;
    for (int i = 1; i <= c.nb(); ++i)
        o.concurrents.set(size_t(i));
    o.periode = {c.premier(), c.dernier()};
    o.fond = fond;
    return o;
}

QImage image_film(EtatProgramme& e, const SourceImage& s, const Chronologie& c, const OptionsFilm& o, Instant t,
                  QSize taille)
{
    charge_cartes_programme(e, s);
    if (e.lieux.liste_mp.empty() && e.lieux.liste_lieux.empty())
        charge_lieux_programme(e, s);
    const InstantFilm m = calcule_instant(c, o, t);
    Scene scene;
    ajoute_fond_programme(scene, e, s);
    ajoute_couches_film(scene, c, o, m);
    return rend(e, scene, taille, s);
}

QImage image_instant(EtatProgramme& e, const SourceImage& s, const Chronologie& c, Instant t, Instant trainee,
                     int suivre, QSize taille)
{
    OptionsFilm o = options_course_entiere(c, s.reglages.fond);
    o.trainee = trainee;
    const InstantFilm m = calcule_instant(c, o, t);
    if (!cadre_sur_instant(m, e.vue, taille.width()))
        vue_avant_le_jour(e.vue);
    const int qui = concurrent_suivi(m, suivre);
    if (qui > 0 && m.positions[size_t(qui)].montre)
        centre_sur_position(e.vue, m.positions[size_t(qui)], taille.width(), taille.height());
    else if (suivre != 0 && s.message)
        s.message(Texte::tr("%1 n'est pas sur la carte à cet instant : l'image est cadrée sur la flotte.")
                      .arg(qui > 0 ? c.course().nom_conc(qui) : Texte::tr("Aucun concurrent")));
    return image_film(e, s, c, o, t, taille);
}

}  // namespace orv
