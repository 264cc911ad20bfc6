#include "sale/SaleUi.h"
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

QFont tahoma(double pt, bool bold)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

QPixmap bannerStrip(const QColor &from, const QColor &to, Qt::Orientation direction)
{
    QPixmap pm(135, 28);
    QPainter p(&pm);
    QLinearGradient g(
        0, 0, direction == Qt::Horizontal ? 135 : 0, direction == Qt::Horizontal ? 0 : 28);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(pm.rect(), g);
    return pm;
}

void setColour(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}
