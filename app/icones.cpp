#include "icones.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace orv {

QPixmap dessin_icone(Icone i, bool grise)
{
    QPixmap p(24, 21);
    p.fill(Qt::black);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor jaune = grise ? QColor(110, 110, 80) : QColor(255, 220, 60);
    const QColor cyan = grise ? QColor(80, 100, 100) : QColor(80, 220, 230);
    const QColor rouge = grise ? QColor(110, 80, 80) : QColor(235, 70, 60);
    const QColor blanc = grise ? QColor(110, 110, 110) : QColor(240, 240, 240);
    QPen pen(cyan, 1.6);
    g.setPen(pen);
    switch (i) {
    case Icone::Zoom:
        g.drawEllipse(QPointF(10, 9), 6, 6);
        g.setPen(QPen(jaune, 2.5));
        g.drawLine(QPointF(14.5, 13.5), QPointF(21, 19));
        g.setPen(QPen(blanc, 1.4));
        g.drawLine(QPointF(7, 9), QPointF(13, 9));
        g.drawLine(QPointF(10, 6), QPointF(10, 12));
        break;
    case Icone::Panoramique:
        g.setPen(QPen(jaune, 1.6));
        g.drawLine(QPointF(3, 10.5), QPointF(21, 10.5));
        g.drawLine(QPointF(12, 2), QPointF(12, 19));
        for (auto [x, y, dx, dy] : {std::array<double, 4>{3, 10.5, 1, 0}, {21, 10.5, -1, 0}, {12, 2, 0, 1}, {12, 19, 0, -1}}) {
            QPainterPath t;
            t.moveTo(x, y);
            t.lineTo(x + 4 * dx - 3 * dy, y + 4 * dy - 3 * dx);
            t.lineTo(x + 4 * dx + 3 * dy, y + 4 * dy + 3 * dx);
            t.closeSubpath();
            g.fillPath(t, jaune);
        }
        break;
    case Icone::Details: {
        g.setBrush(cyan);
        g.drawEllipse(QPointF(12, 10.5), 8, 8);
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(14);
        f.setBold(true);
        g.setFont(f);
        g.setPen(Qt::black);
        g.drawText(QRectF(4, 2, 16, 17), Qt::AlignCenter, QStringLiteral("i"));
        break;
    }
    case Icone::Date:
        g.setPen(QPen(blanc, 1.2));
        g.setBrush(Qt::NoBrush);
        g.drawRect(QRectF(4, 4, 16, 14));
        g.fillRect(QRectF(4, 4, 16, 4), rouge);
        g.setPen(QPen(cyan, 1.2));
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c)
                g.drawPoint(QPointF(7 + c * 3.5, 11 + r * 3.5));
        break;
    case Icone::Distance: {
        g.setPen(QPen(blanc, 1.2, Qt::DotLine));
        QPainterPath arc;
        arc.moveTo(3, 16);
        arc.quadTo(12, 1, 21, 16);
        g.drawPath(arc);
        g.setPen(Qt::NoPen);
        g.setBrush(jaune);
        g.drawEllipse(QPointF(3, 16), 2.2, 2.2);
        g.drawEllipse(QPointF(21, 16), 2.2, 2.2);
        break;
    }
    case Icone::Classement:
        for (int k = 0; k < 4; ++k) {
            g.setPen(QPen(k == 0 ? jaune : cyan, 2));
            g.drawLine(QPointF(4, 4 + k * 4.3), QPointF(20 - k * 3, 4 + k * 4.3));
        }
        break;
    case Icone::Trajets: {
        g.setPen(QPen(jaune, 1.6));
        QPainterPath t;
        t.moveTo(3, 18);
        t.cubicTo(8, 2, 14, 20, 21, 4);
        g.drawPath(t);
        g.setPen(QPen(rouge, 1.6));
        QPainterPath u;
        u.moveTo(3, 12);
        u.cubicTo(9, 18, 15, 2, 21, 10);
        g.drawPath(u);
        break;
    }
    case Icone::Route:
        g.setPen(QPen(rouge, 1.5, Qt::DashLine));
        g.drawLine(QPointF(3, 17), QPointF(10, 6));
        g.drawLine(QPointF(10, 6), QPointF(21, 13));
        g.setPen(Qt::NoPen);
        g.setBrush(blanc);
        for (QPointF q : {QPointF(3, 17), QPointF(10, 6), QPointF(21, 13)})
            g.drawEllipse(q, 1.8, 1.8);
        break;
    case Icone::Actualiser:
        g.setPen(QPen(cyan, 2));
        g.drawArc(QRectF(5, 3, 14, 14), 30 * 16, 280 * 16);
        g.setPen(Qt::NoPen);
        g.setBrush(cyan);
        {
            QPainterPath t;
            t.moveTo(18.5, 2);
            t.lineTo(21.5, 9);
            t.lineTo(14, 8);
            t.closeSubpath();
            g.drawPath(t);
        }
        break;
    case Icone::Aide: {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(17);
        f.setBold(true);
        g.setFont(f);
        g.setPen(jaune);
        g.drawText(QRectF(0, 0, 24, 21), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Icone::Quitter:
        g.setPen(QPen(rouge, 2.5));
        g.drawLine(QPointF(6, 4), QPointF(18, 17));
        g.drawLine(QPointF(18, 4), QPointF(6, 17));
        break;
    }
    return p;
}

QIcon icone(Icone i, bool grise)
{
    return QIcon(dessin_icone(i, grise));
}

Icone nom_vers_icone(const QString& b)
{
    static const std::pair<const char*, Icone> t[] = {
        {"ToolBZoom", Icone::Zoom},          {"ToolBPAn", Icone::Panoramique}, {"ToolBAff", Icone::Details},
        {"ToolBDate", Icone::Date},          {"ToolBDist", Icone::Distance},   {"ToolBClass", Icone::Classement},
        {"ToolBTraj", Icone::Trajets},       {"ToolBRoute", Icone::Route},     {"ToolBActu", Icone::Actualiser},
        {"ToolBAide", Icone::Aide},          {"ToolBQuitte", Icone::Quitter}};
    for (auto [n, i] : t)
        if (b == QLatin1String(n))
            return i;
    return Icone::Aide;
}

}  // namespace orv
