// The update of a day file from the official ranking: the cell search, the
// two sheet layouts, the pages and workbooks (fixtures made by
// tools/classement/fabrique_classements.py), a local web server, the
// atomic writing, and the command in the window and on the command line.
#include "aide_fenetre.h"
#include "aide_fichiers.h"
#include "calend.h"
#include "donnees.h"
#include "mise_a_jour.h"
#include "texte.h"
#include "trajets.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <sys/stat.h>

using namespace orv;

namespace {

const QString ESSAIS = QStringLiteral(ORVALIS_SOURCES "/tests/donnees");

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
    JourCourse j;
    lit_jour(j, contenu(QStringLiteral(ORVALIS_DONNEES "/121100.txt")), "121100.txt");
    return j;
}

// The same 24 entrants, ranks, names, positions and speeds.
void memes_concurrents(const JourCourse& a, const JourCourse& b)
{
    ASSERT_EQ(a.nb_classes, b.nb_classes);
    for (int k = 1; k <= NB_CONCURRENTS; ++k) {
        SCOPED_TRACE(k);
        const TDonnees_conc &x = a.donnees_conc[size_t(k)], &y = b.donnees_conc[size_t(k)];
        EXPECT_EQ(x.skipper, y.skipper);
        EXPECT_EQ(x.bateau, y.bateau);
        EXPECT_EQ(x.elem.latitude, y.elem.latitude);
        EXPECT_EQ(x.elem.longitude, y.elem.longitude);
        EXPECT_EQ(x.vitesse, y.vitesse);
        EXPECT_EQ(x.date_txt, y.date_txt);
    }
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
            r.sans_longueur ? QByteArray() : "Content-Length: " + QByteArray::number(r.corps.size()) + "\r\n";
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
        ASSERT_TRUE(lignes_du_classement(f, code, lignes, err)) << err.toStdString();
        EXPECT_EQ(lignes.size(), 24 * 9);
        JourCourse lu;
        lit_jour(lu, vers_cp1252(lignes.join("\n")), "121100.txt");
        memes_concurrents(lu, ref);
    }
}

TEST(Classement, TroisiemeSansPositionEtAccents)
{
    Feuille f;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement97-troisieme-sans-position.html"), QByteArray(), f));
    QStringList l;
    QString err;
    ASSERT_TRUE(MAJ_fi_clss(f, l, err));
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
    ASSERT_TRUE(MAJ_fi_clss(g, l, err));
    EXPECT_TRUE(l.join('\n').contains(QStringLiteral("Brise Océane")));
    EXPECT_TRUE(l.join('\n').contains(QStringLiteral("le 12/11/2000 à 20h00")));
    // The charset: header first, then the page, else none.
    EXPECT_EQ(jeu_de_caracteres("<meta charset=\"utf-8\">", "text/html; charset=ISO-8859-1"), "iso-8859-1");
    EXPECT_EQ(jeu_de_caracteres("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">", ""), "utf-8");
    EXPECT_EQ(jeu_de_caracteres("<p>rien</p>", "text/html"), "");
    // No "1": nothing written, a French message.
    Feuille sans;
    ASSERT_TRUE(feuille_depuis_html(contenu(ESSAIS + "/classement-sans-un.html"), QByteArray(), sans));
    EXPECT_FALSE(MAJ_fi_clss(sans, l, err));
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
        ASSERT_TRUE(lignes_du_classement(f, code, l, err)) << err.toStdString();
        JourCourse lu;
        lit_jour(lu, vers_cp1252(l.join("\n")), "121100.txt");
        memes_concurrents(lu, ref);
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
    ASSERT_TRUE(feuille_depuis_classeur(d.filePath("c.xlsx"), "RECLASS", f, err)) << err.toStdString();
    memes(f, 2);

    // Bombs: a small zip unpacking to 40 MB, a page of cells spanning 1000
    // columns each. Refused or cut, quickly, within the memory of a sheet.
    ecrit_xlsx(d.filePath("bombe.xlsx"), sans_references(page2000).replace("<sheetData>", QByteArray(40 << 20, ' ') + "<sheetData>"));
    EXPECT_FALSE(feuille_depuis_classeur(d.filePath("bombe.xlsx"), "RECLASS", f, err));
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
    EXPECT_FALSE(MAJ_fi_clss(f2000, l, err));
    EXPECT_TRUE(err.contains(QStringLiteral("rien n'est écrit"))) << err.toStdString();
    Feuille trou;
    ASSERT_TRUE(feuille_depuis_html(QByteArray(p97).replace("<td>12.23</td>", "<td></td>"), "", trou));
    EXPECT_FALSE(MAJ_fi_clss(trou, l, err));
    EXPECT_EQ(err, QStringLiteral("Classement illisible : longitude du 1er concurrent vide ; rien n'est écrit."));
    ASSERT_TRUE(feuille_depuis_html(QByteArray(p97).replace("<td>208</td>", "<td>N-O</td>"), "", trou));
    EXPECT_FALSE(MAJ_fi_clss(trou, l, err));
    EXPECT_TRUE(err.contains(QStringLiteral("cap du 1er concurrent « N-O » n'est pas un nombre")));
}

TEST(Classement, Classeurs)
{
    const JourCourse ref = jour_de_reference();
    for (const char* nom : {"DonneesClassement.xls", "DonneesClassement.xlsx", "DonneesClassement2000.xls",
                            "DonneesClassement2000.xlsx"}) {
        SCOPED_TRACE(nom);
        Feuille f;
        QString err;
        ASSERT_TRUE(feuille_depuis_classeur(ESSAIS + "/" + nom, "RECLASS", f, err)) << err.toStdString();
        QStringList l;
        ASSERT_TRUE(lignes_du_classement(f, QString(nom).contains("2000") ? 2 : 1, l, err)) << err.toStdString();
        JourCourse lu;
        lit_jour(lu, vers_cp1252(l.join("\n")), "121100.txt");
        memes_concurrents(lu, ref);
    }
    Feuille f;
    QString err;
    EXPECT_FALSE(feuille_depuis_classeur(ESSAIS + "/DonneesClassement.xls", "AUTRE", f, err));
    EXPECT_TRUE(err.contains("AUTRE"));
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
    QTemporaryDir rep;
    const QDate jour(2000, 11, 12);
    const QString chemin = rep.filePath("121100.txt");
    QString err;
    // A redirection followed, the file written under the date's name.
    EXPECT_EQ(actualise_classement({s.url("/ailleurs")}, 1, jour, rep.path(), 5000, err), chemin) << err.toStdString();
    const QByteArray premier = contenu(chemin);
    JourCourse lu;
    lit_jour(lu, premier, "121100.txt");
    memes_concurrents(lu, jour_de_reference());
    EXPECT_TRUE(premier.contains("\r\n"));
    // Layout 2000 and both charsets.
    EXPECT_FALSE(actualise_classement({s.url("/2000")}, 2, QDate(2000, 11, 13), rep.path(), 5000, err).isEmpty());
    EXPECT_FALSE(actualise_classement({s.url("/latin1")}, 1, QDate(2000, 11, 14), rep.path(), 5000, err).isEmpty());
    lit_jour(lu, contenu(rep.filePath("141100.txt")), "141100.txt");
    EXPECT_EQ(lu.donnees_conc[2].bateau, QStringLiteral("Brise Océane "));

    // Failures leave the day's previous file byte for byte.
    struct Echec {
        const char* chemin;
        const char* attendu;
    } echecs[] = {{"/absente", "page introuvable"}, {"/sans-un", "pas de ligne « 1 »"}, {"/muet", "pas de réponse"},
                    {"/enorme", "trop grande"}, {"/flot", "trop grande"}, {"/goutte", "page incomplète après 0.8 s"}};
    for (const Echec& e : echecs) {
        SCOPED_TRACE(e.chemin);
        err.clear();
        EXPECT_TRUE(actualise_classement({s.url(e.chemin)}, 1, jour, rep.path(), 800, err).isEmpty());
        EXPECT_TRUE(err.contains(QString::fromUtf8(e.attendu))) << err.toStdString();
        EXPECT_EQ(contenu(chemin), premier);
    }
    ecrit(rep.filePath("enorme.html"), enorme);
    EXPECT_TRUE(actualise_classement({rep.filePath("enorme.html")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("trop grand"))) << err.toStdString();
    EXPECT_EQ(contenu(chemin), premier);
    EXPECT_TRUE(actualise_classement({rep.filePath("introuvable.xls")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.startsWith(QStringLiteral("Classement introuvable")));
    // A pipe where the workbook should be: refused at once, not waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(rep.filePath("tube.html")).constData(), 0600), 0);
    EXPECT_TRUE(actualise_classement({rep.filePath("tube.html")}, 1, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("n'est pas un fichier"))) << err.toStdString();
    EXPECT_EQ(contenu(chemin), premier);
    // A page by its file:// address.
    EXPECT_EQ(actualise_classement({QUrl::fromLocalFile(ESSAIS + "/classement97.html").toString()}, 1,
                                   QDate(2000, 11, 16), rep.path(), 800, err),
              rep.filePath("161100.txt"))
        << err.toStdString();
    EXPECT_TRUE(actualise_classement({s.url("/97")}, 0, jour, rep.path(), 800, err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("désactivée")));

    // A second update the same day replaces the first.
    s.pages["/97"] = {"200 OK", "", QByteArray(p97).replace("<td>10.9</td>", "<td>11.9</td>")};
    EXPECT_EQ(actualise_classement({s.url("/97")}, 1, jour, rep.path(), 5000, err), chemin);
    EXPECT_NE(contenu(chemin), premier);
    // The old file that cannot be replaced (a folder in its place).
    QDir().mkpath(rep.filePath("151100.txt"));
    EXPECT_TRUE(actualise_classement({s.url("/97")}, 1, QDate(2000, 11, 15), rep.path(), 5000, err).isEmpty());
    EXPECT_EQ(err, QString::fromUtf8(MESSAGE_EFFACEMENT));
}

TEST(Classement, TueEnPleineEcriture)
{
    // The real program updating a day, killed at random moments: the day's
    // file is the old one, or the whole new one, never a part.
    QTemporaryDir rep;
    const QString prog = QStringLiteral(ORVALIS_PROGRAMME);
    const QString copie = rep.filePath("orvalis");
    ASSERT_TRUE(QFile::copy(prog, copie));
    QFile(copie).setPermissions(QFile(prog).permissions());
    ASSERT_TRUE(QFile::copy(ESSAIS + "/classement97.html", rep.filePath("page.html")));
    const QByteArray ancien = "ancien classement\r\n";
    const QString chemin = rep.filePath("121100.txt");
    QByteArray nouveau;
    QRandomGenerator g(20001112);
    int anciens = 0, nouveaux = 0;
    for (int k = 0; k < 20; ++k) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ancien);
        f.close();
        QProcess p;
        p.setWorkingDirectory(rep.path());
        p.start(copie, {"--actualiser", "--source", rep.filePath("page.html"), "--date", "12/11/2000"});
        ASSERT_TRUE(p.waitForStarted());
        QThread::usleep(g.bounded(2000, 60000));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        const QByteArray c = contenu(chemin);
        if (c == ancien) {
            ++anciens;
            continue;
        }
        if (nouveau.isEmpty()) {
            // The first complete new file, checked once: 24 blocks.
            JourCourse lu;
            lit_jour(lu, c, "121100.txt");
            ASSERT_EQ(lu.nb_classes, 24);
            nouveau = c;
        }
        EXPECT_EQ(c, nouveau) << k;
        ++nouveaux;
    }
    EXPECT_EQ(anciens + nouveaux, 20);
    // No temporary file left to be mistaken for a day.
    EXPECT_TRUE(QDir(rep.path()).entryList({"121100.txt.*"}, QDir::Files).isEmpty() ||
                !QDir(rep.path()).entryList({"121100.txt.*"}, QDir::Files).first().endsWith(".txt"));
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
    carte->rep_programme = rep.path();
    carte->FormCreate();
    carte->aujourdhui = [] { return QDate(2000, 11, 12); };
    TFCalend cal(cadre.get());
    carte->calendrier = &cal;
    QDate ouvert;
    carte->montre_calendrier = [&] {
        // The calendar opens on the day just written; it is validated.
        ouvert = cal.Calendar->selectedDate();
        cal.BTValidClick();
        return true;
    };
    carte->Validmenu();
    // The statistics open on the archive of one day.
    carte->Statistiques1Click();
    ASSERT_NE(carte->fenetre_statistiques, nullptr);
    EXPECT_EQ(archive_jours().nb_jours(), 1);
    ASSERT_TRUE(carte->actions.at("Actualiser1")->isEnabled());
    carte->actions.at("Actualiser1")->trigger();
    EXPECT_EQ(ouvert, QDate(2000, 11, 12));
    // They show the day just written at once; the replay will too.
    ASSERT_NE(carte->fenetre_statistiques, nullptr);
    EXPECT_TRUE(carte->fenetre_statistiques->isVisible());
    EXPECT_EQ(archive_jours().nb_jours(), 2);
    EXPECT_TRUE(QFile::exists(rep.filePath("121100.txt")));
    EXPECT_EQ(jour_course().nom_fichier_jour, "121100.txt");
    EXPECT_EQ(jour_course().nb_classes, 24);
    EXPECT_TRUE(titre().endsWith("<> 3 ème jour de course"));

    // "Excel=non": the command stays disabled.
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[version_Excel]\r\nExcel=non\r\n");
    ini.close();
    carte->FormCreate();
    carte->Validmenu();
    EXPECT_FALSE(carte->actions.at("Actualiser1")->isEnabled());
    EXPECT_TRUE(carte->bouton_grise("ToolBActu"));
}
