// The details tool of the main window: which entrant or course mark lies
// under the mouse, the details box and the photograph panel.
#include "posconc.h"

#include "traduction.h"

#include <QFileInfo>
#include <QLabel>

namespace orv {

int TFPosConc::Select_Conc(int X, int Y)
{
    conc_touche = false;
    if (film.actif()) {
        // The boats of the moment.
        const int i = film.concurrent_sous(X, Y);
        conc_touche = i > 0;
        return i > 0 ? i : -1;
    }
    const int t = dessin.larg_client / 80;
    for (int i = 1; i < int(etat.jour.donnees_conc.size()); ++i) {
        const TDonnees_conc& r = etat.jour.donnees_conc[size_t(i)];
        const int px = pos_grX(ddmm_vers_rad(r.elem.longitude));
        const int py = pos_grY(ddmm_vers_rad(r.elem.latitude));
        if (X - t < px && px < X + t && Y - t < py && py < Y + t) {
            conc_touche = true;
            return i;
        }
    }
    return -1;
}

bool TFPosConc::Select_mp(int X, int Y)
{
    conc_touche = false;
    const int t = dessin.larg_client / 80;
    for (const TLieu& e : etat.lieux.liste_mp) {
        const int px = pos_grX(ddmm_vers_rad(e.elem.longitude));
        const int py = pos_grY(ddmm_vers_rad(e.elem.latitude));
        if (X - t < px && px < X + t && Y - t < py && py < Y + t) {
            mp_courante = &e;
            conc_touche = true;
            return true;
        }
    }
    return false;
}

void TFPosConc::Afficher1Click() { outils.active(OUTIL_DETAILS); }

QStringList TFPosConc::lignes_details(int i) const
{
    if (film.actif())
        return film.lignes_details(i);
    const TDonnees_conc& r = etat.jour.donnees_conc[size_t(i)];
    auto nombre = [](ext v, int largeur, int decimales) {
        return QString::asprintf("%*.*f", largeur, decimales, static_cast<double>(v));
    };
    return {QString::number(i),
            QString(),
            r.bateau,
            r.skipper,
            Texte::tr("Cap = ") + nombre(r.cap, 3, 0) + QStringLiteral("°"),
            (i == 1 ? Texte::tr("Distance de l'arrivée = ") : Texte::tr("Distance du leader = ")) +
                nombre(r.distance, 4, 0) + Texte::tr(" milles"),
            Texte::tr("Vitesse = ") + nombre(r.vitesse, 5, 1) + Texte::tr(" noeuds"),
            r.date_txt};
}

void TFPosConc::details_appui(int X, int Y, bool ctrl)
{
    const int i = Select_Conc(X, Y);
    if (i < 0)
        return;
    Memo1->setText(lignes_details(i).join(u'\n'));
    Memo1->show();
    Memo1->raise();
    if (ctrl)
        PhotoConc(i);
}

void TFPosConc::details_relache()
{
    Memo1->hide();
    PanelPhoto->hide();
}

void TFPosConc::PhotoConc(int i)
{
    const Course& c = etat.course;
    const int k = film.actif() ? i : c.indice(etat.jour.donnees_conc[size_t(i)].skipper);
    PanelPhoto->show();
    PanelPhoto->raise();
    // On a high-density screen, the picture twice as sharp when there is one.
    const double d = devicePixelRatioF();
    QPixmap photo;
    const QString& fichier = k < c.inconnu() ? c.concurrents[size_t(k)].photo : QString();
    if (!fichier.isEmpty()) {
        // Its twice as sharp copy beside it: "Arvelin2.bmp", "Arvelin2@2x.png".
        const QString chemin = fichier_relatif(fichier);
        const QString net = fichier_relatif(QFileInfo(fichier).completeBaseName() + QStringLiteral("@2x.png"));
        if (d > 1 && QFileInfo::exists(net))
            photo.load(net);
        else if (QFileInfo::exists(chemin))
            photo.load(chemin);
    }
    if (!photo.isNull()) {
        QPixmap p = photo.scaled(ImagePhoto->size() * d, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.setDevicePixelRatio(d);
        ImagePhoto->setPixmap(p);
        ImagePhoto->show();
        LegendePhoto->hide();
    } else {
        ImagePhoto->hide();
        LegendePhoto->setText(Texte::tr("Photo non disponible"));
        LegendePhoto->show();
    }
    if (k < c.inconnu()) {
        const CaracBateau& b = c.concurrents[size_t(k)].carac;
        MemoPhoto1->setText(Texte::tr(" Type : %1\n Longueur : %2 m.\n Poids en charge : %3 t.")
                                .arg(b.greement, b.longueur, b.poids_charge));
        MemoPhoto2->setText(Texte::tr(" Voilure au près : %1 m²\n Voilure au portant : %2 m²")
                                .arg(b.voilure_pres, b.voilure_portant));
    } else {
        MemoPhoto1->clear();
        MemoPhoto2->clear();
    }
}

}  // namespace orv
