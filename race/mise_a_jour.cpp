#include "mise_a_jour.h"

#include "donnees.h"
#include "texte.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSslSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>
#include <charconv>
#include <freexl.h>
#include <gumbo.h>
#include <memory>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace orv {

QString Feuille::cellule(int ligne, int colonne) const
{
    if (ligne < 1 || colonne < 1 || ligne > int(lignes.size()))
        return {};
    const QStringList& l = lignes[size_t(ligne - 1)];
    return colonne <= l.size() ? l[colonne - 1] : QString();
}

bool Feuille::place(int ligne, int colonne, const QString& texte)
{
    if (ligne < 1 || colonne < 1 || ligne > LIGNES_MAX_FEUILLE || colonne > COLONNES_MAX_FEUILLE)
        return false;
    const size_t ajout =
        size_t(ligne) <= lignes.size() ? size_t(std::max<qsizetype>(0, colonne - lignes[size_t(ligne - 1)].size()))
                                       : size_t(colonne);
    if (nb_cellules + ajout > CELLULES_MAX_FEUILLE)
        return false;
    if (size_t(ligne) > lignes.size())
        lignes.resize(size_t(ligne));
    QStringList& l = lignes[size_t(ligne - 1)];
    if (l.size() < colonne)
        l.resize(colonne);
    nb_cellules += ajout;
    l[colonne - 1] = texte.simplified();
    return true;
}

namespace {
QString sans_blancs(QString s) { return s.remove(u' '); }
}  // namespace

bool RechercheFeuille::cellule_egale(int ligne, int colonne, const QString& texte)
{
    if (ligne * colonne == 0 || !feuille_recherche)
        return false;
    if (sans_blancs(feuille_recherche->cellule(ligne, colonne)) != sans_blancs(texte))
        return false;
    ligne_trouvee = ligne;
    colonne_trouvee = colonne;
    return true;
}

bool RechercheFeuille::cherche_colonne(int colonne, const QString& texte)
{
    for (int l = 1; l <= 99; ++l)
        if (cellule_egale(l, colonne, texte))
            return true;
    return false;
}

bool RechercheFeuille::cherche_autour(int r, int k, const QString& texte)
{
    const int autour[][2] = {{0, 0},  {-1, 0}, {-2, 0}, {1, 0},  {2, 0},  {0, -1},
                             {0, 1},  {-1, 1}, {1, 1},  {1, -1}, {-1, -1}};
    for (const auto& d : autour)
        if (cellule_egale(r + d[0], k + d[1], texte))
            return true;
    return false;
}

namespace {

// The columns of a sheet layout.
struct Disposition {
    int rang, nom, latitude, longitude, distance, cap, vitesse;
};
constexpr Disposition DISPOSITION_97{1, 8, 9, 10, 11, 12, 13};
constexpr Disposition DISPOSITION_2000{1, 2, 3, 4, 5, 6, 7};

// The 24 blocks from the first entrant's row. An entrant with a position
// takes two rows (its status text under its name), one without (its
// latitude cell holds its status text) one row.
void ecrit_blocs(const Feuille& f, int ligne, const Disposition& d, QStringList& lignes)
{
    for (int n = 0; n < NB_CONCURRENTS; ++n) {
        const QString rang = f.cellule(ligne, d.rang), nom = f.cellule(ligne, d.nom);
        // Past the last entrant of a shorter sheet: no blocks of empty lines.
        if (rang.trimmed().isEmpty() && nom.trimmed().isEmpty())
            break;
        const QString lat = f.cellule(ligne, d.latitude);
        if (est_nombre(lat)) {
            lignes << rang << nom << f.cellule(ligne + 1, d.nom) << lat << f.cellule(ligne, d.longitude)
                   << f.cellule(ligne, d.distance) << f.cellule(ligne, d.cap) << f.cellule(ligne, d.vitesse)
                   << QStringLiteral("2D-3D");
            ligne += 2;
        } else {
            lignes << rang << nom << lat << QStringLiteral("46.28") << QStringLiteral("1.47") << QStringLiteral("0")
                   << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("2D-3D");
            ligne += 1;
        }
    }
}

// The blocks as the day reader will take them: a block with an empty line
// or a position that is not a number would shift every entrant after it.
// A sheet of the other layout, or with cells missing, is refused rather
// than written over the day's good file.
bool blocs_complets(const QStringList& lignes, QString& erreur)
{
    static const char* const NOMS[] = {"rang", "nom", "statut", "latitude", "longitude",
                                       "distance", "cap", "vitesse", "position"};
    if (lignes.isEmpty()) {
        erreur = QStringLiteral("Classement illisible : aucun concurrent sous la ligne « 1 » ; rien n'est écrit.");
        return false;
    }
    for (qsizetype k = 0; k < lignes.size(); ++k) {
        const int champ = int(k % 9);
        const bool vide = lignes[k].trimmed().isEmpty();
        if (vide || (champ >= 3 && champ <= 7 && !est_nombre(QStringView(lignes[k]).trimmed()))) {
            const qsizetype n = k / 9 + 1;
            erreur = QStringLiteral("Classement illisible : %1 du %2 concurrent %3 ; rien n'est écrit.")
                         .arg(QString::fromLatin1(NOMS[champ]))
                         .arg(n == 1 ? QStringLiteral("1er") : QStringLiteral("%1e").arg(n))
                         .arg(vide ? QStringLiteral("vide") : QStringLiteral("« %1 » n'est pas un nombre").arg(lignes[k]));
            return false;
        }
    }
    return true;
}
}  // namespace

bool MAJ_fi_clss(const Feuille& f, QStringList& lignes, QString& erreur)
{
    RechercheFeuille r;
    r.feuille_recherche = &f;
    if (!r.cherche_colonne(DISPOSITION_97.rang, QStringLiteral("1"))) {
        erreur = QStringLiteral("Classement illisible : pas de ligne « 1 » dans la feuille RECLASS (disposition 97).");
        return false;
    }
    lignes.clear();
    ecrit_blocs(f, r.ligne_trouvee, DISPOSITION_97, lignes);
    return blocs_complets(lignes, erreur);
}

bool MAJ_fi_clss_2000(const Feuille& f, QStringList& lignes, QString& erreur)
{
    RechercheFeuille r;
    r.feuille_recherche = &f;
    if (!r.cherche_colonne(DISPOSITION_2000.rang, QStringLiteral("Pos."))) {
        erreur = QStringLiteral("Classement illisible : pas de ligne « Pos. » dans la feuille RECLASS (disposition 2000).");
        return false;
    }
    if (!r.cherche_autour(r.ligne_trouvee + 9, DISPOSITION_2000.rang, QStringLiteral("1"))) {
        erreur = QStringLiteral("Classement illisible : pas de ligne « 1 » sous « Pos. » dans la feuille RECLASS.");
        return false;
    }
    lignes.clear();
    ecrit_blocs(f, r.ligne_trouvee, DISPOSITION_2000, lignes);
    return blocs_complets(lignes, erreur);
}

bool lignes_du_classement(const Feuille& f, int code_excel, QStringList& lignes, QString& erreur)
{
    if (code_excel == 1)
        return MAJ_fi_clss(f, lignes, erreur);
    if (code_excel == 2)
        return MAJ_fi_clss_2000(f, lignes, erreur);
    erreur = QStringLiteral("Actualisation désactivée (posorvls.ini : Excel=non).");
    return false;
}

// --- The web page ---------------------------------------------------------

QString jeu_de_caracteres(const QByteArray& page, const QByteArray& type_contenu)
{
    // A byte-order mark says it before anything else (as browsers take it).
    if (page.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("utf-8");
    if (page.startsWith("\xFF\xFE"))
        return QStringLiteral("utf-16le");
    if (page.startsWith("\xFE\xFF"))
        return QStringLiteral("utf-16be");
    static const QRegularExpression entete(QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9_.:-]+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = entete.match(QString::fromLatin1(type_contenu));
    if (m.hasMatch())
        return m.captured(1).toLower();
    static const QRegularExpression meta(QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    m = meta.match(QString::fromLatin1(page.left(8192)));
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

namespace {
QString decode(const QByteArray& page, const QString& jeu)
{
    if (!jeu.isEmpty() && jeu != QLatin1String("windows-1252") && jeu != QLatin1String("cp1252")) {
        QStringDecoder d(jeu.toLatin1().constData());
        if (d.isValid()) {
            const QString s = d.decode(page);
            if (!d.hasError())
                return s;
        }
    }
    return depuis_cp1252(page.constData(), page.size());
}

// The text of a node and of everything under it, blanks collapsed.
void texte_de(const GumboNode* n, QString& s)
{
    if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA) {
        s += QString::fromUtf8(n->v.text.text);
        return;
    }
    if (n->type != GUMBO_NODE_ELEMENT)
        return;
    if (n->v.element.tag == GUMBO_TAG_BR)
        s += u' ';
    const GumboVector& e = n->v.element.children;
    for (unsigned k = 0; k < e.length; ++k)
        texte_de(static_cast<const GumboNode*>(e.data[k]), s);
}

// The rows of a table, without those of the tables inside it.
void lignes_de(const GumboNode* n, std::vector<const GumboNode*>& lignes)
{
    if (n->type != GUMBO_NODE_ELEMENT)
        return;
    const GumboVector& e = n->v.element.children;
    for (unsigned k = 0; k < e.length; ++k) {
        const auto* c = static_cast<const GumboNode*>(e.data[k]);
        if (c->type != GUMBO_NODE_ELEMENT || c->v.element.tag == GUMBO_TAG_TABLE)
            continue;
        if (c->v.element.tag == GUMBO_TAG_TR)
            lignes.push_back(c);
        else
            lignes_de(c, lignes);
    }
}

void tables_de(const GumboNode* n, std::vector<const GumboNode*>& tables)
{
    if (n->type != GUMBO_NODE_ELEMENT)
        return;
    if (n->v.element.tag == GUMBO_TAG_TABLE)
        tables.push_back(n);
    const GumboVector& e = n->v.element.children;
    for (unsigned k = 0; k < e.length; ++k)
        tables_de(static_cast<const GumboNode*>(e.data[k]), tables);
}

// The span of a cell ("colspan", "rowspan"), 1 to `max` as browsers take it.
int etendue(const GumboNode* td, const char* attribut, int max)
{
    const GumboAttribute* a = gumbo_get_attribute(&td->v.element.attributes, attribut);
    return a ? std::clamp(QString::fromUtf8(a->value).trimmed().toInt(), 1, max) : 1;
}

// A table as a sheet: a cell spanning columns or rows covers them, its text
// in its first cell, the others empty, as a spreadsheet's merged cells. A
// table past the sheet's limits stops there.
Feuille feuille_de_table(const GumboNode* table)
{
    Feuille f;
    std::vector<const GumboNode*> lignes;
    lignes_de(table, lignes);
    std::vector<int> couverte;  // per column (from 0): rows still covered by a cell above
    int l = 0;
    for (const GumboNode* tr : lignes) {
        ++l;
        int c = 0;
        // Columns covered from above are left empty.
        auto saute_couvertes = [&] {
            while (c < int(couverte.size()) && couverte[size_t(c)] > 0)
                ++c;
        };
        const GumboVector& e = tr->v.element.children;
        for (unsigned k = 0; k < e.length; ++k) {
            const auto* td = static_cast<const GumboNode*>(e.data[k]);
            if (td->type != GUMBO_NODE_ELEMENT || (td->v.element.tag != GUMBO_TAG_TD && td->v.element.tag != GUMBO_TAG_TH))
                continue;
            saute_couvertes();
            QString t;
            texte_de(td, t);
            const int colonnes = etendue(td, "colspan", 1000), rangees = etendue(td, "rowspan", 1000);
            if (!f.place(l, c + colonnes, QString()) || !f.place(l, c + 1, t))
                return f;
            if (int(couverte.size()) < c + colonnes)
                couverte.resize(size_t(c + colonnes), 0);
            for (int k2 = 0; k2 < colonnes; ++k2)
                couverte[size_t(c + k2)] = rangees;
            c += colonnes;
        }
        if (f.lignes.size() < size_t(l) && !f.place(l, 1, QString()))
            return f;  // a row without cells stays a row
        for (int& n : couverte)
            n = std::max(0, n - 1);
    }
    return f;
}

// Gumbo allocates and frees small blocks by the thousand while it parses; an
// arena that frees everything at once, after the sheet is taken, saves a
// quarter of the time of a ranking page, for about 3 % more memory.
class Arene {
public:
    static void* alloue(void* arene, size_t n) { return static_cast<Arene*>(arene)->prend(n); }
    static void libere(void*, void*) {}

private:
    void* prend(size_t n)
    {
        n = (n + 15) & ~size_t(15);
        if (n > reste_) {
            const size_t taille = std::max(n, size_t(64) << 10);
            blocs_.push_back(std::make_unique<std::byte[]>(taille));
            libre_ = blocs_.back().get();
            reste_ = taille;
        }
        void* p = libre_;
        libre_ += n;
        reste_ -= n;
        return p;
    }
    std::vector<std::unique_ptr<std::byte[]>> blocs_;
    std::byte* libre_ = nullptr;
    size_t reste_ = 0;
};
}  // namespace

bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f)
{
    const QByteArray utf8 = decode(page, jeu_de_caracteres(page, type_contenu)).toUtf8();
    // Parse errors (an official page rarely is valid HTML) are not kept.
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    Arene arene;
    options.allocator = &Arene::alloue;
    options.deallocator = &Arene::libere;
    options.userdata = &arene;
    GumboOutput* sortie = gumbo_parse_with_options(&options, utf8.constData(), size_t(utf8.size()));
    std::vector<const GumboNode*> tables;
    tables_de(sortie->root, tables);
    // The largest table, by its number of cells.
    size_t meilleur = 0;
    f = Feuille{};
    for (const GumboNode* t : tables) {
        Feuille candidate = feuille_de_table(t);
        const size_t n = candidate.nb_cellules;
        if (n > meilleur) {
            meilleur = n;
            f = std::move(candidate);
        }
    }
    gumbo_destroy_output(&options, sortie);
    return meilleur > 0;
}

// --- The workbook ---------------------------------------------------------

namespace {
// The shortest text that reads back as the same double.
QString nombre_court(double v)
{
    char b[64];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return QString::fromLatin1(b, int(r.ptr - b));
}

bool lit_xls(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    const void* h = nullptr;
    if (freexl_open(QFile::encodeName(chemin).constData(), &h) != FREEXL_OK) {
        if (h)
            freexl_close(h);
        erreur = QStringLiteral("classeur illisible");
        return false;
    }
    unsigned int nb = 0;
    freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &nb);
    bool trouvee = false;
    for (unsigned short k = 0; k < nb && !trouvee; ++k) {
        const char* nom = nullptr;
        if (freexl_get_worksheet_name(h, k, &nom) == FREEXL_OK && nom && QString::fromUtf8(nom) == nom_feuille) {
            trouvee = freexl_select_active_worksheet(h, k) == FREEXL_OK;
        }
    }
    if (!trouvee) {
        freexl_close(h);
        erreur = QStringLiteral("pas de feuille « %1 »").arg(nom_feuille);
        return false;
    }
    unsigned int lignes = 0;
    unsigned short colonnes = 0;
    freexl_worksheet_dimensions(h, &lignes, &colonnes);
    f = Feuille{};
    bool complete = true;
    for (unsigned int l = 0; l < lignes && complete; ++l) {
        for (unsigned short c = 0; c < colonnes && complete; ++c) {
            FreeXL_CellValue v{};
            if (freexl_get_cell_value(h, l, c, &v) != FREEXL_OK)
                continue;
            QString texte;
            switch (v.type) {
            case FREEXL_CELL_INT: texte = QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: texte = nombre_court(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: texte = QString::fromUtf8(v.value.text_value); break;
            default: continue;
            }
            complete = f.place(int(l) + 1, int(c) + 1, texte);
        }
    }
    freexl_close(h);
    if (!complete)
        erreur = QStringLiteral("feuille « %1 » trop grande pour un classement").arg(nom_feuille);
    return complete;
}

// A part of a zip, whole; empty when missing or larger than a ranking
// workbook's part can be (a small zip can unpack to gigabytes).
QByteArray lit_dans_zip(QuaZip& z, const QString& nom)
{
    constexpr qint64 TAILLE_MAX_PARTIE = qint64(32) << 20;
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

bool lit_xlsx(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    QuaZip z(chemin);
    if (!z.open(QuaZip::mdUnzip)) {
        erreur = QStringLiteral("classeur illisible");
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
        erreur = QStringLiteral("pas de feuille « %1 »").arg(nom_feuille);
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
                erreur = QStringLiteral("feuille « %1 » trop grande pour un classement").arg(nom_feuille);
                return false;
            }
        }
    }
    if (feuille.hasError()) {
        erreur = QStringLiteral("feuille « %1 » illisible").arg(nom_feuille);
        return false;
    }
    return true;
}
}  // namespace

bool feuille_depuis_classeur(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& erreur)
{
    if (!QFileInfo(chemin).isFile()) {
        erreur = QStringLiteral("fichier absent");
        return false;
    }
    if (QFileInfo(chemin).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return lit_xlsx(chemin, nom_feuille, f, erreur);
    return lit_xls(chemin, nom_feuille, f, erreur);
}

// --- The network -----------------------------------------------------------

bool telecharge(const QString& url, int delai_ms, QByteArray& page, QByteArray& type_contenu, QString& erreur)
{
    const QUrl u(url);
    if (u.scheme() == QLatin1String("https") && !QSslSocket::supportsSsl()) {
        erreur = QStringLiteral("connexion sécurisée (https) impossible sur ce système");
        return false;
    }
    QNetworkAccessManager acces;
    QNetworkRequest requete(u);
    requete.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    requete.setMaximumRedirectsAllowed(10);
    requete.setTransferTimeout(delai_ms);
    requete.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvalis"));
    QNetworkReply* r = acces.get(requete);
    // A server that never stops sending would fill the memory: the transfer
    // stops past the size no ranking page reaches.
    bool trop_grande = false;
    qint64 deja_recus = 0;
    QObject::connect(r, &QNetworkReply::downloadProgress, r, [r, &trop_grande, &deja_recus](qint64 recus, qint64 total) {
        deja_recus = recus;
        if (recus > TAILLE_MAX_PAGE || total > TAILLE_MAX_PAGE) {
            trop_grande = true;
            r->abort();
        }
    });
    // The delay bounds the whole transfer too: a server sending a byte now
    // and then would otherwise hold the update for ever.
    bool trop_long = false;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, r, [r, &trop_long] {
        trop_long = true;
        r->abort();
    });
    limite.start(delai_ms);
    QEventLoop boucle;
    QObject::connect(r, &QNetworkReply::finished, &boucle, &QEventLoop::quit);
    if (!r->isFinished())
        boucle.exec();
    limite.stop();
    if (trop_grande || trop_long) {
        r->deleteLater();
        const QString secondes = QString::number(delai_ms / 1000.0, 'g', 3);
        erreur = trop_grande      ? QStringLiteral("page trop grande, plus de %1 Mo").arg(TAILLE_MAX_PAGE >> 20)
                 : deja_recus > 0 ? QStringLiteral("page incomplète après %1 s").arg(secondes)
                                  : QStringLiteral("pas de réponse en %1 s").arg(secondes);
        return false;
    }
    const QNetworkReply::NetworkError e = r->error();
    const int statut = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    page = r->isOpen() ? r->readAll() : QByteArray();
    type_contenu = r->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    r->deleteLater();
    switch (e) {
    case QNetworkReply::NoError: return true;
    case QNetworkReply::HostNotFoundError: erreur = QStringLiteral("serveur introuvable"); break;
    case QNetworkReply::ConnectionRefusedError: erreur = QStringLiteral("connexion refusée"); break;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        erreur = QStringLiteral("pas de réponse en %1 s").arg(delai_ms / 1000.0, 0, 'g', 3);
        break;
    case QNetworkReply::ContentNotFoundError: erreur = QStringLiteral("page introuvable, erreur %1").arg(statut); break;
    case QNetworkReply::TooManyRedirectsError: erreur = QStringLiteral("trop de redirections"); break;
    case QNetworkReply::SslHandshakeFailedError: erreur = QStringLiteral("échec de la connexion sécurisée"); break;
    default:
        // A success status with an error: the transfer broke off.
        erreur = statut >= 400              ? QStringLiteral("le serveur répond par l'erreur %1").arg(statut)
                 : statut >= 200 && statut < 300 ? QStringLiteral("transfert interrompu")
                                                 : QStringLiteral("erreur réseau %1").arg(int(e));
        break;
    }
    return false;
}

// --- The update -------------------------------------------------------------

bool SourceClassement::est_url() const
{
    return adresse.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           adresse.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

SourceClassement source_du_classement(const QString& donnee, const QString& url_reglages, int code_excel,
                                      const QString& rep_courant)
{
    if (!donnee.isEmpty())
        return {donnee};
    if (!url_reglages.isEmpty())
        return {url_reglages};
    const QString base = code_excel == 2 ? QStringLiteral("DonneesClassement2000") : QStringLiteral("DonneesClassement");
    const QString xls = QDir(rep_courant).filePath(base + QStringLiteral(".xls"));
    const QString xlsx = QDir(rep_courant).filePath(base + QStringLiteral(".xlsx"));
    if (!QFileInfo(xls).isFile() && QFileInfo(xlsx).isFile())
        return {xlsx};
    return {xls};
}

namespace {
// The day file written through a temporary file renamed into place: a
// failure or a kill leaves the previous file as it was.
bool ecrit_jour(const QString& chemin, const QStringList& lignes, QString& erreur)
{
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) {
        erreur = QFileInfo::exists(chemin) ? QString::fromUtf8(MESSAGE_EFFACEMENT)
                                           : QStringLiteral("Écriture impossible dans « %1 ».").arg(QFileInfo(chemin).absolutePath());
        return false;
    }
    for (const QString& l : lignes) {
        f.write(vers_cp1252(l));
        f.write("\r\n", 2);
    }
    if (!f.commit()) {
        // The new content is complete; only putting it in the old file's
        // place failed.
        erreur = QFileInfo::exists(chemin) && f.error() == QFileDevice::RenameError
                     ? QString::fromUtf8(MESSAGE_EFFACEMENT)
                     : QStringLiteral("Écriture impossible de « %1 » (disque plein ?).").arg(chemin);
        return false;
    }
    return true;
}
}  // namespace

QString actualise_classement(const SourceClassement& source, int code_excel, const QDate& jour, const QString& rep,
                             int delai_ms, QString& erreur)
{
    if (code_excel != 1 && code_excel != 2) {
        erreur = QStringLiteral("Actualisation désactivée (posorvls.ini : Excel=non).");
        return {};
    }
    Feuille f;
    QString raison;
    if (source.est_url()) {
        QByteArray page, type;
        if (!telecharge(source.adresse, delai_ms, page, type, raison)) {
            erreur = QStringLiteral("Classement introuvable : %1 (%2).").arg(source.adresse, raison);
            return {};
        }
        if (!feuille_depuis_html(page, type, f)) {
            erreur = QStringLiteral("Classement illisible : pas de tableau dans la page %1.").arg(source.adresse);
            return {};
        }
    } else {
        // A file, by its path or its file:// address.
        const QString chemin = source.adresse.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                                   ? QUrl(source.adresse).toLocalFile()
                                   : source.adresse;
        const QFileInfo fi(chemin);
        const QString suffixe = fi.suffix().toLower();
        if (fi.exists() && !fi.isFile()) {
            erreur = QStringLiteral("Classement introuvable : « %1 » n'est pas un fichier.").arg(chemin);
            return {};
        }
        if (suffixe == QLatin1String("html") || suffixe == QLatin1String("htm")) {
            QByteArray page;
            if (fi.size() > TAILLE_MAX_PAGE) {
                erreur = QStringLiteral("Classement illisible : « %1 » est trop grand, plus de %2 Mo.")
                             .arg(chemin)
                             .arg(TAILLE_MAX_PAGE >> 20);
                return {};
            }
            if (!lit_fichier(chemin, page)) {
                erreur = QStringLiteral("Classement introuvable : « %1 » (%2).")
                             .arg(chemin, fi.exists() ? QStringLiteral("fichier illisible") : QStringLiteral("fichier absent"));
                return {};
            }
            if (!feuille_depuis_html(page, QByteArray(), f)) {
                erreur = QStringLiteral("Classement illisible : pas de tableau dans « %1 ».").arg(chemin);
                return {};
            }
        } else if (!feuille_depuis_classeur(chemin, QStringLiteral("RECLASS"), f, raison)) {
            erreur = QStringLiteral("Classement introuvable : « %1 » (%2).").arg(chemin, raison);
            return {};
        }
    }
    QStringList lignes;
    if (!lignes_du_classement(f, code_excel, lignes, erreur))
        return {};
    QDir().mkpath(rep);
    const QString chemin = rep + u'/' + code_du_jour(jour.day(), jour.month(), jour.year()) + QStringLiteral(".txt");
    if (!ecrit_jour(chemin, lignes, erreur))
        return {};
    return chemin;
}

}  // namespace orv
