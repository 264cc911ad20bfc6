#include "StockUpdateFixture.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "sale/ProductSearchDialog.h"
#include "sale/QuantityEditDialog.h"
#include "sale/SaleControls.h"
#include "stock/StockReportLayout.h"
#include "stock/StockReportViewer.h"
#include "support/RecordingLayout.h"
#include "support/Screenshots.h"
#include <QAction>
#include <QApplication>
#include <QLabel>

namespace {

const QString kNoLines = QStringLiteral("กรุณาเลือกรายการสินค้าให้เรียบร้อยก่อนที่ต้องการอัพเดท ก่อน การ บันทึก.");
const QString kConfirmSave = QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การ อัพเดทสต๊อก ทั้งหมด !!");
const QString kConfirmLeave = QStringLiteral("คุณแน่ใจหรือไม่ ที่ต้องการ ออกจากหน้าต่าง นี้ !!");

QString notFound(const QString &code)
{
    return QStringLiteral("ไม่พบ ( รหัสสินค้า = [ ") + code
        + QStringLiteral(" ) โปรดทำการ  ( เพิ่มข้อมูลสินค้า )  ชิ้นนี้ !!!");
}

QColor base(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

// Fails the n-th statement that starts with `prefix` (counted from 1), until it goes.
class FailingStatement
{
public:
    FailingStatement(const QString &prefix, int n)
    {
        Connection::setStatementHook([prefix, n, seen = 0](const QString &sql) mutable {
            if (sql.startsWith(prefix) && ++seen == n)
                throw DbError(QStringLiteral("disk I/O error"));
        });
    }
    ~FailingStatement() { Connection::setStatementHook({}); }
};

} // namespace

class StockUpdateWindow : public StockUpdateFixture
{
};

TEST_F(StockUpdateWindow, OpensEmptyWithItsDateNumberBoxAndTheEightColumns)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("อัพเดทสต๊อก"));
    EXPECT_EQ(dateLabel()->text(), QStringLiteral("15/05/2024 10:30:00"));
    EXPECT_EQ(numberBox()->text(), QStringLiteral("ระบบอัตโนมัติ"));
    EXPECT_TRUE(numberBox()->isReadOnly());
    EXPECT_EQ(numberBox()->maxLength(), 30);
    EXPECT_EQ(remarkBox()->maxLength(), 50);
    EXPECT_EQ(codeBox()->maxLength(), 20);
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("ราคา"));
    EXPECT_EQ(button("searchButton")->Caption(), QStringLiteral("ค้นหาสินค้า"));
    EXPECT_EQ(w->focusWidget(), codeBox());

    DataGrid *g = grid();
    EXPECT_EQ(g->maxRows(), 0);
    EXPECT_EQ(g->maxCols(), 8);
    EXPECT_EQ(g->colWidth(0), 0);
    const char *headers[]
        = { "", "รหัสสินค้า", " ชื่อสินค้า", "รายละเอียด", "จำนวน", "หน่วยนับ", "ราคาทุน", "รวมจำนวนเงิน", "" };
    for (int c = 0; c <= 8; ++c)
        EXPECT_EQ(g->getText(c, DataGrid::HeaderRow), QString::fromUtf8(headers[c])) << c;
    EXPECT_EQ(g->alignment(7, DataGrid::HeaderRow) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(StockUpdateWindow, ScansMakeOneLinePerProductAtItsCostWithTheNewestOnTop)
{
    open();
    scan(QStringLiteral("A100"), 3);
    ASSERT_EQ(grid()->maxRows(), 1);
    const char *line[] = { "2", "A100", " น้ำดื่ม", "ขวดเล็ก", "3", "แพ็ค", "12.5", "37.5" };
    for (int c = 0; c <= 7; ++c)
        EXPECT_EQ(cell(c, 1), QString::fromUtf8(line[c])) << c;
    EXPECT_EQ(grid()->displayText(7, 1), QStringLiteral("37.50"));
    const Qt::Alignment align[] = { Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignHCenter,
        Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight };
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(grid()->alignment(c, 1) & Qt::AlignHorizontal_Mask, align[c - 1]) << c;
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("37.50"));

    // A new product goes on top; the line below keeps its quantity.
    scan(QStringLiteral("c300"));
    EXPECT_EQ(codes(), QStringList({ "C300", "A100" }));
    EXPECT_EQ(cell(3, 1), QString()); // no description
    EXPECT_EQ(grid()->displayText(6, 1), QStringLiteral("1,200.00"));
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("1,237.50"));

    // A rescan counts on the line where it stands, at the cost it was made with.
    db().execute(QStringLiteral("UPDATE tblProduct SET PDraka = 99 WHERE PK = 2"));
    scan(QStringLiteral("A100"));
    EXPECT_EQ(codes(), QStringList({ "C300", "A100" }));
    EXPECT_EQ(cell(4, 2), QStringLiteral("4"));
    EXPECT_EQ(cell(7, 2), QStringLiteral("50"));
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("1,250.00"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(StockUpdateWindow, CodeEntryFindsTheWholeCodeInAnyCaseWithoutQuotesPercentsOrStars)
{
    struct Case
    {
        const char *typed;
        const char *found; // code of the line on top afterwards, or nothing
        const char *message; // the code the not-found message shows, or nullptr
    };
    const Case cases[] = {
        { "b200", "B200", nullptr }, { "B'2%0*0", "B200", nullptr },
        { "D'400", "D400", nullptr }, // the quote goes, the code stays
        { "B2", "", "B2" }, // the whole code, not its start
        { "B20_", "", "B20_" }, // no pattern
        { " zz9", "", " zz9" }, // the blank stays between "[ " and the code
        { "%*", "", "" }, { "   ", "", nullptr }, // blanks only: nothing at all
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        open();
        boxes.clear();
        scan(QString::fromUtf8(c.typed));
        EXPECT_EQ(codes().join(QString()), QString::fromUtf8(c.found));
        if (c.message) {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().text, notFound(QString::fromUtf8(c.message)));
            EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
            EXPECT_EQ(codeBox()->text(), QString());
        } else {
            EXPECT_EQ(boxes.count(), 0);
        }
        EXPECT_EQ(w->focusWidget(), codeBox());
        delete w;
    }
}

TEST_F(StockUpdateWindow, DeleteRemovesTheActiveLineFromAnyControlAndStillDeletesInTheBox)
{
    open();
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("ราคา"));
    QTest::keyClick(codeBox(), Qt::Key_Delete); // empty grid
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("0.00"));

    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    scan(QStringLiteral("C300"));
    click(grid(), 2, 2); // B200
    scan(QStringLiteral("D400")); // goes on top; the clicked line stays the active one
    EXPECT_EQ(codes(), QStringList({ "D400", "C300", "B200", "A100" }));
    codeBox()->setFocus();
    codeBox()->setText(QStringLiteral("XY"));
    codeBox()->setCursorPosition(0);
    QTest::keyClick(codeBox(), Qt::Key_Delete);
    EXPECT_EQ(codes(), QStringList({ "D400", "C300", "A100" }));
    EXPECT_EQ(codeBox()->text(), QStringLiteral("Y"));
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("1,218.50"));
    EXPECT_EQ(w->focusWidget(), codeBox());

    // From the grid and from the button: the active cell stays in its place.
    click(grid(), 1, 3);
    QTest::keyClick(grid(), Qt::Key_Delete);
    EXPECT_EQ(codes(), QStringList({ "D400", "C300" }));
    EXPECT_EQ(grid()->activeRow(), 2);
    QTest::mouseClick(button("deleteLineButton"), Qt::LeftButton);
    EXPECT_EQ(codes(), QStringList({ "D400" }));
    QTest::mouseClick(button("deleteLineButton"), Qt::LeftButton);
    EXPECT_EQ(grid()->maxRows(), 0);
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("0.00"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(StockUpdateWindow, EscDoesNothingAndLeavingAsksThenWritesNothing)
{
    const QString before = storedState();
    dialogs.then([&](QDialog *d) {
        w = qobject_cast<GoodsReceivedWindow *>(d);
        ASSERT_NE(w, nullptr);
        scan(QStringLiteral("B200"), 2);
        for (QWidget *target : { (QWidget *)codeBox(), (QWidget *)remarkBox(),
                 (QWidget *)numberBox(), (QWidget *)grid(), (QWidget *)w }) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            EXPECT_TRUE(w->isVisible());
        }
        EXPECT_EQ(cell(4, 1), QStringLiteral("2"));

        boxes.answer(MsgResult::Cancel);
        QTest::mouseClick(button("leaveButton"), Qt::LeftButton);
        ASSERT_EQ(boxes.count(), 1);
        const MessageRequest &ask = boxes.last();
        EXPECT_EQ(ask.text, kConfirmLeave);
        EXPECT_EQ(ask.title, QStringLiteral("ยืนยันการออก"));
        EXPECT_EQ(ask.icon, MsgIcon::Warning);
        EXPECT_EQ(ask.buttons, MsgButtons::OkCancel);
        EXPECT_EQ(ask.defaultButton, MsgResult::Ok);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(grid()->maxRows(), 1);

        QTest::mouseClick(button("leaveButton"), Qt::LeftButton); // OK, the default
        EXPECT_FALSE(w->isVisible());
    });
    const bool saved = GoodsReceivedWindow::showModal();
    EXPECT_EQ(dialogs.opened, QList<QString>({ "GoodsReceivedWindow" }));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_FALSE(saved);
    EXPECT_EQ(storedState(), before);
    EXPECT_EQ(
        WindowRegistry::find<GoodsReceivedWindow>(), nullptr); // the next opening starts afresh
}

TEST_F(StockUpdateWindow, F9AndF12SaveFromEveryControlWhateverTheModifiers)
{
    open();
    scan(QStringLiteral("B200"));
    struct Case
    {
        QWidget *target;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Case cases[] = {
        { codeBox(), Qt::Key_F9, Qt::NoModifier },
        { remarkBox(), Qt::Key_F9, Qt::ShiftModifier },
        { numberBox(), Qt::Key_F12, Qt::ControlModifier },
        { grid(), Qt::Key_F12, Qt::AltModifier },
        { grid(), Qt::Key_F9, Qt::ShiftModifier | Qt::ControlModifier },
    };
    for (const Case &c : cases) {
        boxes.clear();
        boxes.answer(MsgResult::Cancel);
        c.target->setFocus();
        QTest::keyClick(c.target, c.key, c.mods);
        ASSERT_EQ(boxes.count(), 1) << c.target->objectName().toStdString();
        EXPECT_EQ(boxes.last().text, kConfirmSave);
        EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการบันทึก"));
        EXPECT_EQ(boxes.last().defaultButton, MsgResult::Ok);
    }
    EXPECT_TRUE(dialogs.opened.isEmpty()); // Cancel prints nothing
    EXPECT_EQ(counterRow(), QStringLiteral("0/00"));
    EXPECT_EQ(movements(), 0);
    EXPECT_EQ(numberBox()->text(), QStringLiteral("ระบบอัตโนมัติ"));
}

TEST_F(StockUpdateWindow, EnterLeadsFromTheNumberToTheRemarkToTheCodeBox)
{
    RecordingLayout keyboard;
    open();
    numberBox()->setFocus();
    QTest::keyClick(numberBox(), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), remarkBox());
    EXPECT_EQ(base(codeBox()), QColor(224, 224, 224));
    QTest::keyClick(remarkBox(), Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), codeBox());
    EXPECT_EQ(base(codeBox()), QColor(208, 197, 168));
    EXPECT_EQ(keyboard.current, QStringLiteral("us"));
    EXPECT_EQ(boxes.count(), 0);

    // The number box is read-only: a letter changes nothing, a Thai letter is refused.
    numberBox()->setFocus();
    QTest::keyClick(numberBox(), Qt::Key_A);
    EXPECT_EQ(boxes.count(), 0);
    typeText(numberBox(), QStringLiteral("ก"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ (ภาษาอังกฤษ และ ตัวเลข) เท่านั้น !!"));
    EXPECT_EQ(numberBox()->text(), QStringLiteral("ระบบอัตโนมัติ"));
}

TEST_F(StockUpdateWindow, TabPassesThroughTheGridToTheButtonsInTheWindowsOrder)
{
    open();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    const QStringList expected
        = { "codeBox", "remarkBox", "documentNumberBox", "lineGrid", "saveButton", "leaveButton",
              "deleteLineButton", "saveAndPrintButton", "searchButton", "codeBox" };
    codeBox()->setFocus();
    QStringList order;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget *f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        order << f->objectName();
        QTest::keyClick(f, Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(u' ').toStdString(), expected.join(u' ').toStdString());
    EXPECT_EQ(grid()->maxRows(), 2);
}

TEST_F(StockUpdateWindow, SaveRaisesTheStockAndWritesOneMovementPerLineInGridOrder)
{
    dialogs.then([&](QDialog *d) {
        w = qobject_cast<GoodsReceivedWindow *>(d);
        scan(QStringLiteral("B200"), 3);
        scan(QStringLiteral("A100"), 5);
        scan(QStringLiteral("C300"));
        // The stock is read when the document is saved, not when the line was made.
        db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 5 WHERE PK = 3"));
        remarkBox()->setFocus();
        typeText(remarkBox(), QStringLiteral(" ร้าน'ส่ง%ของ* "));
        QTest::keyClick(remarkBox(), Qt::Key_F9);
        EXPECT_FALSE(w->isVisible());
    });
    const bool saved = GoodsReceivedWindow::showModal();
    EXPECT_TRUE(saved);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, kConfirmSave);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "GoodsReceivedWindow" })); // F9 prints nothing

    EXPECT_EQ(counterRow(), QStringLiteral("1/05"));
    EXPECT_EQ(stockOf(1), 8);
    EXPECT_EQ(stockOf(2), 3); // -2 + 5
    EXPECT_EQ(stockOf(3), 6);
    const QStringList expected = {
        "1|1|C300|ตู้เย็น||2024-05-15 10:30:00|SA-670500001|5|1|6|Admin|ร้านส่งของ",
        "2|1|A100|น้ำดื่ม|ขวดเล็ก|2024-05-15 10:30:00|SA-670500001|-2|5|3|Admin|ร้านส่งของ",
        "3|1|B200|สบู่เหลว|กลิ่นมะลิ|2024-05-15 10:30:00|SA-670500001|5|3|8|Admin|ร้านส่งของ",
    };
    QStringList rows;
    for (Recordset rs = db().query(QStringLiteral(
             "SELECT PK, dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, dValuenew, dUser, "
             "dMemo FROM tblLog2 ORDER BY PK"));
         !rs.eof(); rs.moveNext()) {
        QStringList f;
        for (int i = 0; i < 12; ++i)
            f << rs.text(i);
        rows << f.join(QLatin1Char('|'));
    }
    EXPECT_EQ(rows, expected);
}

TEST_F(StockUpdateWindow, TheRemarkShowsItsCleaningAndBlanksOnlyAreStoredEmpty)
{
    open();
    scan(QStringLiteral("B200"));
    remarkBox()->setText(QStringLiteral("   "));
    boxes.answer(MsgResult::Ok);
    QTest::mouseClick(button("saveButton"), Qt::LeftButton);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT dMemo FROM tblLog2")).toString(), QString());

    open();
    scan(QStringLiteral("B200"));
    remarkBox()->setText(QStringLiteral("50% 'ลด'*"));
    boxes.answer(MsgResult::Cancel);
    QTest::mouseClick(button("saveButton"), Qt::LeftButton);
    EXPECT_EQ(remarkBox()->text(), QStringLiteral("50% 'ลด'*")); // Cancel changes nothing
    boxes.answer(MsgResult::Ok);
    QTest::mouseClick(button("saveButton"), Qt::LeftButton);
    EXPECT_EQ(remarkBox()->text(), QStringLiteral("50 ลด"));
    EXPECT_EQ(numberBox()->text(), QStringLiteral("SA-670500002"));
}

TEST_F(StockUpdateWindow, AnEmptyGridOrCancelTakesNoNumber)
{
    open();
    QTest::keyClick(codeBox(), Qt::Key_F9);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, kNoLines);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
    EXPECT_EQ(w->focusWidget(), codeBox());

    scan(QStringLiteral("B200"));
    boxes.answer(MsgResult::Cancel);
    QTest::keyClick(codeBox(), Qt::Key_F12);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(dialogs.opened.isEmpty());
    EXPECT_EQ(counterRow(), QStringLiteral("0/00"));
    EXPECT_EQ(movements(), 0);
    EXPECT_FALSE(saved);
}

TEST_F(StockUpdateWindow, AFailedSaveChangesNothingKeepsTheLinesAndCanBeTriedAgain)
{
    open();
    scan(QStringLiteral("A100"), 2);
    scan(QStringLiteral("B200"));
    const QString before = storedState();
    {
        FailingStatement fail(QStringLiteral("UPDATE tblProduct"), 2); // the second line
        QTest::keyClick(codeBox(), Qt::Key_F9);
    }
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
    EXPECT_EQ(storedState(), before);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(codes(), QStringList({ "B200", "A100" }));
    EXPECT_EQ(numberBox()->text(), QStringLiteral("ระบบอัตโนมัติ"));
    EXPECT_FALSE(saved);

    // A product gone since its line was made: the same, with its code named.
    db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 2"));
    const QString withoutIt = storedState();
    QTest::keyClick(codeBox(), Qt::Key_F9);
    ASSERT_EQ(boxes.count(), 4);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("A100")));
    EXPECT_EQ(storedState(), withoutIt);

    // Once the line is taken out, the save goes through with the month's first number.
    click(grid(), 1, 2);
    QTest::keyClick(grid(), Qt::Key_Delete);
    QTest::keyClick(codeBox(), Qt::Key_F9);
    EXPECT_EQ(counterRow(), QStringLiteral("1/05"));
    EXPECT_EQ(stockOf(1), 6);
    EXPECT_TRUE(saved);
}

TEST_F(StockUpdateWindow, F12PrintsTheDocumentAfterItIsStored)
{
    RecordingPrintSink sink;
    open();
    scan(QStringLiteral("A100"), 3);
    scan(QStringLiteral("C300"));
    remarkBox()->setText(QStringLiteral("รับของจากร้านส่ง"));
    int storedWhenShown = -1;
    dialogs.then([&](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        storedWhenShown = int(movements());
        EXPECT_TRUE(w->isVisible()); // the window stays under the viewer
        EXPECT_EQ(viewer->report()->printedDocument(), StockDocument::GoodsReceived);
        control<ReportViewer>(viewer, "reportViewer")->printTool()->trigger();
    });
    QTest::keyClick(codeBox(), Qt::Key_F12);
    EXPECT_EQ(storedWhenShown, 2);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "StockReportViewer" }));
    ASSERT_EQ(sink.jobs.size(), 1);
    const QStringList texts = sink.jobs[0].pageTexts(0);
    for (const char *t :
        { "อัพเดทสต๊อก เลขที่    [ SA-670500001 ]", "วันเวลาที่ทำรายการ    [ 15/05/2024 10:30:00 ]",
            "C300", "ตู้เย็น", "1,200.00", "A100", "น้ำดื่ม", "ขวดเล็ก", "3", "แพ็ค", "12.50", "37.50",
            "หมายเหตุ [ รับของจากร้านส่ง ]", "ยอดต้นทุนทั้งหมด [ 1,237.50 ] บาท" })
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(saved);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(StockUpdateWindow, TheSearchAndQuantityDialogsChangeTheLinesTheSaveStores)
{
    open();
    scan(QStringLiteral("B200"));
    dialogs.then([&](QDialog *d) {
        auto *s = qobject_cast<ProductSearchDialog *>(d);
        ASSERT_NE(s, nullptr);
        searchBox(s)->setText(QStringLiteral("B200"));
        QTest::keyClick(searchBox(s), Qt::Key_Return);
        doubleClick(resultGrid(s), 2, 1); // the line the code box made
        searchBox(s)->setText(QStringLiteral("D400"));
        QTest::keyClick(searchBox(s), Qt::Key_Return);
        doubleClick(resultGrid(s), 2, 1);
    });
    button("searchButton")->setFocus();
    QTest::mouseClick(button("searchButton"), Qt::LeftButton);
    EXPECT_EQ(codes(), QStringList({ "D400", "B200" }));
    EXPECT_EQ(cell(4, 2), QStringLiteral("2"));
    EXPECT_EQ(w->focusWidget(), codeBox());

    dialogs.then([&](QDialog *d) {
        auto *e = qobject_cast<QuantityEditDialog *>(d);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("2"));
        quantityBox(e)->selectAll();
        QTest::keyClicks(quantityBox(e), QStringLiteral("12"));
        QTest::keyClick(quantityBox(e), Qt::Key_Return);
    });
    doubleClick(grid(), 2, 2); // the name: nothing opens
    doubleClick(grid(), 4, 2);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "ProductSearchDialog", "QuantityEditDialog" }));
    EXPECT_EQ(cell(7, 2), QStringLiteral("960"));
    EXPECT_EQ(totalLabel()->text(), QStringLiteral("966.00"));
    EXPECT_EQ(w->focusWidget(), codeBox());

    QTest::mouseClick(button("saveButton"), Qt::LeftButton);
    EXPECT_EQ(stockOf(1), 17);
    EXPECT_EQ(stockOf(4), 11);
}

TEST_F(StockUpdateWindow, ControlsAreNamedForAccessibilityAndTheLayoutFollowsTheWindow)
{
    open();
    scan(QStringLiteral("C300"));
    scan(QStringLiteral("A100"), 3);
    scan(QStringLiteral("B200"), 2);
    remarkBox()->setText(QStringLiteral("รับของจากร้านส่ง"));
    for (QWidget *c : w->findChildren<QWidget *>()) {
        const bool inGrid = grid()->isAncestorOf(c);
        if (c->focusPolicy() != Qt::NoFocus && c->isVisibleTo(w) && !inGrid) {
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
        }
    }
    EXPECT_EQ(totalLabel()->accessibleDescription(), QStringLiteral("รวมราคาต้นทุน (บาท)"));
    EXPECT_EQ(dateLabel()->accessibleDescription(), QStringLiteral("วันเวลาที่ทำรายการ"));

    saveScreenshot(w->grab(), "stock-update-design-size.png");
    w->resize(1100, 700);
    QApplication::processEvents();
    // Every control stays whole inside its band, and the bands inside the window.
    for (QWidget *c : { (QWidget *)dateLabel(), (QWidget *)numberBox(), (QWidget *)remarkBox(),
             (QWidget *)totalLabel(), (QWidget *)codeBox(), (QWidget *)button("searchButton"),
             (QWidget *)button("leaveButton"), (QWidget *)control<QFrame>(w, "headerBand"),
             (QWidget *)control<QFrame>(w, "codeBand"), (QWidget *)control<QFrame>(w, "buttonBar"),
             (QWidget *)grid() })
        EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
            << c->objectName().toStdString();
    EXPECT_LT(codeBox()->geometry().right(), button("searchButton")->x());
    EXPECT_LT(remarkBox()->geometry().right(), control<QLabel>(w, "totalPanel")->x());
    EXPECT_LE(control<QFrame>(w, "codeBand")->geometry().bottom(), grid()->y());
    saveScreenshot(w->grab(), "stock-update.png");
}
