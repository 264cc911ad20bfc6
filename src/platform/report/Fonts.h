#pragma once
#include <QString>

// Maps the fonts the windows and layouts name (Tahoma, Browallia New) to Thai fonts that the
// system has (fonts-thai-tlwg). Call once at start-up; the report engine calls it too.
void installFontSubstitutions();

// Browallia New's letters are small for their point size; the face standing in for it is drawn
// at this fraction of the size so that texts fit the boxes the layouts were designed with.
double reportFontScale(const QString &family);
