// The splash window (with the intro sound), the about box and the help
// window.
#pragma once

#include <QDialog>
#include <QDate>
#include <QWidget>

class QSoundEffect;

namespace orv {

class TFCalend;

class TFintro : public QWidget {
public:
    // `premier_jour`: the race's first day, where the calendar opens.
    TFintro(TFCalend* calendrier, const QString& rep_programme, const QDate& premier_jour);
    // Waits (events still flowing) until the sound is no longer loading:
    // quitting while it loads can hang in Qt 6.4's sample cache.
    void attend_fin_chargement();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TFCalend* calendrier_;
    QString rep_programme_;
    QDate premier_jour_;
    QSoundEffect* son_ = nullptr;
};

class TFApropos : public QDialog {
public:
    explicit TFApropos(QWidget* parent = nullptr);
};

// The help page ("AIDEORVLS.html" beside the program) in a window of ours.
class FenetreAide : public QDialog {
public:
    FenetreAide(const QString& rep_programme, QWidget* parent = nullptr);
};

}  // namespace orv
