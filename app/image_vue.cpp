#include "image_vue.h"

#include "ecriture.h"
#include "carte.h"
#include "traduction.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

QImage ImageVue::image(double echelle) const
{
    Canevas k;
    k.pose_ratio(echelle);
    // A viewport of its own: the window's hit tests keep their fit.
    Viewport v = f_.modele().vue;
    Carte c(k, v);
    f_.rend_vers(c, f_.vue_carte().width(), f_.vue_carte().height());
    return k.image();
}

std::optional<ImageVue::Choix> ImageVue::dialogue() const
{
    QDialog d(&f_.vue_carte());
    d.setWindowTitle(Texte::tr("Enregistrer l'image"));
    auto* l = new QVBoxLayout(&d);
    l->addWidget(new QLabel(Texte::tr("Taille de l'image :"), &d));
    const QSize t = f_.vue_carte().size();
    auto* simple = new QRadioButton(Texte::tr("1× (%1 × %2 pixels)").arg(t.width()).arg(t.height()), &d);
    auto* double_ = new QRadioButton(Texte::tr("2× (%1 × %2 pixels)").arg(2 * t.width()).arg(2 * t.height()), &d);
    (f_.ratio() > 1 ? double_ : simple)->setChecked(true);
    l->addWidget(simple);
    l->addWidget(double_);
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    b->button(QDialogButtonBox::Cancel)->setText(Texte::tr("Annuler"));
    QObject::connect(b, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    l->addWidget(b);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    QString chemin = QFileDialog::getSaveFileName(&f_.vue_carte(), Texte::tr("Enregistrer l'image"),
                                                  QDir(f_.dossier_courant()).filePath(QStringLiteral("orvalis.png")),
                                                  Texte::tr("Images PNG (*.png)"));
    if (chemin.isEmpty())
        return std::nullopt;
    if (!chemin.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        chemin += QStringLiteral(".png");
    return Choix{chemin, double_->isChecked() ? 2.0 : 1.0};
}

void ImageVue::enregistre()
{
    const std::optional<Choix> c = choisit ? choisit() : dialogue();
    if (!c)
        return;
    QString erreur;
    if (ecrit_png(c->chemin, image(c->echelle), erreur))
        f_.message(Texte::tr("Image enregistrée dans « %1 »").arg(QDir::toNativeSeparators(c->chemin)));
    else
        f_.avertit(erreur);
}

void ImageVue::copie()
{
    QGuiApplication::clipboard()->setImage(image(f_.ratio()));
    f_.message(Texte::tr("Image copiée dans le presse-papiers"));
}

}  // namespace orv

namespace orv {

void ImageVue::dessine_page(QPainter& p) const
{
    Canevas k;
    k.pose_vecteur(&p);
    // Nothing beyond the view (a printed page is larger).
    p.setClipRect(QRectF(QPointF(0, 0), QSizeF(f_.vue_carte().size())));
    Viewport v = f_.modele().vue;
    Carte c(k, v);
    f_.rend_vers(c, f_.vue_carte().width(), f_.vue_carte().height());
    k.vide_pixels();
}

void ImageVue::exporte_pdf()
{
    QString chemin;
    if (choisit_pdf) {
        chemin = choisit_pdf();
    } else {
        chemin = QFileDialog::getSaveFileName(&f_.vue_carte(), Texte::tr("Exporter en PDF"),
                                              QDir(f_.dossier_courant()).filePath(QStringLiteral("orvalis.pdf")),
                                              Texte::tr("Documents PDF (*.pdf)"));
        if (!chemin.isEmpty() && !chemin.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            chemin += QStringLiteral(".pdf");
    }
    if (chemin.isEmpty())
        return;
    QString erreur;
    const auto page = [this](QPainter& p) {
        dessine_page(p);
        return true;
    };
    if (ecrit_pdf(chemin, f_.vue_carte().size(), f_.modele().course.nom, page, erreur))
        f_.message(Texte::tr("PDF enregistré dans « %1 »").arg(QDir::toNativeSeparators(chemin)));
    else
        f_.avertit(erreur);
}

bool ImageVue::imprime_sur(QPrinter& imprimante) const
{
    QPainter p;
    if (!p.begin(&imprimante))
        return false;
    // The view as large as the page allows, its proportions kept.
    const QRectF page = imprimante.pageLayout().paintRectPixels(imprimante.resolution());
    const QSizeF vue = f_.vue_carte().size();
    const double k = std::min(page.width() / vue.width(), page.height() / vue.height());
    p.scale(k, k);
    dessine_page(p);
    return p.end();
}

void ImageVue::imprime()
{
    QPrinter imprimante(QPrinter::HighResolution);
    const QSize t = f_.vue_carte().size();
    imprimante.setPageOrientation(t.width() > t.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    imprimante.setDocName(f_.modele().course.nom);
    QPrintDialog d(&imprimante, &f_.vue_carte());
    d.setWindowTitle(Texte::tr("Imprimer"));
    if (d.exec() != QDialog::Accepted)
        return;
    if (imprime_sur(imprimante))
        f_.message(Texte::tr("Carte envoyée à l'imprimante"));
    else
        f_.avertit(Texte::tr("Impression impossible : l'imprimante n'a pas accepté la page."));
}

}  // namespace orv
