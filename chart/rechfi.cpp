#include "rechfi.h"

#include "reglages_utilisateur.h"
#include "traduction.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <deque>

namespace orv {

namespace {

bool interdit(const QString& chemin)
{
    static const QString exclus[] = {QStringLiteral("/proc"), QStringLiteral("/sys"),
                                     QStringLiteral("/dev")};
    for (const QString& e : exclus)
        if (chemin == e || chemin.startsWith(e + u'/'))
            return true;
    return false;
}

QString joint(const QString& rep, const QString& nom)
{
    return rep.endsWith(u'/') ? rep + nom : rep + u'/' + nom;
}


// Subdirectories of `rep`, sorted by name, without links or hidden ones.
QStringList sous_reps(const QString& rep)
{
    const QDir d(rep);
    return d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
}

std::unique_ptr<QSettings> registre()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + CLE_REGISTRE,
                                       QSettings::NativeFormat);
#else
    return reglages_utilisateur(QStringLiteral("QMR_GEO_APP"));
#endif
}

}  // namespace

bool contient_fichier(const QString& rep, const QString& fichier)
{
    const QFileInfo fi(joint(rep, fichier));
    if (fi.isFile())
        return true;
    // The name in another case ("FRANCENO.BDC"): a name filter ignores case.
    return !QDir(rep).entryList({fichier}, QDir::Files | QDir::Hidden).isEmpty();
}

QString recherche_sur_racine(const QString& racine, const QString& fichier)
{
    if (racine.isEmpty() || interdit(racine) || !QFileInfo(racine).isDir())
        return {};
    if (contient_fichier(racine, fichier))
        return racine;

    // Every directory of the root, breadth first, before any is tested.
    std::vector<QString> liste;
    for (const QString& n : sous_reps(racine)) {
        const QString p = joint(racine, n);
        if (!interdit(p))
            liste.push_back(p);
    }
    for (size_t i = 0; i < liste.size(); ++i) {
        const QString rep = liste[i];
        for (const QString& n : sous_reps(rep)) {
            const QString p = joint(rep, n);
            if (!interdit(p))
                liste.push_back(p);
        }
    }
    QString trouve;
    for (const QString& rep : liste)
        if (contient_fichier(rep, fichier))
            trouve = rep;
    return trouve;
}

std::vector<QString> racines_de_recherche()
{
    std::vector<QString> r;
#ifdef Q_OS_WIN
    for (char c = 'C'; c <= 'Z'; ++c) {
        const QString lecteur = QString(QChar(c)) + QStringLiteral(":/");
        if (QFileInfo(lecteur).exists())
            r.push_back(lecteur);
    }
#else
    r.push_back(QDir::homePath());
    for (const char* base : {"/media", "/mnt"}) {
        const QString b = QString::fromLatin1(base);
        for (const QString& n : sous_reps(b))
            r.push_back(joint(b, n));
    }
#endif
    return r;
}

QString recherche_racines(const std::vector<QString>& racines, const QString& fichier)
{
    for (const QString& r : racines) {
        const QString trouve = recherche_sur_racine(r, fichier);
        if (!trouve.isEmpty())
            return trouve;
    }
    return {};
}

QString lit_rep_cartes_registre()
{
    auto s = registre();
    if (!s)
        return {};
    return s->value(QString::fromLatin1(VALEUR_REP_CARTES)).toString();
}

bool ecrit_rep_cartes_registre(const QString& rep, QString& erreur)
{
    auto s = registre();
    if (!s) {
        erreur = Texte::tr("Le répertoire des cartes n'a pas pu être mémorisé : le fichier des réglages n'est pas un fichier ordinaire.");
        return false;
    }
    s->setValue(QString::fromLatin1(VALEUR_REP_CARTES), QDir::toNativeSeparators(rep));
    // QSettings writes on sync() and says afterwards whether it could.
    s->sync();
    if (s->status() == QSettings::NoError)
        return true;
    erreur = Texte::tr("Le répertoire des cartes n'a pas pu être mémorisé dans « %1 ».")
                 .arg(QDir::toNativeSeparators(s->fileName()));
    return false;
}

}  // namespace orv
