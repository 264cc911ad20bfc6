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
#include "shell/Module1.h"
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
        skipOnFailure("SummaryPage.Form_Resize", apply);
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

// The printed summary reads the page as it stands while the report runs.
class SummaryPrint : public StockReportSource
{
public:
    explicit SummaryPrint(const SummaryPage &page)
        : m_page(page)
    { }
    int document() const override { return PrintSource::SalesSummary; }
    SummaryMode summaryMode() const override { return Module1::SummaryMode; }
    int rowCount() const override { return m_page.fpSpread1->maxRows(); }
    QString cell(int row, int col) const override { return m_page.fpSpread1->getText(col, row); }
    QString columnOneHeader() const override
    {
        return m_page.fpSpread1->getText(SummaryPage::ColCode, DataGrid::HeaderRow);
    }
    QString text(Text which) const override
    {
        switch (which) {
        case Text::Title:
            return m_page.Label11->text();
        case Text::Cost:
            return m_page.Label2->text();
        case Text::Discount:
            return m_page.Label10->text();
        case Text::Sales:
            return m_page.Label3->text();
        case Text::Profit:
            return m_page.Label5->text();
        default:
            return QString();
        }
    }

private:
    const SummaryPage &m_page;
};

} // namespace

QString SummaryPage::todayTitle()
{
    return QStringLiteral("สินค้าที่ขายได้ วันนี้  ( ") + DateText::displayDate(Clock::today())
        + QStringLiteral(" )");
}

SummaryPage::SummaryPage()
    : m_print(std::make_unique<SummaryPrint>(*this))
{
    setObjectName(QStringLiteral("SummaryPage"));
    setWindowTitle(QStringLiteral("สรุปยอดการขาย"));
    fillBackground(this, HeaderBack);
    setFont(tahoma(10));

    // The top banner with the three links at its right.
    Image1 = new QLabel(QStringLiteral("  สรุปยอดการขาย"), this);
    Image1->setFont(tahoma(14, true));
    Image1->setStyleSheet(QStringLiteral(
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
    Label13 = link(QStringLiteral("&สรุปแยกตามผู้ใช้"), QStyle::SP_DirHomeIcon, Image4);
    Label8 = link(QStringLiteral("&กราฟสรุปยอดรายปี"), QStyle::SP_FileDialogContentsView, Image6);
    Label7 = link(QStringLiteral("&พิมพ์รายงานสรุป"), QStyle::SP_FileIcon, Image5);

    // The period band: week, search text, month, day, year, the views and the reload.
    Frame2 = new QFrame(this);
    fillBackground(Frame2, kBand);
    Check1 = new QCheckBox(QStringLiteral(" แสดงสินค้าที่ขายได้สัปดาห์นี้"), Frame2);
    textColour(Check1, Qt::white);
    txt1 = new QLineEdit(Frame2);
    txt1->setMaxLength(99);
    // The design text is a hint: kept as the box's text, the first view would search for it and
    // find nothing.
    txt1->setPlaceholderText(kSearchDesign);
    txt1->setAccessibleName(QStringLiteral("ค้นหา"));
    txt1->setAccessibleDescription(kSearchDesign.trimmed());
    Frame3 = new QGroupBox(QStringLiteral("เดือน"), Frame2);
    Combo1 = new QComboBox(Frame3);
    Combo1->setAccessibleName(QStringLiteral("เดือน"));
    Frame1 = new QGroupBox(QStringLiteral("     วันที่"), Frame2);
    text2 = new QLineEdit(Frame1);
    text2->setAccessibleName(QStringLiteral("วันที่"));
    Check2 = new QCheckBox(Frame2);
    Check2->setAccessibleName(QStringLiteral("วันที่"));
    Frame4 = new QGroupBox(QStringLiteral("ปี (ค.ศ.)"), Frame2);
    Text1 = new QLineEdit(QStringLiteral("2013"), Frame4);
    Text1->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    for (QGroupBox *f : { Frame1, Frame3, Frame4 })
        textColour(f, Qt::white);
    for (QLineEdit *box : { text2, Text1 })
        box->setAlignment(Qt::AlignCenter);
    const auto button = [this](const QString &caption) {
        KasmoButton *b = KasmoButton::fromBag(Frame2, ButtonPresets::pageButton(caption));
        b->setAccessibleName(caption);
        return b;
    };
    kasmoButton1 = button(QStringLiteral("สรุปแยกบิลแบบระเอียด"));
    kasmoButton2 = button(QStringLiteral("สรุปแยกบิลแบบย่อ"));
    kasmoButton3 = button(QStringLiteral("สรุปยอดสินค้าขายดี"));
    cmdSearch = button(QStringLiteral("สรุปรวมทุกบิลแยกวัน"));
    pageButton4 = button(QStringLiteral("รีโหลดข้อมูล (F5)"));

    // The title band and the grid.
    Image10 = new QLabel(this);
    fillBackground(Image10, HeaderText);
    Label11 = new QLabel(QStringLiteral("สินค้าที่ขายได้วันนี้"), this);
    Label11->setFont(tahoma(11, true));
    textColour(Label11, Qt::white);
    // Read aloud as the period it names; a name would hide it.
    Accessibility::describeFigure(Label11, QStringLiteral("หัวข้อรายงาน"));
    fpSpread1 = new DataGrid(this);
    fpSpread1->setReadOnly(true);
    fpSpread1->setAccessibleName(QStringLiteral("สรุปยอดการขาย"));

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
    total(QStringLiteral("ต้นทุนสินค้า"), QColor(64, 64, 64), Shape2, Label1, Label2);
    total(QStringLiteral("ส่วนลดที่ให้ลูกค้ารวม"), QColor(128, 0, 0), Shape4, Label9, Label10);
    total(QStringLiteral("รวมยอดขาย (ไม่หักต้นทุน หักส่วนลด)"), QColor(0, 96, 0), Shape1, Label4, Label3);
    total(QStringLiteral("กำไรหลังหักต้นทุน (หักส่วนลด)"), HeaderText, Shape3, Label6, Label5);

    const std::pair<QObject *, const char *> names[] = { { Image1, "Image1" },
        { Label13, "Label13" }, { Label8, "Label8" }, { Label7, "Label7" }, { Image4, "Image4" },
        { Image5, "Image5" }, { Image6, "Image6" }, { Frame2, "Frame2" }, { Check1, "Check1" },
        { txt1, "txt1" }, { Frame3, "Frame3" }, { Combo1, "Combo1" }, { Frame1, "Frame1" },
        { text2, "text2" }, { Check2, "Check2" }, { Frame4, "Frame4" }, { Text1, "Text1" },
        { kasmoButton1, "kasmoButton1" }, { kasmoButton2, "kasmoButton2" },
        { kasmoButton3, "kasmoButton3" }, { cmdSearch, "cmdSearch" },
        { pageButton4, "pageButton4" }, { Image10, "Image10" }, { Label11, "Label11" },
        { fpSpread1, "fpSpread1" }, { Shape2, "Shape2" }, { Shape4, "Shape4" },
        { Shape1, "Shape1" }, { Shape3, "Shape3" }, { Label1, "Label1" }, { Label2, "Label2" },
        { Label9, "Label9" }, { Label10, "Label10" }, { Label4, "Label4" }, { Label3, "Label3" },
        { Label6, "Label6" }, { Label5, "Label5" } };
    for (const auto &[o, name] : names)
        o->setObjectName(QLatin1String(name));

    // Design places in twips; the layout stretches the bands, the grid and the totals.
    Twips::place(Image1, 0, 0, 15360, 570);
    Twips::place(Label13, 9390, 150, 1640, 300);
    Twips::place(Image4, 9060, 150, 300, 300);
    Twips::place(Label8, 11390, 150, 1850, 300);
    Twips::place(Image6, 11030, 150, 300, 300);
    Twips::place(Label7, 13610, 150, 1700, 300);
    Twips::place(Image5, 13240, 150, 300, 300);
    Twips::place(Frame2, 0, 570, 15370, 1080);
    Twips::place(Check1, 120, 90, 2900, 330);
    Twips::place(txt1, 120, 510, 2900, 420);
    Twips::place(Frame3, 3150, 30, 2520, 960);
    Twips::place(Combo1, 90, 420, 2340, 420);
    Twips::place(Frame1, 5760, 30, 1020, 960);
    Twips::place(text2, 90, 420, 840, 420);
    Twips::place(Check2, 5850, 40, 240, 300);
    Twips::place(Frame4, 6870, 30, 1140, 960);
    Twips::place(Text1, 90, 420, 960, 420);
    Twips::place(kasmoButton1, 8130, 90, 2280, 420);
    Twips::place(kasmoButton2, 8130, 570, 2280, 420);
    Twips::place(kasmoButton3, 10500, 90, 2280, 420);
    Twips::place(cmdSearch, 10500, 570, 2280, 420);
    Twips::place(pageButton4, 12870, 90, 2340, 900);
    Twips::place(Image10, 0, 1650, 15360, 500);
    Twips::place(Label11, 120, 1710, 12000, 380);
    Twips::place(fpSpread1, 0, kGridTop, 15360, 6000);
    Twips::place(m_totals, 0, kGridTop + 6000, 15360, kTotalsHeight);
    Twips::place(Shape2, 120, 60, 3620, 830);
    Twips::place(Label1, 240, 120, 3400, 300);
    Twips::place(Label2, 240, 420, 3380, 420);
    Twips::place(Shape4, 4140, 60, 3600, 830);
    Twips::place(Label9, 4270, 120, 3400, 300);
    Twips::place(Label10, 4260, 420, 3360, 420);
    Twips::place(Shape1, 8240, 60, 3720, 830);
    Twips::place(Label4, 8360, 120, 3420, 300);
    Twips::place(Label3, 8360, 420, 3480, 420);
    Twips::place(Shape3, 12560, 60, 3660, 830);
    Twips::place(Label6, 12690, 120, 3420, 300);
    Twips::place(Label5, 12690, 420, 3420, 420);
    Check2->raise(); // over the day frame's caption
    Label11->raise();
    for (QLabel *l :
        std::initializer_list<QLabel *> { Label13, Label8, Label7, Image4, Image5, Image6 })
        l->raise();
    for (QLabel *l : { Label1, Label2, Label9, Label10, Label4, Label3, Label6, Label5 })
        l->raise();

    setTabOrder(Check1, txt1);
    setTabOrder(txt1, Combo1);
    setTabOrder(Combo1, Check2);
    setTabOrder(Check2, text2);
    setTabOrder(text2, Text1);
    setTabOrder(Text1, fpSpread1);

    period = new PeriodControls(
        { Check1, Combo1, Text1, Check2, text2 }, PeriodControls::WeekRule::DayMonthYear, this);
    connect(pageButton4, &KasmoButton::Click, this, &SummaryPage::pageButton4_Click);
    connect(Label7, &TabLabel::clicked, this, &SummaryPage::Label7_Click);
    connect(Label8, &TabLabel::clicked, this, &SummaryPage::Label8_Click);
    connect(Label13, &TabLabel::clicked, this, &SummaryPage::Label13_Click);
    connect(kasmoButton1, &KasmoButton::Click, this, &SummaryPage::kasmoButton1_Click);
    connect(kasmoButton2, &KasmoButton::Click, this, &SummaryPage::kasmoButton2_Click);
    connect(kasmoButton3, &KasmoButton::Click, this, &SummaryPage::kasmoButton3_Click);
    connect(cmdSearch, &KasmoButton::Click, this, &SummaryPage::cmdSearch_Click);
    Label8->setEnabled(false);

    // Key preview: the page sees every key before its controls do, the month list's drop-down
    // list included (made now, so that it is among the children).
    Combo1->view();
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    SetupSpread();
    Form_Load();
}

SummaryPage::~SummaryPage() = default;

void SummaryPage::Form_Load()
{
    Module1::SummaryMode = SummaryMode::Detailed;
    Label11->setText(todayTitle());
    period->fillCurrentYear();
    Loaddata8();
    Form_Resize();
}

void SummaryPage::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode == Qt::Key_F5) {
        KeyCode = 0;
        Combo1->hidePopup(); // the reload takes the month choice away
        pageButton4_Click();
    }
}

bool SummaryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        int key = ke->key();
        Form_KeyDown(key, ke->modifiers());
        if (key == 0)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SummaryPage::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    Form_KeyDown(key, event->modifiers());
    if (key != 0)
        QWidget::keyPressEvent(event);
}

void SummaryPage::pageButton4_Click()
{
    // What the grid shows is named by the title, the view mode and the chart link; a reload
    // that cannot read today's sales leaves the grid, so it leaves them too.
    const QString title = Label11->text();
    const SummaryMode mode = Module1::SummaryMode;
    const bool chart = Label8->isEnabled();
    Module1::SummaryMode = SummaryMode::Detailed;
    Text1->setText(PeriodControls::currentYear());
    Label11->setText(todayTitle());
    Label8->setEnabled(false);
    txt1->clear();
    Check1->setChecked(false); // a change runs its handler
    Combo1->setCurrentIndex(-1);
    Check2->setChecked(false);
    if (!Loaddata8()) {
        Label11->setText(title);
        Module1::SummaryMode = mode;
        Label8->setEnabled(chart);
    }
}

void SummaryPage::Check1_Click()
{
    period->applyWeekChoice();
}

void SummaryPage::Check2_Click()
{
    period->applyOneDayChoice();
}

void SummaryPage::Label7_Click()
{
    if (fpSpread1->maxRows() == 0) {
        MsgBox(
            kPrintRefused, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    StockReportViewer::showReport(*m_print, this);
}

void SummaryPage::Label8_Click()
{
    YearChartWindow::showModal(Text1->text());
}

void SummaryPage::Label13_Click()
{
    UserSalesWindow::showModal();
}

void SummaryPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void SummaryPage::Form_Resize()
{
    const MainFrame *frame = MainFrame::existing();
    const double W = Twips::fromPixelsX(
        frame ? frame->frameGeometry().width() : window()->frameGeometry().width());
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());

    step(W, [&] { setWidth(Image10, W); });
    step(W + 10, [&] { setWidth(Frame2, W + 10); });
    step(W, [&] { setWidth(Image1, W); });
    const double image1W = Twips::fromPixelsX(Image1->width());
    step(SH - 3100,
        [&] { fpSpread1->setGeometry(0, fpSpread1->y(), tx(SW), Twips::toPixelsY(SH - 3100)); });
    // The totals' band stays at the page's bottom, under the grid.
    step(SH - kTotalsHeight, [&] {
        m_totals->setGeometry(
            0, Twips::toPixelsY(SH - kTotalsHeight), tx(SW), Twips::toPixelsY(kTotalsHeight));
    });
    const double label7 = image1W - 1750;
    step(label7, [&] { setLeft(Label7, label7); });
    step(label7 - 370, [&] { setLeft(Image5, label7 - 370); });
    const double label8 = image1W - 3970;
    step(label8, [&] { setLeft(Label8, label8); });
    step(label8 - 360, [&] { setLeft(Image6, label8 - 360); });
    step(image1W - 5970, [&] { setLeft(Label13, image1W - 5970); });
    step(label8 - 2330, [&] { setLeft(Image4, label8 - 2330); });

    // Each total's box and labels follow the widths of the boxes to their left.
    const double shape2 = W / 4 - 220, shape4 = W / 4 - 240, shape1 = shape2 + 100;
    step(W / 4 - 460, [&] { setWidth(Label2, W / 4 - 460); });
    step(shape2, [&] { setWidth(Shape2, shape2); });
    step(W / 4 - 480, [&] {
        setLeft(Label10, shape2 + 420);
        setWidth(Label10, W / 4 - 480);
    });
    step(W / 4, [&] {
        setLeft(Label9, shape2 + 430);
        setWidth(Label9, W / 4);
    });
    step(shape4, [&] {
        setLeft(Shape4, shape2 + 300);
        setWidth(Shape4, shape4);
    });
    step(shape2 - 140, [&] {
        setLeft(Label3, shape2 + shape4 + 520);
        setWidth(Label3, shape2 - 140);
    });
    step(shape2 - 200, [&] {
        setLeft(Label4, shape2 + shape4 + 520);
        setWidth(Label4, shape2 - 200);
    });
    step(shape1, [&] {
        setLeft(Shape1, shape2 + shape4 + 400);
        setWidth(Shape1, shape1);
    });
    step(shape1 - 200, [&] {
        for (QLabel *l : { Label5, Label6 }) {
            setLeft(l, shape1 + shape2 + shape4 + 630);
            setWidth(l, shape1 - 200);
        }
    });
    step(shape1 + 40, [&] {
        setLeft(Shape3, shape1 + shape2 + shape4 + 500);
        setWidth(Shape3, shape1 + 40);
    });

    DataGrid *g = fpSpread1;
    g->setColWidth(ColCode, SW / 750);
    g->setColWidth(ColName, SW / 438);
    g->setColWidth(ColDes, SW / 500);
    g->setColWidth(ColCost, SW / 1650);
    g->setColWidth(ColPrice, SW / 1600);
    g->setColWidth(ColQty, SW / 1695);
    g->setColWidth(ColAmount, SW / 1416);
}

void SummaryPage::SetupSpread()
{
    DataGrid *g = fpSpread1;
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
    fpSpread1->setRows(std::move(rows));
}

void SummaryPage::setDiscountTotal(Currency discount)
{
    m_discount = discount;
    Label10->setText(discount.format());
}

void SummaryPage::setTotals(const QString &cost, const QString &sales, const QString &profit)
{
    Label2->setText(cost);
    Label3->setText(sales);
    Label5->setText(profit);
}

bool SummaryPage::Loaddata8()
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
    SetupSpread();
    if (lines.isEmpty()) {
        setDiscountTotal(Currency());
        setTotals(kZero, kZero, kZero);
        return true;
    }
    fpSpread1->setRedraw(false);
    fillLines(lines);
    setDiscountTotal(discount);
    CalTotalAmount5();
    fpSpread1->setText(ColAmount, DataGrid::HeaderRow, QStringLiteral("รวมเป็นเงิน"));
    GroupBySpread(ColReceipt);
    fpSpread1->setRedraw(true);
    return true;
}

void SummaryPage::CalTotalAmount5()
{
    const DataGrid *g = fpSpread1;
    const int rows = g->maxRows();
    if (rows == 0) {
        setDiscountTotal(Currency());
        setTotals(kZero, kZero, kZero);
        return;
    }
    Currency cost, sales;
    skipOnFailure("SummaryPage.CalTotalAmount5", [&] {
        for (int r = 1; r <= rows; ++r) {
            const int64_t qty = toWholeNumber(g->getText(ColQty, r));
            cost += Currency::fromText(g->getText(ColCost, r)) * qty;
            sales += Currency::fromText(g->getText(ColPrice, r)) * qty;
        }
    });
    setTotals(cost.format(), (sales - m_discount).format(), (sales - cost - m_discount).format());
}

void SummaryPage::SortData(int keyCol)
{
    GridGrouping::sortByKey(*fpSpread1, keyCol);
}

void SummaryPage::GroupBySpread(int keyCol)
{
    DataGrid *g = fpSpread1;
    const bool drawing = g->redraw();
    g->setRedraw(false);
    skipOnFailure("SummaryPage.SortData", [&] { SortData(keyCol); });
    skipOnFailure("SummaryPage.GroupBySpread", [&] {
        GridGrouping::insertHeaders(*g, keyCol, [&](const GridGrouping::Run &run) {
            skipOnFailure(
                "SummaryPage.InsertHeaderRow", [&] { InsertHeaderRow(run.headerRow, run.key); });
            skipOnFailure("SummaryPage.GroupBySpread", [&] {
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

void SummaryPage::InsertHeaderRow(int row, const QString &keyText)
{
    DataGrid *g = fpSpread1;
    g->setBackColor(DataGrid::All, row, HeaderBack);
    g->setForeColor(DataGrid::All, row, HeaderText);
    g->setText(ColCode, row, keyText);
    g->setHAlign(ColDes, row, Qt::AlignLeft);
    g->setOddEvenRowColors(OddRows, QColor(), OddRows, QColor());
    g->addSpan(ColCost, row, 4, 1);
    g->setCellKind(ColCost, row, CellKind::Text);
}
