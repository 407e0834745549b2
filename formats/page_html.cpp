#include "page_html.h"

#include "lecteurs.h"
#include "telechargement.h"
#include "texte.h"
#include "traduction.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <gumbo.h>
#include <memory>
#include <string_view>
#include <vector>

namespace orv {

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
    if (!m.hasMatch())
        return {};
    // A meta tag readable as ASCII cannot be in UTF-16: the page is UTF-8.
    const QString jeu = m.captured(1).toLower();
    return jeu.startsWith(QLatin1String("utf-16")) ? QStringLiteral("utf-8") : jeu;
}

namespace {
QString decode(const QByteArray& page, const QString& jeu)
{
    if (jeu == QLatin1String("utf-8") || jeu == QLatin1String("utf8")) {
        const qsizetype marque = page.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        return depuis_utf8_ou_cp1252(marque ? page.mid(marque) : page);
    }
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

// --- The page reduced to its tables --------------------------------------

bool blanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool lettre(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char minuscule(char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); }

bool un_de(std::string_view n, std::initializer_list<std::string_view> l)
{
    return std::find(l.begin(), l.end(), n) != l.end();
}

// A tag's name and attributes, read as the parser's tokenizer reads them:
// quotes count only around an attribute's value, the tag ends at the first
// '>' outside one.
struct Balise {
    std::string nom;
    std::vector<std::pair<std::string, std::string>> attributs;
};

Balise lit_balise(const char* s, size_t n, size_t& i)
{
    Balise b;
    while (i < n && !blanc(s[i]) && s[i] != '/' && s[i] != '>')
        b.nom += minuscule(s[i++]);
    for (;;) {
        while (i < n && (blanc(s[i]) || s[i] == '/'))
            ++i;
        if (i >= n)
            return b;
        if (s[i] == '>') {
            ++i;
            return b;
        }
        std::string nom(1, minuscule(s[i++]));
        while (i < n && !blanc(s[i]) && s[i] != '/' && s[i] != '>' && s[i] != '=')
            nom += minuscule(s[i++]);
        while (i < n && blanc(s[i]))
            ++i;
        std::string valeur;
        if (i < n && s[i] == '=') {
            ++i;
            while (i < n && blanc(s[i]))
                ++i;
            if (i < n && (s[i] == '"' || s[i] == '\'')) {
                const char q = s[i++];
                while (i < n && s[i] != q)
                    valeur += s[i++];
                if (i < n)
                    ++i;
            } else {
                while (i < n && !blanc(s[i]) && s[i] != '>')
                    valeur += s[i++];
            }
        }
        b.attributs.emplace_back(std::move(nom), std::move(valeur));
    }
}

// Where the text of a raw-text element `nom` ends: at its first end tag,
// case aside.
size_t fin_texte_brut(const char* s, size_t n, size_t i, std::string_view nom)
{
    for (; i + 2 + nom.size() <= n; ++i) {
        if (s[i] != '<' || s[i + 1] != '/')
            continue;
        size_t k = 0;
        while (k < nom.size() && minuscule(s[i + 2 + k]) == nom[k])
            ++k;
        if (k == nom.size())
            return i;
    }
    return n;
}

// Text as the parser gives it back: '<' and '&' (when asked) escaped.
void ajoute_texte(QByteArray& r, const char* p, size_t n, bool esperluettes)
{
    for (size_t k = 0; k < n; ++k) {
        if (p[k] == '<')
            r += "&lt;";
        else if (p[k] == '&' && esperluettes)
            r += "&amp;";
        else
            r += p[k];
    }
}
}  // namespace

QByteArray reduit_aux_tableaux(const QByteArray& utf8, int* tables_imbriquees)
{
    const char* s = utf8.constData();
    const size_t n = size_t(utf8.size());
    QByteArray r;
    r.reserve(utf8.size());
    int ouvertes = 0, max = 0;
    // Inside a <select> the parser ignores most start tags: their raw text
    // is none there, except a script's.
    bool dans_select = false;
    // Where the tables stand: 'T' a table's structure, 'C' one of its cells
    // or its caption.
    std::string tables;
    auto ferme_cellule = [&] {
        if (!tables.empty() && tables.back() == 'C')
            tables.pop_back();
    };
    size_t i = 0;
    while (i < n) {
        const char* lt = static_cast<const char*>(std::memchr(s + i, '<', n - i));
        const size_t debut = lt ? size_t(lt - s) : n;
        r.append(s + i, qsizetype(debut - i));
        if (!lt)
            break;
        i = debut + 1;
        if (i < n && s[i] == '!' && std::string_view(s + i, std::min<size_t>(3, n - i)) == "!--") {
            // A comment: "<!-->" and "<!--->" whole, others to "-->" or
            // "--!>".
            i += 3;
            if (i < n && s[i] == '>') {
                i += 1;
                continue;
            }
            if (i + 1 < n && s[i] == '-' && s[i + 1] == '>') {
                i += 2;
                continue;
            }
            const std::string_view reste(s + i, n - i);
            const size_t a = reste.find("-->"), b = reste.find("--!>");
            i = std::min(a == std::string_view::npos ? n : i + a + 3, b == std::string_view::npos ? n : i + b + 4);
        } else if (i < n && (s[i] == '!' || s[i] == '?' || (s[i] == '/' && i + 1 < n && !lettre(s[i + 1]) &&
                                                              s[i + 1] != '>'))) {
            // A declaration, a processing instruction, a bogus end tag: to
            // the first '>'.
            const char* gt = static_cast<const char*>(std::memchr(s + i, '>', n - i));
            i = gt ? size_t(gt - s) + 1 : n;
        } else if (i + 1 < n && s[i] == '/' && s[i + 1] == '>') {
            i += 2;  // "</>": nothing
        } else if (i < n && s[i] == '/') {
            ++i;
            const Balise b = lit_balise(s, n, i);
            if (b.nom == "select")
                dans_select = false;
            if (un_de(b.nom, {"table", "tr", "td", "th", "tbody", "thead", "tfoot", "caption"})) {
                dans_select = false;
                r += "</" + QByteArray::fromStdString(b.nom) + '>';
                ferme_cellule();
                if (b.nom == "table") {
                    ouvertes = std::max(0, ouvertes - 1);
                    const size_t t = tables.rfind('T');
                    tables.resize(t == std::string::npos ? tables.size() : t);
                }
            } else if (b.nom == "br" && !dans_select) {
                r += "<br>";  // as the parser takes "</br>"
            }
        } else if (i < n && lettre(s[i])) {
            const Balise b = lit_balise(s, n, i);
            const bool select_avant = dans_select;
            if (un_de(b.nom, {"select", "input", "keygen", "textarea", "table", "tr", "td", "th", "tbody", "thead",
                              "tfoot", "caption"}))
                dans_select = b.nom == "select" && !select_avant;
            if (select_avant && !dans_select && b.nom == "select") {
                // "<select>" inside one only closes it.
            } else if (un_de(b.nom, {"table", "tr", "tbody", "thead", "tfoot", "caption"}) ||
                       (b.nom == "br" && !dans_select)) {
                r += '<' + QByteArray::fromStdString(b.nom) + '>';
                if (b.nom == "table") {
                    max = std::max(max, ++ouvertes);
                    tables += 'T';
                } else if (b.nom == "caption") {
                    ferme_cellule();
                    if (!tables.empty())
                        tables += 'C';
                } else if (b.nom != "br") {
                    ferme_cellule();
                }
            } else if (b.nom == "td" || b.nom == "th") {
                ferme_cellule();
                if (!tables.empty())
                    tables += 'C';
                r += '<' + QByteArray::fromStdString(b.nom);
                for (const auto& [nom, valeur] : b.attributs)
                    if (nom == "colspan" || nom == "rowspan")
                        r += ' ' + QByteArray::fromStdString(nom) + "=\"" +
                             QByteArray::number(QString::fromStdString(valeur).trimmed().toInt()) + '"';
                r += '>';
            } else if (b.nom == "script" ||
                       (!dans_select && un_de(b.nom, {"style", "xmp", "iframe", "noembed", "noframes", "title", "textarea"}))) {
                // Raw text: the parser's text node, kept as text.
                const size_t f = fin_texte_brut(s, n, i, b.nom);
                // A script or a style in a table's structure is the table's;
                // other raw-text elements go before the table, as its text.
                if (tables.empty() || tables.back() == 'C' || (b.nom != "script" && b.nom != "style"))
                    ajoute_texte(r, s + i, f - i, b.nom != "title" && b.nom != "textarea");
                i = f;
            } else if (b.nom == "plaintext") {
                ajoute_texte(r, s + i, n - i, true);
                i = n;
            }
        } else {
            r += "&lt;";
        }
    }
    if (tables_imbriquees)
        *tables_imbriquees = max;
    return r;
}

namespace {
// --- The parsed tree, walked without recursion --------------------------

const GumboVector& enfants(const GumboNode* n) { return n->v.element.children; }
const GumboNode* enfant(const GumboNode* n, unsigned k) { return static_cast<const GumboNode*>(enfants(n).data[k]); }
bool element(const GumboNode* n) { return n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE; }
bool est(const GumboNode* n, GumboTag t) { return element(n) && n->v.element.tag == t; }

// Visits the nodes under `racine` (not itself) in document order; `visite`
// returns false to leave a node's children out.
template <class F>
void parcourt(const GumboNode* racine, F visite)
{
    if (!element(racine))
        return;
    std::vector<const GumboNode*> pile;
    for (unsigned k = enfants(racine).length; k-- > 0;)
        pile.push_back(enfant(racine, k));
    while (!pile.empty()) {
        const GumboNode* n = pile.back();
        pile.pop_back();
        if (!visite(n) || !element(n))
            continue;
        for (unsigned k = enfants(n).length; k-- > 0;)
            pile.push_back(enfant(n, k));
    }
}

// The text of a cell, without the text of the tables inside it.
QString texte_de(const GumboNode* cellule)
{
    QString s;
    parcourt(cellule, [&](const GumboNode* n) {
        if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA) {
            s += QString::fromUtf8(n->v.text.text);
            return false;
        }
        if (est(n, GUMBO_TAG_BR))
            s += u' ';
        return !est(n, GUMBO_TAG_TABLE);
    });
    return s;
}

// The rows of a table, without those of the tables inside it.
std::vector<const GumboNode*> lignes_de(const GumboNode* table)
{
    std::vector<const GumboNode*> lignes;
    parcourt(table, [&](const GumboNode* n) {
        if (!element(n) || est(n, GUMBO_TAG_TABLE))
            return false;
        if (est(n, GUMBO_TAG_TR)) {
            lignes.push_back(n);
            return false;
        }
        return true;
    });
    return lignes;
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
    std::vector<int> couverte;  // per column (from 0): rows still covered by a cell above
    int l = 0;
    for (const GumboNode* tr : lignes_de(table)) {
        ++l;
        int c = 0;
        // Columns covered from above are left empty.
        auto saute_couvertes = [&] {
            while (c < int(couverte.size()) && couverte[size_t(c)] > 0)
                ++c;
        };
        for (unsigned k = 0; k < enfants(tr).length; ++k) {
            const GumboNode* td = enfant(tr, k);
            if (!est(td, GUMBO_TAG_TD) && !est(td, GUMBO_TAG_TH))
                continue;
            saute_couvertes();
            const int colonnes = etendue(td, "colspan", 1000), rangees = etendue(td, "rowspan", 1000);
            if (!f.place(l, c + colonnes, QString()) || !f.place(l, c + 1, texte_de(td)))
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

bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f, QString* raison,
                         bool* fermee)
{
    f = Feuille{};
    // The parser sees the tables alone: its time grows with the square of
    // the depth, and only nested tables can still make a page deep.
    int tables = 0;
    const QString texte = decode(page, jeu_de_caracteres(page, type_contenu));
    const QByteArray utf8 = reduit_aux_tableaux(texte.toUtf8(), &tables);
    if (tables > TABLES_IMBRIQUEES_MAX) {
        if (raison)
            *raison = Texte::tr("page trop imbriquée (plus de %1 tableaux l'un dans l'autre)").arg(TABLES_IMBRIQUEES_MAX);
        return false;
    }
    if (!feuille_du_texte(utf8, f, fermee)) {
        if (raison)
            *raison = Texte::tr("pas de tableau");
        return false;
    }
    // Without the table's end tag, the page's own after the last table
    // opened says that nothing was cut.
    if (fermee && !*fermee) {
        const qsizetype table = texte.lastIndexOf(QLatin1String("<table"), -1, Qt::CaseInsensitive);
        *fermee = texte.indexOf(QLatin1String("</body"), table, Qt::CaseInsensitive) >= 0 ||
                  texte.indexOf(QLatin1String("</html"), table, Qt::CaseInsensitive) >= 0;
    }
    return true;
}

bool feuille_du_texte(const QByteArray& utf8, Feuille& f, bool* fermee)
{
    f = Feuille{};
    // Parse errors (an official page rarely is valid HTML) are not kept.
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    Arene arene;
    options.allocator = &Arene::alloue;
    options.deallocator = &Arene::libere;
    options.userdata = &arene;
    GumboOutput* sortie = gumbo_parse_with_options(&options, utf8.constData(), size_t(utf8.size()));
    std::vector<const GumboNode*> tables;
    if (est(sortie->root, GUMBO_TAG_TABLE))
        tables.push_back(sortie->root);
    parcourt(sortie->root, [&](const GumboNode* n) {
        if (est(n, GUMBO_TAG_TABLE))
            tables.push_back(n);
        return element(n);
    });
    // The largest table, by its number of cells.
    size_t meilleur = 0;
    for (const GumboNode* t : tables) {
        Feuille candidate = feuille_de_table(t);
        const size_t n = candidate.nb_cellules;
        if (n > meilleur) {
            meilleur = n;
            f = std::move(candidate);
            if (fermee)
                *fermee = t->v.element.original_end_tag.length > 0;
        }
    }
    // Everything the parser made is in the arena, freed with it: no walk of
    // the tree (gumbo's own is recursive).
    return meilleur > 0;
}

namespace {
// A ranking web page, refused when cut inside its table: whole only when
// the table (or the page after it) is closed, or when the server announced
// the length that came.
class LecteurPage : public LecteurClassement {
public:
    QString nom() const override { return Texte::tr("page web"); }
    QStringList suffixes() const override { return {QStringLiteral("html"), QStringLiteral("htm")}; }
    bool reconnait(const QByteArray& debut) const override
    {
        // Its first sign a tag, past a byte-order mark, blanks and the
        // zero bytes of UTF-16.
        QByteArrayView d(debut);
        for (const char* bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
            if (d.startsWith(QByteArrayView(bom)))
                d = d.sliced(qstrlen(bom));
        for (char c : d) {
            if (c == '<')
                return true;
            if (c != 0 && !blanc(c))
                return false;
        }
        return false;
    }
    qint64 taille_max() const override { return TAILLE_MAX_PAGE; }
    bool lit(const ContenuClassement& c, const QString&, Feuille& f, QString& raison) const override
    {
        bool fermee = false;
        if (!feuille_depuis_html(c.octets, c.type_contenu, f, &raison, &fermee))
            return false;
        if (!fermee && !c.longueur_annoncee) {
            raison = Texte::tr("page coupée (son tableau n'est pas fermé)");
            return false;
        }
        return true;
    }
};
}  // namespace

const LecteurClassement& lecteur_page()
{
    static const LecteurPage l;
    return l;
}

}  // namespace orv
