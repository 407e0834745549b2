// The update of a day file from the official ranking: the cell search, the
// two sheet layouts, the checks of the lines before a day file is replaced,
// the pages and workbooks (fixtures made by
// tools/classement/fabrique_classements.py) in their encodings, a local web
// server, and the command in the window.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "aide_fichiers.h"
#include "aide_html.h"
#include "calend.h"
#include "classement.h"
#include "donnees.h"
#include "ecriture.h"
#include "classeur.h"
#include "lecteurs.h"
#include "mise_a_jour.h"
#include "page_html.h"
#include "texte.h"
#include "trajets.h"
#include "fichier_jour.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <map>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <sys/stat.h>

using namespace orv;

namespace {

const QString ESSAIS = QStringLiteral(ORVALIS_SOURCES "/tests/donnees");
const QDate JOUR_ESSAIS(2000, 11, 12);  // the day the fixtures were made from

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Feuille feuille(std::initializer_list<QStringList> lignes)
{
    Feuille f;
    for (const QStringList& l : lignes)
        f.lignes.push_back(l);
    return f;
}

// The day the fixtures were made from, as the reader loads it.
JourCourse jour_de_reference()
{
    JourCourse j(course_livree().nb());
    lit_jour(course_livree(), j, contenu(QStringLiteral(ORVALIS_DONNEES "/121100.txt")), "121100.txt");
    return j;
}

// Every field of the 24 entrants alike.
void memes_concurrents(const JourCourse& a, const JourCourse& b)
{
    ASSERT_EQ(a.nb_classes, b.nb_classes);
    for (int k = 1; k <= course_livree().nb(); ++k) {
        SCOPED_TRACE(k);
        const TDonnees_conc &x = a.donnees_conc[size_t(k)], &y = b.donnees_conc[size_t(k)];
        EXPECT_EQ(x.rang, y.rang);
        EXPECT_EQ(x.non_classe, y.non_classe);
        EXPECT_EQ(x.marque_A, y.marque_A);
        EXPECT_EQ(x.skipper, y.skipper);
        EXPECT_EQ(x.bateau, y.bateau);
        EXPECT_EQ(x.date_txt, y.date_txt);
        EXPECT_EQ(x.elem.latitude, y.elem.latitude);
        EXPECT_EQ(x.elem.longitude, y.elem.longitude);
        EXPECT_EQ(x.distance, y.distance);
        EXPECT_EQ(x.cap, y.cap);
        EXPECT_EQ(x.vitesse, y.vitesse);
    }
}

// The day file a sheet gives, read back.
JourCourse lu_depuis(const QStringList& lignes)
{
    JourCourse lu(course_livree().nb());
    lit_jour(course_livree(), lu, octets_cp1252(lignes), "121100.txt");
    return lu;
}

// A small web server on 127.0.0.1, in the test's own thread (the download
// runs an event loop, which serves it).
class Serveur {
public:
    Serveur()
    {
        EXPECT_TRUE(s_.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&s_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* c = s_.nextPendingConnection())
                QObject::connect(c, &QTcpSocket::readyRead, c, [this, c] { repond(c); });
        });
    }
    QString url(const QString& chemin) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(s_.serverPort()).arg(chemin); }
    struct Reponse {
        QByteArray statut, entetes, corps;
        bool muet = false;          // never answers
        bool sans_longueur = false;  // no Content-Length: the end of the connection ends the body
        bool goutte = false;         // a byte every 100 ms, never the whole body
        qint64 annonce = -1;         // a Content-Length other than the body's
    };
    std::map<QString, Reponse> pages;

private:
    void repond(QTcpSocket* c)
    {
        const QByteArray req = c->readAll();
        const QString chemin = QString::fromLatin1(req.split(' ').value(1));
        const auto p = pages.find(chemin);
        if (p != pages.end() && p->second.muet)
            return;
        const Reponse r = p != pages.end() ? p->second : Reponse{"404 Not Found", "", "absent"};
        if (r.goutte) {
            c->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            auto* t = new QTimer(c);
            QObject::connect(t, &QTimer::timeout, c, [c] { c->write("x"); });
            t->start(100);
            return;
        }
        const QByteArray longueur =
            r.sans_longueur ? QByteArray()
                            : "Content-Length: " + QByteArray::number(r.annonce >= 0 ? r.annonce : r.corps.size()) + "\r\n";
        c->write("HTTP/1.1 " + r.statut + "\r\n" + r.entetes + longueur + "Connection: close\r\n\r\n" + r.corps);
        c->disconnectFromHost();
    }
    QTcpServer s_;
};

}  // namespace

TEST(Classement, ComparaisonEtRechercheDesCellules)
{
    const Feuille f = feuille({{"Pos .", "x"}, {" 1", "y"}, {"2", "w"}, {"1", "z"}});
    RechercheFeuille r;
    r.feuille_recherche = &f;
    EXPECT_TRUE(r.cellule_egale(1, 1, "Pos."));  // blanks removed on both sides
    EXPECT_TRUE(r.cellule_egale(2, 1, "1"));
    EXPECT_FALSE(r.cellule_egale(1, 1, "pos."));  // case counts
    EXPECT_FALSE(r.cellule_egale(0, 1, ""));      // row 0 never matches
    EXPECT_TRUE(r.cherche_colonne(1, "1"));
    EXPECT_EQ(r.ligne_trouvee, 2);
    EXPECT_EQ(r.colonne_trouvee, 1);
    // Around (3, 2): (3,2), (2,2), (1,2), (4,2) no, (5,2) outside, (3,1)
    // no, (3,3), (2,3), (4,3) outside, (4,1) is "1".
    EXPECT_TRUE(r.cherche_autour(3, 2, "1"));
    EXPECT_EQ(r.ligne_trouvee, 4);
    EXPECT_EQ(r.colonne_trouvee, 1);
    // The order: (r-1, k) before (r+1, k).
    const Feuille g = feuille({{"a"}, {"1"}, {"b"}, {"1"}});
    r.feuille_recherche = &g;
    ASSERT_TRUE(r.cherche_autour(3, 1, "1"));
    EXPECT_EQ(r.ligne_trouvee, 2);
    // Column 0 is never tested: an empty text around column 1 of a full
    // sheet is found nowhere (column 0 would read empty).
    const Feuille pleine = feuille({{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}, {"i", "j"}});
    r.feuille_recherche = &pleine;
    EXPECT_FALSE(r.cherche_autour(3, 1, ""));
}

TEST(Classement, PagesDesDeuxDispositions)
{
    const JourCourse ref = jour_de_reference();
    for (auto [fichier, code] : {std::pair{"classement97.html", 1}, std::pair{"classement2000.html", 2}}) {
        SCOPED_TRACE(fichier);
        Feuille f;
        ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/" + fichier), QByteArray(), f));
        QStringList lignes;
        QString err;
        ASSERT_TRUE(lignes_du_classement(course_livree(), f, code, JOUR_ESSAIS, lignes, err)) << err.toStdString();
        EXPECT_EQ(lignes.size(), 24 * 9);
        memes_concurrents(lu_depuis(lignes), ref);
    }
}

TEST(Classement, TroisiemeSansPositionEtAccents)
{
    Feuille f;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement97-troisieme-sans-position.html"), QByteArray(), f));
    QStringList l;
    QString err;
    ASSERT_TRUE(MAJ_fi_clss(course_livree(), f, l, err));
    // The third block: its status in line 3, the harbour's position, zeros.
    const QStringList troisieme = l.mid(18, 9);
    EXPECT_EQ(troisieme[0], "3");
    EXPECT_EQ(troisieme[2], "Abandon - avarie");
    EXPECT_EQ(troisieme.mid(3), QStringList({"46.28", "1.47", "0", "0", "0", "2D-3D"}));
    // The fourth entrant's rows start one row after the third's.
    const JourCourse ref = jour_de_reference();
    EXPECT_EQ(l[27], "4");
    EXPECT_EQ(l[28], ref.donnees_conc[4].bateau + "(" + ref.donnees_conc[4].skipper + ")");
    // Code page 1252 without a declared charset: the accents come through.
    Feuille g;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement97-cp1252.html"), QByteArray(), g));
    ASSERT_TRUE(MAJ_fi_clss(course_livree(), g, l, err));
    EXPECT_TRUE(l.join('\n').contains(QStringLiteral("Brise Océane")));
    EXPECT_TRUE(l.join('\n').contains(QStringLiteral("le 12/11/2000 à 20h00")));
    // The charset: header first, then the page, else none.
    EXPECT_EQ(jeu_de_caracteres("<meta charset=\"utf-8\">", "text/html; charset=ISO-8859-1"), "iso-8859-1");
    EXPECT_EQ(jeu_de_caracteres("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">", ""), "utf-8");
    EXPECT_EQ(jeu_de_caracteres("<p>rien</p>", "text/html"), "");
    // No "1": nothing written, a French message.
    Feuille sans;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement-sans-un.html"), QByteArray(), sans));
    EXPECT_FALSE(MAJ_fi_clss(course_livree(), sans, l, err));
    EXPECT_TRUE(err.contains(QStringLiteral("pas de ligne « 1 »")));
    // Cells spanning columns fill them.
    Feuille t;
    ASSERT_TRUE(feuille_depuis_html("<table><tr><td colspan=3>a</td><td>b</td></tr></table>", "", t));
    EXPECT_EQ(t.cellule(1, 1), "a");
    EXPECT_EQ(t.cellule(1, 3), "");
    EXPECT_EQ(t.cellule(1, 4), "b");
}

namespace {
// A workbook of one sheet "RECLASS" whose part is `xml`.
void ecrit_xlsx(const QString& chemin, const QByteArray& xml)
{
    QuaZip z(chemin);
    ASSERT_TRUE(z.open(QuaZip::mdCreate));
    const std::pair<const char*, QByteArray> parties[] = {
        {"xl/workbook.xml", "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                            "<sheets><sheet name=\"RECLASS\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml", xml}};
    for (const auto& [nom, octets] : parties) {
        QuaZipFile f(&z);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(nom))));
        f.write(octets);
        f.close();
    }
    z.close();
}

// A sheet as a worksheet part whose rows and cells carry no reference
// (optional in the format): every cell written, the empty ones as <c/>.
QByteArray sans_references(const Feuille& f)
{
    QByteArray x = "<worksheet><sheetData>";
    for (const QStringList& l : f.lignes) {
        x += "<row>";
        for (const QString& c : l)
            x += c.isEmpty() ? QByteArray("<c/>")
                             : "<c t=\"inlineStr\"><is><t>" + c.toHtmlEscaped().toUtf8() + "</t></is></c>";
        x += "</row>";
    }
    return x + "</sheetData></worksheet>";
}
}  // namespace

// Sheets of every shape a user or a server may hand over: spans over rows,
// byte-order marks, cells without references or far away, line breaks in
// cells, bombs; and sheets that hold no usable ranking, refused before
// anything is written.
TEST(Classement, FeuillesInattendues)
{
    const JourCourse ref = jour_de_reference();
    QString err;
    QStringList l;
    auto memes = [&](const Feuille& f, int code) {
        ASSERT_TRUE(lignes_du_classement(course_livree(), f, code, JOUR_ESSAIS, l, err)) << err.toStdString();
        memes_concurrents(lu_depuis(l), ref);
    };
    const QByteArray p97 = contenu(ESSAIS + "/classement97.html");

    // A rank cell spanning the entrant's two rows: the status text stays
    // under the name.
    Feuille f;
    QByteArray fusion = QByteArray(p97).replace("<tr><td>1</td>", "<tr><td rowspan=\"2\">1</td>");
    const QByteArray sous_le_premier = "<tr><td></td><td></td><td></td><td></td><td></td><td></td><td></td><td>le ";
    fusion.replace(fusion.indexOf(sous_le_premier), sous_le_premier.size(),
                   "<tr><td></td><td></td><td></td><td></td><td></td><td></td><td>le ");
    ASSERT_TRUE(feuille_depuis_html(fusion, "", f));
    memes(f, 1);
    ASSERT_TRUE(feuille_depuis_html("<table><tr><td rowspan=2 colspan=2>a</td><td>b</td></tr><tr><td>c</td></tr>"
                                    "<tr><td>d</td></tr></table>",
                                    "", f));
    EXPECT_EQ(f.cellule(1, 3), "b");
    EXPECT_EQ(f.cellule(2, 3), "c");
    EXPECT_EQ(f.cellule(3, 1), "d");

    // Byte-order marks: UTF-8 without a declared charset, and UTF-16.
    EXPECT_EQ(jeu_de_caracteres("\xEF\xBB\xBF<p>", "text/html; charset=iso-8859-1"), "utf-8");
    ASSERT_TRUE(feuille_depuis_html("\xEF\xBB\xBF" + p97, "", f));
    memes(f, 1);
    const QString texte = QString::fromUtf8(p97);
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(texte.utf16()), texte.size() * 2);
    ASSERT_TRUE(feuille_depuis_html(utf16, "", f));
    memes(f, 1);

    // A workbook without cell references, with a line break in a name, a
    // reference beyond the sheet's columns and a row beyond its rows.
    QTemporaryDir d;
    Feuille page2000;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement2000.html"), "", page2000));
    QByteArray xml = sans_references(page2000);
    xml.replace("Brise Océane (Fauvrelin)", "Brise Océane&#10;(Fauvrelin)");
    xml.replace("</row>", "<c r=\"ZZZZZZ1\"><v>7</v></c></row>");
    xml.replace("</sheetData>", "<row r=\"99999999\"><c r=\"A99999999\"><v>1</v></c></row></sheetData>");
    ecrit_xlsx(d.filePath("c.xlsx"), xml);
    ASSERT_TRUE(lit_classement(d.filePath("c.xlsx"), "RECLASS", f, err)) << err.toStdString();
    memes(f, 2);

    // Bombs: a small zip unpacking to 40 MB, a page of cells spanning 1000
    // columns each. Refused or cut, quickly, within the memory of a sheet.
    ecrit_xlsx(d.filePath("bombe.xlsx"), sans_references(page2000).replace("<sheetData>", QByteArray(40 << 20, ' ') + "<sheetData>"));
    EXPECT_FALSE(lit_classement(d.filePath("bombe.xlsx"), "RECLASS", f, err));
    QByteArray large = "<table><tr>";
    for (int k = 0; k < 5000; ++k)
        large += "<td colspan=1000>x</td>";
    ASSERT_TRUE(feuille_depuis_html(large + "</tr></table>", "", f));
    EXPECT_LE(f.nb_cellules, CELLULES_MAX_FEUILLE);
    QByteArray haute = "<table>";
    for (int k = 0; k < 70000; ++k)
        haute += "<tr><td>x</td></tr>";
    ASSERT_TRUE(feuille_depuis_html(haute + "</table>", "", f));
    EXPECT_EQ(f.lignes.size(), size_t(LIGNES_MAX_FEUILLE));

    // No usable ranking: the other layout's sheet, a missing position cell.
    Feuille f2000;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement2000.html"), "", f2000));
    EXPECT_FALSE(MAJ_fi_clss(course_livree(), f2000, l, err));
    EXPECT_TRUE(err.contains(QStringLiteral("rien n'est écrit"))) << err.toStdString();
    Feuille trou;
    ASSERT_TRUE(feuille_depuis_html(QByteArray(p97).replace("<td>12.23</td>", "<td></td>"), "", trou));
    EXPECT_FALSE(MAJ_fi_clss(course_livree(), trou, l, err));
    EXPECT_EQ(err, QStringLiteral("Classement illisible : longitude du 1er concurrent vide ; rien n'est écrit."));
    ASSERT_TRUE(feuille_depuis_html(QByteArray(p97).replace("<td>208</td>", "<td>N-O</td>"), "", trou));
    EXPECT_FALSE(MAJ_fi_clss(course_livree(), trou, l, err));
    EXPECT_TRUE(err.contains(QStringLiteral("cap du 1er concurrent « N-O » n'est pas un nombre")));
}


namespace {
// The sample sheet of layout 97, and the row of its n-th entrant (every one
// has a position: two rows each).
Feuille feuille_97()
{
    Feuille f;
    EXPECT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement97.html"), QByteArray(), f));
    return f;
}
int rangee(const Feuille& f, int n)
{
    RechercheFeuille r;
    r.feuille_recherche = &f;
    EXPECT_TRUE(r.cherche_colonne(1, "1"));
    return r.ligne_trouvee + 2 * (n - 1);
}
}  // namespace

// What the review found written, then misread: each sheet is refused before
// anything is written, with the entrant and the cell named.
TEST(Classement, FeuillesRefusees)
{
    // Columns of layout 97; the status is the row under the name.
    enum { RANG = 1, NOM = 8, LAT = 9, LON = 10, DIST = 11, CAP = 12, VIT = 13, STATUT = 100 };
    const struct Cas {
        int n, colonne;
        const char* valeur;
        const char* attendu;
    } cas[] = {
        {3, STATUT, "Le 12/11/2000 à 20h00", "statut du 3e concurrent (Gaudrivel) « Le 12/11/2000 à 20h00 » : doit commencer par « le »"},
        {3, STATUT, "42", "statut du 3e concurrent (Gaudrivel) « 42 » : un nombre"},
        {3, STATUT, "le 25/11/2091 à 20h00", "heure hors de la course"},
        {3, STATUT, "le 09/11/2000 à 20h00", "heure hors de la course"},
        {3, STATUT, "le 12/11/2000 à 2", "statut du 3e concurrent (Gaudrivel) « le 12/11/2000 à 2 » : heure illisible"},
        {3, LAT, "91", "latitude du 3e concurrent (Gaudrivel) « 91 » : hors de -90 à 90°"},
        {3, LAT, "46,5", "latitude du 3e concurrent (Gaudrivel) « 46,5 » : virgule décimale"},
        {3, LAT, "89.99", "latitude du 3e concurrent (Gaudrivel) « 89.99 » : minutes au-delà de 60"},
        {3, LON, "-41.75", "longitude du 3e concurrent (Gaudrivel) « -41.75 » : minutes au-delà de 60"},
        {3, LON, "181", "longitude du 3e concurrent (Gaudrivel) « 181 » : hors de -180 à 180°"},
        {5, DIST, "1e308", "distance du 5e concurrent (Kervanec) « 1e308 » : hors de 0 à 30000 milles"},
        {5, VIT, "1e308", "vitesse du 5e concurrent (Kervanec) « 1e308 » : hors de 0 à 60 nœuds"},
        {5, VIT, "-1", "hors de 0 à 60 nœuds"},
        {5, CAP, "400", "cap du 5e concurrent (Kervanec) « 400 » : hors de 0 à 360°"},
        {1, NOM, "Grand Largue (Inconnu)", "nom du 1er concurrent « Grand Largue (Inconnu) » : skipper inconnu"},
        {2, NOM, "Grand Largue (Lammorin)", "nom du 2e concurrent « Grand Largue (Lammorin) » : skipper déjà classé"},
        {2, NOM, "Brise Océane ő (Fauvrelin)", "caractère impossible à écrire en code page 1252"},
        {3, RANG, "2", "rang du 3e concurrent (Gaudrivel) « 2 » : rang répété"},
        {3, RANG, "99", "« 99 » : hors de 1 à 24"},
        {3, RANG, "NC", "rang du 4e concurrent (Sauvrelin) « 4 » : classé après un non classé"},
    };
    const Feuille base = feuille_97();
    QStringList l;
    QString err;
    ASSERT_TRUE(lignes_du_classement(course_livree(), base, 1, JOUR_ESSAIS, l, err)) << err;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.valeur);
        Feuille f = base;
        const int r = rangee(f, c.n);
        ASSERT_TRUE(c.colonne == STATUT ? f.place(r + 1, NOM, QString::fromUtf8(c.valeur))
                                        : f.place(r, c.colonne, QString::fromUtf8(c.valeur)));
        EXPECT_FALSE(lignes_du_classement(course_livree(), f, 1, JOUR_ESSAIS, l, err));
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.attendu)) && err.endsWith("rien n'est écrit.")) << err;
    }
    // The same skipper all the way down, and a sheet of one entrant.
    Feuille meme = base, seul = base;
    for (int n = 2; n <= course_livree().nb(); ++n)
        meme.place(rangee(meme, n), NOM, "Grand Largue (Lammorin)");
    EXPECT_FALSE(lignes_du_classement(course_livree(), meme, 1, JOUR_ESSAIS, l, err));
    EXPECT_TRUE(err.contains("skipper déjà classé")) << err;
    seul.lignes.resize(size_t(rangee(seul, 2) - 1));
    EXPECT_FALSE(lignes_du_classement(course_livree(), seul, 1, JOUR_ESSAIS, l, err));
    EXPECT_EQ(err, "Classement incomplet : 1 concurrent au lieu de 24 ; rien n'est écrit.");
    // An entrant without a position, its status in its latitude cell: a
    // retirement ("A...") or a technical stop is written as its status and
    // read back as one (the stop shown instead of the harbour's placeholder,
    // never drawn there); a time without a position is refused.
    Feuille abandon = base;
    const int r3 = rangee(abandon, 3);
    abandon.lignes.erase(abandon.lignes.begin() + r3);  // its status row goes
    const struct {
        const char* statut;
        bool ecrit, marque_A, sans_position;
    } statuts[] = {{"Abandon - démâtage", true, true, true},
                   {"En escale à Rio", true, false, true},
                   {"Réparation en cours", true, false, true},
                   {"le 12/11/2000 à 14h00", false, false, false}};
    for (const auto& c : statuts) {
        SCOPED_TRACE(c.statut);
        abandon.place(r3, LAT, QString::fromUtf8(c.statut));
        ASSERT_EQ(lignes_du_classement(course_livree(), abandon, 1, JOUR_ESSAIS, l, err), c.ecrit) << err;
        if (!c.ecrit) {
            EXPECT_TRUE(err.contains("une heure sans position")) << err;
            continue;
        }
        const TDonnees_conc r = lu_depuis(l).donnees_conc[3];
        EXPECT_EQ(r.date_txt, QString::fromUtf8(c.statut));
        EXPECT_EQ(r.bateau + '(' + r.skipper + ')', lu_depuis(l).donnees_conc[3].bateau + "(Gaudrivel)");
        EXPECT_EQ(r.marque_A, c.marque_A);
        EXPECT_EQ(r.sans_position, c.sans_position);
        EXPECT_TRUE(ligne_classement(r, true, 3, '.').contains(QString::fromUtf8(c.statut)));
        EXPECT_FALSE(ligne_classement(r, false, 3, '.').contains("46.28"));
        EXPECT_EQ(releve_reel(r), false);
    }
}

// Of every cut of the sample page, none gives fewer than the 24 entrants
// or other values than the page's: it is read whole, or refused.
TEST(Classement, PagesCoupees)
{
    const QByteArray page = contenu(ESSAIS + "/classement97.html");
    const JourCourse ref = jour_de_reference();
    int refusees = 0;
    for (int k = 1; k <= 80; ++k) {
        SCOPED_TRACE(k);
        Feuille f;
        QStringList l;
        QString err;
        if (!feuille_depuis_html(page.left(page.size() * k / 81), QByteArray(), f) ||
            !lignes_du_classement(course_livree(), f, 1, JOUR_ESSAIS, l, err)) {
            ++refusees;
            continue;
        }
        memes_concurrents(lu_depuis(l), ref);
    }
    EXPECT_GE(refusees, 79);  // the last cut only loses the page's end tags
}

// Each reader gives every cell of every entrant as the day file had it, in
// every encoding a page may come in.
TEST(Classement, EncodagesDesPages)
{
    const JourCourse ref = jour_de_reference();
    const QByteArray utf8 = contenu(ESSAIS + "/classement97.html");
    const QByteArray cp1252 = contenu(ESSAIS + "/classement97-cp1252.html");
    const QString texte = QString::fromUtf8(utf8);
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(texte.utf16()), texte.size() * 2);
    const QByteArray meta_utf16 = QByteArray(utf8).replace("charset=\"utf-8\"", "charset=\"utf-16\"");
    const QByteArray faux_utf8 = QByteArray(cp1252).replace("<head>", "<head><meta charset=\"utf-8\">");
    const QByteArray utf8_un_nom_1252 = QByteArray(utf8).replace("Oc\xC3\xA9" "ane", "Oc\xE9" "ane");
    ASSERT_NE(utf8_un_nom_1252, utf8);
    const struct Cas {
        const char* nom;
        QByteArray page, entete;
    } cas[] = {
        {"utf-8", utf8, ""},
        {"utf-8 avec marque d'ordre", "\xEF\xBB\xBF" + utf8, "text/html; charset=iso-8859-1"},
        {"utf-16 avec marque d'ordre", utf16, ""},
        {"utf-16 déclaré sur des octets", meta_utf16, ""},
        {"code page 1252 sans déclaration", cp1252, ""},
        {"code page 1252 déclarée latin-1", cp1252, "text/html; charset=ISO-8859-1"},
        {"utf-8 déclaré, octets invalides", faux_utf8, ""},
        {"utf-8, un nom en code page 1252", utf8_un_nom_1252, ""},
        {"jeu inconnu", cp1252, "text/html; charset=x-inconnu"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Feuille f;
        QStringList l;
        QString err;
        ASSERT_TRUE(feuille_depuis_html(c.page, c.entete, f));
        ASSERT_TRUE(lignes_du_classement(course_livree(), f, 1, JOUR_ESSAIS, l, err)) << err;
        memes_concurrents(lu_depuis(l), ref);
    }
    EXPECT_EQ(jeu_de_caracteres(meta_utf16, ""), "utf-8");
}

// The parser sees the page's tables alone: deep markup of any other kind is
// gone before it, tables nested too deeply are refused, and the cells read
// the same text either way; a cell's text leaves out the tables nested in it.
TEST(Classement, PageTropImbriquee)
{
    QByteArray tables, divs;
    for (int k = 0; k < 50000; ++k)
        tables += "<table><tr><td>";
    for (int k = 0; k < 100000; ++k)
        divs += "<div>";
    Feuille f;
    QString raison;
    EXPECT_FALSE(feuille_depuis_html(tables, QByteArray(), f, &raison));
    EXPECT_EQ(raison, "page trop imbriquée (plus de 100 tableaux l'un dans l'autre)");
    auto repete = [](const QByteArray& motif, int n) {
        QByteArray r;
        for (int k = 0; k < n; ++k)
            r += QByteArray(motif).replace("%", QByteArray::number(k));
        return r;
    };
    // However the depth is written (behind constructs a naive reading ends
    // sooner or later than the parser, end tags the parser leaves alone,
    // formatting it opens again), none of it reaches the parser: each page
    // holds one small table, read at once.
    const QByteArray cellule = "<table><tr><td>a<b>b</b></td></tr></table>";
    const QByteArray profondes[] = {
        divs, repete("<b>", 100000), "<html><body><!-->" + divs, "<!--->" + divs, "<noscript>" + divs,
        "<div \"x>" + divs, "<! \">" + divs, repete("<span><div></span>", 20000),
        repete("<b><div></b>", 20000), repete("<div><object></div>", 20000), repete("<p><b id=%></p>", 20000),
        repete("<tr><td><d></td><d><d></tr><t><d><d></t>", 10000),
    };
    for (const QByteArray& p : profondes) {
        SCOPED_TRACE(p.left(40).toStdString());
        ASSERT_TRUE(feuille_depuis_html(p + cellule, QByteArray(), f, &raison)) << raison;
        EXPECT_EQ(f.cellule(1, 1), "ab");
    }
    // Random tag soup: the parser stays within the tables' depth on the
    // reduced page; on soup of what pages hold (not raw text or selects in
    // a table's structure, where the parser moves things about), the
    // reduced page gives the same sheet as the page.
    const std::vector<const char*> courants = {
        "<div>", "</div>", "<span>", "</span>", "<b>", "</b>", "<i x=1>", "</i>", "<p>", "</p>", "<table>", "<tr>",
        "<td>", "<td colspan=2>", "<th rowspan='2'>", "</td>", "</tr>", "</table>", "<tbody>", "<caption>", "<!--",
        "-->", "<!-->", "<li>", "<ul>", "</ul>", "\"", ">", "<br>", "</br>", "<div/>", "<a href='>'>", "</a>", "<font>",
        "<noscript>", "x", " y ", "&amp;", "<", "<img alt='<td>'>"};
    std::vector<const char*> tous = courants;
    for (const char* p : {"<object>", "</object>", "<style>", "</style>", "<script>", "</script>", "<select>",
                          "<option>", "</select>", "<title>", "</title>", "<textarea>", "</textarea>", "<svg>", "</svg>"})
        tous.push_back(p);
    std::mt19937 hasard(17);
    for (int essai = 0; essai < 3000; ++essai) {
        const std::vector<const char*>& pieces = essai % 2 ? tous : courants;
        QByteArray p = "<table><tr><td>";
        for (int k = int(hasard() % 60); k-- > 0;)
            p += pieces[hasard() % pieces.size()];
        int imbriquees = 0;
        const QByteArray r = reduit_aux_tableaux(p, &imbriquees);
        ASSERT_LE(profondeur_gumbo(r), 3 + 4 * imbriquees) << p.toStdString();
        if (&pieces == &tous)
            continue;
        Feuille directe, reduite;
        ASSERT_EQ(feuille_du_texte(p, directe), feuille_du_texte(r, reduite)) << p.toStdString();
        ASSERT_EQ(directe.lignes, reduite.lignes) << p.toStdString() << "\n" << r.toStdString();
    }
    EXPECT_TRUE(feuille_depuis_html(tables.left(15 * TABLES_IMBRIQUEES_MAX) + "x", "", f)) << raison;
    EXPECT_TRUE(feuille_depuis_html(divs + "<table><tr><td>a<table><tr><td>b</table>c</td></tr></table>", "", f));
    EXPECT_EQ(f.cellule(1, 1), "ac");
}


namespace {
QByteArray le16(uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); }
QByteArray le32(uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
QByteArray enr(uint16_t type, const QByteArray& d) { return le16(type) + le16(uint16_t(d.size())) + d; }
QByteArray secteur(QByteArray b) { return b.leftJustified(((b.size() + 511) / 512) * 512, '\0'); }

// A compound file of version 3 whose "Workbook" stream is `flux`: in the
// mini stream when shorter than 4,096 bytes, in 512-byte sectors otherwise.
QByteArray composite(const QByteArray& flux)
{
    const bool mini = flux.size() < 4096;
    const QByteArray donnees = mini ? flux.leftJustified(((flux.size() + 63) / 64) * 64, '\0') : flux;
    const uint32_t n = uint32_t((donnees.size() + 511) / 512);  // sectors of the stream (or mini stream)
    const uint32_t premier = mini ? 3 : 2;                     // after the FAT, the directory (, the mini FAT)
    QByteArray fat = le32(0xFFFFFFFD) + le32(0xFFFFFFFE) + (mini ? le32(0xFFFFFFFE) : QByteArray());
    for (uint32_t k = 0; k < n; ++k)
        fat += le32(k + 1 < n ? premier + k + 1 : 0xFFFFFFFE);
    QByteArray minifat;
    for (uint32_t k = 0; mini && k < donnees.size() / 64; ++k)
        minifat += le32(k + 1 < donnees.size() / 64 ? k + 1 : 0xFFFFFFFE);
    auto entree = [](const QString& nom, int type, uint32_t debut, uint32_t taille) {
        QByteArray e(128, '\0');
        e.replace(0, nom.size() * 2, QByteArray(reinterpret_cast<const char*>(nom.utf16()), nom.size() * 2));
        e.replace(0x40, 2, le16(uint16_t(nom.size() * 2 + 2)));
        e[0x42] = char(type);
        e.replace(0x44, 12, le32(0xFFFFFFFF) + le32(0xFFFFFFFF) + le32(type == 5 ? 1 : 0xFFFFFFFF));
        e.replace(0x74, 8, le32(debut) + le32(taille));
        return e;
    };
    const QByteArray rep = entree("Root Entry", 5, mini ? premier : 0xFFFFFFFE, mini ? uint32_t(donnees.size()) : 0) +
                           entree("Workbook", 2, mini ? 0 : premier, uint32_t(flux.size()));
    QByteArray h("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    h += QByteArray(16, '\0') + le16(0x3E) + le16(3) + le16(0xFFFE) + le16(9) + le16(6) + QByteArray(10, '\0');
    h += le32(1) + le32(1) + le32(0) + le32(4096) + le32(mini ? 2 : 0xFFFFFFFE) + le32(mini ? 1 : 0);
    h += le32(0xFFFFFFFE) + le32(0) + le32(0);
    while (h.size() < 512)
        h += le32(0xFFFFFFFF);
    return h + secteur(fat.leftJustified(512, '\xFF')) + secteur(rep) + (mini ? secteur(minifat) : QByteArray()) +
           secteur(donnees);
}

// A BIFF8 workbook of one sheet "RECLASS" holding one cell of each kind
// the reader takes; its shared string runs over a CONTINUE record, whose
// characters turn two bytes wide.
QByteArray classeur_biff8(int cellules_en_plus = 0)
{
    const QByteArray bof = enr(0x0809, le16(0x0600) + le16(0x0005) + QByteArray(12, '\0'));
    const QByteArray nom = QByteArray("\x07\x00", 2) + "RECLASS";
    const QString fin = QStringLiteral("éane (Fauvrelin)");
    const QByteArray sst = enr(0x00FC, le32(1) + le32(1) + le16(uint16_t(2 + fin.size())) + QByteArray(1, '\0') + "Oc") +
                           enr(0x003C, QByteArray(1, '\1') +
                                           QByteArray(reinterpret_cast<const char*>(fin.utf16()), fin.size() * 2));
    auto globales = [&](uint32_t place) {
        return bof + enr(0x0085, le32(place) + QByteArray(2, '\0') + nom) + sst + enr(0x000A, {});
    };
    const uint32_t place = uint32_t(globales(0).size());
    double v = 41.37;
    const QString statut = QStringLiteral("le 12/11/2000 à 20h00");
    QByteArray feuille = enr(0x0809, le16(0x0600) + le16(0x0010) + QByteArray(12, '\0'));
    auto cellule = [](int l, int c) { return le16(uint16_t(l)) + le16(uint16_t(c)) + le16(0); };
    feuille += enr(0x00FD, cellule(0, 0) + le32(0));
    feuille += enr(0x0203, cellule(0, 1) + QByteArray(reinterpret_cast<const char*>(&v), 8));
    feuille += enr(0x027E, cellule(0, 2) + le32((208u << 2) | 2));
    feuille += enr(0x027E, cellule(0, 3) + le32((1093u << 2) | 3));
    // Negative whole numbers, plain and in hundredths.
    feuille += enr(0x027E, cellule(0, 4) + le32((uint32_t(-17) << 2) | 2));
    feuille += enr(0x027E, cellule(0, 5) + le32((uint32_t(-125) << 2) | 3));
    feuille += enr(0x00BD, le16(1) + le16(0) + le16(0) + le32((1 << 2) | 2) + le16(0) + le32((2 << 2) | 2) + le16(1));
    feuille += enr(0x0204, cellule(2, 0) + le16(uint16_t(statut.size())) + QByteArray(1, '\1') +
                               QByteArray(reinterpret_cast<const char*>(statut.utf16()), statut.size() * 2));
    feuille += enr(0x0006, cellule(2, 1) + QByteArray("\0\0\0\0\0\0\xFF\xFF", 8) + QByteArray(6, '\0'));
    feuille += enr(0x0207, le16(2) + QByteArray(1, '\0') + "NC");
    feuille += enr(0x0205, cellule(2, 2) + QByteArray("\1\0", 2));
    for (int k = 0; k < cellules_en_plus; ++k)
        feuille += enr(0x027E, cellule(10 + k / 100, k % 100) + le32((uint32_t(k) << 2) | 2));
    return globales(place) + feuille + enr(0x000A, {});
}
}  // namespace

// Our .xls reader: every kind of cell, in the mini stream or in sectors;
// hostile files refused, never read past.
TEST(Classement, ClasseurBiff8)
{
    for (int en_plus : {0, 1000}) {
        SCOPED_TRACE(en_plus);
        const QByteArray fichier = composite(classeur_biff8(en_plus));
        Feuille f;
        QString err;
        ASSERT_TRUE(lit_xls_octets(fichier, "RECLASS", f, err)) << err;
        EXPECT_EQ(f.cellule(1, 1), QStringLiteral("Océane (Fauvrelin)"));
        EXPECT_EQ(f.cellule(1, 2), "41.37");
        EXPECT_EQ(f.cellule(1, 3), "208");
        EXPECT_EQ(f.cellule(1, 4), "10.93");
        EXPECT_EQ(f.cellule(1, 5), "-17");
        EXPECT_EQ(f.cellule(1, 6), "-1.25");
        EXPECT_EQ(QStringList({f.cellule(2, 1), f.cellule(2, 2)}), QStringList({"1", "2"}));
        EXPECT_EQ(f.cellule(3, 1), QStringLiteral("le 12/11/2000 à 20h00"));
        EXPECT_EQ(f.cellule(3, 2), "NC");
        EXPECT_EQ(f.cellule(3, 3), "VRAI");
        EXPECT_FALSE(lit_xls_octets(fichier, "AUTRE", f, err));
        EXPECT_EQ(err, "pas de feuille « AUTRE »");
        // Cut anywhere, or with a chain of sectors turning round, the file
        // is refused or read within itself (AddressSanitizer watches).
        for (int k = 1; k < 16; ++k)
            lit_xls_octets(fichier.left(fichier.size() * k / 16), "RECLASS", f, err);
        // The stream's first sector (or mini sector) followed by itself.
        QByteArray boucle = fichier;
        boucle.replace(en_plus ? 512 + 4 * 2 : 1536, 4, le32(en_plus ? 2 : 0));
        EXPECT_FALSE(lit_xls_octets(boucle, "RECLASS", f, err));
    }
    Feuille f;
    QString err;
    EXPECT_FALSE(lit_xls_octets("<html>", "RECLASS", f, err));
    EXPECT_EQ(err, "pas un classeur Excel 97 ou plus récent");
}

TEST(Classement, Classeurs)
{
    const JourCourse ref = jour_de_reference();
    for (const char* nom : {"DonneesClassement.xls", "DonneesClassement.xlsx", "DonneesClassement2000.xls",
                            "DonneesClassement2000.xlsx"}) {
        SCOPED_TRACE(nom);
        Feuille f;
        QString err;
        ASSERT_TRUE(lit_classement(ESSAIS + "/" + nom, "RECLASS", f, err)) << err.toStdString();
        QStringList l;
        ASSERT_TRUE(lignes_du_classement(course_livree(), f, QString(nom).contains("2000") ? 2 : 1, JOUR_ESSAIS, l, err)) << err.toStdString();
        memes_concurrents(lu_depuis(l), ref);
    }
    Feuille f;
    QString err;
    EXPECT_FALSE(lit_classement(ESSAIS + "/DonneesClassement.xls", "AUTRE", f, err));
    EXPECT_TRUE(err.contains("AUTRE"));

    // The reader by suffix, unless the content says otherwise: a workbook
    // saved under the other suffix, a page without one, an address.
    struct Cas {
        const char* nom;
        QByteArray debut;
        const LecteurClassement* attendu;
    };
    const QByteArray ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"), zip("PK\x03\x04"), bom_page("\xEF\xBB\xBF \r\n<html>");
    for (const Cas& c : {Cas{"a.xls", ole, &lecteur_xls()}, Cas{"a.xls", zip, &lecteur_xlsx()},
                         Cas{"a.XLSX", "", &lecteur_xlsx()}, Cas{"a.txt", bom_page, &lecteur_page()},
                         Cas{"a.htm", "PK", &lecteur_page()}, Cas{"https://x.org/c.php?j=1", "<table>", &lecteur_page()},
                         Cas{"https://x.org/c.xlsx", zip, &lecteur_xlsx()}, Cas{"a.dat", "Classement", nullptr}}) {
        EXPECT_EQ(lecteur_classement(c.nom, c.debut), c.attendu) << c.nom;
    }
    QTemporaryDir d;
    QFile::copy(ESSAIS + "/DonneesClassement.xlsx", d.filePath("deguise.xls"));
    EXPECT_TRUE(lit_classement(d.filePath("deguise.xls"), "RECLASS", f, err)) << err.toStdString();
    ecrit(d.filePath("inconnu.dat"), "Classement du jour");
    EXPECT_FALSE(lit_classement(d.filePath("inconnu.dat"), "RECLASS", f, err));
    EXPECT_TRUE(err.contains("d'aucun des formats lus (page web (.html, .htm), classeur Excel 97 (.xls), classeur Excel (.xlsx))"))
        << err.toStdString();
}

TEST(Classement, ServeurLocalEtEcritureAtomique)
{
    Serveur s;
    const QByteArray p97 = contenu(ESSAIS + "/classement97.html");
    const QByteArray pcp = contenu(ESSAIS + "/classement97-cp1252.html");
    s.pages["/97"] = {"200 OK", "Content-Type: text/html\r\n", p97};
    s.pages["/2000"] = {"200 OK", "Content-Type: text/html\r\n", contenu(ESSAIS + "/classement2000.html")};
    s.pages["/cp1252"] = {"200 OK", "Content-Type: text/html\r\n", pcp};
    s.pages["/latin1"] = {"200 OK", "Content-Type: text/html; charset=ISO-8859-1\r\n", pcp};
    s.pages["/sans-un"] = {"200 OK", "", contenu(ESSAIS + "/classement-sans-un.html")};
    s.pages["/ailleurs"] = {"302 Found", ("Location: " + s.url("/97") + "\r\n").toLatin1(), ""};
    s.pages["/muet"] = {"", "", "", true};
    // Past 8 MB a page is refused, whether its size is announced or not.
    const QByteArray enorme = p97 + QByteArray(9 << 20, ' ');
    s.pages["/enorme"] = {"200 OK", "Content-Type: text/html\r\n", enorme};
    s.pages["/flot"] = {"200 OK", "Content-Type: text/html\r\n", enorme, false, true};
    s.pages["/goutte"] = {"", "", "", false, false, true};
    // Cut pages: the connection closed without a length, or short of it.
    s.pages["/coupee"] = {"200 OK", "", p97.left(p97.size() / 2), false, true};
    s.pages["/courte"] = {"200 OK", "", p97.left(p97.size() / 2), false, false, false, p97.size()};
    s.pages["/ftp"] = {"301 Moved Permanently", "Location: ftp://exemple.org/classement.html\r\n", ""};
    s.pages["/boucle"] = {"302 Found", "Location: /boucle\r\n", ""};
    s.pages["/nulle-part"] = {"302 Found", "", ""};
    QTemporaryDir rep;
    const QDate jour(2000, 11, 12);
    const QString chemin = rep.filePath("121100.txt");
    QString err;
    // A redirection followed, the file written under the date's name.
    EXPECT_EQ(actualise_classement(course_livree(), {s.url("/ailleurs")}, 1, jour, rep.path(), 5000, err), chemin) << err.toStdString();
    const QByteArray premier = contenu(chemin);
    JourCourse lu(course_livree().nb());
    lit_jour(course_livree(), lu, premier, "121100.txt");
    memes_concurrents(lu, jour_de_reference());
    EXPECT_TRUE(premier.contains("\r\n"));
    // Layout 2000 and both charsets.
    EXPECT_FALSE(actualise_classement(course_livree(), {s.url("/2000")}, 2, QDate(2000, 11, 13), rep.path(), 5000, err).isEmpty());
    EXPECT_FALSE(actualise_classement(course_livree(), {s.url("/latin1")}, 1, QDate(2000, 11, 14), rep.path(), 5000, err).isEmpty());
    lit_jour(course_livree(), lu, contenu(rep.filePath("141100.txt")), "141100.txt");
    EXPECT_EQ(lu.donnees_conc[2].bateau, QStringLiteral("Brise Océane "));

    // Failures leave the day's previous file byte for byte.
    struct Echec {
        const char* chemin;
        const char* attendu;
    } echecs[] = {{"/absente", "page introuvable"},       {"/sans-un", "pas de ligne « 1 »"},
                  {"/muet", "pas de réponse"},            {"/enorme", "trop grande"},
                  {"/flot", "trop grande"},               {"/goutte", "page incomplète après 0.8 s"},
                  {"/coupee", "page coupée"},
                  {"/courte", "Classement introuvable"}, {"/ftp", "redirection vers une adresse qui n'est pas une page web (« ftp://exemple.org/classement.html »)"},
                  {"/boucle", "trop de redirections"},    {"/nulle-part", "redirection sans adresse (statut 302)"}};
    for (const Echec& e : echecs) {
        SCOPED_TRACE(e.chemin);
        err.clear();
        EXPECT_TRUE(actualise_classement(course_livree(), {s.url(e.chemin)}, 1, jour, rep.path(), 800, err).isEmpty());
        EXPECT_TRUE(err.contains(QString::fromUtf8(e.attendu))) << err.toStdString();
        EXPECT_EQ(contenu(chemin), premier);
    }
    ecrit(rep.filePath("enorme.html"), enorme);
    EXPECT_TRUE(actualise_classement(course_livree(), {rep.filePath("enorme.html")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("trop grand"))) << err.toStdString();
    EXPECT_EQ(contenu(chemin), premier);
    EXPECT_TRUE(actualise_classement(course_livree(), {rep.filePath("introuvable.xls")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.startsWith(QStringLiteral("Classement introuvable")));
    // A pipe where the workbook should be: refused at once, not waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(rep.filePath("tube.html")).constData(), 0600), 0);
    EXPECT_TRUE(actualise_classement(course_livree(), {rep.filePath("tube.html")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("n'est pas un fichier"))) << err.toStdString();
    EXPECT_EQ(contenu(chemin), premier);
    // A page by its file:// address.
    EXPECT_EQ(actualise_classement(course_livree(), {QUrl::fromLocalFile(ESSAIS + "/classement97.html").toString()}, 1,
                                   QDate(2000, 11, 16), rep.path(), 800, err),
              rep.filePath("161100.txt"))
        << err.toStdString();
    EXPECT_TRUE(actualise_classement(course_livree(), {s.url("/97")}, 0, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("désactivée")));
    // Today's file whatever today is, unless the two-digit year of its
    // name is that of another day of the race (10/11/2100: the shipped
    // 10/11/2000).
    EXPECT_EQ(actualise_classement(course_livree(), {s.url("/97")}, 1, QDate(2026, 12, 8), rep.path(), 800, err),
              rep.filePath("081226.txt"))
        << err.toStdString();
    EXPECT_TRUE(actualise_classement(course_livree(), {s.url("/97")}, 1, QDate(2100, 11, 10), rep.path(), 800, err).isEmpty());
    EXPECT_EQ(err, "Le fichier du 10/11/2100 porterait le nom de celui du 10/11/2000, un jour de la course : rien "
                   "n'est écrit.");
    EXPECT_FALSE(QFile::exists(rep.filePath("101100.txt")));

    // A second update the same day replaces the first, and removes what a
    // killed update left a while ago, not what one may be writing now.
    ecrit(rep.filePath("121100.txt.Ab12Cd"), "ancien morceau");
    ecrit(rep.filePath("131100.txt.Xy34Zt"), "morceau en cours");
    ecrit(rep.filePath("notes.txt.Ab12Cd"), "pas un jour");
    for (const char* vieux : {"121100.txt.Ab12Cd", "notes.txt.Ab12Cd"}) {
        QFile f(rep.filePath(vieux));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
    }
    s.pages["/97"] = {"200 OK", "", QByteArray(p97).replace("<td>10.9</td>", "<td>11.9</td>")};
    EXPECT_EQ(actualise_classement(course_livree(), {s.url("/97")}, 1, jour, rep.path(), 5000, err), chemin);
    EXPECT_NE(contenu(chemin), premier);
    EXPECT_EQ(QDir(rep.path()).entryList({"*.txt.*"}, QDir::Files), QStringList({"131100.txt.Xy34Zt", "notes.txt.Ab12Cd"}));
    // The old file that cannot be replaced (a folder in its place).
    QDir().mkpath(rep.filePath("151100.txt"));
    EXPECT_TRUE(actualise_classement(course_livree(), {s.url("/97")}, 1, QDate(2000, 11, 15), rep.path(), 5000, err).isEmpty());
    EXPECT_TRUE(err.startsWith(QString::fromUtf8(MESSAGE_EFFACEMENT))) << err;
}

TEST_F(FenetrePrincipale, ActualiserDansLaFenetre)
{
    Serveur s;
    s.pages["/classement"] = {"200 OK", "Content-Type: text/html; charset=utf-8\r\n", contenu(ESSAIS + "/classement97.html")};
    QTemporaryDir rep;
    for (const char* f : {"lstmp.txt", "lstlieux.txt", "101100.txt"})
        QFile::copy(DONNEES + "/" + f, rep.filePath(f));
    QFile ini(courant.filePath("posorvls.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[classement]\r\nurl=" + s.url("/classement") + "\r\n").toLatin1());
    ini.close();
    carte->emplacements = rep.path();
    carte->FormCreate();
    carte->aujourdhui = [] { return QDate(2000, 11, 12); };
    TFCalend cal(cadre.get());
    carte->calendrier = &cal;
    QDate ouvert;
    carte->montre_calendrier = [&](EtatDate& choix) {
        // The calendar opens on the day just written; it is validated.
        ouvert = cal.Calendar->selectedDate();
        cal.date = &choix;
        cal.BTValidClick();
        return true;
    };
    carte->Validmenu();
    // The statistics open on the archive of one day.
    carte->Statistiques1Click();
    ASSERT_NE(enfant<QWidget>(carte, "FenetreStatistiques"), nullptr);
    EXPECT_EQ(etat.archive.nb_jours(), 1);
    ASSERT_TRUE(action(carte, "Actualiser1")->isEnabled());
    action(carte, "Actualiser1")->trigger();
    // The window goes on meanwhile, a progress dialog up.
    EXPECT_TRUE(carte->actualisation.en_cours());
    EXPECT_NE(cadre->findChild<QProgressDialog*>(), nullptr);
    ASSERT_TRUE(attend([&] { return !carte->actualisation.en_cours(); }));
    EXPECT_EQ(ouvert, QDate(2000, 11, 12));
    // They show the day just written at once; the replay will too.
    ASSERT_NE(enfant<QWidget>(carte, "FenetreStatistiques"), nullptr);
    EXPECT_TRUE(enfant<QWidget>(carte, "FenetreStatistiques")->isVisible());
    EXPECT_EQ(etat.archive.nb_jours(), 2);
    EXPECT_TRUE(QFile::exists(rep.filePath("121100.txt")));
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    EXPECT_EQ(etat.jour.nb_classes, 24);
    EXPECT_TRUE(titre().endsWith("<> 3 ème jour de course"));

    // "Excel=non": the command stays disabled.
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[version_Excel]\r\nExcel=non\r\n");
    ini.close();
    carte->FormCreate();
    carte->Validmenu();
    EXPECT_FALSE(action(carte, "Actualiser1")->isEnabled());
    EXPECT_TRUE(carte->bouton_grise("ToolBActu"));
}

// A cancel, or the window closed, while the page is awaited: nothing is
// written, even when the page comes afterwards.
TEST_F(FenetrePrincipale, ActualisationAnnuleeOuFenetreFermee)
{
    Serveur s;
    s.pages["/lent"] = {"", "", "", true};
    QTemporaryDir rep;
    ecrit(courant.filePath("posorvls.ini"), ("[classement]\r\nurl=" + s.url("/lent") + "\r\n").toLatin1());
    carte->emplacements = rep.path();
    carte->FormCreate();
    carte->aujourdhui = [] { return QDate(2000, 11, 12); };
    carte->Validmenu();
    carte->Actualiser1Click();
    ASSERT_TRUE(carte->actualisation.en_cours());
    QProgressDialog* d = cadre->findChild<QProgressDialog*>();
    ASSERT_NE(d, nullptr);
    ASSERT_NE(d->findChild<QPushButton*>(), nullptr);
    d->findChild<QPushButton*>()->click();
    EXPECT_FALSE(carte->actualisation.en_cours());
    EXPECT_EQ(statut(carte), "Actualisation annulée : rien n'est écrit");
    // The same page answering at once, the window gone before the answer is
    // taken.
    s.pages["/lent"] = {"200 OK", "", contenu(ESSAIS + "/classement97.html")};
    carte->Actualiser1Click();
    ASSERT_TRUE(carte->actualisation.en_cours());
    cadre.reset();
    attend([] { return false; }, 500);
    EXPECT_FALSE(QFile::exists(rep.filePath("121100.txt")));
}
