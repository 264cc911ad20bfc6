#pragma once
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "sale/ProductSearchDialog.h"
#include "sale/QuantityDialog.h"
#include "sale/SalePage.h"
#include "support/FindControl.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The sale page's and its dialogs' controls, found by their names as a Qt test finds them.
namespace SaleScreen {

inline QLineEdit *codeBox(const SalePage *w)
{
    return control<QLineEdit>(w, QStringLiteral("codeBox"));
}
inline KasmoButton *searchButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("searchButton"));
}
inline QComboBox *priceList(const SalePage *w)
{
    return control<QComboBox>(w, QStringLiteral("priceList"));
}
inline QLabel *chosenPriceLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("chosenPriceLabel"));
}
inline QLabel *chosenPriceCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("chosenPriceCaption"));
}
inline DataGrid *saleGrid(const SalePage *w)
{
    return control<DataGrid>(w, QStringLiteral("saleGrid"));
}
inline DataGrid *heldGrid(const SalePage *w)
{
    return control<DataGrid>(w, QStringLiteral("heldGrid"));
}
inline QLineEdit *discountBox(const SalePage *w)
{
    return control<QLineEdit>(w, QStringLiteral("discountBox"));
}
inline QComboBox *discountKind(const SalePage *w)
{
    return control<QComboBox>(w, QStringLiteral("discountKind"));
}
inline QLineEdit *cashBox(const SalePage *w)
{
    return control<QLineEdit>(w, QStringLiteral("cashBox"));
}
inline QLabel *totalLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("totalLabel"));
}
inline QLabel *netLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("netLabel"));
}
inline QLabel *changeLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("changeLabel"));
}
inline QLabel *lineCountLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("lineCountLabel"));
}
inline QLabel *productPicture(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("productPicture"));
}
inline QLabel *pictureCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("pictureCaption"));
}
inline QLabel *shortcutsLink(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("shortcutsLink"));
}
inline QCheckBox *askBeforeSaving(const SalePage *w)
{
    return control<QCheckBox>(w, QStringLiteral("askBeforeSaving"));
}
inline QLineEdit *receiptNumberBox(const SalePage *w)
{
    return control<QLineEdit>(w, QStringLiteral("receiptNumberBox"));
}
inline QLineEdit *discountBahtBox(const SalePage *w)
{
    return control<QLineEdit>(w, QStringLiteral("discountBahtBox"));
}
inline KasmoButton *saveButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("saveButton"));
}
inline KasmoButton *saveAndPrintButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("saveAndPrintButton"));
}
inline KasmoButton *removeLineButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("removeLineButton"));
}
inline KasmoButton *returnModeButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("returnModeButton"));
}
inline KasmoButton *clearButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("clearButton"));
}
inline KasmoButton *holdButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("holdButton"));
}
inline KasmoButton *recallButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("recallButton"));
}
inline KasmoButton *loadBillButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("loadBillButton"));
}
inline KasmoButton *returnWholeBillButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("returnWholeBillButton"));
}
inline KasmoButton *leaveReturnModeButton(const SalePage *w)
{
    return control<KasmoButton>(w, QStringLiteral("leaveReturnModeButton"));
}
inline QLabel *codeCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("codeCaption"));
}
inline QLabel *billNumberCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("billNumberCaption"));
}
inline QLabel *priceListCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("priceListCaption"));
}
inline QLabel *discountCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("discountCaption"));
}
inline QLabel *cashCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("cashCaption"));
}
inline QLabel *totalCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("totalCaption"));
}
inline QLabel *netCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("netCaption"));
}
inline QLabel *changeCaption(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("changeCaption"));
}
inline QLabel *titleLabel(const SalePage *w)
{
    return control<QLabel>(w, QStringLiteral("titleLabel"));
}
inline QFrame *figuresPanel(const SalePage *w)
{
    return control<QFrame>(w, QStringLiteral("figuresPanel"));
}
inline QFrame *bottomPanel(const SalePage *w)
{
    return control<QFrame>(w, QStringLiteral("bottomPanel"));
}
inline QFrame *gridRule(const SalePage *w)
{
    return control<QFrame>(w, QStringLiteral("gridRule"));
}
inline QLineEdit *searchBox(const ProductSearchDialog *w)
{
    return control<QLineEdit>(w, QStringLiteral("searchBox"));
}
inline DataGrid *resultGrid(const ProductSearchDialog *w)
{
    return control<DataGrid>(w, QStringLiteral("resultGrid"));
}
inline QPushButton *searchButton(const ProductSearchDialog *w)
{
    return control<QPushButton>(w, QStringLiteral("searchButton"));
}
inline QPushButton *exitButton(const ProductSearchDialog *w)
{
    return control<QPushButton>(w, QStringLiteral("exitButton"));
}
inline QLabel *instructionLabel(const ProductSearchDialog *w)
{
    return control<QLabel>(w, QStringLiteral("instructionLabel"));
}
inline QFrame *searchPanel(const ProductSearchDialog *w)
{
    return control<QFrame>(w, QStringLiteral("searchPanel"));
}
inline QLabel *bannerImage(const ProductSearchDialog *w)
{
    return control<QLabel>(w, QStringLiteral("bannerImage"));
}
inline QLineEdit *quantityBox(const QuantityDialog *w)
{
    return control<QLineEdit>(w, QStringLiteral("quantityBox"));
}
inline QLabel *lineCaption(const QuantityDialog *w)
{
    return control<QLabel>(w, QStringLiteral("lineCaption"));
}
inline QPushButton *saveButton(const QuantityDialog *w)
{
    return control<QPushButton>(w, QStringLiteral("saveButton"));
}
inline QLabel *bannerImage(const QuantityDialog *w)
{
    return control<QLabel>(w, QStringLiteral("bannerImage"));
}

// Chooses a list position with the keys a person uses in a closed list: Home, then Down (the
// sale page keeps Up for itself).
inline void choose(QComboBox *list, int item)
{
    list->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Return mode as the cashier sees it: the code box is captioned for a receipt number.
inline bool showsReturnMode(const SalePage *w)
{
    return !billNumberCaption(w)->isHidden();
}

} // namespace SaleScreen
using namespace SaleScreen;
