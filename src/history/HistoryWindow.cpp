#include "history/HistoryWindow.h"
#include "history/MovementSearch.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridGrouping.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Currency.h"
#include "records/DateText.h"
#include "shell/Messages.h"
#include "shell/PeriodControls.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {

const QColor kBack(219, 226, 224);
const QColor kGridText(26, 26, 26);
const QColor kSaleCell(150, 185, 175);
const QColor kReturnCell(215, 159, 158);
const QColor kHeaderBack(219, 226, 224);
const QColor kHeaderText(21, 66, 139);
const QColor kGroupedRows(159, 185, 199);
const QColor kBand(21, 66, 139);

const QString kAll = QStringLiteral("ทั้งหมด");
const QString kStockUpdate = MovementSearch::typeText(int(MovementType::StockUpdate));
const QString kSale = MovementSearch::typeText(int(MovementType::Sale));
const QString kReturn = MovementSearch::typeText(int(MovementType::SaleReturn));
const QString kSearchFailed = QStringLiteral("ค้นหาข้อมูลย้อนหลังไม่สำเร็จ : ");

// Runs one step of a handler that skips failing steps.
template <typename F> void step(F f)
{
    try {
        f();
    } catch (const std::exception &e) {
        logSkipped("HistoryWindow", e);
    }
}

QFont tahoma(double pt, bool bold = false)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

int tx(double twips)
{
    return Twips::toPixelsX(twips);
}

int ty(double twips)
{
    return Twips::toPixelsY(twips);
}

} // namespace

const QString HistoryWindow::NotFoundCaption = QStringLiteral("ไม่พบข้อมูลย้อนหลังที่คุณต้องการ");
const QString HistoryWindow::DesignDescription = QStringLiteral("รายละเอียดข้อมูล : ?");

QString HistoryWindow::foundCaption(qint64 count)
{
    return QStringLiteral("พบข้อมูลย้อนหลัง :  ") + Currency::fromWhole(count).formatWhole()
        + QStringLiteral("  รายการ");
}

HistoryWindow::HistoryWindow()
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("ข้อมูลย้อนหลัง"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowMaximizeButtonHint);
    fillBackground(this, kBack);

    Frame1 = new QGroupBox(QStringLiteral("เลือกประเภทข้อมูล"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Option1 = new QRadioButton(kAll, Frame1);
    Option2 = new QRadioButton(kStockUpdate, Frame1);
    Option3 = new QRadioButton(kSale, Frame1);
    Option4 = new QRadioButton(kReturn, Frame1);
    Option1->setChecked(true);
    Check1 = new QCheckBox(QStringLiteral(" สัปดาห์นี้"), this);
    Combo1 = new QComboBox(this);
    txt1 = new QLineEdit(this);
    txt1->setMaxLength(99);
    txt1->setToolTip(QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด , เลขที่ , โดย "));
    Frame2 = new QGroupBox(QStringLiteral("     วันที่"), this);
    text2 = new QLineEdit(Frame2);
    Check2 = new QCheckBox(this);
    Frame3 = new QGroupBox(QStringLiteral("ปี (ค.ศ.)"), this);
    Text1 = new QLineEdit(Frame3);
    Command2 = new QPushButton(QStringLiteral("ประมวลผล (Enter)"), this);
    Command2->setAutoDefault(false);
    Command2->setFont(tahoma(12, true));
    Shape1 = new QFrame(this);
    fillBackground(Shape1, kBand);
    Label1 = new QLabel(DesignDescription, this);
    Label1->setFont(tahoma(9, true));
    {
        QPalette p = Label1->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        Label1->setPalette(p);
    }
    fpSpread1 = new DataGrid(this);
    fpSpread1->setMaxCols(ColCount); // the design's ten columns, so the layout's widths hold
    fpSpread1->setReadOnly(true);

    const std::pair<QWidget *, const char *> names[] = { { Frame1, "Frame1" },
        { Option1, "Option1" }, { Option2, "Option2" }, { Option3, "Option3" },
        { Option4, "Option4" }, { Check1, "Check1" }, { Combo1, "Combo1" }, { txt1, "txt1" },
        { Frame2, "Frame2" }, { text2, "text2" }, { Check2, "Check2" }, { Frame3, "Frame3" },
        { Text1, "Text1" }, { Command2, "Command2" }, { Shape1, "Shape1" }, { Label1, "Label1" },
        { fpSpread1, "fpSpread1" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));
    for (QGroupBox *f : { Frame1, Frame2, Frame3 })
        fillBackground(f, kBack);

    // What assistive technology reads for each control.
    Combo1->setAccessibleName(QStringLiteral("เดือน"));
    txt1->setAccessibleName(QStringLiteral("ค้นหา"));
    txt1->setAccessibleDescription(txt1->toolTip().trimmed());
    Check2->setAccessibleName(QStringLiteral("วันที่"));
    text2->setAccessibleName(QStringLiteral("วันที่"));
    Text1->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    Accessibility::describeFigure(Label1, QStringLiteral("รายละเอียดข้อมูล")); // reads the search
    fpSpread1->setAccessibleName(QStringLiteral("ข้อมูลย้อนหลัง"));

    // Design layout in twips; the layout rule stretches the grid, band and button.
    Twips::place(Frame1, 45, 120, 5270, 900);
    Twips::place(Option1, 150, 420, 1100, 330);
    Twips::place(Option3, 1300, 420, 1300, 330);
    Twips::place(Option4, 2650, 420, 1150, 330);
    Twips::place(Option2, 3850, 420, 1380, 330);
    Twips::place(Check1, 5445, 240, 1200, 300);
    Twips::place(Combo1, 6705, 120, 2790, 405);
    Twips::place(txt1, 5400, 600, 4080, 405);
    Twips::place(Frame2, 9600, 240, 1260, 770);
    Twips::place(text2, 90, 280, 1080, 405);
    Twips::place(Check2, 9720, 240, 240, 240);
    Twips::place(Frame3, 10830, 240, 1260, 770);
    Twips::place(Text1, 90, 280, 1080, 405);
    Twips::place(Command2, 12200, 120, 2895, 880);
    Twips::place(Shape1, 0, 1080, 15380, 495);
    Twips::place(Label1, 120, 1200, 14640, 300);
    Twips::place(fpSpread1, 0, 1650, 14890, 8745);
    placeDayBox();
    Check2->raise(); // over the day frame's caption
    Label1->raise();
    for (QLineEdit *box : { text2, Text1 })
        box->setAlignment(Qt::AlignCenter);
    resize(tx(14880), ty(10395));

    setTabOrder(Option1, Option3);
    setTabOrder(Option3, Option4);
    setTabOrder(Option4, Option2);
    setTabOrder(Option2, Check1);
    setTabOrder(Check1, Combo1);
    setTabOrder(Combo1, txt1);
    setTabOrder(txt1, Check2);
    setTabOrder(Check2, text2);
    setTabOrder(text2, Text1);
    setTabOrder(Text1, Command2);
    setTabOrder(Command2, fpSpread1);

    period = new PeriodControls(
        { Check1, Combo1, Text1, Check2, text2 }, PeriodControls::WeekRule::DayMonthYear, this);
    connect(Command2, &QPushButton::clicked, this, &HistoryWindow::Command2_Click);

    // Key preview: the window sees every key before its controls do.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    Form_Load();
}

void HistoryWindow::placeDayBox()
{
    // The one-day box lies in the blanks before its frame's caption. This font's blanks are
    // narrower than the box, so the caption is centred and the box goes just before its word.
    Frame2->setAlignment(Qt::AlignHCenter);
    QStyleOptionGroupBox caption;
    caption.initFrom(Frame2);
    caption.text = Frame2->title();
    caption.textAlignment = Frame2->alignment();
    caption.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    caption.lineWidth = 1;
    const QRect label = Frame2->style()->subControlRect(
        QStyle::CC_GroupBox, &caption, QStyle::SC_GroupBoxLabel, Frame2);
    const QString title = Frame2->title();
    const QString blanks = title.left(title.size() - title.trimmed().size());
    const int wordLeft
        = Frame2->x() + label.left() + Frame2->fontMetrics().horizontalAdvance(blanks);

    QStyleOptionButton box;
    box.initFrom(Check2);
    const QRect indicator
        = Check2->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, Check2);
    Check2->move(std::max(Frame2->x(), wordLeft - 2 - indicator.right() - 1), Check2->y());
}

void HistoryWindow::showModal()
{
    QPointer<HistoryWindow> w = WindowRegistry::instance<HistoryWindow>();
    DialogRunner::exec(w);
}

void HistoryWindow::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Centre);
    period->fillCurrentYear();
}

void HistoryWindow::Form_KeyDown(int &KeyCode)
{
    if (KeyCode == Qt::Key_Return || KeyCode == Qt::Key_Enter) {
        KeyCode = 0;
        Command2_Click();
    }
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent *>(event)->key();
        Form_KeyDown(key);
        // The day box still gets its Enter, which moves on to the month list.
        if (key == 0)
            return watched != text2;
    }
    return QDialog::eventFilter(watched, event);
}

void HistoryWindow::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its close button only; Esc is no command here.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void HistoryWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void HistoryWindow::Form_Resize()
{
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());
    const double outerW = Twips::fromPixelsX(frameGeometry().width());
    step([&] {
        if (outerW - 12000 >= 0)
            Command2->resize(tx(outerW - 12000), Command2->height());
    });
    step([&] {
        if (SH - 1650 >= 0)
            fpSpread1->setGeometry(0, fpSpread1->y(), tx(SW + 10), ty(SH - 1650));
    });
    step([&] { Shape1->resize(tx(SW + 500), Shape1->height()); });
    step([&] {
        fpSpread1->setColWidth(ColType, SW / 900);
        fpSpread1->setColWidth(ColProduct, SW / 210);
        fpSpread1->setColWidth(ColBefore, SW / 1200);
        fpSpread1->setColWidth(ColQty, SW / 1550);
        fpSpread1->setColWidth(ColAfter, SW / 1200);
    });
}

int HistoryWindow::chosenType() const
{
    if (Option1->isChecked())
        return 0;
    if (Option2->isChecked())
        return int(MovementType::StockUpdate);
    if (Option3->isChecked())
        return int(MovementType::Sale);
    if (Option4->isChecked())
        return int(MovementType::SaleReturn);
    return 0;
}

QString HistoryWindow::typeWord() const
{
    for (QRadioButton *o : { Option1, Option2, Option3, Option4 })
        if (o->isChecked())
            return o->text();
    return QString();
}

void HistoryWindow::Command2_Click()
{
    step([&] { SetupSpread(); });

    // The quote, "%" and "*" leave the box; what stays is searched literally.
    for (const QChar c : { QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') }) {
        QString t = txt1->text();
        t.remove(c);
        txt1->setText(t);
    }
    MovementSearch search;
    search.text = trimBlanks(txt1->text());
    search.type = chosenType();
    if (period->refuseMissingMonth())
        return;
    search.period = period->filter();

    BusyCursor busy;
    GridRows rows;
    try {
        rows = search.rows(ShopDatabase::connection(), Clock::today());
    } catch (const DbError &e) {
        // A refused query is not "nothing found": the caption and description stay.
        MsgBox(kSearchFailed + e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
        return;
    }
    const qint64 count = qint64(rows.size());
    if (count <= 0) {
        setWindowTitle(NotFoundCaption);
        step([&] { BogData(); });
        return;
    }
    setWindowTitle(foundCaption(count));
    step([&] { BogData(); });
    step([&] { GroupBySpread(std::move(rows), ColDocument); });
}

void HistoryWindow::SetupSpread()
{
    DataGrid *g = fpSpread1;
    g->setMaxRows(0);
    g->setMaxCols(ColCount);
    g->setReadOnly(true);
    for (int c : { ColPK, ColTime, ColDocument, ColUser, ColRemark })
        g->setColWidth(c, 0);
    g->setText(ColType, DataGrid::HeaderRow, QStringLiteral("ประเภทข้อมูล"));
    g->setText(ColProduct, DataGrid::HeaderRow, QStringLiteral(" รายละเอียดสินค้า"));
    g->setText(ColBefore, DataGrid::HeaderRow, QStringLiteral("คงเหลือเดิม"));
    g->setText(ColQty, DataGrid::HeaderRow, QStringLiteral("จำนวน"));
    g->setText(ColAfter, DataGrid::HeaderRow, QStringLiteral("คงเหลือใหม่"));
    g->setHAlign(ColProduct, DataGrid::HeaderRow, Qt::AlignLeft);
    for (int c : { ColBefore, ColQty, ColAfter })
        g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignHCenter);
    g->setForeColor(DataGrid::All, DataGrid::All, kGridText);
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    for (int c : { ColType, ColTime, ColDocument, ColUser, ColRemark })
        g->setHAlign(c, DataGrid::All, Qt::AlignHCenter);
    g->setHAlign(ColProduct, DataGrid::All, Qt::AlignLeft);
    for (int c : { ColBefore, ColQty, ColAfter }) {
        g->setCellKind(c, DataGrid::All, CellKind::Number, 0);
        g->setHAlign(c, DataGrid::All, Qt::AlignHCenter);
        g->setVAlign(c, DataGrid::All, Qt::AlignVCenter);
    }
    g->setRowHeight(DataGrid::All, 25);
}

void HistoryWindow::BogData()
{
    // Read from the controls as they stand; the month item keeps its two leading blanks.
    const QString head
        = QStringLiteral("รายละเอียดการค้นหา = ประเภทข้อมูล : [ ") + typeWord() + QStringLiteral(" ]");
    const QString tail
        = QStringLiteral(" รายละเอียด : [ ") + txt1->text() + QStringLiteral(" ] ") + windowTitle();
    QString text;
    if (Check1->isChecked())
        text = head + QStringLiteral(" ของ : [ สัปดาห์นี้ ]") + tail;
    else if (Check2->isChecked())
        text = head + QStringLiteral(" วันที่ : [ ") + text2->text() + QStringLiteral(" เดือน")
            + Combo1->currentText() + QStringLiteral(" ปี ") + Text1->text() + QStringLiteral("  ]")
            + tail;
    else
        text = head + QStringLiteral(" ของ : [") + Combo1->currentText() + QStringLiteral(" ปี ")
            + Text1->text() + QStringLiteral("  ]") + tail;
    Label1->setText(text);
}

void HistoryWindow::GroupBySpread(GridRows &&rows, int keyCol)
{
    // The rows are grouped before they go into the grid, in one step: a year of movements
    // takes no row inserts and no string per cell.
    const auto runs = GridGrouping::groupRows(rows, keyCol,
        [](const GridGrouping::Run &run, const GridGrouping::RunRows &group, GridRows &header) {
            // When, by whom and why: from the group's last row. The query's newest-first
            // order stays inside a document, so that is its first movement.
            header.addUtf8({});
            header.add(run.key);
            header.add(QStringLiteral("[ เมื่อ ")
                + DateText::storageToDisplay(group.last().text(ColTime))
                + QStringLiteral(" ][ โดย ") + group.last().text(ColUser)
                + QStringLiteral(" ][ หมายเหตุ ") + group.last().text(ColRemark)
                + QStringLiteral(" ]"));
        });
    DataGrid *g = fpSpread1;
    g->setRedraw(false);
    step([&] {
        g->setRows(std::move(rows));
        g->setBackColorForText(ColType, kSale, kSaleCell);
        g->setBackColorForText(ColType, kReturn, kReturnCell);
    });
    for (const GridGrouping::Run &run : runs)
        step([&] { InsertHeaderRow(run.headerRow); });
    step([&] { g->setOddEvenRowColors(kGroupedRows, QColor(), kGroupedRows, QColor()); });
    step([&] { g->setActiveCell(1, 1); });
    g->setRedraw(true);
}

void HistoryWindow::InsertHeaderRow(int headerRow)
{
    DataGrid *g = fpSpread1;
    g->setBackColor(DataGrid::All, headerRow, kHeaderBack);
    g->setForeColor(DataGrid::All, headerRow, kHeaderText);
    g->addSpan(ColProduct, headerRow, 7, 1);
}
