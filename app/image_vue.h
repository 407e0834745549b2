// The view as a picture ("&Vue" menu): saved as PNG at once or twice the
// window's size, or as a vector PDF page, through the program's checked
// writer; copied to the clipboard; printed. The picture is the chart as shown (the day or the film's
// instant, the route, the measurement on display, the names), drawn again
// at the density asked.
#pragma once

#include "services_fenetre.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <optional>

class QPrinter;

namespace orv {

class Carte;

// What the picture of the view asks of the window.
class FenetreDeLImage : public virtual ServicesFenetre {
public:
    // The window's picture drawn on another chart.
    virtual void rend_vers(Carte& c, int32_t larg, int32_t haut) = 0;
    // The screen's density, and the folder pictures are saved in first.
    virtual double ratio() const = 0;
    virtual QString dossier_courant() const = 0;
};

class ImageVue {
public:
    explicit ImageVue(FenetreDeLImage& f) : f_(f) {}

    // The view at `echelle` physical pixels per logical one.
    QImage image(double echelle) const;

    // "&Enregistrer l'image…": where, and at which scale (1 or 2); a
    // dialog by default, a script in the tests. Nothing: cancelled.
    struct Choix {
        QString chemin;
        double echelle = 1;
    };
    std::function<std::optional<Choix>()> choisit;
    void enregistre();
    // "Co&pier l'image": at the screen's density.
    void copie();

    // The view on a page painter, as paths and text, in the window's
    // logical pixels.
    void dessine_page(QPainter& p) const;
    // "E&xporter en PDF…": a page the size of the view; where, a dialog by
    // default, a script in the tests (empty: cancelled).
    std::function<QString()> choisit_pdf;
    void exporte_pdf();
    // "Imp&rimer…" (Ctrl+P): the print dialog, then the page.
    void imprime();
    // The view on the printer's page, fitted to its printable area.
    bool imprime_sur(QPrinter& imprimante) const;

private:
    std::optional<Choix> dialogue() const;
    FenetreDeLImage& f_;
};

}  // namespace orv
