#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>

class QWidget;

// Small look helpers shared by the sale page's dialogs.

// Tahoma (mapped to a Thai font) in points, bold unless said otherwise.
QFont tahoma(double pt, bool bold = true);

// One colour of a control's palette.
void setColour(QWidget *w, QPalette::ColorRole role, const QColor &c);

// The decorative strip along the top of a dialog: a gradient from one colour to another.
QPixmap bannerStrip(
    const QColor &from, const QColor &to, Qt::Orientation direction = Qt::Horizontal);
