#include "cartes.h"

#include "rechfi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "map files are read in place as little-endian doubles");

namespace orv {

Cartes& cartes()
{
    static Cartes c;
    return c;
}

char classe_carte(const QString& nom)
{
    const QString debut = nom.left(2).toUpper();
    if (debut == QLatin1String("ST"))
        return 'S';
    if (debut == QLatin1String("LK"))
        return 'L';
    return 0;
}

std::vector<QString> fichiers_cartes(const QString& rep)
{
    QDir d(rep);
    d.setNameFilters({QStringLiteral("*.bdc")});
    d.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    d.setSorting(QDir::Name | QDir::IgnoreCase);
    std::vector<QString> r;
    for (const QString& n : d.entryList())
        r.push_back(n);
    return r;
}

bool lit_carte(const QString& chemin, CartePix& carte, QString& erreur)
{
    QFile f(chemin);
    carte.taille = QFileInfo(chemin).size();
    carte.nb_points = carte.taille / TAILLE_ENREG;
    carte.lus = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        erreur = f.errorString();
        return false;
    }
    const int64_t nb_doubles = (carte.taille + 7) / 8;
    carte.donnees = std::make_unique<double[]>(static_cast<size_t>(nb_doubles > 0 ? nb_doubles : 1));
    const qint64 n = carte.taille > 0 ? f.read(reinterpret_cast<char*>(carte.donnees.get()), carte.taille) : 0;
    f.close();
    if (n < 0) {
        erreur = f.errorString();
        return false;
    }
    carte.lus = n;
    return true;
}

void charge_cartes(Cartes& c, const OptionsCartes& opt)
{
    const QString connu = QString::fromLatin1(FICHIER_CARTE_CONNU);
    c.rep_cartes = lit_rep_cartes_registre();
    if (c.rep_cartes.isEmpty()) {
        const QString cote = opt.rep_programme + QStringLiteral("/cartes");
        if (!opt.rep_programme.isEmpty() && QFileInfo(cote + u'/' + connu).isFile()) {
            c.rep_cartes = cote;
        } else {
            const std::vector<QString> racines =
                opt.racines_imposees ? opt.racines : racines_de_recherche();
            c.rep_cartes = recherche_racines(racines, connu);
            if (!c.rep_cartes.isEmpty())
                ecrit_rep_cartes_registre(c.rep_cartes);
            else if (opt.avertissement)
                opt.avertissement(QStringLiteral("Répertoire des cartes pixellisées non trouvé"));
        }
    }

    c.liste.clear();
    c.cartes_chargees = false;
    if (c.rep_cartes.isEmpty())
        return;
    const std::vector<QString> noms = fichiers_cartes(c.rep_cartes);
    if (!noms.empty())
        c.cartes_chargees = true;
    for (const QString& nom : noms) {
        CartePix carte;
        carte.nom = nom;
        QString erreur;
        if (!lit_carte(c.rep_cartes + u'/' + nom, carte, erreur)) {
            if (opt.information)
                opt.information(QStringLiteral("Impossible de lire la carte %1 : %2").arg(nom, erreur));
            continue;
        }
        if (carte.lus < carte.taille && opt.information)
            opt.information(nom + QStringLiteral(" :impossible de charger"));
        c.liste.push_back(std::move(carte));
    }
}

}  // namespace orv
