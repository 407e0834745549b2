#include "incrustations.h"

#include "palette.h"
#include "traduction.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace orv {

namespace {
// A block of lines on a dark translucent band, so that it reads over sea,
// coast and boats alike.
void bande(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(r, r.height() * 0.08, r.height() * 0.08);
}
}  // namespace

std::vector<int> premiers_du_classement(const Chronologie& c, const InstantFilm& m, int n)
{
    std::vector<int> qui;
    if (!c.publie() && c.course().arrivee_connue) {
        // A race of tracks: the order computed at the instant.
        for (const Chronologie::Calcule& k : c.ordre_calcule(m.t))
            if (int(qui.size()) < n)
                qui.push_back(k.i);
        return qui;
    }
    if (m.jour_classement < 0)
        return qui;
    for (const Chronologie::Ligne& r : c.classement(m.jour_classement)) {
        if (int(qui.size()) == n)
            break;
        if (!r.r->non_classe && m.positions[size_t(r.i)].montre)
            qui.push_back(r.i);
    }
    return qui;
}

void dessine_incrustations(QImage& image, const Chronologie& c, const InstantFilm& m)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double ratio = image.devicePixelRatio();
    const double larg = image.width() / ratio, haut = image.height() / ratio;
    // 720 logical pixels high: 22-pixel text.
    const double taille = std::max(11.0, haut / 33);
    const double marge = taille * 0.6;
    QFont police(QStringLiteral("Liberation Sans"));
    police.setPixelSize(int(taille));
    QFont titre = police;
    titre.setBold(true);
    titre.setPixelSize(int(taille * 1.25));

    // Top left: the title, the clock under it.
    const QString t1 = c.course().nom;
    const QString t2 = texte_horloge(c.course(), m.t);
    const QFontMetricsF mt(titre), mp(police);
    const double w_haut = std::max(mt.horizontalAdvance(t1), mp.horizontalAdvance(t2)) + 2 * marge;
    bande(p, QRectF(marge, marge, std::min(w_haut, larg - 2 * marge), mt.height() + mp.height() + 1.2 * marge));
    p.setPen(Qt::white);
    p.setFont(titre);
    p.drawText(QPointF(2 * marge, 1.5 * marge + mt.ascent()), t1);
    p.setFont(police);
    p.setPen(QColor(0xFF, 0xE0, 0x80));
    p.drawText(QPointF(2 * marge, 1.5 * marge + mt.height() + mp.ascent()), t2);

    // Bottom left: the published ranking's first five shown entrants.
    const std::vector<int> qui = premiers_du_classement(c, m, 5);
    if (qui.empty())
        return;
    QStringList rangs, noms;
    for (int i : qui) {
        rangs << (c.publie() ? QString::number(c.ligne(m.jour_classement, i)->rang) : QString::number(rangs.size() + 1));
        noms << c.course().nom_conc(i);
    }
    // A computed order is never shown as the official one.
    const QString entete = c.publie() ? titre_classement(c.publication(m.jour_classement))
                                      : Texte::tr("Classement calculé (distance à l'arrivée)");
    const double h_ligne = mp.height() * 1.1;
    double w_rang = 0, w_nom = 0;
    for (qsizetype k = 0; k < rangs.size(); ++k) {
        w_rang = std::max(w_rang, mp.horizontalAdvance(rangs[k]));
        w_nom = std::max(w_nom, mp.horizontalAdvance(noms[k]));
    }
    const double pastille = taille * 0.7;
    const double w_bas = std::max(mp.horizontalAdvance(entete), w_rang + pastille + w_nom + 2 * marge) + 2 * marge;
    const double h_bas = h_ligne * double(qui.size() + 1) + marge;
    const double y0 = haut - marge - h_bas;
    bande(p, QRectF(marge, y0, std::min(w_bas, larg - 2 * marge), h_bas));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawText(QPointF(2 * marge, y0 + marge / 2 + mp.ascent()), entete);
    for (size_t k = 0; k < qui.size(); ++k) {
        const double y = y0 + marge / 2 + h_ligne * double(k + 1);
        p.setPen(Qt::white);
        p.drawText(QRectF(2 * marge, y, w_rang, h_ligne), Qt::AlignRight | Qt::AlignTop, rangs[qsizetype(k)]);
        // Its colour as its boat and trail have it: a disc for a solid
        // line, a ring for a dashed one (two entrants share each hue).
        const QRectF disque(2 * marge + w_rang + marge * 0.6, y + (mp.ascent() - pastille) / 2 + mp.descent() / 2,
                            pastille, pastille);
        if (tirets_entrant(qui[k])) {
            p.setPen(QPen(qcouleur_entrant(qui[k]), pastille * 0.28));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(disque.adjusted(pastille * 0.14, pastille * 0.14, -pastille * 0.14, -pastille * 0.14));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(qcouleur_entrant(qui[k]));
            p.drawEllipse(disque);
        }
        p.setPen(Qt::white);
        p.drawText(QPointF(3 * marge + w_rang + pastille, y + mp.ascent()), noms[qsizetype(k)]);
    }
}

}  // namespace orv
