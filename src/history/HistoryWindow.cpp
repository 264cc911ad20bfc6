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

    typeFrame = new QGroupBox(QStringLiteral("เลือกประเภทข้อมูล"), this);
    typeFrame->setObjectName(QStringLiteral("typeFrame"));
    allTypesOption = new QRadioButton(kAll, typeFrame);
    stockUpdatesOption = new QRadioButton(kStockUpdate, typeFrame);
    salesOption = new QRadioButton(kSale, typeFrame);
    returnsOption = new QRadioButton(kReturn, typeFrame);
    allTypesOption->setChecked(true);
    weekCheck = new QCheckBox(QStringLiteral(" สัปดาห์นี้"), this);
    monthList = new QComboBox(this);
    searchBox = new QLineEdit(this);
    searchBox->setMaxLength(99);
    searchBox->setToolTip(QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด , เลขที่ , โดย "));
    dayFrame = new QGroupBox(QStringLiteral("     วันที่"), this);
    dayBox = new QLineEdit(dayFrame);
    dayCheck = new QCheckBox(this);
    yearFrame = new QGroupBox(QStringLiteral("ปี (ค.ศ.)"), this);
    yearBox = new QLineEdit(yearFrame);
    searchButton = new QPushButton(QStringLiteral("ประมวลผล (Enter)"), this);
    searchButton->setAutoDefault(false);
    searchButton->setFont(tahoma(12, true));
    descriptionBand = new QFrame(this);
    fillBackground(descriptionBand, kBand);
    descriptionLabel = new QLabel(DesignDescription, this);
    descriptionLabel->setFont(tahoma(9, true));
    {
        QPalette p = descriptionLabel->palette();
        p.setColor(QPalette::WindowText, Qt::white);
        descriptionLabel->setPalette(p);
    }
    historyGrid = new DataGrid(this);
    historyGrid->setMaxCols(ColCount); // the design's ten columns, so the layout's widths hold
    historyGrid->setReadOnly(true);

    const std::pair<QWidget *, const char *> names[] = { { typeFrame, "typeFrame" },
        { allTypesOption, "allTypesOption" }, { stockUpdatesOption, "stockUpdatesOption" },
        { salesOption, "salesOption" }, { returnsOption, "returnsOption" },
        { weekCheck, "weekCheck" }, { monthList, "monthList" }, { searchBox, "searchBox" },
        { dayFrame, "dayFrame" }, { dayBox, "dayBox" }, { dayCheck, "dayCheck" },
        { yearFrame, "yearFrame" }, { yearBox, "yearBox" }, { searchButton, "searchButton" },
        { descriptionBand, "descriptionBand" }, { descriptionLabel, "descriptionLabel" },
        { historyGrid, "historyGrid" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));
    for (QGroupBox *f : { typeFrame, dayFrame, yearFrame })
        fillBackground(f, kBack);

    // What assistive technology reads for each control.
    monthList->setAccessibleName(QStringLiteral("เดือน"));
    searchBox->setAccessibleName(QStringLiteral("ค้นหา"));
    searchBox->setAccessibleDescription(searchBox->toolTip().trimmed());
    dayCheck->setAccessibleName(QStringLiteral("วันที่"));
    dayBox->setAccessibleName(QStringLiteral("วันที่"));
    yearBox->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    Accessibility::describeFigure(
        descriptionLabel, QStringLiteral("รายละเอียดข้อมูล")); // reads the search
    historyGrid->setAccessibleName(QStringLiteral("ข้อมูลย้อนหลัง"));

    // Design layout in twips; the layout rule stretches the grid, band and button.
    Twips::place(typeFrame, 45, 120, 5270, 900);
    Twips::place(allTypesOption, 150, 420, 1100, 330);
    Twips::place(salesOption, 1300, 420, 1300, 330);
    Twips::place(returnsOption, 2650, 420, 1150, 330);
    Twips::place(stockUpdatesOption, 3850, 420, 1380, 330);
    Twips::place(weekCheck, 5445, 240, 1200, 300);
    Twips::place(monthList, 6705, 120, 2790, 405);
    Twips::place(searchBox, 5400, 600, 4080, 405);
    Twips::place(dayFrame, 9600, 240, 1260, 770);
    Twips::place(dayBox, 90, 280, 1080, 405);
    Twips::place(dayCheck, 9720, 240, 240, 240);
    Twips::place(yearFrame, 10830, 240, 1260, 770);
    Twips::place(yearBox, 90, 280, 1080, 405);
    Twips::place(searchButton, 12200, 120, 2895, 880);
    Twips::place(descriptionBand, 0, 1080, 15380, 495);
    Twips::place(descriptionLabel, 120, 1200, 14640, 300);
    Twips::place(historyGrid, 0, 1650, 14890, 8745);
    placeDayBox();
    dayCheck->raise(); // over the day frame's caption
    descriptionLabel->raise();
    for (QLineEdit *box : { dayBox, yearBox })
        box->setAlignment(Qt::AlignCenter);
    resize(tx(14880), ty(10395));

    setTabOrder(allTypesOption, salesOption);
    setTabOrder(salesOption, returnsOption);
    setTabOrder(returnsOption, stockUpdatesOption);
    setTabOrder(stockUpdatesOption, weekCheck);
    setTabOrder(weekCheck, monthList);
    setTabOrder(monthList, searchBox);
    setTabOrder(searchBox, dayCheck);
    setTabOrder(dayCheck, dayBox);
    setTabOrder(dayBox, yearBox);
    setTabOrder(yearBox, searchButton);
    setTabOrder(searchButton, historyGrid);

    m_period = new PeriodControls({ weekCheck, monthList, yearBox, dayCheck, dayBox },
        PeriodControls::WeekRule::DayMonthYear, this);
    connect(searchButton, &QPushButton::clicked, this, &HistoryWindow::searchHistory);

    // Key preview: the window sees every key before its controls do.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    load();
}

void HistoryWindow::placeDayBox()
{
    // The one-day box lies in the blanks before its frame's caption. This font's blanks are
    // narrower than the box, so the caption is centred and the box goes just before its word.
    dayFrame->setAlignment(Qt::AlignHCenter);
    QStyleOptionGroupBox caption;
    caption.initFrom(dayFrame);
    caption.text = dayFrame->title();
    caption.textAlignment = dayFrame->alignment();
    caption.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    caption.lineWidth = 1;
    const QRect label = dayFrame->style()->subControlRect(
        QStyle::CC_GroupBox, &caption, QStyle::SC_GroupBoxLabel, dayFrame);
    const QString title = dayFrame->title();
    const QString blanks = title.left(title.size() - title.trimmed().size());
    const int wordLeft
        = dayFrame->x() + label.left() + dayFrame->fontMetrics().horizontalAdvance(blanks);

    QStyleOptionButton box;
    box.initFrom(dayCheck);
    const QRect indicator
        = dayCheck->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, dayCheck);
    dayCheck->move(std::max(dayFrame->x(), wordLeft - 2 - indicator.right() - 1), dayCheck->y());
}

void HistoryWindow::showModal()
{
    QPointer<HistoryWindow> w = WindowRegistry::instance<HistoryWindow>();
    DialogRunner::exec(w);
}

void HistoryWindow::load()
{
    WindowPlacement::place(this, VerticalPlace::Centre);
    m_period->fillCurrentYear();
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            searchHistory();
            // The day box still gets its Enter, which moves on to the month list.
            return watched != dayBox;
        }
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
    fitToSize();
}

void HistoryWindow::fitToSize()
{
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());
    const double outerW = Twips::fromPixelsX(frameGeometry().width());
    step([&] {
        if (outerW - 12000 >= 0)
            searchButton->resize(tx(outerW - 12000), searchButton->height());
    });
    step([&] {
        if (SH - 1650 >= 0)
            historyGrid->setGeometry(0, historyGrid->y(), tx(SW + 10), ty(SH - 1650));
    });
    step([&] { descriptionBand->resize(tx(SW + 500), descriptionBand->height()); });
    step([&] {
        historyGrid->setColWidth(ColType, SW / 900);
        historyGrid->setColWidth(ColProduct, SW / 210);
        historyGrid->setColWidth(ColBefore, SW / 1200);
        historyGrid->setColWidth(ColQty, SW / 1550);
        historyGrid->setColWidth(ColAfter, SW / 1200);
    });
}

std::optional<MovementType> HistoryWindow::chosenType() const
{
    if (stockUpdatesOption->isChecked())
        return MovementType::StockUpdate;
    if (salesOption->isChecked())
        return MovementType::Sale;
    if (returnsOption->isChecked())
        return MovementType::SaleReturn;
    return std::nullopt; // every type
}

QString HistoryWindow::typeWord() const
{
    for (QRadioButton *o : { allTypesOption, stockUpdatesOption, salesOption, returnsOption })
        if (o->isChecked())
            return o->text();
    return QString();
}

void HistoryWindow::searchHistory()
{
    step([&] { resetGrid(); });

    // The quote, "%" and "*" leave the box; what stays is searched literally.
    for (const QChar c : { QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') }) {
        QString t = searchBox->text();
        t.remove(c);
        searchBox->setText(t);
    }
    MovementSearch search;
    search.text = trimBlanks(searchBox->text());
    search.type = chosenType();
    if (m_period->refuseMissingMonth())
        return;
    search.period = m_period->filter();

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
        step([&] { describeSearch(); });
        return;
    }
    setWindowTitle(foundCaption(count));
    step([&] { describeSearch(); });
    step([&] { showGrouped(std::move(rows), ColDocument); });
}

void HistoryWindow::resetGrid()
{
    DataGrid *g = historyGrid;
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

void HistoryWindow::describeSearch()
{
    // Read from the controls as they stand; the month item keeps its two leading blanks.
    const QString head
        = QStringLiteral("รายละเอียดการค้นหา = ประเภทข้อมูล : [ ") + typeWord() + QStringLiteral(" ]");
    const QString tail = QStringLiteral(" รายละเอียด : [ ") + searchBox->text()
        + QStringLiteral(" ] ") + windowTitle();
    QString text;
    if (weekCheck->isChecked())
        text = head + QStringLiteral(" ของ : [ สัปดาห์นี้ ]") + tail;
    else if (dayCheck->isChecked())
        text = head + QStringLiteral(" วันที่ : [ ") + dayBox->text() + QStringLiteral(" เดือน")
            + monthList->currentText() + QStringLiteral(" ปี ") + yearBox->text()
            + QStringLiteral("  ]") + tail;
    else
        text = head + QStringLiteral(" ของ : [") + monthList->currentText() + QStringLiteral(" ปี ")
            + yearBox->text() + QStringLiteral("  ]") + tail;
    descriptionLabel->setText(text);
}

void HistoryWindow::showGrouped(GridRows &&rows, int keyCol)
{
    // The rows are grouped before they go into the grid, in one step: a year of movements
    // takes no row inserts and no string per cell.
    const std::vector<int> headerRows = GridGrouping::groupRows(rows, keyCol,
        [keyCol](const GridGrouping::Run &, const GridGrouping::RunRows &group, GridRows &header) {
            // When, by whom and why: from the group's last row. The query's newest-first
            // order stays inside a document, so that is its first movement.
            // In UTF-8 pieces, no string between: a year has a hundred thousand documents.
            const PackedRow &firstMovement = group.last();
            header.addUtf8({});
            header.addUtf8(group[0].cell(keyCol));
            header.addUtf8({ "[ เมื่อ ", DateText::storageToDisplayUtf8(firstMovement.cell(ColTime)),
                " ][ โดย ", firstMovement.cell(ColUser), " ][ หมายเหตุ ",
                firstMovement.cell(ColRemark), " ]" });
        });
    DataGrid *g = historyGrid;
    g->setRedraw(false);
    step([&] {
        g->setRows(std::move(rows));
        g->setBackColorForText(ColType, kSale, kSaleCell);
        g->setBackColorForText(ColType, kReturn, kReturnCell);
    });
    for (const int headerRow : headerRows)
        step([&] { styleHeaderRow(headerRow); });
    step([&] { g->setOddEvenRowColors(kGroupedRows, QColor(), kGroupedRows, QColor()); });
    step([&] { g->setActiveCell(1, 1); });
    g->setRedraw(true);
}

void HistoryWindow::styleHeaderRow(int headerRow)
{
    DataGrid *g = historyGrid;
    g->setBackColor(DataGrid::All, headerRow, kHeaderBack);
    g->setForeColor(DataGrid::All, headerRow, kHeaderText);
    g->addSpan(ColProduct, headerRow, 7, 1);
}
