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
