// "A&ide" > "&Raccourcis clavier": every command of the window with its
// keys, read from the menus themselves, then the film's keys.
#include "posconc.h"

#include "traduction.h"

#include <QDialog>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

std::vector<QStringList> TFPosConc::lignes_raccourcis() const
{
    // From the menus themselves: each menu's Alt key, each command with
    // keys; then the film's keys.
    std::vector<QStringList> l;
    const auto nom = [](QString t) { return t.remove(u'&').remove(QChar(0x2026)).trimmed(); };
    const auto parcourt = [&](const auto& soi, const QList<QAction*>& liste, bool barre) -> void {
        for (QAction* a : liste) {
            if (a->isSeparator())
                continue;
            const qsizetype et = a->text().indexOf(u'&');
            if (barre && et >= 0 && et + 1 < a->text().size())
                l.push_back({nom(a->text()), QStringLiteral("Alt+") + a->text()[et + 1].toUpper()});
            else if (!a->shortcut().isEmpty())
                l.push_back({nom(a->text()), a->shortcut().toString(QKeySequence::NativeText)});
            if (a->menu())
                soi(soi, a->menu()->actions(), false);
        }
    };
    if (cadre)
        parcourt(parcourt, cadre->menuBar()->actions(), true);
    for (const auto& [k, texte] : FilmContinu::touches_film())
        l.push_back({texte, k.toString(QKeySequence::NativeText)});
    return l;
}

void TFPosConc::RaccourcisClick()
{
    QDialog d(this);
    d.setWindowTitle(Texte::tr("Raccourcis clavier"));
    auto* table = new QTableWidget(&d);
    table->setObjectName(QStringLiteral("TableRaccourcis"));
    const std::vector<QStringList> l = lignes_raccourcis();
    table->setColumnCount(2);
    table->setRowCount(int(l.size()));
    table->setHorizontalHeaderLabels({Texte::tr("Commande"), Texte::tr("Touches")});
    for (size_t r = 0; r < l.size(); ++r)
        for (int c = 0; c < 2; ++c)
            table->setItem(int(r), c, new QTableWidgetItem(l[r].value(c)));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->resizeColumnsToContents();
    auto* lay = new QVBoxLayout(&d);
    lay->addWidget(table);
    d.resize(table->horizontalHeader()->length() + 40, 480);
    d.exec();
}

}  // namespace orv
