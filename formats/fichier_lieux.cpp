#include "fichier_lieux.h"

#include "texte.h"
#include "traduction.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace orv {

QStringList lit_lieux(const QByteArray& contenu, bool placement, ListeLieux& liste)
{
    QStringList rejetes;
    LecteurTexte f(contenu);
    while (!f.eof()) {
        const QString nom = f.ligne();
        const QString lat = f.ligne();
        const QString lon = f.ligne();
        const QString cote = placement ? f.ligne() : QString();
        // Blanks around a number are no reason to refuse it; a latitude
        // beyond ±90 or a longitude beyond ±180 is corrupt.
        ext la = 0, lo = 0;
        if (!est_nombre(lat.trimmed(), &la) || !est_nombre(lon.trimmed(), &lo) || std::fabs(la) > 90 ||
            std::fabs(lo) > 180) {
            rejetes << nom;
            continue;
        }
        TLieu e;
        lieu_de_valeurs(e, nom, placement ? cote == QLatin1String("droite") : true, la, lo);
        liste.push_back(std::move(e));
    }
    return rejetes;
}

namespace {
bool charge(const QString& rep, const QString& nom, bool placement, ListeLieux& liste,
            QString& erreur)
{
    // A race without such a file: nothing to read.
    if (nom.isEmpty())
        return true;
    QByteArray contenu;
    const QString chemin = rep + u'/' + nom;
    if (!lit_fichier(chemin, contenu)) {
        erreur = Texte::tr("Impossible de lire le fichier « %1 » (%2).")
                     .arg(chemin, QFileInfo::exists(chemin) ? Texte::tr("lecture impossible")
                                                            : Texte::tr("fichier absent"));
        return false;
    }
    const QStringList rejetes = lit_lieux(contenu, placement, liste);
    if (!rejetes.isEmpty())
        erreur = Texte::tr("« %1 » : %n point(s) ignoré(s), coordonnées illisibles (%2).", nullptr, int(rejetes.size()))
                     .arg(nom)
                     .arg(rejetes.join(QStringLiteral(", ")).left(200));
    return true;
}
}  // namespace

bool charge_marques(Lieux& l, const QString& rep, QString& erreur, const QString& fichier)
{
    l.liste_mp.clear();
    return charge(rep, fichier, false, l.liste_mp, erreur);
}

bool charge_lieux(Lieux& l, const QString& rep, QString& erreur, const QString& fichier)
{
    l.liste_lieux.clear();
    return charge(rep, fichier, true, l.liste_lieux, erreur);
}

bool charge_route(Lieux& l, const QString& rep, QString& erreur, const QString& fichier)
{
    if (fichier.isEmpty()) {
        erreur = Texte::tr("La course n'a pas de route théorique.");
        return false;
    }
    return charge(rep, fichier, false, l.liste_route, erreur);
}

}  // namespace orv
