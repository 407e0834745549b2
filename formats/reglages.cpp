#include "reglages.h"

#include "emplacements.h"
#include "reglages_utilisateur.h"
#include "texte.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace orv {

ContenuIni lit_ini(const QByteArray& contenu)
{
    ContenuIni ini;
    LecteurTexte f(contenu);
    QString section;
    while (!f.eof()) {
        const QString l = f.ligne().trimmed();
        if (l.isEmpty() || l.startsWith(u';'))
            continue;
        if (l.startsWith(u'[') && l.endsWith(u']')) {
            section = l.mid(1, l.size() - 2).trimmed().toLower();
            continue;
        }
        const qsizetype eg = l.indexOf(u'=');
        if (eg <= 0)
            continue;
        auto& cles = ini[section];
        cles.try_emplace(l.left(eg).trimmed().toLower(), l.mid(eg + 1).trimmed());
    }
    return ini;
}

namespace {
QString valeur(const ContenuIni& ini, const char* section, const char* cle, const char* defaut)
{
    const auto s = ini.find(QString::fromLatin1(section).toLower());
    if (s != ini.end()) {
        const auto v = s->second.find(QString::fromLatin1(cle).toLower());
        if (v != s->second.end())
            return v->second;
    }
    return QString::fromLatin1(defaut);
}
}  // namespace

Reglages reglages_depuis(const ContenuIni& ini)
{
    Reglages r;
    const QString excel = valeur(ini, "version_Excel", "Excel", "97");
    r.code_excel = excel == QLatin1String("97") ? 1 : excel == QLatin1String("2000") ? 2 : 0;

    const QString fond = valeur(ini, "affichage_cartes", "fond", "noir");
    r.fond = fond == QLatin1String("blanc") ? clWhite : fond == QLatin1String("bleu") ? clNavy : clBlack;

    const QString contours = valeur(ini, "affichage_cartes", "contours", "clLightbrown");
    r.coul_points = contours == QLatin1String("gris") ? clGray : 0x0078F0;

    bool ok = false;
    const int n = valeur(ini, "cadrer", "cadrer_sur", "18").toInt(&ok);
    r.nb_cadrage = ok ? n : 18;
    r.url_classement = valeur(ini, "classement", "url", "");
    return r;
}

Reglages lit_reglages(const QString& chemin)
{
    QByteArray contenu;
    if (!lit_fichier(chemin, contenu))
        return Reglages{};
    return reglages_depuis(lit_ini(contenu));
}

Reglages reglages_du_programme(const QString& rep_courant, const Emplacements& e)
{
    // The current directory's file, then (installed) the user's own, then
    // the one shipped with the program.
    QStringList reps{rep_courant};
    if (e.installe)
        reps << e.rep_archives;
    reps << e.rep_programme;
    for (const QString& r : reps) {
        const QString f = QDir(r).filePath(QStringLiteral("posorvls.ini"));
        if (r.isEmpty() || !QFileInfo::exists(f))
            continue;
        // A FIFO or a device in its place: the defaults, and the user told.
        if (!QFileInfo(f).isFile()) {
            signale_reglages_irreguliers(f);
            return Reglages{};
        }
        return lit_reglages(f);
    }
    return Reglages{};
}

bool fond_clair(TColor fond) { return fond != clBlack && fond != clNavy; }

std::vector<TColor> couleurs_conc_pour(TColor fond, int n)
{
    std::vector<TColor> c(size_t(std::max(n, 0)) + 1, 0);
    const uint32_t nb = uint32_t(std::max(n, 1));
    for (uint32_t i = 1; i <= uint32_t(std::max(n, 0)); ++i)
        c[i] = fond_clair(fond) ? uint32_t(uint64_t(i) * 0x808080u / nb) : uint32_t(uint64_t(i) * 0x7F7F7Fu / nb) + 0x808080u;
    return c;
}

}  // namespace orv
