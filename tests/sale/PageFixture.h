#pragma once
#include "SaleFixture.h"
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "sale/SaleControls.h"
#include "sale/SalePage.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// The sale page on a temporary shop with a handful of products, driven with keys.
//   P1 "AB1" 120.00 (specials 110, 100), wholesale from 3 at 90.00, stock 50
//   P2 "CD2" 35.50, no wholesale, stock 1
//   P3 "A_1" 20.00, picture "Pic3.JPG" stored as "pic3.jpg"
class SalePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setFixed(QDateTime(QDate(2020, 5, 14), QTime(10, 30, 0)));
        SignedInUser::reset();
        SignedInUser::name = QStringLiteral("Admin");
        SignedInUser::position = QStringLiteral("ผู้ดูแลระบบ");
        Connection &db = folder.db();
        addTestUnits(db);
        addTestProduct(db,
            { .pk = 1,
                .code = "AB1",
                .name = "สบู่เหลว",
                .sell = 120,
                .special1 = 110,
                .special2 = 100,
                .cost = 80,
                .wholesale = true,
                .wholesaleQty = 3,
                .wholesalePrice = 90,
                .stock = 50 });
        addTestProduct(db,
            { .pk = 2,
                .code = "CD2",
                .name = "น้ำดื่ม",
                .sell = 35.5,
                .cost = 20,
                .stock = 1,
                .unit = 2 });
        addTestProduct(db,
            { .pk = 3,
                .code = "A_1",
                .name = "ปากกา",
                .sell = 20,
                .cost = 12,
                .stock = 9,
                .picture = "Pic3.JPG" });
        setSwitches(false, false, "0");
        ASSERT_TRUE(ShopDatabase::open());
    }
    void TearDown() override
    {
        delete page;
        ShopDatabase::close();
        Clock::clearFixed();
    }

    void setSwitches(bool ask, bool drawer, const char *port)
    {
        folder.db().execute(
            QStringLiteral("UPDATE tblNumber SET numA = ?1 WHERE nPK = 5"), { ask ? 1 : 0 });
        folder.db().execute(
            QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = 6"),
            { drawer ? 1 : 0, QString::fromLatin1(port) });
    }

    SalePage *open(QSize size = QSize(1024, 700))
    {
        page = new SalePage;
        page->resize(size);
        page->show();
        page->activateWindow();
        QApplication::setActiveWindow(page);
        EXPECT_TRUE(QTest::qWaitForWindowActive(page));
        return page;
    }

    // Types a code into the code box and presses Enter.
    void scan(const QString &code)
    {
        codeBox(page)->setFocus();
        QTest::keyClicks(codeBox(page), code);
        QTest::keyClick(codeBox(page), Qt::Key_Return);
    }
    void typeInto(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void click(KasmoButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }
    void press(Qt::Key key)
    {
        QWidget *w = QApplication::focusWidget();
        QTest::keyClick(w ? w : page, key);
    }

    QString cell(int col, int row) const { return saleGrid(page)->getText(col, row); }
    QColor priceColour(int row) const { return saleGrid(page)->backColor(6, row); }
    qint64 dbInt(const QString &sql, const QVariantList &params = {})
    {
        return folder.db().scalar(sql, params).toLongLong();
    }

    TempProgramFolder folder;
    ScriptedMessageBoxes msgs;
    SalePage *page = nullptr;
};
