#include "StockUpdateFixture.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "sale/ProductSearchDialog.h"
#include "sale/QuantityEditDialog.h"
#include "shell/Module1.h"
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
    EXPECT_EQ(w->Label3->text(), QStringLiteral("15/05/2024 10:30:00"));
    EXPECT_EQ(w->text0->text(), QStringLiteral("ระบบอัตโนมัติ"));
    EXPECT_TRUE(w->text0->isReadOnly());
    EXPECT_EQ(w->text0->maxLength(), 30);
    EXPECT_EQ(w->Text1->maxLength(), 50);
    EXPECT_EQ(w->txtSearchProduct->maxLength(), 20);
    EXPECT_EQ(w->Label6->text(), QStringLiteral("ราคา"));
    EXPECT_EQ(w->cmdSearch->Caption(), QStringLiteral("ค้นหาสินค้า"));
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);

    DataGrid *g = w->fpSpread1;
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
    ASSERT_EQ(w->fpSpread1->maxRows(), 1);
    const char *line[] = { "2", "A100", " น้ำดื่ม", "ขวดเล็ก", "3", "แพ็ค", "12.5", "37.5" };
    for (int c = 0; c <= 7; ++c)
        EXPECT_EQ(cell(c, 1), QString::fromUtf8(line[c])) << c;
    EXPECT_EQ(w->fpSpread1->displayText(7, 1), QStringLiteral("37.50"));
    const Qt::Alignment align[] = { Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignHCenter,
        Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight };
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(w->fpSpread1->alignment(c, 1) & Qt::AlignHorizontal_Mask, align[c - 1]) << c;
    EXPECT_EQ(w->Label6->text(), QStringLiteral("37.50"));

    // A new product goes on top; the line below keeps its quantity.
    scan(QStringLiteral("c300"));
    EXPECT_EQ(codes(), QStringList({ "C300", "A100" }));
    EXPECT_EQ(cell(3, 1), QString()); // no description
    EXPECT_EQ(w->fpSpread1->displayText(6, 1), QStringLiteral("1,200.00"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("1,237.50"));

    // A rescan counts on the line where it stands, at the cost it was made with.
    db().execute(QStringLiteral("UPDATE tblProduct SET PDraka = 99 WHERE PK = 2"));
    scan(QStringLiteral("A100"));
    EXPECT_EQ(codes(), QStringList({ "C300", "A100" }));
    EXPECT_EQ(cell(4, 2), QStringLiteral("4"));
    EXPECT_EQ(cell(7, 2), QStringLiteral("50"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("1,250.00"));
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
            EXPECT_EQ(w->txtSearchProduct->text(), QString());
        } else {
            EXPECT_EQ(boxes.count(), 0);
        }
        EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);
        delete w;
    }
}

TEST_F(StockUpdateWindow, DeleteRemovesTheActiveLineFromAnyControlAndStillDeletesInTheBox)
{
    open();
    EXPECT_EQ(w->Label6->text(), QStringLiteral("ราคา"));
    QTest::keyClick(w->txtSearchProduct, Qt::Key_Delete); // empty grid
    EXPECT_EQ(w->Label6->text(), QStringLiteral("0.00"));

    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    scan(QStringLiteral("C300"));
    click(w->fpSpread1, 2, 2); // B200
    scan(QStringLiteral("D400")); // goes on top; the clicked line stays the active one
    EXPECT_EQ(codes(), QStringList({ "D400", "C300", "B200", "A100" }));
    w->txtSearchProduct->setFocus();
    w->txtSearchProduct->setText(QStringLiteral("XY"));
    w->txtSearchProduct->setCursorPosition(0);
    QTest::keyClick(w->txtSearchProduct, Qt::Key_Delete);
    EXPECT_EQ(codes(), QStringList({ "D400", "C300", "A100" }));
    EXPECT_EQ(w->txtSearchProduct->text(), QStringLiteral("Y"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("1,218.50"));
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);

    // From the grid and from the button: the active cell stays in its place.
    click(w->fpSpread1, 1, 3);
    QTest::keyClick(w->fpSpread1, Qt::Key_Delete);
    EXPECT_EQ(codes(), QStringList({ "D400", "C300" }));
    EXPECT_EQ(w->fpSpread1->activeRow(), 2);
    w->pageButton2_Click();
    EXPECT_EQ(codes(), QStringList({ "D400" }));
    QTest::mouseClick(w->pageButton2, Qt::LeftButton);
    EXPECT_EQ(w->fpSpread1->maxRows(), 0);
    EXPECT_EQ(w->Label6->text(), QStringLiteral("0.00"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(StockUpdateWindow, EscDoesNothingAndLeavingAsksThenWritesNothing)
{
    const QString before = storedState();
    dialogs.then([&](QDialog *d) {
        w = qobject_cast<GoodsReceivedWindow *>(d);
        ASSERT_NE(w, nullptr);
        scan(QStringLiteral("B200"), 2);
        for (QWidget *target : { (QWidget *)w->txtSearchProduct, (QWidget *)w->Text1,
                 (QWidget *)w->text0, (QWidget *)w->fpSpread1, (QWidget *)w }) {
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            EXPECT_TRUE(w->isVisible());
        }
        EXPECT_EQ(cell(4, 1), QStringLiteral("2"));

        boxes.answer(MsgResult::Cancel);
        w->pageButton3_Click();
        ASSERT_EQ(boxes.count(), 1);
        const MessageRequest &ask = boxes.last();
        EXPECT_EQ(ask.text, kConfirmLeave);
        EXPECT_EQ(ask.title, QStringLiteral("ยืนยันการออก"));
        EXPECT_EQ(ask.icon, MsgIcon::Warning);
        EXPECT_EQ(ask.buttons, MsgButtons::OkCancel);
        EXPECT_EQ(ask.defaultButton, MsgResult::Ok);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->fpSpread1->maxRows(), 1);

        QTest::mouseClick(w->pageButton3, Qt::LeftButton); // OK, the default
        EXPECT_FALSE(w->isVisible());
    });
    GoodsReceivedWindow::showModal();
    EXPECT_EQ(dialogs.opened, QList<QString>({ "GoodsReceivedWindow" }));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_FALSE(Module1::DataChanged);
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
        { w->txtSearchProduct, Qt::Key_F9, Qt::NoModifier },
        { w->Text1, Qt::Key_F9, Qt::ShiftModifier },
        { w->text0, Qt::Key_F12, Qt::ControlModifier },
        { w->fpSpread1, Qt::Key_F12, Qt::AltModifier },
        { w->fpSpread1, Qt::Key_F9, Qt::ShiftModifier | Qt::ControlModifier },
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
    EXPECT_EQ(w->text0->text(), QStringLiteral("ระบบอัตโนมัติ"));
}

TEST_F(StockUpdateWindow, EnterLeadsFromTheNumberToTheRemarkToTheCodeBox)
{
    RecordingLayout keyboard;
    open();
    w->text0->setFocus();
    QTest::keyClick(w->text0, Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->Text1);
    EXPECT_EQ(base(w->txtSearchProduct), QColor(224, 224, 224));
    QTest::keyClick(w->Text1, Qt::Key_Return);
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);
    EXPECT_EQ(base(w->txtSearchProduct), QColor(208, 197, 168));
    EXPECT_EQ(keyboard.current, QStringLiteral("us"));
    EXPECT_EQ(boxes.count(), 0);

    // The number box is read-only: a letter changes nothing, a Thai letter is refused.
    w->text0->setFocus();
    QTest::keyClick(w->text0, Qt::Key_A);
    EXPECT_EQ(boxes.count(), 0);
    typeText(w->text0, QStringLiteral("ก"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ (ภาษาอังกฤษ และ ตัวเลข) เท่านั้น !!"));
    EXPECT_EQ(w->text0->text(), QStringLiteral("ระบบอัตโนมัติ"));
}

TEST_F(StockUpdateWindow, TabPassesThroughTheGridToTheButtonsInTheWindowsOrder)
{
    open();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    const QStringList expected = { "txtSearchProduct", "Text1", "text0", "fpSpread1", "Command1",
        "pageButton3", "pageButton2", "pageButton1", "cmdSearch", "txtSearchProduct" };
    w->txtSearchProduct->setFocus();
    QStringList order;
    for (int i = 0; i < expected.size(); ++i) {
        QWidget *f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        order << f->objectName();
        QTest::keyClick(f, Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(u' ').toStdString(), expected.join(u' ').toStdString());
    EXPECT_EQ(w->fpSpread1->maxRows(), 2);
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
        w->Text1->setFocus();
        typeText(w->Text1, QStringLiteral(" ร้าน'ส่ง%ของ* "));
        QTest::keyClick(w->Text1, Qt::Key_F9);
        EXPECT_FALSE(w->isVisible());
    });
    GoodsReceivedWindow::showModal();
    EXPECT_TRUE(Module1::DataChanged);
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
    w->Text1->setText(QStringLiteral("   "));
    boxes.answer(MsgResult::Ok);
    w->Command1_Click();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT dMemo FROM tblLog2")).toString(), QString());

    open();
    scan(QStringLiteral("B200"));
    w->Text1->setText(QStringLiteral("50% 'ลด'*"));
    boxes.answer(MsgResult::Cancel);
    w->Command1_Click();
    EXPECT_EQ(w->Text1->text(), QStringLiteral("50% 'ลด'*")); // Cancel changes nothing
    boxes.answer(MsgResult::Ok);
    w->Command1_Click();
    EXPECT_EQ(w->Text1->text(), QStringLiteral("50 ลด"));
    EXPECT_EQ(w->text0->text(), QStringLiteral("SA-670500002"));
}

TEST_F(StockUpdateWindow, AnEmptyGridOrCancelTakesNoNumber)
{
    open();
    QTest::keyClick(w->txtSearchProduct, Qt::Key_F9);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, kNoLines);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);

    scan(QStringLiteral("B200"));
    boxes.answer(MsgResult::Cancel);
    QTest::keyClick(w->txtSearchProduct, Qt::Key_F12);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(dialogs.opened.isEmpty());
    EXPECT_EQ(counterRow(), QStringLiteral("0/00"));
    EXPECT_EQ(movements(), 0);
    EXPECT_FALSE(Module1::DataChanged);
}

TEST_F(StockUpdateWindow, AFailedSaveChangesNothingKeepsTheLinesAndCanBeTriedAgain)
{
    open();
    scan(QStringLiteral("A100"), 2);
    scan(QStringLiteral("B200"));
    const QString before = storedState();
    {
        FailingStatement fail(QStringLiteral("UPDATE tblProduct"), 2); // the second line
        QTest::keyClick(w->txtSearchProduct, Qt::Key_F9);
    }
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
    EXPECT_EQ(storedState(), before);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(codes(), QStringList({ "B200", "A100" }));
    EXPECT_EQ(w->text0->text(), QStringLiteral("ระบบอัตโนมัติ"));
    EXPECT_FALSE(Module1::DataChanged);

    // A product gone since its line was made: the same, with its code named.
    db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 2"));
    const QString withoutIt = storedState();
    QTest::keyClick(w->txtSearchProduct, Qt::Key_F9);
    ASSERT_EQ(boxes.count(), 4);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("A100")));
    EXPECT_EQ(storedState(), withoutIt);

    // Once the line is taken out, the save goes through with the month's first number.
    click(w->fpSpread1, 1, 2);
    QTest::keyClick(w->fpSpread1, Qt::Key_Delete);
    QTest::keyClick(w->txtSearchProduct, Qt::Key_F9);
    EXPECT_EQ(counterRow(), QStringLiteral("1/05"));
    EXPECT_EQ(stockOf(1), 6);
    EXPECT_TRUE(Module1::DataChanged);
}

TEST_F(StockUpdateWindow, F12PrintsTheDocumentAfterItIsStored)
{
    RecordingPrintSink sink;
    open();
    scan(QStringLiteral("A100"), 3);
    scan(QStringLiteral("C300"));
    w->Text1->setText(QStringLiteral("รับของจากร้านส่ง"));
    int storedWhenShown = -1;
    dialogs.then([&](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        storedWhenShown = int(movements());
        EXPECT_TRUE(w->isVisible()); // the window stays under the viewer
        EXPECT_EQ(viewer->report()->document(), PrintSource::StockUpdate);
        viewer->ARViewer21->printTool()->trigger();
    });
    QTest::keyClick(w->txtSearchProduct, Qt::Key_F12);
    EXPECT_EQ(storedWhenShown, 2);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "StockReportViewer" }));
    ASSERT_EQ(sink.jobs.size(), 1);
    const QStringList texts = sink.jobs[0].pageTexts(0);
    for (const char *t :
        { "อัพเดทสต๊อก เลขที่    [ SA-670500001 ]", "วันเวลาที่ทำรายการ    [ 15/05/2024 10:30:00 ]",
            "C300", "ตู้เย็น", "1,200.00", "A100", "น้ำดื่ม", "ขวดเล็ก", "3", "แพ็ค", "12.50", "37.50",
            "หมายเหตุ [ รับของจากร้านส่ง ]", "ยอดต้นทุนทั้งหมด [ 1,237.50 ] บาท" })
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(Module1::DataChanged);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(StockUpdateWindow, TheSearchAndQuantityDialogsChangeTheLinesTheSaveStores)
{
    open();
    scan(QStringLiteral("B200"));
    dialogs.then([&](QDialog *d) {
        auto *s = qobject_cast<ProductSearchDialog *>(d);
        ASSERT_NE(s, nullptr);
        s->txt1->setText(QStringLiteral("B200"));
        QTest::keyClick(s->txt1, Qt::Key_Return);
        doubleClick(s->fpSpread1, 2, 1); // the line the code box made
        s->txt1->setText(QStringLiteral("D400"));
        QTest::keyClick(s->txt1, Qt::Key_Return);
        doubleClick(s->fpSpread1, 2, 1);
    });
    w->cmdSearch->setFocus();
    QTest::mouseClick(w->cmdSearch, Qt::LeftButton);
    EXPECT_EQ(codes(), QStringList({ "D400", "B200" }));
    EXPECT_EQ(cell(4, 2), QStringLiteral("2"));
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);

    dialogs.then([&](QDialog *d) {
        auto *e = qobject_cast<QuantityEditDialog *>(d);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Text1->text(), QStringLiteral("2"));
        e->Text1->selectAll();
        QTest::keyClicks(e->Text1, QStringLiteral("12"));
        QTest::keyClick(e->Text1, Qt::Key_Return);
    });
    doubleClick(w->fpSpread1, 2, 2); // the name: nothing opens
    doubleClick(w->fpSpread1, 4, 2);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "ProductSearchDialog", "QuantityEditDialog" }));
    EXPECT_EQ(cell(7, 2), QStringLiteral("960"));
    EXPECT_EQ(w->Label6->text(), QStringLiteral("966.00"));
    EXPECT_EQ(w->focusWidget(), w->txtSearchProduct);

    w->Command1_Click();
    EXPECT_EQ(stockOf(1), 17);
    EXPECT_EQ(stockOf(4), 11);
}

TEST_F(StockUpdateWindow, ControlsAreNamedForAccessibilityAndTheLayoutFollowsTheWindow)
{
    open();
    scan(QStringLiteral("C300"));
    scan(QStringLiteral("A100"), 3);
    scan(QStringLiteral("B200"), 2);
    w->Text1->setText(QStringLiteral("รับของจากร้านส่ง"));
    for (QWidget *c : w->findChildren<QWidget *>()) {
        const bool inGrid = w->fpSpread1->isAncestorOf(c);
        if (c->focusPolicy() != Qt::NoFocus && c->isVisibleTo(w) && !inGrid) {
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
        }
    }
    EXPECT_EQ(w->Label6->accessibleDescription(), QStringLiteral("รวมราคาต้นทุน (บาท)"));
    EXPECT_EQ(w->Label3->accessibleDescription(), QStringLiteral("วันเวลาที่ทำรายการ"));

    saveScreenshot(w->grab(), "stock-update-design-size.png");
    w->resize(1100, 700);
    QApplication::processEvents();
    // Every control stays whole inside its band, and the bands inside the window.
    for (QWidget *c : { (QWidget *)w->Label3, (QWidget *)w->text0, (QWidget *)w->Text1,
             (QWidget *)w->Label6, (QWidget *)w->txtSearchProduct, (QWidget *)w->cmdSearch,
             (QWidget *)w->pageButton3, (QWidget *)w->Frame1, (QWidget *)w->Frame2,
             (QWidget *)w->Frame3, (QWidget *)w->fpSpread1 })
        EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
            << c->objectName().toStdString();
    EXPECT_LT(w->txtSearchProduct->geometry().right(), w->cmdSearch->x());
    EXPECT_LT(w->Text1->geometry().right(), w->Label4->x());
    EXPECT_LE(w->Frame2->geometry().bottom(), w->fpSpread1->y());
    saveScreenshot(w->grab(), "stock-update.png");
}
