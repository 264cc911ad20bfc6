// Assistive technology reads the sale page and its dialogs by their captions: every box and
// grid a cashier uses has a name; a figure reads as its figure with its caption described.
#include "SearchFixture.h"
#include "button/KasmoButton.h"
#include "sale/QuantityEditDialog.h"
#include <QAccessible>
#include <QComboBox>
#include <QLabel>

namespace {

QString nameOf(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

QString descriptionOf(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Description) : QString();
}

class AccessibleNames : public SearchFixture
{
};

} // namespace

TEST_F(AccessibleNames, TheSalePageAndItsDialogsNameTheirControls)
{
    openSale();
    scan(QStringLiteral("B200"));
    const std::pair<QWidget *, QString> named[] = {
        { codeBox(page), QStringLiteral("รหัสสินค้า [บาร์โค้ด]") },
        { saleGrid(page), QStringLiteral("รายการสินค้าที่ขาย") },
        { discountBox(page), QStringLiteral("ส่วนลดพิเศษ") },
        { cashBox(page), QStringLiteral("รับเงินมา (บาท)") },
        { saveButton(page), QStringLiteral("บันทึกการขาย (F9)") },
    };
    for (const auto &[w, name] : named)
        EXPECT_EQ(nameOf(w), name) << w->objectName().toStdString();
    // A list reads its chosen item as its name on this platform; its caption label is tied to
    // it as its label.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(priceList(page));
    ASSERT_NE(list, nullptr);
    const auto labels = list->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("ประเภทราคา :"));

    // Figures read as their figure, their caption as description.
    const std::tuple<QLabel *, QString, QString> figures[] = {
        { totalLabel(page), QStringLiteral("120.00"), QStringLiteral("รวมเป็นเงิน (บาท)") },
        { netLabel(page), QStringLiteral("120.00"), QStringLiteral("สรุปยอดเงินทั้งหมด (บาท)") },
        { changeLabel(page), QStringLiteral("0.00"), QStringLiteral("จำนวนเงินทอน (บาท)") },
    };
    for (const auto &[label, figure, caption] : figures) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(nameOf(label), figure);
        EXPECT_EQ(descriptionOf(label), caption);
    }

    // The search dialog (F4) and the quantity dialog (double-click on a quantity).
    QStringList searchNames;
    dialogs.then([&](QDialog *d) {
        auto *s = static_cast<ProductSearchDialog *>(d);
        searchNames << nameOf(searchBox(s)) << nameOf(resultGrid(s));
    });
    QTest::keyClick(codeBox(page), Qt::Key_F4);
    EXPECT_EQ(searchNames,
        (QStringList { QStringLiteral("รหัส ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา"),
            QStringLiteral("สินค้าที่ค้นพบ") }));

    QString quantityName;
    dialogs.then([&](QDialog *d) {
        quantityName = nameOf(quantityBox(static_cast<QuantityEditDialog *>(d)));
    });
    doubleClick(saleGrid(page), 4, 1);
    EXPECT_EQ(quantityName, QStringLiteral("ปรับ สบู่เหลว กลิ่นมะลิ เป็น :"));
}
