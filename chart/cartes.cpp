#include "cartes.h"

#include "rechfi.h"
#include "traduction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <new>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "map files are read in place as little-endian doubles");

namespace orv {

char classe_carte(const QString& nom)
{
    const QString debut = nom.left(2).toUpper();
    if (debut == QLatin1String("ST"))
        return 'S';
    if (debut == QLatin1String("LK"))
        return 'L';
    return 0;
}

std::vector<EntreeCarte> fichiers_cartes(const QString& rep)
{
    // Regular files only: a pipe or a device named *.bdc would block the
    // start or never end. The pattern ignores case ("*.BDC" too).
    QDir d(rep);
    d.setNameFilters({QStringLiteral("*.bdc")});
    d.setFilter(QDir::Files | QDir::Hidden);
    d.setSorting(QDir::Name | QDir::IgnoreCase);
    std::vector<EntreeCarte> r;
    for (const QFileInfo& fi : d.entryInfoList())
        if (fi.isFile())
            r.push_back({fi.fileName(), fi.size()});
    return r;
}

namespace {
QString raison(QFileDevice::FileError e)
{
    switch (e) {
    case QFileDevice::PermissionsError: return Texte::tr("accès refusé");
    case QFileDevice::OpenError: return Texte::tr("ouverture impossible");
    case QFileDevice::ReadError: return Texte::tr("erreur de lecture");
    case QFileDevice::ResourceError: return Texte::tr("ressources du système épuisées");
    case QFileDevice::TimeOutError: return Texte::tr("délai dépassé");
    case QFileDevice::AbortError: return Texte::tr("lecture interrompue");
    default: return Texte::tr("erreur d'entrée-sortie");
    }
}
}  // namespace

bool lit_carte(const QString& chemin, int64_t taille, CartePix& carte, QString& erreur)
{
    const QFileInfo fi(chemin);
    carte.taille = std::max<int64_t>(0, taille);
    carte.nb_points = carte.taille / TAILLE_ENREG;
    carte.lus = 0;
    if (fi.exists() && !fi.isFile()) {
        erreur = Texte::tr("ce n'est pas un fichier ordinaire");
        return false;
    }
    if (carte.taille > TAILLE_CARTE_MAX) {
        erreur = Texte::tr("fichier trop grand (plus de %1 Mo)").arg(TAILLE_CARTE_MAX >> 20);
        carte.nb_points = 0;
        return false;
    }
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        erreur = fi.exists() ? raison(f.error()) : Texte::tr("fichier introuvable");
        return false;
    }
    const int64_t nb_doubles = (carte.taille + 7) / 8;
    try {
        carte.donnees = std::make_unique<double[]>(static_cast<size_t>(nb_doubles > 0 ? nb_doubles : 1));
    } catch (const std::bad_alloc&) {
        erreur = Texte::tr("mémoire insuffisante");
        carte.nb_points = 0;
        return false;
    }
    const qint64 n = carte.taille > 0 ? f.read(reinterpret_cast<char*>(carte.donnees.get()), carte.taille) : 0;
    if (n < 0) {
        erreur = raison(f.error());
        return false;
    }
    carte.lus = n;
    return true;
}

void charge_cartes(Cartes& c, const OptionsCartes& opt)
{
    const QString connu = QString::fromLatin1(FICHIER_CARTE_CONNU);
    c.terres = std::make_shared<ChargeurTerres>();
    c.rep_cartes = lit_rep_cartes_registre();
    if (c.rep_cartes.isEmpty()) {
        const QString cote = opt.rep_programme + QStringLiteral("/cartes");
        if (!opt.rep_programme.isEmpty() && contient_fichier(cote, connu)) {
            c.rep_cartes = cote;
        } else {
            const std::vector<QString> racines =
                opt.racines_imposees ? opt.racines : racines_de_recherche();
            c.rep_cartes = recherche_racines(racines, connu);
            QString erreur;
            if (!c.rep_cartes.isEmpty()) {
                // The maps are used all the same; only the next start will
                // search again.
                if (!ecrit_rep_cartes_registre(c.rep_cartes, erreur) && opt.information)
                    opt.information(erreur);
            } else if (opt.avertissement)
                opt.avertissement(Texte::tr("Répertoire des cartes pixellisées non trouvé"));
        }
    }

    c.liste.clear();
    c.cartes_chargees = false;
    if (c.rep_cartes.isEmpty())
        return;
    const std::vector<EntreeCarte> entrees = fichiers_cartes(c.rep_cartes);
    if (!entrees.empty())
        c.cartes_chargees = true;
    if (opt.apres_liste)
        opt.apres_liste();
    for (const auto& [nom, taille] : entrees) {
        CartePix carte;
        carte.nom = nom;
        QString erreur;
        if (!lit_carte(c.rep_cartes + u'/' + nom, taille, carte, erreur)) {
            if (opt.information)
                opt.information(Texte::tr("Impossible de lire la carte %1 : %2.").arg(nom, erreur));
            continue;
        }
        if (carte.lus < carte.taille && opt.information)
            opt.information(nom + Texte::tr(" :impossible de charger"));
        c.liste.push_back(std::move(carte));
    }
}

}  // namespace orv
