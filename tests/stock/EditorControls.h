#pragma once
#include "button/KasmoButton.h"
#include "stock/ProductEditor.h"
#include "support/FindControl.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// The product editor's controls, found by name as a test reaches them.
namespace EditorControls {

inline QLineEdit *box(const ProductEditor *f, const char *name)
{
    return control<QLineEdit>(f, QString::fromLatin1(name));
}
inline QComboBox *list(const ProductEditor *f, const char *name)
{
    return control<QComboBox>(f, QString::fromLatin1(name));
}
inline QCheckBox *tick(const ProductEditor *f, const char *name)
{
    return control<QCheckBox>(f, QString::fromLatin1(name));
}
inline KasmoButton *button(const ProductEditor *f, const char *name)
{
    return control<KasmoButton>(f, QString::fromLatin1(name));
}

inline QLineEdit *codeBox(const ProductEditor *f)
{
    return box(f, "codeBox");
}
inline QLineEdit *nameBox(const ProductEditor *f)
{
    return box(f, "nameBox");
}
inline QLineEdit *descriptionBox(const ProductEditor *f)
{
    return box(f, "descriptionBox");
}
inline QLineEdit *stockBox(const ProductEditor *f)
{
    return box(f, "stockBox");
}
inline QLineEdit *priceBox(const ProductEditor *f)
{
    return box(f, "priceBox");
}
inline QLineEdit *costBox(const ProductEditor *f)
{
    return box(f, "costBox");
}
inline QLineEdit *lowStockLimitBox(const ProductEditor *f)
{
    return box(f, "lowStockLimitBox");
}
inline QLineEdit *specialPrice1Box(const ProductEditor *f)
{
    return box(f, "specialPrice1Box");
}
inline QLineEdit *specialPrice2Box(const ProductEditor *f)
{
    return box(f, "specialPrice2Box");
}
inline QLineEdit *wholesaleQuantityBox(const ProductEditor *f)
{
    return box(f, "wholesaleQuantityBox");
}
inline QLineEdit *wholesalePriceBox(const ProductEditor *f)
{
    return box(f, "wholesalePriceBox");
}
inline QComboBox *groupList(const ProductEditor *f)
{
    return list(f, "groupList");
}
inline QComboBox *placeList(const ProductEditor *f)
{
    return list(f, "placeList");
}
inline QComboBox *unitList(const ProductEditor *f)
{
    return list(f, "unitList");
}
inline QCheckBox *wholesaleSwitch(const ProductEditor *f)
{
    return tick(f, "wholesaleSwitch");
}
inline QCheckBox *autoCodeSwitch(const ProductEditor *f)
{
    return tick(f, "autoCodeSwitch");
}
inline QCheckBox *storedAutoCodeSwitch(const ProductEditor *f)
{
    return tick(f, "storedAutoCodeSwitch");
}
inline QLabel *pictureBox(const ProductEditor *f)
{
    return control<QLabel>(f, QStringLiteral("pictureBox"));
}
inline KasmoButton *addPictureButton(const ProductEditor *f)
{
    return button(f, "addPictureButton");
}
inline KasmoButton *removePictureButton(const ProductEditor *f)
{
    return button(f, "removePictureButton");
}
inline KasmoButton *saveButton(const ProductEditor *f)
{
    return button(f, "saveButton");
}

} // namespace EditorControls
