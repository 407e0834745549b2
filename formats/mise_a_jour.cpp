#include "mise_a_jour.h"

#include "fichier_jour.h"
#include "ecriture.h"
#include "lecteurs.h"
#include "texte.h"
#include "traduction.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace orv {

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

bool jour_de_course(const Course& c, const QDate& jour)
{
    return jour.isValid() && jour >= c.premier_jour && jour <= c.dernier_jour;
}

QDate jour_homonyme(const Course& c, const QDate& jour)
{
    if (!jour.isValid())
        return {};
    // The days of the race whose two-digit year is the date's.
    for (int annee = c.premier_jour.year(); annee <= c.dernier_jour.year(); ++annee) {
        if ((annee - jour.year()) % 100 != 0)
            continue;
        const QDate d(annee, jour.month(), jour.day());
        if (jour_de_course(c, d) && d != jour)
            return d;
    }
    return {};
}

namespace {
// The sheet as a worker thread reads it.
struct Lecture {
    bool ok = false;
    Feuille feuille;
    QString message;
};

// The day file written through the checked writer; the program's own
// message when an existing file of the day could not be replaced.
bool ecrit_jour(const QString& chemin, const QStringList& lignes, QString& erreur)
{
    if (ecrit_lignes(chemin, lignes, erreur))
        return true;
    if (QFileInfo::exists(chemin) && !erreur.contains(QLatin1String("disque")) &&
        !erreur.contains(QLatin1String("fichier trop grand")))
        erreur = QString::fromUtf8(MESSAGE_EFFACEMENT) + QStringLiteral(" (%1)").arg(erreur);
    return false;
}
}  // namespace

struct MiseAJour::Etat {
    QFutureWatcher<Lecture> veilleur;
};

MiseAJour::MiseAJour(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour,
                     const QString& rep, int delai_ms, std::function<void(const Resultat&)> fin)
    : course_(c), source_(source), code_excel_(code_excel), jour_(jour), rep_(rep), fin_(std::move(fin)),
      etat_(std::make_unique<Etat>())
{
    // Every end, failures included, comes from the event loop.
    auto echoue = [this](const QString& e) {
        QTimer::singleShot(0, &etat_->veilleur, [this, e] { termine({false, {}, e}); });
    };
    if (code_excel_ != 1 && code_excel_ != 2) {
        echoue(Texte::tr("Actualisation désactivée (posorvls.ini : Excel=non)."));
        return;
    }
    // Today's file is written whatever today is, unless its name is that
    // of another day of the race (a two-digit year: 10/11/2100 and
    // 10/11/2000 are both 101100.txt).
    if (const QDate homonyme = jour_homonyme(course_, jour_); homonyme.isValid()) {
        echoue(Texte::tr("Le fichier du %1 porterait le nom de celui du %2, un jour de la course : rien n'est écrit.")
                   .arg(jour_.toString(QStringLiteral("dd/MM/yyyy")), homonyme.toString(QStringLiteral("dd/MM/yyyy"))));
        return;
    }
    if (source_.est_url()) {
        const QString adresse = source_.adresse;
        telechargement_ = std::make_unique<Telechargement>(adresse, delai_ms, [this, adresse](const Telechargement::Resultat& r) {
            if (!r.ok) {
                termine({false, {}, Texte::tr("Classement introuvable : %1 (%2).").arg(adresse, r.erreur)});
                return;
            }
            // The reader of what came, a page when nothing else says so.
            const LecteurClassement* l = lecteur_classement(adresse, r.page);
            if (!l)
                l = &lecteur_page();
            const ContenuClassement contenu{r.page, r.type_contenu, r.longueur_annoncee};
            analyse([l, contenu, adresse](Feuille& f, QString& message) {
                QString raison;
                if (l->lit(contenu, QStringLiteral("RECLASS"), f, raison))
                    return true;
                message = l->echec(raison, adresse);
                return false;
            });
        });
        return;
    }
    // A file, by its path or its file:// address.
    const QString chemin = source_.adresse.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                               ? QUrl(source_.adresse).toLocalFile()
                               : source_.adresse;
    const QFileInfo fi(chemin);
    if (fi.exists() && !fi.isFile()) {
        echoue(Texte::tr("Classement introuvable : « %1 » n'est pas un fichier.").arg(chemin));
        return;
    }
    if (!fi.isFile()) {
        echoue(Texte::tr("Classement introuvable : « %1 » (fichier absent).").arg(chemin));
        return;
    }
    analyse([chemin](Feuille& f, QString& message) { return lit_classement(chemin, QStringLiteral("RECLASS"), f, message); });
}

MiseAJour::~MiseAJour() { annule(); }

void MiseAJour::annule()
{
    fin_ = nullptr;
    telechargement_.reset();
    // A parse in progress ends in its thread; its sheet is dropped.
    if (etat_)
        etat_->veilleur.disconnect();
}

void MiseAJour::analyse(std::function<bool(Feuille&, QString&)> lecture)
{
    // Parsing a page can take a while: off this thread, so that the window
    // stays responsive and a cancel is taken at once.
    QObject::connect(&etat_->veilleur, &QFutureWatcher<Lecture>::finished, &etat_->veilleur, [this] {
        if (!fin_)
            return;  // cancelled meanwhile: the sheet is dropped
        const Lecture l = etat_->veilleur.result();
        if (l.ok)
            ecrit(l.feuille);
        else
            termine({false, {}, l.message});
    });
    etat_->veilleur.setFuture(QtConcurrent::run([lecture] {
        Lecture l;
        l.ok = lecture(l.feuille, l.message);
        return l;
    }));
}

void MiseAJour::ecrit(const Feuille& f)
{
    QStringList lignes;
    QString erreur;
    if (!lignes_du_classement(course_, f, code_excel_, jour_, lignes, erreur)) {
        termine({false, {}, erreur});
        return;
    }
    QDir().mkpath(rep_);
    // What a killed update left behind, unless it may still be writing.
    nettoie_temporaires(rep_, QStringLiteral("\\d{6}\\.txt"), 60);
    const QString chemin = rep_ + u'/' + code_du_jour(jour_.day(), jour_.month(), jour_.year()) + QStringLiteral(".txt");
    if (!ecrit_jour(chemin, lignes, erreur)) {
        termine({false, {}, erreur});
        return;
    }
    termine({true, chemin, {}});
}

void MiseAJour::termine(const Resultat& r)
{
    auto f = std::move(fin_);
    fin_ = nullptr;
    if (f)
        f(r);
}

QString actualise_classement(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour,
                             const QString& rep, int delai_ms, QString& erreur)
{
    QEventLoop boucle;
    MiseAJour::Resultat res;
    MiseAJour m(c, source, code_excel, jour, rep, delai_ms, [&](const MiseAJour::Resultat& r) {
        res = r;
        boucle.quit();
    });
    boucle.exec();
    erreur = res.erreur;
    return res.ok ? res.chemin : QString();
}

}  // namespace orv
