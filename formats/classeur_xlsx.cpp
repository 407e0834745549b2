// The .xlsx reader: a zip of XML parts (QuaZip and QXmlStreamReader).
#include "classeur.h"

#include "lecteurs.h"
#include "traduction.h"

#include <QBuffer>

#include <QIODevice>
#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace orv {

namespace {
// A part of a zip, whole; empty when missing or larger than a ranking
// workbook's part can be (a small zip can unpack to gigabytes).
QByteArray lit_dans_zip(QuaZip& z, const QString& nom)
{
    if (!z.setCurrentFile(nom))
        return {};
    QuaZipFile fichier(&z);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    QByteArray b = fichier.read(TAILLE_MAX_PARTIE + 1);
    return b.size() > TAILLE_MAX_PARTIE ? QByteArray() : b;
}

// "BC12" -> column 55 (A is 1); 0 when it is not a reference within the
// sheet's limits.
int colonne_de(QStringView ref)
{
    int c = 0;
    for (QChar ch : ref) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        c = c * 26 + (u - u'A' + 1);
        if (c > COLONNES_MAX_FEUILLE)
            return 0;
    }
    return c;
}

}  // namespace

bool lit_xlsx(QIODevice* zip, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    QuaZip z(zip);
    if (!z.open(QuaZip::mdUnzip)) {
        erreur = Texte::tr("classeur illisible");
        return false;
    }
    // The sheet's relation id in the workbook, then its part.
    QString id;
    QXmlStreamReader wb(lit_dans_zip(z, QStringLiteral("xl/workbook.xml")));
    while (!wb.atEnd() && id.isEmpty())
        if (wb.readNext() == QXmlStreamReader::StartElement && wb.name() == QLatin1String("sheet") &&
            wb.attributes().value(QLatin1String("name")) == nom_feuille)
            for (const QXmlStreamAttribute& a : wb.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
    QString partie;
    QXmlStreamReader rels(lit_dans_zip(z, QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd() && partie.isEmpty())
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == QLatin1String("Relationship") &&
            rels.attributes().value(QLatin1String("Id")) == id)
            partie = rels.attributes().value(QLatin1String("Target")).toString();
    if (id.isEmpty() || partie.isEmpty()) {
        erreur = Texte::tr("pas de feuille « %1 »").arg(nom_feuille);
        return false;
    }
    partie = partie.startsWith(u'/') ? partie.mid(1) : QStringLiteral("xl/") + partie;

    // The shared strings (a rich text's runs joined).
    QStringList partagees;
    QXmlStreamReader ss(lit_dans_zip(z, QStringLiteral("xl/sharedStrings.xml")));
    QString courante;
    bool dans_si = false;
    while (!ss.atEnd()) {
        const auto t = ss.readNext();
        if (t == QXmlStreamReader::StartElement && ss.name() == QLatin1String("si")) {
            dans_si = true;
            courante.clear();
        } else if (t == QXmlStreamReader::StartElement && ss.name() == QLatin1String("t") && dans_si) {
            courante += ss.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (t == QXmlStreamReader::EndElement && ss.name() == QLatin1String("si")) {
            partagees << courante;
            dans_si = false;
        }
    }

    // Rows and cells without their optional reference follow the previous
    // one.
    f = Feuille{};
    QXmlStreamReader feuille(lit_dans_zip(z, partie));
    int ligne = 0, colonne = 0;
    QString type, valeur;
    while (!feuille.atEnd()) {
        const auto t = feuille.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (feuille.name() == QLatin1String("row")) {
                const QStringView r = feuille.attributes().value(QLatin1String("r"));
                ligne = r.isEmpty() ? ligne + 1 : r.toInt();
                colonne = 0;
            } else if (feuille.name() == QLatin1String("c")) {
                const QStringView r = feuille.attributes().value(QLatin1String("r"));
                colonne = r.isEmpty() ? colonne + 1 : colonne_de(r);
                type = feuille.attributes().value(QLatin1String("t")).toString();
                valeur.clear();
            } else if (feuille.name() == QLatin1String("v")) {
                valeur = feuille.readElementText();
            } else if (feuille.name() == QLatin1String("is")) {
                valeur = feuille.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (t == QXmlStreamReader::EndElement && feuille.name() == QLatin1String("c")) {
            QString texte;
            if (type == QLatin1String("s")) {
                texte = partagees.value(valeur.toInt());
            } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
                texte = valeur;
            } else if (type == QLatin1String("b")) {
                texte = valeur == QLatin1String("1") ? QStringLiteral("VRAI") : QStringLiteral("FAUX");
            } else {
                bool ok = false;
                const double d = valeur.toDouble(&ok);
                texte = ok ? nombre_court(d) : valeur;
            }
            // Cells outside the limits are left out; too many stop the reading.
            if (ligne >= 1 && ligne <= LIGNES_MAX_FEUILLE && colonne >= 1 && colonne <= COLONNES_MAX_FEUILLE &&
                !f.place(ligne, colonne, texte)) {
                erreur = Texte::tr("feuille « %1 » trop grande pour un classement").arg(nom_feuille);
                return false;
            }
        }
    }
    if (feuille.hasError()) {
        erreur = Texte::tr("feuille « %1 » illisible").arg(nom_feuille);
        return false;
    }
    return true;
}

namespace {
// Excel 2007 and later: a zip of XML parts.
class LecteurXlsx : public LecteurClassement {
public:
    QString nom() const override { return Texte::tr("classeur Excel"); }
    QStringList suffixes() const override { return {QStringLiteral("xlsx")}; }
    bool reconnait(const QByteArray& debut) const override { return debut.startsWith(QByteArrayLiteral("PK\x03\x04")); }
    qint64 taille_max() const override { return TAILLE_MAX_CLASSEUR; }
    bool lit(const ContenuClassement& c, const QString& nom_feuille, Feuille& f, QString& raison) const override
    {
        QBuffer tampon;
        tampon.setData(c.octets);
        tampon.open(QIODevice::ReadOnly);
        return lit_xlsx(&tampon, nom_feuille, f, raison);
    }
};
}  // namespace

const LecteurClassement& lecteur_xlsx()
{
    static const LecteurXlsx l;
    return l;
}

}  // namespace orv
