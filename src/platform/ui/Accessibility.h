#pragma once
#include <QString>

class QLabel;
class QWidget;

// What assistive technology (screen readers, automation) reads of the controls.
namespace Accessibility {

// A caption as it is read: the access-key "&" taken out ("&&" stays one "&"), blanks at the
// ends and doubled blanks inside dropped.
QString plainCaption(const QString &caption);

// A box, list or grid is named by its caption label (not by what it holds).
void nameFromCaption(QWidget *control, const QString &caption);

// A label that shows a figure keeps the figure as what is read; its caption becomes the
// description (a name would hide the figure).
void describeFigure(QLabel *figure, const QString &caption);

} // namespace Accessibility
