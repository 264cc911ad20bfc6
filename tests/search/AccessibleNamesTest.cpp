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
        { page->txtSearchProduct, QStringLiteral("รหัสสินค้า [บาร์โค้ด]") },
        { page->fpSpread1, QStringLiteral("รายการสินค้าที่ขาย") },
        { page->text2, QStringLiteral("ส่วนลดพิเศษ") },
        { page->Text1, QStringLiteral("รับเงินมา (บาท)") },
        { page->pageButton1, QStringLiteral("บันทึกการขาย (F9)") },
    };
    for (const auto &[w, name] : named)
        EXPECT_EQ(nameOf(w), name) << w->objectName().toStdString();
    // A list reads its chosen item as its name on this platform; its caption label is tied to
    // it as its label.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(page->Combo2);
    ASSERT_NE(list, nullptr);
    const auto labels = list->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("ประเภทราคา :"));

    // Figures read as their figure, their caption as description.
    const std::tuple<QLabel *, QString, QString> figures[] = {
        { page->Label6, QStringLiteral("120.00"), QStringLiteral("รวมเป็นเงิน (บาท)") },
        { page->Label16, QStringLiteral("120.00"), QStringLiteral("สรุปยอดเงินทั้งหมด (บาท)") },
        { page->Label3, QStringLiteral("0.00"), QStringLiteral("จำนวนเงินทอน (บาท)") },
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
        searchNames << nameOf(s->txt1) << nameOf(s->fpSpread1);
    });
    QTest::keyClick(page->txtSearchProduct, Qt::Key_F4);
    EXPECT_EQ(searchNames,
        (QStringList { QStringLiteral("รหัส ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา"),
            QStringLiteral("สินค้าที่ค้นพบ") }));

    QString quantityName;
    dialogs.then(
        [&](QDialog *d) { quantityName = nameOf(static_cast<QuantityEditDialog *>(d)->Text1); });
    doubleClick(page->fpSpread1, 4, 1);
    EXPECT_EQ(quantityName, QStringLiteral("ปรับ สบู่เหลว กลิ่นมะลิ เป็น :"));
}
