#include "SummaryPage.h"
#include "UserSalesWindow.h"
#include "YearChartWindow.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridGrouping.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "records/DateText.h"
#include "records/Val.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/PeriodControls.h"
#include "shell/ShopDatabase.h"
#include "stock/StockReportSource.h"
#include "stock/StockReportViewer.h"
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <functional>

const QColor SummaryPage::OddRows(159, 185, 199);
const QColor SummaryPage::EvenRows(240, 240, 240);
const QColor SummaryPage::HeaderBack(219, 226, 224);
const QColor SummaryPage::HeaderText(21, 66, 139);

namespace {

const QColor kGridText(26, 26, 26);
const QColor kBand(95, 158, 160);
const QString kPrintRefused
    = QStringLiteral("ไม่สามารถปริ้นได้ ( เนื่องจากไม่พบข้อมูลในตาราง ) โปรดลองใหม่ . . .");
const QString kLoadFailed = QStringLiteral("แสดงยอดขายวันนี้ไม่สำเร็จ : ");
const QString kSearchDesign = QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด  ");
const QString kZero = QStringLiteral("0.00");
// The band of the four totals under the grid, in twips; the grid leaves 3100 twips of the
// page's height to the bands above it and to this one.
constexpr double kTotalsHeight = 950;
constexpr double kGridTop = 2150;

// A layout step: a size that came out negative (a very small window) is skipped, and so is a
// step that fails.
void step(double value, const std::function<void()> &apply)
{
    if (value >= 0)
        skipOnFailure("SummaryPage.fitToSize", apply);
}

void textColour(QWidget *w, const QColor &fore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, fore);
    p.setColor(QPalette::Inactive, QPalette::WindowText, fore);
    w->setPalette(p);
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

using Twips::setLeft;
using Twips::setWidth;

} // namespace

// The printed summary reads the page as it stands while the report runs.
class SummaryPage::Printout : public StockReportSource
{
public:
    explicit Printout(const SummaryPage &page)
        : m_page(page)
    { }
    StockDocument document() const override { return StockDocument::SalesSummary; }
    SummaryMode summaryMode() const override { return m_page.m_view; }
    int rowCount() const override { return m_page.summaryGrid->maxRows(); }
    QString cell(int row, int col) const override { return m_page.summaryGrid->getText(col, row); }
    QString columnOneHeader() const override
    {
        return m_page.summaryGrid->getText(SummaryPage::ColCode, DataGrid::HeaderRow);
    }
    QString text(Text which) const override
    {
        switch (which) {
        case Text::Title:
            return m_page.titleLabel->text();
        case Text::Cost:
            return m_page.costFigure->text();
        case Text::Discount:
            return m_page.discountFigure->text();
        case Text::Sales:
            return m_page.salesFigure->text();
        case Text::Profit:
            return m_page.profitFigure->text();
        default:
            return QString();
        }
    }

private:
    const SummaryPage &m_page;
};

QString SummaryPage::todayTitle()
{
    return QStringLiteral("สินค้าที่ขายได้ วันนี้  ( ") + DateText::displayDate(Clock::today())
        + QStringLiteral(" )");
}

SummaryPage::SummaryPage()
    : m_print(std::make_unique<Printout>(*this))
{
    setObjectName(QStringLiteral("SummaryPage"));
    setWindowTitle(QStringLiteral("สรุปยอดการขาย"));
    fillBackground(this, HeaderBack);
    setFont(tahoma(10));

    // The top banner with the three links at its right.
    banner = new QLabel(QStringLiteral("  สรุปยอดการขาย"), this);
    banner->setFont(tahoma(14, true));
    banner->setStyleSheet(QStringLiteral(
        "QLabel { color: rgb(21,66,139); background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 rgb(255,255,255), stop:1 rgb(219,226,224)); }"));
    const auto link = [this](const QString &caption, QStyle::StandardPixmap icon, QLabel *&image) {
        auto *l = new TabLabel(caption, this);
        l->setFont(tahoma(10, true));
        textColour(l, HeaderText);
        l->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        image = new QLabel(this);
        image->setPixmap(style()->standardIcon(icon).pixmap(16, 16));
        image->setAlignment(Qt::AlignCenter);
        return l;
    };
    userSalesLink = link(QStringLiteral("&สรุปแยกตามผู้ใช้"), QStyle::SP_DirHomeIcon, userSalesIcon);
    yearChartLink
        = link(QStringLiteral("&กราฟสรุปยอดรายปี"), QStyle::SP_FileDialogContentsView, yearChartIcon);
    printLink = link(QStringLiteral("&พิมพ์รายงานสรุป"), QStyle::SP_FileIcon, printIcon);

    // The period band: week, search text, month, day, year, the views and the reload.
    periodBand = new QFrame(this);
    fillBackground(periodBand, kBand);
    weekCheck = new QCheckBox(QStringLiteral(" แสดงสินค้าที่ขายได้สัปดาห์นี้"), periodBand);
    textColour(weekCheck, Qt::white);
    searchBox = new QLineEdit(periodBand);
    searchBox->setMaxLength(99);
    // The design text is a hint: kept as the box's text, the first view would search for it and
    // find nothing.
    searchBox->setPlaceholderText(kSearchDesign);
    searchBox->setAccessibleName(QStringLiteral("ค้นหา"));
    searchBox->setAccessibleDescription(kSearchDesign.trimmed());
    monthFrame = new QGroupBox(QStringLiteral("เดือน"), periodBand);
    monthList = new QComboBox(monthFrame);
    monthList->setAccessibleName(QStringLiteral("เดือน"));
    dayFrame = new QGroupBox(QStringLiteral("     วันที่"), periodBand);
    dayBox = new QLineEdit(dayFrame);
    dayBox->setAccessibleName(QStringLiteral("วันที่"));
    dayCheck = new QCheckBox(periodBand);
    dayCheck->setAccessibleName(QStringLiteral("วันที่"));
    yearFrame = new QGroupBox(QStringLiteral("ปี (ค.ศ.)"), periodBand);
    yearBox = new QLineEdit(QStringLiteral("2013"), yearFrame);
    yearBox->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    for (QGroupBox *f : { dayFrame, monthFrame, yearFrame })
        textColour(f, Qt::white);
    for (QLineEdit *box : { dayBox, yearBox })
        box->setAlignment(Qt::AlignCenter);
    const auto button = [this](const QString &caption) {
        KasmoButton *b = KasmoButton::fromBag(periodBand, ButtonPresets::pageButton(caption));
        b->setAccessibleName(caption);
        return b;
    };
    detailedButton = button(QStringLiteral("สรุปแยกบิลแบบระเอียด"));
    briefButton = button(QStringLiteral("สรุปแยกบิลแบบย่อ"));
    bestSellersButton = button(QStringLiteral("สรุปยอดสินค้าขายดี"));
    perDayButton = button(QStringLiteral("สรุปรวมทุกบิลแยกวัน"));
    reloadButton = button(QStringLiteral("รีโหลดข้อมูล (F5)"));

    // The title band and the grid.
    titleBand = new QLabel(this);
    fillBackground(titleBand, HeaderText);
    titleLabel = new QLabel(QStringLiteral("สินค้าที่ขายได้วันนี้"), this);
    titleLabel->setFont(tahoma(11, true));
    textColour(titleLabel, Qt::white);
    // Read aloud as the period it names; a name would hide it.
    Accessibility::describeFigure(titleLabel, QStringLiteral("หัวข้อรายงาน"));
    summaryGrid = new DataGrid(this);
    summaryGrid->setReadOnly(true);
    summaryGrid->setAccessibleName(QStringLiteral("สรุปยอดการขาย"));

    // The four totals, each a caption over its figure in a framed box.
    m_totals = new QWidget(this);
    const auto total = [this](const QString &caption, const QColor &figure, QFrame *&shape,
                           QLabel *&captionLabel, QLabel *&valueLabel) {
        shape = new QFrame(m_totals);
        shape->setFrameShape(QFrame::Box);
        fillBackground(shape, Qt::white);
        captionLabel = new QLabel(caption, m_totals);
        captionLabel->setFont(tahoma(9, true));
        textColour(captionLabel, HeaderText);
        valueLabel = new QLabel(kZero, m_totals);
        valueLabel->setFont(tahoma(15, true));
        valueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        textColour(valueLabel, figure);
        valueLabel->setAccessibleDescription(caption);
    };
    total(QStringLiteral("ต้นทุนสินค้า"), QColor(64, 64, 64), costFrame, costCaption, costFigure);
    total(QStringLiteral("ส่วนลดที่ให้ลูกค้ารวม"), QColor(128, 0, 0), discountFrame, discountCaption,
        discountFigure);
    total(QStringLiteral("รวมยอดขาย (ไม่หักต้นทุน หักส่วนลด)"), QColor(0, 96, 0), salesFrame,
        salesCaption, salesFigure);
    total(QStringLiteral("กำไรหลังหักต้นทุน (หักส่วนลด)"), HeaderText, profitFrame, profitCaption,
        profitFigure);

    const std::pair<QObject *, const char *> names[] = { { banner, "banner" },
        { userSalesLink, "userSalesLink" }, { yearChartLink, "yearChartLink" },
        { printLink, "printLink" }, { userSalesIcon, "userSalesIcon" }, { printIcon, "printIcon" },
        { yearChartIcon, "yearChartIcon" }, { periodBand, "periodBand" },
        { weekCheck, "weekCheck" }, { searchBox, "searchBox" }, { monthFrame, "monthFrame" },
        { monthList, "monthList" }, { dayFrame, "dayFrame" }, { dayBox, "dayBox" },
        { dayCheck, "dayCheck" }, { yearFrame, "yearFrame" }, { yearBox, "yearBox" },
        { detailedButton, "detailedButton" }, { briefButton, "briefButton" },
        { bestSellersButton, "bestSellersButton" }, { perDayButton, "perDayButton" },
        { reloadButton, "reloadButton" }, { titleBand, "titleBand" }, { titleLabel, "titleLabel" },
        { summaryGrid, "summaryGrid" }, { costFrame, "costFrame" },
        { discountFrame, "discountFrame" }, { salesFrame, "salesFrame" },
        { profitFrame, "profitFrame" }, { costCaption, "costCaption" },
        { costFigure, "costFigure" }, { discountCaption, "discountCaption" },
        { discountFigure, "discountFigure" }, { salesCaption, "salesCaption" },
        { salesFigure, "salesFigure" }, { profitCaption, "profitCaption" },
        { profitFigure, "profitFigure" } };
    for (const auto &[o, name] : names)
        o->setObjectName(QLatin1String(name));

    // Design places in twips; the layout stretches the bands, the grid and the totals.
    Twips::place(banner, 0, 0, 15360, 570);
    Twips::place(userSalesLink, 9390, 150, 1640, 300);
    Twips::place(userSalesIcon, 9060, 150, 300, 300);
    Twips::place(yearChartLink, 11390, 150, 1850, 300);
    Twips::place(yearChartIcon, 11030, 150, 300, 300);
    Twips::place(printLink, 13610, 150, 1700, 300);
    Twips::place(printIcon, 13240, 150, 300, 300);
    Twips::place(periodBand, 0, 570, 15370, 1080);
    Twips::place(weekCheck, 120, 90, 2900, 330);
    Twips::place(searchBox, 120, 510, 2900, 420);
    Twips::place(monthFrame, 3150, 30, 2520, 960);
    Twips::place(monthList, 90, 420, 2340, 420);
    Twips::place(dayFrame, 5760, 30, 1020, 960);
    Twips::place(dayBox, 90, 420, 840, 420);
    Twips::place(dayCheck, 5850, 40, 240, 300);
    Twips::place(yearFrame, 6870, 30, 1140, 960);
    Twips::place(yearBox, 90, 420, 960, 420);
    Twips::place(detailedButton, 8130, 90, 2280, 420);
    Twips::place(briefButton, 8130, 570, 2280, 420);
    Twips::place(bestSellersButton, 10500, 90, 2280, 420);
    Twips::place(perDayButton, 10500, 570, 2280, 420);
    Twips::place(reloadButton, 12870, 90, 2340, 900);
    Twips::place(titleBand, 0, 1650, 15360, 500);
    Twips::place(titleLabel, 120, 1710, 12000, 380);
    Twips::place(summaryGrid, 0, kGridTop, 15360, 6000);
    Twips::place(m_totals, 0, kGridTop + 6000, 15360, kTotalsHeight);
    Twips::place(costFrame, 120, 60, 3620, 830);
    Twips::place(costCaption, 240, 120, 3400, 300);
    Twips::place(costFigure, 240, 420, 3380, 420);
    Twips::place(discountFrame, 4140, 60, 3600, 830);
    Twips::place(discountCaption, 4270, 120, 3400, 300);
    Twips::place(discountFigure, 4260, 420, 3360, 420);
    Twips::place(salesFrame, 8240, 60, 3720, 830);
    Twips::place(salesCaption, 8360, 120, 3420, 300);
    Twips::place(salesFigure, 8360, 420, 3480, 420);
    Twips::place(profitFrame, 12560, 60, 3660, 830);
    Twips::place(profitCaption, 12690, 120, 3420, 300);
    Twips::place(profitFigure, 12690, 420, 3420, 420);
    dayCheck->raise(); // over the day frame's caption
    titleLabel->raise();
    for (QLabel *l : std::initializer_list<QLabel *> {
             userSalesLink, yearChartLink, printLink, userSalesIcon, printIcon, yearChartIcon })
        l->raise();
    for (QLabel *l : { costCaption, costFigure, discountCaption, discountFigure, salesCaption,
             salesFigure, profitCaption, profitFigure })
        l->raise();

    setTabOrder(weekCheck, searchBox);
    setTabOrder(searchBox, monthList);
    setTabOrder(monthList, dayCheck);
    setTabOrder(dayCheck, dayBox);
    setTabOrder(dayBox, yearBox);
    setTabOrder(yearBox, summaryGrid);

    m_period = new PeriodControls({ weekCheck, monthList, yearBox, dayCheck, dayBox },
        PeriodControls::WeekRule::DayMonthYear, this);
    connect(reloadButton, &KasmoButton::Click, this, &SummaryPage::reload);
    connect(printLink, &TabLabel::clicked, this, &SummaryPage::printSummary);
    connect(yearChartLink, &TabLabel::clicked, this, &SummaryPage::openYearChart);
    connect(userSalesLink, &TabLabel::clicked, this, &SummaryPage::openUserSales);
    connect(detailedButton, &KasmoButton::Click, this, &SummaryPage::showDetailed);
    connect(briefButton, &KasmoButton::Click, this, &SummaryPage::showBrief);
    connect(bestSellersButton, &KasmoButton::Click, this, &SummaryPage::showBestSellers);
    connect(perDayButton, &KasmoButton::Click, this, &SummaryPage::showPerDay);
    yearChartLink->setEnabled(false);

    // Key preview: the page sees every key before its controls do, the month list's drop-down
    // list included (made now, so that it is among the children).
    monthList->view();
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    resetGrid();
    openOnToday();
}

SummaryPage::~SummaryPage() = default;

void SummaryPage::openOnToday()
{
    m_view = SummaryMode::Detailed;
    titleLabel->setText(todayTitle());
    m_period->fillCurrentYear();
    loadTodaysSales();
    fitToSize();
}

bool SummaryPage::reloadOnF5(const QKeyEvent *event)
{
    if (event->key() != Qt::Key_F5)
        return false;
    monthList->hidePopup(); // the reload takes the month choice away
    reload();
    return true;
}

bool SummaryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && reloadOnF5(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void SummaryPage::keyPressEvent(QKeyEvent *event)
{
    if (!reloadOnF5(event))
        QWidget::keyPressEvent(event);
}

void SummaryPage::reload()
{
    // What the grid shows is named by the title, the view mode and the chart link; a reload
    // that cannot read today's sales leaves the grid, so it leaves them too.
    const QString title = titleLabel->text();
    const SummaryMode view = m_view;
    const bool chart = yearChartLink->isEnabled();
    m_view = SummaryMode::Detailed;
    yearBox->setText(PeriodControls::currentYear());
    titleLabel->setText(todayTitle());
    yearChartLink->setEnabled(false);
    searchBox->clear();
    weekCheck->setChecked(false); // a change runs its handler
    monthList->setCurrentIndex(-1);
    dayCheck->setChecked(false);
    if (!loadTodaysSales()) {
        titleLabel->setText(title);
        m_view = view;
        yearChartLink->setEnabled(chart);
    }
}

void SummaryPage::printSummary()
{
    if (summaryGrid->maxRows() == 0) {
        MsgBox(
            kPrintRefused, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    StockReportViewer::showReport(*m_print, this);
}

void SummaryPage::openYearChart()
{
    YearChartWindow::showModal(yearBox->text());
}

void SummaryPage::openUserSales()
{
    UserSalesWindow::showModal();
}

void SummaryPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitToSize();
}

void SummaryPage::fitToSize()
{
    const MainFrame *frame = MainFrame::existing();
    const double W = Twips::fromPixelsX(
        frame ? frame->frameGeometry().width() : window()->frameGeometry().width());
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());

    step(W, [&] { setWidth(titleBand, W); });
    step(W + 10, [&] { setWidth(periodBand, W + 10); });
    step(W, [&] { setWidth(banner, W); });
    const double image1W = Twips::fromPixelsX(banner->width());
    step(SH - 3100, [&] {
        summaryGrid->setGeometry(0, summaryGrid->y(), tx(SW), Twips::toPixelsY(SH - 3100));
    });
    // The totals' band stays at the page's bottom, under the grid.
    step(SH - kTotalsHeight, [&] {
        m_totals->setGeometry(
            0, Twips::toPixelsY(SH - kTotalsHeight), tx(SW), Twips::toPixelsY(kTotalsHeight));
    });
    const double label7 = image1W - 1750;
    step(label7, [&] { setLeft(printLink, label7); });
    step(label7 - 370, [&] { setLeft(printIcon, label7 - 370); });
    const double label8 = image1W - 3970;
    step(label8, [&] { setLeft(yearChartLink, label8); });
    step(label8 - 360, [&] { setLeft(yearChartIcon, label8 - 360); });
    step(image1W - 5970, [&] { setLeft(userSalesLink, image1W - 5970); });
    step(label8 - 2330, [&] { setLeft(userSalesIcon, label8 - 2330); });

    // Each total's box and labels follow the widths of the boxes to their left.
    const double shape2 = W / 4 - 220, shape4 = W / 4 - 240, shape1 = shape2 + 100;
    step(W / 4 - 460, [&] { setWidth(costFigure, W / 4 - 460); });
    step(shape2, [&] { setWidth(costFrame, shape2); });
    step(W / 4 - 480, [&] {
        setLeft(discountFigure, shape2 + 420);
        setWidth(discountFigure, W / 4 - 480);
    });
    step(W / 4, [&] {
        setLeft(discountCaption, shape2 + 430);
        setWidth(discountCaption, W / 4);
    });
    step(shape4, [&] {
        setLeft(discountFrame, shape2 + 300);
        setWidth(discountFrame, shape4);
    });
    step(shape2 - 140, [&] {
        setLeft(salesFigure, shape2 + shape4 + 520);
        setWidth(salesFigure, shape2 - 140);
    });
    step(shape2 - 200, [&] {
        setLeft(salesCaption, shape2 + shape4 + 520);
        setWidth(salesCaption, shape2 - 200);
    });
    step(shape1, [&] {
        setLeft(salesFrame, shape2 + shape4 + 400);
        setWidth(salesFrame, shape1);
    });
    step(shape1 - 200, [&] {
        for (QLabel *l : { profitFigure, profitCaption }) {
            setLeft(l, shape1 + shape2 + shape4 + 630);
            setWidth(l, shape1 - 200);
        }
    });
    step(shape1 + 40, [&] {
        setLeft(profitFrame, shape1 + shape2 + shape4 + 500);
        setWidth(profitFrame, shape1 + 40);
    });

    DataGrid *g = summaryGrid;
    g->setColWidth(ColCode, SW / 750);
    g->setColWidth(ColName, SW / 438);
    g->setColWidth(ColDes, SW / 500);
    g->setColWidth(ColCost, SW / 1650);
    g->setColWidth(ColPrice, SW / 1600);
    g->setColWidth(ColQty, SW / 1695);
    g->setColWidth(ColAmount, SW / 1416);
}

void SummaryPage::resetGrid()
{
    DataGrid *g = summaryGrid;
    g->setMaxRows(0);
    g->setMaxCols(ColCount);
    g->setOddEvenRowColors(OddRows, QColor(), EvenRows, QColor());
    g->removeSpan(ColCost, DataGrid::HeaderRow);
    for (int c : { 0, int(ColDay), int(ColReceipt), int(ColLineDiscount), int(ColLineAmount) })
        g->setColWidth(c, 0);
    const QString headers[] = { QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("ราคาทุน"), QStringLiteral("ราคาขาย"),
        QStringLiteral("ขายได้"), QStringLiteral("หน่วยนับ") };
    for (int c = ColCode; c <= ColAmount; ++c) {
        g->setText(c, DataGrid::HeaderRow, headers[c - 1]);
        if (c >= ColDes)
            g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignHCenter);
    }
    g->setHAlign(ColName, DataGrid::HeaderRow, Qt::AlignLeft);
    g->setForeColor(DataGrid::All, DataGrid::All, kGridText);
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    const struct
    {
        int col;
        CellKind kind;
        Qt::Alignment align;
    } columns[] = {
        { ColCode, CellKind::Text, Qt::AlignHCenter },
        { ColName, CellKind::Text, Qt::AlignLeft },
        { ColDes, CellKind::Text, Qt::AlignHCenter },
        { ColCost, CellKind::Money, Qt::AlignHCenter },
        { ColPrice, CellKind::Money, Qt::AlignHCenter },
        { ColQty, CellKind::Number, Qt::AlignHCenter },
        { ColAmount, CellKind::Text, Qt::AlignHCenter },
    };
    for (const auto &c : columns) {
        g->setCellKind(c.col, DataGrid::All, c.kind, 0);
        g->setHAlign(c.col, DataGrid::All, c.align);
    }
    for (int c = ColSpare; c <= ColLineAmount; ++c)
        g->setCellKind(c, DataGrid::All, CellKind::Text);
    g->setRowHeight(DataGrid::All, 25);
}

void SummaryPage::fillLines(const QList<SummaryLine> &lines)
{
    std::vector<QStringList> rows;
    rows.reserve(size_t(lines.size()));
    const QString blank = QStringLiteral(" ");
    for (const SummaryLine &l : lines) {
        const QString amount = l.amount().format();
        rows.push_back({ QString(), l.code, l.name, l.description, l.cost.format() + blank,
            l.price.format() + blank, QString::number(l.quantity), amount, QString(), l.day,
            l.receipt, l.discount.format(), amount });
    }
    summaryGrid->setRows(std::move(rows));
}

void SummaryPage::setDiscountTotal(Currency discount)
{
    m_discount = discount;
    discountFigure->setText(discount.format());
}

void SummaryPage::setTotals(const QString &cost, const QString &sales, const QString &profit)
{
    costFigure->setText(cost);
    salesFigure->setText(sales);
    profitFigure->setText(profit);
}

bool SummaryPage::loadTodaysSales()
{
    // Both queries run before the grid changes, so a refused one leaves the page as it was.
    QList<SummaryLine> lines;
    Currency discount;
    try {
        Connection &db = ShopDatabase::connection();
        const QList<DateRange> today = Periods::today(Clock::today());
        lines = SummaryQueries::receiptLines(db, today);
        if (!lines.isEmpty())
            discount = SummaryQueries::discountTotal(db, today);
    } catch (const DbError &e) {
        MsgBox(kLoadFailed + e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
        return false;
    }
    resetGrid();
    if (lines.isEmpty()) {
        setDiscountTotal(Currency());
        setTotals(kZero, kZero, kZero);
        return true;
    }
    summaryGrid->setRedraw(false);
    fillLines(lines);
    setDiscountTotal(discount);
    sumTotals();
    summaryGrid->setText(ColAmount, DataGrid::HeaderRow, QStringLiteral("รวมเป็นเงิน"));
    groupUnderHeaders(ColReceipt);
    summaryGrid->setRedraw(true);
    return true;
}

void SummaryPage::sumTotals()
{
    const DataGrid *g = summaryGrid;
    const int rows = g->maxRows();
    if (rows == 0) {
        setDiscountTotal(Currency());
        setTotals(kZero, kZero, kZero);
        return;
    }
    Currency cost, sales;
    skipOnFailure("SummaryPage.sumTotals", [&] {
        for (int r = 1; r <= rows; ++r) {
            const int64_t qty = toWholeNumber(g->getText(ColQty, r));
            cost += Currency::fromText(g->getText(ColCost, r)) * qty;
            sales += Currency::fromText(g->getText(ColPrice, r)) * qty;
        }
    });
    setTotals(cost.format(), (sales - m_discount).format(), (sales - cost - m_discount).format());
}

void SummaryPage::sortByKey(int keyCol)
{
    GridGrouping::sortByKey(*summaryGrid, keyCol);
}

void SummaryPage::groupUnderHeaders(int keyCol)
{
    DataGrid *g = summaryGrid;
    const bool drawing = g->redraw();
    g->setRedraw(false);
    skipOnFailure("SummaryPage.sortByKey", [&] { sortByKey(keyCol); });
    skipOnFailure("SummaryPage.groupUnderHeaders", [&] {
        GridGrouping::insertHeaders(*g, keyCol, [&](const GridGrouping::Run &run) {
            skipOnFailure("SummaryPage.styleHeaderRow", [&] {
                g->setText(ColCode, run.headerRow, run.key);
                styleHeaderRow(run.headerRow);
            });
            skipOnFailure("SummaryPage.groupUnderHeaders", [&] {
                Currency total, discount;
                for (int r = run.firstRow; r <= run.lastRow; ++r) {
                    total += Currency::fromText(g->getText(ColLineAmount, r));
                    discount += Currency::fromText(g->getText(ColLineDiscount, r));
                }
                const QString baht = QStringLiteral(" บาท");
                g->setText(
                    ColName, run.headerRow, QStringLiteral(" ส่วนลด ") + discount.format() + baht);
                g->setText(
                    ColDes, run.headerRow, QStringLiteral(" ยอดรวม ") + total.format() + baht);
                g->setText(ColCost, run.headerRow,
                    QStringLiteral(" หักส่วนลดเหลือ ") + (total - discount).format() + baht);
            });
        });
    });
    g->setActiveCell(ColCode, 1);
    g->setRedraw(drawing);
}

void SummaryPage::styleHeaderRow(int row)
{
    DataGrid *g = summaryGrid;
    g->setBackColor(DataGrid::All, row, HeaderBack);
    g->setForeColor(DataGrid::All, row, HeaderText);
    g->setHAlign(ColDes, row, Qt::AlignLeft);
    g->setOddEvenRowColors(OddRows, QColor(), OddRows, QColor());
    g->addSpan(ColCost, row, 4, 1);
    g->setCellKind(ColCost, row, CellKind::Text);
}
