// The CSV reader: a header naming the columns (French or English), `;`,
// `,` or tab between fields, rows in any order; times ISO 8601 or
// "JJ/MM/AAAA HH:MM"; positions in decimal degrees or in degrees and
// decimal minutes ("46°30.50'N", "46 30.5 N").
#include "flotte.h"
#include "lecteurs.h"
#include "texte.h"
#include "traduction.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace orv {

namespace {
// The fields of a line, quotes ("a;b", "a ""b""") undone.
QStringList champs(QStringView l, QChar sep)
{
    QStringList r;
    QString c;
    bool guillemets = false;
    for (qsizetype k = 0; k < l.size(); ++k) {
        const QChar ch = l[k];
        if (guillemets) {
            if (ch == u'"' && k + 1 < l.size() && l[k + 1] == u'"') {
                c += u'"';
                ++k;
            } else if (ch == u'"') {
                guillemets = false;
            } else {
                c += ch;
            }
        } else if (ch == u'"') {
            guillemets = true;
        } else if (ch == sep) {
            r << c.trimmed();
            c.clear();
        } else {
            c += ch;
        }
    }
    r << c.trimmed();
    return r;
}

// A latitude or longitude: decimal degrees ("-46.5083"), or degrees and
// decimal minutes with a hemisphere ("46°30.50'N", "46 30.5 N",
// "46°30,5'S"); minutes of 60 or more are none.
bool angle(QString s, bool latitude, double& v)
{
    s = s.trimmed();
    bool ok = false;
    v = s.toDouble(&ok);
    if (ok)
        return true;
    // The degrees end at a degree sign or a blank: "46 N" is no minute.
    static const QRegularExpression dm(
        QStringLiteral("^(\\d{1,3})(?:\\s*[°º]\\s*|\\s+)(\\d{1,2}(?:[.,]\\d+)?)\\s*['’′]?\\s*([NSEWO])$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = dm.match(s);
    if (!m.hasMatch())
        return false;
    const double d = m.captured(1).toDouble();
    const double mi = QString(m.captured(2)).replace(u',', u'.').toDouble();
    const QChar h = m.captured(3).at(0).toUpper();
    if (mi >= 60 || d > (latitude ? 90 : 180) || (latitude ? (h != u'N' && h != u'S') : (h == u'N' || h == u'S')))
        return false;
    v = (d + mi / 60) * (h == u'S' || h == u'W' || h == u'O' ? -1 : 1);
    return true;
}

enum Colonne { NOM, BATEAU, HEURE, LAT, LON, NB_COLONNES };

int colonne(const QString& titre)
{
    static const QStringList noms[NB_COLONNES] = {
        {QStringLiteral("nom"), QStringLiteral("name"), QStringLiteral("skipper")},
        {QStringLiteral("bateau"), QStringLiteral("boat")},
        {QStringLiteral("heure"), QStringLiteral("time"), QStringLiteral("date"), QStringLiteral("instant")},
        {QStringLiteral("latitude"), QStringLiteral("lat")},
        {QStringLiteral("longitude"), QStringLiteral("lon"), QStringLiteral("long"), QStringLiteral("lng")},
    };
    const QString t = titre.trimmed().toLower();
    for (int c = 0; c < NB_COLONNES; ++c)
        if (noms[c].contains(t))
            return c;
    return -1;
}

bool lit_csv(const QByteArray& octets, Flotte& f)
{
    // UTF-16 by its mark (a spreadsheet's "Unicode text"), else UTF-8
    // (with or without its mark), else code page 1252.
    QString texte;
    if (octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF")) {
        auto d = QStringDecoder(octets.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        texte = d.decode(octets.mid(2));
        if (d.hasError())
            return f.refuse(Texte::tr("texte UTF-16 illisible"));
    } else {
        texte = depuis_utf8_ou_cp1252(octets);
    }
    if (texte.startsWith(QChar(0xFEFF)))
        texte.remove(0, 1);
    // Lines ended by CR LF, LF or CR alone, even mixed.
    texte.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texte.replace(u'\r', u'\n');
    const QList<QStringView> lignes = QStringView(texte).split(u'\n');
    qsizetype k = 0;
    while (k < lignes.size() && lignes[k].trimmed().isEmpty())
        ++k;
    if (k == lignes.size())
        return f.refuse(Texte::tr("fichier vide"));
    // The header: its separator is the one that names the most columns.
    const QStringView entete = lignes[k];
    QChar sep;
    int indices[NB_COLONNES];
    int meilleur = -1;
    for (QChar s : {QChar(u';'), QChar(u'\t'), QChar(u',')}) {
        int n = 0, ix[NB_COLONNES];
        std::fill(std::begin(ix), std::end(ix), -1);
        const QStringList t = champs(entete, s);
        for (int j = 0; j < t.size(); ++j)
            if (const int c = colonne(t[j]); c >= 0 && ix[c] < 0) {
                ix[c] = j;
                ++n;
            }
        if (n > meilleur) {
            meilleur = n;
            sep = s;
            std::copy(std::begin(ix), std::end(ix), std::begin(indices));
        }
    }
    if (indices[NOM] < 0 || indices[HEURE] < 0 || indices[LAT] < 0 || indices[LON] < 0)
        return f.refuse(k + 1, QString(),
                        Texte::tr("l'en-tête doit nommer les colonnes nom, heure, latitude et longitude "
                                  "(ou name, time, lat, lon)"));
    // Every row has the header's fields: a decimal comma in a file
    // separated by commas would shift them.
    const int largeur = int(champs(entete, sep).size());
    for (++k; k < lignes.size(); ++k) {
        QStringView l = lignes[k];
        if (l.endsWith(u'\r'))
            l.chop(1);
        if (l.trimmed().isEmpty())
            continue;
        const qint64 n = k + 1;
        const QStringList c = champs(l, sep);
        if (c.size() != largeur)
            return f.refuse(n, QString(), Texte::tr("%1 champs, %2 attendus").arg(c.size()).arg(largeur));
        QString nom = c[indices[NOM]];
        if (indices[BATEAU] >= 0 && !c[indices[BATEAU]].isEmpty())
            nom += QStringLiteral(" (%1)").arg(c[indices[BATEAU]]);
        if (c[indices[NOM]].isEmpty())
            return f.refuse(n, QString(), Texte::tr("ligne sans nom"));
        const QString h = c[indices[HEURE]];
        Instant t = 0;
        if (h.isEmpty())
            return f.refuse(n, nom, Texte::tr("position sans heure"));
        if (!instant_iso(h, t) && !instant_jjmmaaaa(h, t))
            return f.refuse(n, nom, Texte::tr("heure illisible « %1 » (AAAA-MM-JJTHH:MM:SSZ ou JJ/MM/AAAA HH:MM)").arg(h.left(40)));
        double lat = 0, lon = 0;
        if (!angle(c[indices[LAT]], true, lat))
            return f.refuse(n, nom, Texte::tr("latitude illisible « %1 »").arg(c[indices[LAT]].left(40)));
        if (!angle(c[indices[LON]], false, lon))
            return f.refuse(n, nom, Texte::tr("longitude illisible « %1 »").arg(c[indices[LON]].left(40)));
        const int p = f.piste(nom);
        if (p < 0 || !f.point(p, t, lat, lon, n))
            return false;
    }
    return true;
}

class LecteurCsv : public LecteurCourse {
public:
    QString nom() const override { return Texte::tr("positions CSV"); }
    QStringList suffixes() const override { return {QStringLiteral("csv"), QStringLiteral("tsv")}; }
    // A CSV says nothing of itself: only its suffix chooses it.
    bool reconnait(const QByteArray&) const override { return false; }
    bool ouvre_dossier(const QString&) const override { return false; }
    bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const override
    {
        QByteArray contenu;
        if (!lit_fichier_flotte(chemin, contenu, erreur))
            return false;
        Flotte f(chemin);
        return f.termine(lit_csv(contenu, f), o.course, o.pistes, erreur);
    }
};
}  // namespace

const LecteurCourse& lecteur_csv()
{
    static const LecteurCsv l;
    return l;
}

}  // namespace orv
