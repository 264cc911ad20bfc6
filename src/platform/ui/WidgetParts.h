#pragma once
#include <QColor>
#include <QPixmap>
#include <QString>

class QPushButton;
class QWidget;

// A push button that never takes Enter as the dialog's default: Enter in a box stays the box's own.
QPushButton *plainButton(QWidget *parent, const QString &caption);

// An export button laid over a report viewer's toolbar row: Tahoma 9, named by its caption.
QPushButton *exportButton(QWidget *parent, const QString &caption);

// The report viewer windows' two export buttons, "ส่งออก Excel" and "ส่งออก PDF" (PDF to the
// left), over the right-hand end of the viewer's toolbar row, where they keep their place.
struct ExportButtons
{
    QPushButton *excel;
    QPushButton *pdf;
};
ExportButtons exportButtons(QWidget *parent);

// Paints a widget's whole background in one colour.
void fillBackground(QWidget *w, const QColor &back);

// A band of colour running from `left` to `right`, wide enough for any window, behind a title row.
QPixmap gradientBand(int height, const QColor &left, const QColor &right);
