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
#include <QXmlStreamReader>
#include <charconv>
#include <freexl.h>
#include <gumbo.h>
#include <map>
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
    return true;
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
    return true;
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

Feuille feuille_de_table(const GumboNode* table)
{
    Feuille f;
    std::vector<const GumboNode*> lignes;
    lignes_de(table, lignes);
    for (const GumboNode* tr : lignes) {
        QStringList cellules;
        const GumboVector& e = tr->v.element.children;
        for (unsigned k = 0; k < e.length; ++k) {
            const auto* td = static_cast<const GumboNode*>(e.data[k]);
            if (td->type != GUMBO_NODE_ELEMENT || (td->v.element.tag != GUMBO_TAG_TD && td->v.element.tag != GUMBO_TAG_TH))
                continue;
            QString t;
            texte_de(td, t);
            t.replace(QChar(0xA0), u' ');
            cellules << t.simplified();
            int etendue = 1;
            if (const GumboAttribute* a = gumbo_get_attribute(&td->v.element.attributes, "colspan"))
                etendue = std::clamp(QString::fromUtf8(a->value).toInt(), 1, 1000);
            for (int c = 1; c < etendue; ++c)
                cellules << QString();
        }
        f.lignes.push_back(cellules);
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
        size_t n = 0;
        for (const QStringList& l : candidate.lignes)
            n += size_t(l.size());
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
    for (unsigned int l = 0; l < lignes; ++l) {
        QStringList cellules;
        for (unsigned short c = 0; c < colonnes; ++c) {
            FreeXL_CellValue v{};
            if (freexl_get_cell_value(h, l, c, &v) != FREEXL_OK) {
                cellules << QString();
                continue;
            }
            switch (v.type) {
            case FREEXL_CELL_INT: cellules << QString::number(v.value.int_value); break;
            case FREEXL_CELL_DOUBLE: cellules << nombre_court(v.value.double_value); break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: cellules << QString::fromUtf8(v.value.text_value); break;
            default: cellules << QString(); break;
            }
        }
        f.lignes.push_back(cellules);
    }
    freexl_close(h);
    return true;
}

QByteArray lit_dans_zip(QuaZip& z, const QString& nom)
{
    if (!z.setCurrentFile(nom))
        return {};
    QuaZipFile fichier(&z);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    return fichier.readAll();
}

// "BC12" -> column 55 (A is 1).
int colonne_de(const QString& ref)
{
    int c = 0;
    for (QChar ch : ref) {
        if (!ch.isLetter())
            break;
        c = c * 26 + (ch.toUpper().unicode() - u'A' + 1);
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

    std::map<int, std::map<int, QString>> cellules;
    QXmlStreamReader feuille(lit_dans_zip(z, partie));
    int ligne = 0, colonne = 0;
    QString type, valeur;
    while (!feuille.atEnd()) {
        const auto t = feuille.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (feuille.name() == QLatin1String("row")) {
                ligne = feuille.attributes().value(QLatin1String("r")).toInt();
            } else if (feuille.name() == QLatin1String("c")) {
                colonne = colonne_de(feuille.attributes().value(QLatin1String("r")).toString());
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
            if (ligne > 0 && colonne > 0)
                cellules[ligne][colonne] = texte;
        }
    }
    if (feuille.hasError()) {
        erreur = QStringLiteral("feuille « %1 » illisible").arg(nom_feuille);
        return false;
    }
    f = Feuille{};
    const int nb_lignes = cellules.empty() ? 0 : cellules.rbegin()->first;
    f.lignes.resize(size_t(nb_lignes));
    for (const auto& [l, cs] : cellules) {
        QStringList& r = f.lignes[size_t(l - 1)];
        for (const auto& [c, v] : cs) {
            while (r.size() < c)
                r << QString();
            r[c - 1] = v;
        }
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
    QObject::connect(r, &QNetworkReply::downloadProgress, r, [r, &trop_grande](qint64 recus, qint64 total) {
        if (recus > TAILLE_MAX_PAGE || total > TAILLE_MAX_PAGE) {
            trop_grande = true;
            r->abort();
        }
    });
    QEventLoop boucle;
    QObject::connect(r, &QNetworkReply::finished, &boucle, &QEventLoop::quit);
    if (!r->isFinished())
        boucle.exec();
    if (trop_grande) {
        r->deleteLater();
        erreur = QStringLiteral("page trop grande (plus de %1 Mo)").arg(TAILLE_MAX_PAGE >> 20);
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
    case QNetworkReply::ContentNotFoundError: erreur = QStringLiteral("page introuvable (erreur %1)").arg(statut); break;
    case QNetworkReply::TooManyRedirectsError: erreur = QStringLiteral("trop de redirections"); break;
    case QNetworkReply::SslHandshakeFailedError: erreur = QStringLiteral("échec de la connexion sécurisée"); break;
    default:
        erreur = statut > 0 ? QStringLiteral("le serveur répond par l'erreur %1").arg(statut)
                            : QStringLiteral("erreur réseau (%1)").arg(int(e));
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
        const QString suffixe = QFileInfo(source.adresse).suffix().toLower();
        if (suffixe == QLatin1String("html") || suffixe == QLatin1String("htm")) {
            QByteArray page;
            if (QFileInfo(source.adresse).size() > TAILLE_MAX_PAGE) {
                erreur = QStringLiteral("Classement illisible : « %1 » est trop grand (plus de %2 Mo).")
                             .arg(source.adresse)
                             .arg(TAILLE_MAX_PAGE >> 20);
                return {};
            }
            if (!lit_fichier(source.adresse, page)) {
                erreur = QStringLiteral("Classement introuvable : « %1 » (fichier absent ou illisible).").arg(source.adresse);
                return {};
            }
            if (!feuille_depuis_html(page, QByteArray(), f)) {
                erreur = QStringLiteral("Classement illisible : pas de tableau dans « %1 ».").arg(source.adresse);
                return {};
            }
        } else if (!feuille_depuis_classeur(source.adresse, QStringLiteral("RECLASS"), f, raison)) {
            erreur = QStringLiteral("Classement introuvable : « %1 » (%2).").arg(source.adresse, raison);
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
