// The commands that draw: the pictures of --png and --pdf, the film at an
// instant, the video.
#include "contexte.h"

#include "ecriture.h"
#include "traduction.h"
#include "video.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace orv::cli {

namespace {

// --suivre's boat and the period of --du and --au checked against the
// race; the exit code when they cannot be (0 when they can).
int suivi_et_periode(const Commande& c, const Course& course, int& suivre)
{
    if (!suivi_nomme(course, c.suivre, suivre))
        return arguments_refuses(Texte::tr("--suivre : concurrent inconnu « %1 » (un nom, ou tete).").arg(c.suivre));
    for (const auto& [option, d] : {std::pair{"--du", c.du}, std::pair{"--au", c.au}})
        if (d.isValid() && hors_de_la_course(course, option, d))
            return 2;
    return 0;
}

// The video's settings from the command line.
ParametresVideo parametres_video(const Commande& c, const Chronologie& chrono, int suivre)
{
    ParametresVideo p;
    p.periode = periode_des_dates(chrono, c.du, c.au);
    p.vitesse = std::max<Instant>(1, std::llround(c.vitesse * double(UNE_HEURE)));
    p.fps = c.fps;
    p.taille = {c.largeur, c.hauteur};
    p.echelle = c.echelle;
    p.trainee = c.trainee < 0 ? TRAINEE_TOUTE : c.trainee * UN_JOUR;
    p.suivre = suivre;
    densite_lisible(p);
    p.moderne = c.moderne();
    p.rapide = c.rapide;
    p.cartons = c.cartons;
    return p;
}

// A picture of the command line, drawn by `dessine` from a source: a PNG,
// or with --pdf the same picture as a page of paths and text.
int enregistre_image(const Commande& c, Contexte& x,
                     const std::function<QImage(const SourceImage&, QString&)>& dessine)
{
    SourceImage source = x.source_image(c);
    QString erreur;
    if (!c.pdf) {
        const QImage image = dessine(source, erreur);
        if (image.isNull()) {
            ecrit_erreur(erreur);
            return 1;
        }
        avis_terres(c, x);
        return enregistre_png(image, c.fichier);
    }
    const auto page = [&](QPainter& p) {
        source.page = &p;
        return !dessine(source, erreur).isNull();
    };
    if (!ecrit_pdf(c.fichier, QSize(c.largeur, c.hauteur), x.etat.course.nom, page, erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    avis_terres(c, x);
    return 0;
}

// The maps, marks and places of the video's frames.
void prepare_images_video(EtatProgramme& e, const SourceImage& s)
{
    charge_cartes_programme(e, s);
    charge_lieux_programme(e, s);
}

std::atomic<bool> video_interrompue{false};
void interrompt_video(int) { video_interrompue = true; }

}  // namespace

// The pictures of --png and --pdf: the chart alone, a day, the tracks.
int commande_png(const Commande& c, Contexte& x)
{
    const QSize taille(c.largeur, c.hauteur);
    const QString nom = c.pdf ? QStringLiteral("--pdf") : QStringLiteral("--png");
    if ((c.type == Commande::PngTrajets || c.type == Commande::PngJour) &&
        sans_fichiers_jour(x, nom + (c.type == Commande::PngJour ? QStringLiteral(" --date") : QStringLiteral(" --trajets"))))
        return 2;
    SelectionTrajets s;
    if (c.type == Commande::PngTrajets) {
        if (const int r = selection_commande(c, x, s))
            return r;
    } else if (c.type == Commande::PngJour && homonyme_d_un_jour(x.etat.course, "--date", c.jour)) {
        return 2;
    }
    return enregistre_image(c, x, [&](const SourceImage& source, QString& erreur) {
        if (c.type == Commande::PngTrajets)
            return image_trajets(x.etat, source, s, taille, erreur);
        if (c.type == Commande::PngJour)
            return image_jour(x.etat, source, c.jour, c.route, zone(c), taille, erreur);
        return image_carte(x.etat, source, zone(c), taille);
    });
}

// The film's picture at an instant; with --incrustations, the video's frame.
int commande_instant(const Commande& c, Contexte& x)
{
    int suivre = 0;
    if (const int r = suivi_et_periode(c, x.etat.course, suivre))
        return r;
    std::unique_ptr<Chronologie> chrono;
    if (const int r = chronologie_commande(c, x, chrono))
        return r;
    const SourceImage s = x.source_image(c);
    if (c.incrustations) {
        const ParametresVideo p = parametres_video(c, *chrono, suivre);
        if (const QString m = verifie_parametres(p); !m.isEmpty()) {
            ecrit_erreur(m);
            return 2;
        }
        prepare_images_video(x.etat, s);
        ImagesVideo images(x.etat.cartes, x.etat.lieux, x.etat.vue, s.reglages, *chrono, p);
        const QImage& image = images.image(instant_de(c.quand));
        avis_terres(c, x);
        return enregistre_png(image, c.fichier);
    }
    const Instant trainee = c.trainee < 0 ? TRAINEE_TOUTE : c.trainee * UN_JOUR;
    return enregistre_image(c, x, [&](const SourceImage& source, QString&) {
        return image_instant(x.etat, source, *chrono, instant_de(c.quand), trainee, suivre, QSize(c.largeur, c.hauteur));
    });
}

// The film as a video through ffmpeg, its progress on stderr; the file
// carries its name only once complete.
int commande_video(const Commande& c, Contexte& x)
{
    int suivre = 0;
    if (const int r = suivi_et_periode(c, x.etat.course, suivre))
        return r;
    std::unique_ptr<Chronologie> chronologie;
    if (const int r = chronologie_course(x, chronologie))
        return r;
    const Chronologie& chrono = *chronologie;
    if (chrono.vide()) {
        ecrit_erreur(aucune_position());
        return 1;
    }
    const ParametresVideo p = parametres_video(c, chrono, suivre);
    if (const QString m = verifie_parametres(p); !m.isEmpty()) {
        ecrit_erreur(m);
        return 2;
    }
    const SourceImage s = x.source_image(c);
    prepare_images_video(x.etat, s);
    ImagesVideo images(x.etat.cartes, x.etat.lieux, x.etat.vue, s.reglages, chrono, p);
    EcritureVideo video(images, p);
    // The delay after which a silent ffmpeg is given up (seconds; the
    // tests shorten it).
    if (const int d = qEnvironmentVariableIntValue("ORVALIS_DELAI_FFMPEG"); d > 0)
        video.encodeur().pose_delai(d * 1000);
    QString erreur;
    // Before ffmpeg starts: an interruption at any moment removes its file.
    std::signal(SIGINT, interrompt_video);
    std::signal(SIGTERM, interrompt_video);
    const QString interrompue = Texte::tr("Vidéo interrompue : aucun fichier écrit.");
    if (!video.demarre(c.fichier, erreur) || video_interrompue) {
        video.annule();
        ecrit_erreur(video_interrompue ? interrompue : erreur);
        return 1;
    }
    QElapsedTimer duree;
    duree.start();
    int64_t dernier_avis = -1000, avis_k = -1;
    for (;;) {
        if (video_interrompue) {
            video.annule();
            std::fputc('\n', stderr);
            ecrit_erreur(interrompue);
            return 1;
        }
        const EcritureVideo::Etat etat = video.tranche(100, erreur);
        const int64_t k = video.images_ecrites(), n = video.nb();
        if (k != avis_k && (duree.elapsed() - dernier_avis >= 500 || k == n)) {
            dernier_avis = duree.elapsed();
            avis_k = k;
            std::fprintf(stderr, "\r%s", avancement_video(k, n, duree.elapsed()).toUtf8().constData());
        }
        if (etat == EcritureVideo::Etat::Finie)
            break;
        if (etat == EcritureVideo::Etat::Echec) {
            std::fputc('\n', stderr);
            ecrit_erreur(erreur);
            return 1;
        }
        if (const int ms = video.pause(); ms > 0)
            video.attend(100);
    }
    std::fputc('\n', stderr);
    avis_terres(c, x);
    return sortie({QDir::toNativeSeparators(QFileInfo(c.fichier).absoluteFilePath())});
}

}  // namespace orv::cli
