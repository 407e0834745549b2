#include "page_html.h"

#include "texte.h"

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

// --- Depth of the raw text -------------------------------------------------

bool un_de(std::string_view n, std::initializer_list<std::string_view> l)
{
    return std::find(l.begin(), l.end(), n) != l.end();
}

bool vide(std::string_view n)
{
    return un_de(n, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
                     "track", "wbr", "basefont", "bgsound", "frame", "keygen"});
}

bool texte_brut(std::string_view n)
{
    // Not "noscript": the parser reads its content as markup.
    return un_de(n, {"script", "style", "textarea", "title", "xmp", "noembed", "noframes", "iframe"});
}

// Elements that stop the search for an end tag's element: the parser
// leaves an end tag alone when one of these lies above its element.
bool borne_de_portee(std::string_view n)
{
    return un_de(n, {"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template", "mi", "mo",
                     "mn", "ms", "mtext", "annotation-xml", "foreignobject", "desc", "title", "button", "ol", "ul"});
}

// The parser's special elements: an end tag of another kind never closes
// an element that lies below one of them.
bool special(std::string_view n)
{
    return borne_de_portee(n) ||
           un_de(n, {"address", "area", "article", "aside", "base", "basefont", "bgsound", "blockquote", "body", "br",
                     "center", "col", "colgroup", "dd", "details", "dir", "div", "dl", "dt", "embed", "fieldset",
                     "figcaption", "figure", "footer", "form", "frame", "frameset", "h1", "h2", "h3", "h4", "h5",
                     "h6", "head", "header", "hgroup", "hr", "iframe", "img", "input", "keygen", "li", "link",
                     "listing", "main", "menu", "meta", "nav", "noembed", "noframes", "noscript", "p", "param",
                     "plaintext", "pre", "script", "search", "section", "select", "source", "style", "summary",
                     "tbody", "textarea", "tfoot", "thead", "tr", "track", "wbr", "xmp"});
}

// Formatting elements: their end tags may move elements rather than close
// them.
bool mise_en_forme(std::string_view n)
{
    return un_de(n, {"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong", "tt", "u"});
}

// Elements that a new `n` closes when they are the current one, as the
// parser's implied end tags do (a cell closes the previous cell, a row the
// previous row and its cells, and so on).
bool ferme_implicitement(std::string_view courant, std::string_view n)
{
    if (n == "td" || n == "th")
        return courant == "td" || courant == "th";
    if (n == "tr")
        return un_de(courant, {"td", "th", "tr"});
    if (n == "thead" || n == "tbody" || n == "tfoot")
        return un_de(courant, {"td", "th", "tr", "thead", "tbody", "tfoot"});
    if (n == "li")
        return courant == "li";
    if (n == "dt" || n == "dd")
        return courant == "dt" || courant == "dd";
    if (n == "option")
        return courant == "option";
    if (n == "p" || un_de(n, {"div", "table", "ul", "ol", "h1", "h2", "h3", "h4", "h5", "h6", "pre", "form"}))
        return courant == "p";
    return false;
}
}  // namespace

int profondeur_html(const QByteArray& utf8, int limite)
{
    // The count must never fall below the parser's depth: wherever the
    // parser's rules are not followed in full, it errs on the deep side.
    // A tag ends at its first '>' (the parser may go further, inside a
    // quoted value, which only makes more of the text count as markup), a
    // comment at its earliest possible end, raw text at the first end tag
    // of its name, and an end tag closes an element only where the parser
    // surely does.
    const char* s = utf8.constData();
    const size_t n = size_t(utf8.size());
    // The open elements, each with whether it lies in SVG or MathML.
    struct Ouvert {
        std::string nom;
        bool etranger;
    };
    std::vector<Ouvert> pile;
    // Formatting elements closed by another element's end: the parser
    // keeps them in its list and opens them again before later content, so
    // they still count, until the cell, caption or object they lie in is
    // closed (one count per such level; level 0 the page).
    std::vector<int> actifs{0};
    int total_actifs = 0;
    auto marqueur = [](std::string_view nom) {
        return un_de(nom, {"td", "th", "caption", "applet", "object", "marquee", "template"});
    };
    auto depile = [&](size_t jusqua, bool par_sa_fin) {
        while (pile.size() > jusqua) {
            const Ouvert& o = pile.back();
            if (marqueur(o.nom) && actifs.size() > 1) {
                total_actifs -= actifs.back();
                actifs.pop_back();
            } else if (mise_en_forme(o.nom) && !(par_sa_fin && pile.size() == jusqua + 1)) {
                ++actifs.back();
                ++total_actifs;
            }
            pile.pop_back();
        }
    };
    int max = 0;
    auto minuscule = [](char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    auto lettre = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    auto nom_de = [&](size_t& i) {
        std::string nom;
        while (i < n && s[i] != '>' && s[i] != '/' && s[i] != ' ' && s[i] != '\t' && s[i] != '\n' && s[i] != '\r' &&
               s[i] != '\f')
            nom += minuscule(s[i++]);
        return nom;
    };
    // Past the first '>'; whether a '/' came right before it.
    auto fin_de_balise = [&](size_t& i) {
        const char* gt = static_cast<const char*>(std::memchr(s + i, '>', n - i));
        if (!gt) {
            i = n;
            return false;
        }
        const size_t f = size_t(gt - s);
        i = f + 1;
        return f > 0 && s[f - 1] == '/';
    };
    auto cherche = [&](size_t depuis, std::string_view motif) {
        for (size_t i = depuis; i + motif.size() <= n; ++i) {
            size_t k = 0;
            while (k < motif.size() && minuscule(s[i + k]) == motif[k])
                ++k;
            if (k == motif.size())
                return i;
        }
        return n;
    };
    // The element an end tag `nom` closes, or -1 when the parser may leave
    // it open.
    auto ferme = [&](const std::string& nom) -> ptrdiff_t {
        if (mise_en_forme(nom))
            return !pile.empty() && pile.back().nom == nom ? ptrdiff_t(pile.size()) - 1 : -1;
        const bool nom_special = special(nom);
        for (size_t k = pile.size(); k-- > 0;) {
            if (pile[k].nom == nom)
                return ptrdiff_t(k);
            if (borne_de_portee(pile[k].nom) || (!nom_special && special(pile[k].nom)))
                return -1;
        }
        return -1;
    };
    size_t i = 0;
    while (i < n) {
        const char* lt = static_cast<const char*>(std::memchr(s + i, '<', n - i));
        if (!lt)
            break;
        i = size_t(lt - s) + 1;
        if (i >= n)
            break;
        if (std::string_view(s + i, std::min<size_t>(3, n - i)) == "!--") {
            // "<!-->" and "<!--->" are whole comments; others end at the
            // first "-->" or "--!>".
            i += 3;
            if (i < n && s[i] == '>')
                i += 1;
            else if (i + 1 < n && s[i] == '-' && s[i + 1] == '>')
                i += 2;
            else
                i = std::min({n, cherche(i, "-->") + 3, cherche(i, "--!>") + 4});
        } else if (s[i] == '!' || s[i] == '?') {
            fin_de_balise(i);
        } else if (s[i] == '/') {
            ++i;
            if (i < n && !lettre(s[i])) {
                fin_de_balise(i);
                continue;
            }
            const std::string nom = nom_de(i);
            fin_de_balise(i);
            if (const ptrdiff_t k = ferme(nom); k >= 0)
                depile(size_t(k), true);
        } else if (lettre(s[i])) {
            const std::string nom = nom_de(i);
            const bool auto_fermante = fin_de_balise(i);
            // "/>" ends an element only in SVG and MathML: "<div/>" opens a
            // div, as the parser takes it.
            const bool etranger = !pile.empty() && pile.back().etranger;
            if (vide(nom) || (auto_fermante && etranger))
                continue;
            while (!pile.empty() && ferme_implicitement(pile.back().nom, nom))
                depile(pile.size() - 1, false);
            pile.push_back({nom, etranger || nom == "svg" || nom == "math"});
            if (marqueur(nom))
                actifs.push_back(0);
            max = std::max(max, int(pile.size()) + total_actifs);
            if (max > limite)
                return max;
            if (texte_brut(nom) && !etranger) {
                // Its text up to its end tag is not markup.
                i = cherche(i, "</" + nom);
                depile(pile.size() - 1, true);
            }
        }
    }
    return max;
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

bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f, QString* raison)
{
    f = Feuille{};
    const QByteArray utf8 = decode(page, jeu_de_caracteres(page, type_contenu)).toUtf8();
    // Refused before the parser, whose time grows with the square of the
    // depth and whose tree would hold the whole page in a chain.
    if (profondeur_html(utf8, PROFONDEUR_MAX_PAGE) > PROFONDEUR_MAX_PAGE) {
        if (raison)
            *raison = QStringLiteral("page trop imbriquée (plus de %1 niveaux)").arg(PROFONDEUR_MAX_PAGE);
        return false;
    }
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
        }
    }
    // Everything the parser made is in the arena, freed with it: no walk of
    // the tree (gumbo's own is recursive).
    if (meilleur == 0 && raison)
        *raison = QStringLiteral("pas de tableau");
    return meilleur > 0;
}

}  // namespace orv
