// Orvalis: the race-archive viewer. Without arguments it opens the window;
// with --png it renders the chart headless into a PNG file.
#include "calendrier.h"
#include "classement.h"
#include "donnees.h"
#include "geometrie.h"
#include "ligne_commande.h"
#include "mercator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>

using namespace orv;

namespace {

void ecrit_erreur(const QString& s)
{
    std::fputs(s.toUtf8().constData(), stderr);
    if (!s.endsWith(u'\n'))
        std::fputc('\n', stderr);
}

int rend_png(const Commande& c)
{
    TMercator carte(nullptr, true);
    carte.information = ecrit_erreur;
    carte.avertissement = ecrit_erreur;
    carte.charge_cartes();
    if (c.zone) {
        Viewport& vp = viewport();
        vp.lat_nord = c.nord;
        vp.lat_sud = c.sud;
        vp.long_ouest = c.ouest;
        vp.long_est = c.est;
    }
    const QImage& img = carte.rend(c.largeur, c.hauteur);
    if (!img.save(c.fichier_png, "PNG")) {
        ecrit_erreur(QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(c.fichier_png));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const Commande c = analyse_commande(args);
    if (c.type == Commande::Erreur) {
        ecrit_erreur(c.message);
        ecrit_erreur(usage());
        return 2;
    }
    if (c.type == Commande::Distance) {
        for (const QString& l : lignes_distance(c.lat1, c.lon1, c.lat2, c.lon2))
            std::printf("%s\n", l.toUtf8().constData());
        return 0;
    }
    if (c.type == Commande::Classement) {
        QCoreApplication app(argc, argv);
        EtatDate& d = etat_date();
        montre_mois(d, c.mois, c.annee);
        valide_date(d, c.jour, c.mois, c.annee);
        JourCourse& j = jour_course();
        if (!charge_donnees_coureurs(j, QCoreApplication::applicationDirPath(), d.code_jour,
                                     d.date_en_clair)) {
            ecrit_erreur(QStringLiteral("Non disponible : autre date ?"));
            return 1;
        }
        for (const QString& l : table_classement(j, separateur_decimal_utilisateur()))
            std::printf("%s\n", l.toUtf8().constData());
        return 0;
    }
    if (c.type == Commande::Png) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return rend_png(c);
    }

    QApplication app(argc, argv);
    TMercator carte;
    carte.FormCreate();
    carte.show();
    return app.exec();
}
