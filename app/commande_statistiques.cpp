// The "Statistiques" command of the main window: the statistics of the
// assembled archive in their window; a click on a point shows that day.
#include "chronologie.h"
#include "classement.h"
#include "fenetre_statistiques.h"
#include "posconc.h"
#include "traduction.h"

#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace {
// A race of tracks has no published ranking, so neither race trace nor
// ranks day by day: its window holds each boat's record, and says why.
QWidget* statistiques_des_traces(const Course& c, const std::vector<Piste>& pistes, QWidget* parent)
{
    auto* f = new QWidget(parent, Qt::Window);
    f->setWindowTitle(Texte::tr("Statistiques de la course"));
    auto* l = new QVBoxLayout(f);
    auto* pourquoi = new QLabel(Texte::tr("Une course de traces n'a pas de classement publié : ni tracé de la course ni "
                                          "rangs jour par jour. Le bilan de chaque bateau :"),
                                f);
    pourquoi->setWordWrap(true);
    const Chronologie chrono(c, pistes);
    const std::vector<QStringList> lignes = bilan_pistes(chrono, separateur_decimal_utilisateur());
    auto* table = new QTableWidget(int(lignes.size()) - 1, int(lignes.front().size()), f);
    table->setObjectName(QStringLiteral("BilanTraces"));
    QStringList titres;
    for (const QString& t : lignes.front())
        titres << Texte::tr(t.toUtf8().constData());
    table->setHorizontalHeaderLabels(titres);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t r = 1; r < lignes.size(); ++r)
        for (qsizetype k = 0; k < lignes[r].size(); ++k) {
            auto* e = new QTableWidgetItem(lignes[r][k]);
            if (k >= 2)
                e->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(int(r) - 1, int(k), e);
        }
    table->resizeColumnsToContents();
    l->addWidget(pourquoi);
    l->addWidget(table, 1);
    f->resize(900, 600);
    return f;
}
}  // namespace

void TFPosConc::Statistiques1Click()
{
    if (!fenetre_statistiques && !etat.course.fichiers_jour) {
        fenetre_statistiques = statistiques_des_traces(etat.course, etat.pistes, this);
        fenetre_statistiques->setObjectName(QStringLiteral("FenetreStatistiques"));
    }
    if (!fenetre_statistiques) {
        // The archive the replay assembles, read once.
        if (!rejeu.trajets_constitues)
            Constitue_trajets();
        if (!rejeu.trajets_constitues)
            return;
        auto* f = new FenetreStatistiques(calcule_statistiques(etat.archive),
                                          !fond_clair(couleur_fond), this);
        f->ouvre_jour = [this](const QDate& d) {
            if (mode_outil() == OUTIL_TRAJETS || rejeu.trajets_actifs)
                FormDBlClick();
            montre_jour(d);
            // The day is looked at in the main window, its keys at hand.
            if (cadre) {
                cadre->raise();
                cadre->activateWindow();
            }
            setFocus();
        };
        // With the film open, a click on a chart moves it there.
        f->va_a_instant = [this](const QDateTime& t) {
            if (!film.actif())
                return false;
            film.va_a(instant_de(t));
            return true;
        };
        f->message = information;
        f->setObjectName(QStringLiteral("FenetreStatistiques"));
        if (film.actif())
            instant_du_film(film.controleur.instant());
        fenetre_statistiques = f;
    }
    fenetre_statistiques->show();
    fenetre_statistiques->raise();
    fenetre_statistiques->activateWindow();
}

void TFPosConc::instant_du_film(std::optional<Instant> t)
{
    auto* f = dynamic_cast<FenetreStatistiques*>(fenetre_statistiques);
    if (!f)
        return;
    // The charts move by whole hours: a pixel of them is hours of race.
    const QDateTime d = t ? date_de(*t - *t % UNE_HEURE) : QDateTime();
    if (d != f->instant_montre())
        f->montre_instant(d);
}

}  // namespace orv
