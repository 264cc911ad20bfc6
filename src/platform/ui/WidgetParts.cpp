#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

QPushButton *plainButton(QWidget *parent, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QPushButton *exportButton(QWidget *parent, const QString &caption)
{
    QPushButton *b = plainButton(parent, caption);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9);
    b->setFont(font);
    b->setAccessibleName(caption);
    return b;
}

ExportButtons exportButtons(QWidget *parent)
{
    ExportButtons b { exportButton(parent, QStringLiteral("ส่งออก Excel")),
        exportButton(parent, QStringLiteral("ส่งออก PDF")) };
    Twips::place(b.excel, 11160, 50, 1335, 360);
    Twips::place(b.pdf, 9600, 50, 1455, 360);
    b.excel->raise();
    b.pdf->raise();
    return b;
}

void fillBackground(QWidget *w, const QColor &back)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QPixmap gradientBand(int height, const QColor &left, const QColor &right)
{
    QPixmap pm(1600, height);
    QPainter p(&pm);
    QLinearGradient g(0, 0, pm.width(), 0);
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    p.fillRect(pm.rect(), g);
    return pm;
}
