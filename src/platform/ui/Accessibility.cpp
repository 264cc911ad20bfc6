#include "Accessibility.h"
#include <QLabel>

QString Accessibility::plainCaption(const QString &caption)
{
    QString out;
    out.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                out += QLatin1Char('&');
            if (i + 1 < caption.size())
                ++i;
            else
                continue;
            if (caption[i] == QLatin1Char('&'))
                continue;
        }
        out += caption[i];
    }
    return out.simplified();
}

void Accessibility::nameFromCaption(QWidget *control, const QString &caption)
{
    control->setAccessibleName(plainCaption(caption));
}

void Accessibility::describeFigure(QLabel *figure, const QString &caption)
{
    figure->setAccessibleDescription(plainCaption(caption));
}
