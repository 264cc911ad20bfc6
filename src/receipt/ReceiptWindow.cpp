#include "receipt/ReceiptWindow.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/db/RowWriter.h"
#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "receipt/ReceiptLayout.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Val.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include "shell/ShopDatabase.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <exception>
#include <functional>

namespace {

int tw(double twips)
{
    return Twips::toPixelsX(twips);
}

QLineEdit *box(QWidget *parent, const QString &text, int maxLength)
{
    auto *e = new QLineEdit(text, parent);
    e->setMaxLength(maxLength);
    return e;
}

QCheckBox *onOff(QWidget *parent, bool ticked)
{
    auto *c = new QCheckBox(QStringLiteral(" เปิด / ปิด"), parent);
    c->setChecked(ticked);
    return c;
}

QPixmap bannerPicture()
{
    return gradientBand(64, QColor(0, 60, 140), QColor(150, 190, 230));
}

const QString PaperMessage
    = QStringLiteral("ขนาดกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 100");
QString marginMessage(const char *most)
{
    return QStringLiteral("ขอบกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = ")
        + QString::fromLatin1(most);
}

} // namespace

ReceiptWindow::ReceiptWindow(QWidget *parent, const StoredSale *sale)
    : QDialog(parent)
    , m_sale(sale)
{
    setWindowTitle(QStringLiteral("ตั้งค่าการพิมพ์"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWindow();
}

ReceiptWindow::~ReceiptWindow()
{
    // The viewer shows copies of the pages; the report goes with the window.
}

void ReceiptWindow::buildWindow()
{
    Image1 = new QLabel(this);
    Image1->setPixmap(bannerPicture());
    Image1->setScaledContents(true);

    // Header lines along the top, over the banner.
    auto *top = new QWidget(this);
    top->setObjectName(QStringLiteral("headerLines"));
    auto *tg = new QGridLayout(top);
    tg->setContentsMargins(6, 4, 6, 4);
    tg->setVerticalSpacing(4);
    auto white = [](QLabel *l) {
        l->setStyleSheet(QStringLiteral("color: white; font-weight: bold"));
        return l;
    };
    Text7 = box(top, QStringLiteral("บริษัท Vantrel"), 50);
    Text10 = box(top, QStringLiteral("13"), 2);
    Check1 = onOff(top, true);
    Text9 = box(top, QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"), 50);
    Text11 = box(top, QStringLiteral("14"), 2);
    Check2 = onOff(top, false);
    for (QCheckBox *c : { Check1, Check2 })
        c->setStyleSheet(QStringLiteral("color: white"));
    tg->addWidget(white(new QLabel(QStringLiteral("ข้อความบรรทัด 1 :"), top)), 0, 0);
    tg->addWidget(Text7, 0, 1);
    tg->addWidget(white(new QLabel(QStringLiteral("ขนาดตัวอักษร :"), top)), 0, 2);
    tg->addWidget(Text10, 0, 3);
    tg->addWidget(white(new QLabel(QStringLiteral("ตัวหนา :"), top)), 0, 4);
    tg->addWidget(Check1, 0, 5);
    tg->addWidget(white(new QLabel(QStringLiteral("ข้อความบรรทัด 2 :"), top)), 1, 0);
    tg->addWidget(Text9, 1, 1);
    tg->addWidget(white(new QLabel(QStringLiteral("ขนาดตัวอักษร :"), top)), 1, 2);
    tg->addWidget(Text11, 1, 3);
    tg->addWidget(white(new QLabel(QStringLiteral("ตัวหนา :"), top)), 1, 4);
    tg->addWidget(Check2, 1, 5);
    Text7->setMinimumWidth(300);
    Text9->setMinimumWidth(300);
    Text10->setFixedWidth(36);
    Text11->setFixedWidth(36);
    top->setGeometry(0, 0, tw(11400), tw(950));

    // The set-up column on the left.
    m_leftColumn = new QWidget(this);
    auto *col = new QVBoxLayout(m_leftColumn);
    col->setContentsMargins(4, 2, 4, 2);
    col->setSpacing(2);
    auto rowsFrame = [&](const QString &title) {
        auto *g = new QGroupBox(title, m_leftColumn);
        auto *grid = new QGridLayout(g);
        grid->setContentsMargins(6, 2, 6, 2);
        grid->setVerticalSpacing(2);
        col->addWidget(g);
        return std::pair(g, grid);
    };
    auto addRow = [](QGroupBox *g, QGridLayout *grid, const QString &label, QLineEdit *e) {
        const int r = grid->rowCount();
        grid->addWidget(new QLabel(label, g), r, 0);
        e->setParent(g);
        e->setFixedWidth(56);
        grid->addWidget(e, r, 1);
    };

    auto [fonts, fontsGrid] = rowsFrame(QStringLiteral("ขนาดตัวอักษร"));
    Text8 = box(fonts, QStringLiteral("13"), 2);
    Text12 = box(fonts, QStringLiteral("15"), 2);
    Text13 = box(fonts, QStringLiteral("13"), 2);
    addRow(fonts, fontsGrid, QStringLiteral("รายการสินค้า :"), Text8);
    addRow(fonts, fontsGrid, QStringLiteral("รวมเป็นเงิน :"), Text12);
    addRow(fonts, fontsGrid, QStringLiteral("ข้อความล่าง :"), Text13);

    auto [paper, paperGrid] = rowsFrame(QStringLiteral("ขนาดกระดาษ  (ซม.)"));
    text3 = box(paper, QStringLiteral("7.0"), 4);
    text4 = box(paper, QStringLiteral("20.0"), 4);
    addRow(paper, paperGrid, QStringLiteral("กว้าง :"), text3);
    addRow(paper, paperGrid, QStringLiteral("ยาว :"), text4);
    Command1 = plainButton(paper, QStringLiteral("ขนาด             A4"));
    Command7 = plainButton(paper, QStringLiteral("ขนาด             A5"));
    Command5 = plainButton(paper, QStringLiteral("ขนาด        80 mm"));
    Command4 = plainButton(paper, QStringLiteral("ขนาด        58 mm"));
    Command2 = plainButton(paper, QStringLiteral("กำหนดขนาดเอง"));
    for (QPushButton *b : { Command1, Command7, Command5, Command4, Command2 }) {
        b->setFixedHeight(22);
        paperGrid->addWidget(b, paperGrid->rowCount(), 0, 1, 2);
    }

    auto [margins, marginGrid] = rowsFrame(QStringLiteral("ขอบกระดาษ (ซม.)"));
    Text1 = box(margins, QStringLiteral("0.3"), 4);
    text2 = box(margins, QStringLiteral("0.1"), 4);
    Text5 = box(margins, QStringLiteral("0.3"), 4);
    Text6 = box(margins, QStringLiteral("0.3"), 4);
    addRow(margins, marginGrid, QStringLiteral("ขอบบน :"), Text1);
    addRow(margins, marginGrid, QStringLiteral("ขอบล่าง :"), text2);
    addRow(margins, marginGrid, QStringLiteral("ขอบซ้าย :"), Text5);
    addRow(margins, marginGrid, QStringLiteral("ขอบขวา :"), Text6);

    auto [price, priceGrid] = rowsFrame(QStringLiteral("แสดงราคาต่อหน่วย"));
    Check3 = onOff(price, false);
    priceGrid->addWidget(Check3, 0, 0);
    auto [atOnce, atOnceGrid] = rowsFrame(QStringLiteral("พิมพ์ อัตโนมัติ เมื่อขาย"));
    Check4 = onOff(atOnce, false);
    atOnceGrid->addWidget(Check4, 0, 0);

    Command3 = plainButton(m_leftColumn, QStringLiteral("ส่งออก PDF"));
    Command6 = plainButton(m_leftColumn, QStringLiteral("ส่งออก Excel"));
    col->addWidget(Command3);
    col->addWidget(Command6);
    col->addStretch(1);
    // Its label closes the column, beside the footer box.
    m_footerLabel = new QLabel(QStringLiteral("รายละเอียดข้อความล่าง >"), m_leftColumn);
    m_footerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    col->addWidget(m_footerLabel);

    ARViewer21 = new ReportViewer(this);
    Text14 = new QPlainTextEdit(QStringLiteral("โปรดเก็บไว้เป็นหลักฐาน ขอบคุณที่ใช้บริการ"), this);
    Text14->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text14->setTabChangesFocus(true);

    kasmoButton1 = KasmoButton::fromBag(
        this, ButtonPresets::pageButton(QStringLiteral("&บันทึก  หรือ  ดูตัวอย่าง")));

    // Handlers.
    connect(kasmoButton1, &KasmoButton::Click, this, &ReceiptWindow::kasmoButton1_Click);
    connect(Check4, &QCheckBox::toggled, this, &ReceiptWindow::Check4_Click);
    connect(Command1, &QPushButton::clicked, this, &ReceiptWindow::Command1_Click);
    connect(Command7, &QPushButton::clicked, this, &ReceiptWindow::Command7_Click);
    connect(Command5, &QPushButton::clicked, this, &ReceiptWindow::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &ReceiptWindow::Command4_Click);
    connect(Command2, &QPushButton::clicked, this, &ReceiptWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &ReceiptWindow::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &ReceiptWindow::Command6_Click);

    // Enter in any one-line box saves or previews; the number boxes filter the other keys.
    // Typing stops at the box's limit even when a longer stored text has widened it.
    auto enterThen = [this](QLineEdit *e, int (*filter)(int &)) {
        const int limit = e->maxLength();
        CharacterFilter::install(e, [this, e, filter, limit](int &KeyAscii) {
            if (KeyAscii == 13) {
                KeyAscii = 0;
                kasmoButton1_Click();
                return;
            }
            if (filter)
                KeyAscii = filter(KeyAscii);
            if (KeyAscii >= 32 && e->text().size() - e->selectedText().size() >= limit)
                KeyAscii = 0;
        });
    };
    enterThen(Text7, nullptr);
    enterThen(Text9, nullptr);
    for (QLineEdit *e : { Text10, Text11, Text8, Text12, Text13 })
        enterThen(e, &KeyFilters::digitsOnly);
    for (QLineEdit *e : { text3, text4, Text1, text2, Text5, Text6 })
        enterThen(e, &KeyFilters::decimalOnly);
    for (QLineEdit *e :
        { Text10, Text11, text3, text4, Text1, text2, Text5, Text6, Text8, Text12, Text13 })
        InputBoxes::refuseRightClick(e);

    Image1->lower();
    // The fixed parts keep the window from getting smaller than they are.
    setMinimumSize(
        tw(11550) + 160, qMax(tw(2210) + 160, tw(950) + m_leftColumn->sizeHint().height()));
    resize(qMax(minimumWidth(), 1100), qMax(minimumHeight(), 700));
    Form_Resize();
}

QString ReceiptWindow::footerText() const
{
    return Text14->toPlainText();
}

void ReceiptWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void ReceiptWindow::Form_Resize()
{
    if (isMinimized())
        return;
    const double W = Twips::fromPixelsX(width());
    const double H = Twips::fromPixelsY(height());
    const int viewerHeight = tw(qMax(0.0, H - 2210));
    ARViewer21->setGeometry(tw(2900), tw(950), tw(qMax(0.0, W - 2900)), viewerHeight);
    Text14->setGeometry(tw(2900), viewerHeight + tw(950), tw(qMax(0.0, W - 2900)), tw(1150));
    Image1->setGeometry(0, 0, width(), tw(950) - 4);
    kasmoButton1->setGeometry(tw(11520), tw(120), tw(qMax(0.0, W - 11550)), tw(950) - tw(240));
    m_leftColumn->setGeometry(0, tw(950), tw(2900), qMax(0, height() - tw(950)));
}

void ReceiptWindow::openWindow(QWidget *parent, const StoredSale *sale)
{
    ReceiptWindow window(parent, sale);
    window.Form_Load();
    if (window.m_unloaded)
        return;
    DialogRunner::exec(&window);
}

void ReceiptWindow::Form_Load()
{
    skipOnFailure("ReceiptWindow", [this] { WindowPlacement::centre(this); });
    skipOnFailure("ReceiptWindow", [this] { PrepareViewerToolbar(ARViewer21); });
    skipOnFailure("ReceiptWindow", [this] { Showdata(); });
    skipOnFailure("ReceiptWindow", [this] { makePreview(); });
    if (Module1::PrintSource == PrintSource::Sale && Check4->isChecked()) {
        // A failed print is told by the print sink; the window goes all the same.
        skipOnFailure("ReceiptWindow", [this] {
            if (m_report)
                m_report->PrintReport(false, parentWidget());
        });
        m_unloaded = true;
    }
}

void ReceiptWindow::Showdata()
{
    Recordset rs = ShopDatabase::connection().query(
        QStringLiteral("SELECT * FROM tblSetPrint WHERE PK = 1"));
    if (rs.eof())
        throw DbError(QStringLiteral("tblSetPrint: no row 1"));
    // A column without a value ends the copy there, as the boxes could not take it.
    auto put = [&rs](const char *column, auto *target) {
        const QString name = QString::fromLatin1(column);
        if (rs.isNull(name))
            throw DbError(QStringLiteral("tblSetPrint.%1 holds no value").arg(name));
        const QString value = rs.text(name);
        if constexpr (std::is_same_v<decltype(target), QPlainTextEdit *>) {
            target->setPlainText(value);
        } else {
            // A stored text longer than the box lets anyone type shows whole, so that the
            // next store writes it back unchanged.
            if (value.size() > target->maxLength())
                target->setMaxLength(int(value.size()));
            target->setText(value);
        }
    };
    put("text1", Text7);
    put("tsize1", Text10);
    put("text2", Text9);
    put("tsize2", Text11);
    put("paperW", text3);
    put("paperH", text4);
    put("text3", Text14);
    put("paperT", Text1);
    put("paperD", text2);
    put("paperL", Text5);
    put("paperR", Text6);
    put("fsize1", Text8);
    put("fsize2", Text12);
    put("fsize3", Text13);
    const bool sraka = rs.boolean(QStringLiteral("sraka"));
    const bool bold1 = rs.boolean(QStringLiteral("text1B"));
    const bool bold2 = rs.boolean(QStringLiteral("text2B"));
    const bool atOnce = rs.boolean(QStringLiteral("pauto"));
    rs.close();
    // Check4 last: ticking it runs its click, the whole save-or-preview.
    Check3->setChecked(sraka);
    Check1->setChecked(bold1);
    Check2->setChecked(bold2);
    Check4->setChecked(atOnce);
}

bool ReceiptWindow::checkBoxes()
{
    auto tell = [this](const QString &text) {
        MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
    };
    struct Required
    {
        QWidget *box;
        QString text;
        const char *what;
    };
    const Required required[] = {
        { Text7, Text7->text(), "ข้อความบรรทัด 1" },
        { Text9, Text9->text(), "ข้อความบรรทัด 2" },
        { Text14, footerText(), "ข้อความล่าง" },
    };
    for (const Required &r : required) {
        if (trimBlanks(r.text).isEmpty()) {
            tell(QStringLiteral("กรุณาระบุ ( %1 ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...")
                     .arg(QString::fromUtf8(r.what)));
            r.box->setFocus();
            return false;
        }
    }
    // An empty font size, or 0, gets its default and stops the click.
    const std::pair<QLineEdit *, const char *> sizes[] = { { Text10, "13" }, { Text11, "14" },
        { Text8, "13" }, { Text12, "15" }, { Text13, "13" } };
    for (const auto &[e, def] : sizes) {
        if (e->text().trimmed().isEmpty() || Val(e->text()) == 0) {
            e->setText(QString::fromLatin1(def));
            return false;
        }
    }
    // An empty length gets its default and stops; one out of range is told, replaced and
    // the click goes on with the replacement.
    struct Length
    {
        QLineEdit *box;
        const char *def;
        double least, most;
        QString message;
    };
    const Length lengths[] = {
        { text3, "8.0", 1, 100, PaperMessage },
        { text4, "12.0", 1, 100, PaperMessage },
        { Text1, "0.3", 0.1, 20, marginMessage("20") },
        { text2, "0.1", 0.1, 20, marginMessage("20") },
        { Text5, "0.3", 0.1, 50, marginMessage("50") },
        { Text6, "0.3", 0.1, 3.9, marginMessage("3.9") },
    };
    for (const Length &l : lengths) {
        if (l.box->text().trimmed().isEmpty()) {
            l.box->setText(QString::fromLatin1(l.def));
            return false;
        }
        const double v = Val(l.box->text());
        if (v < l.least || v > l.most) {
            tell(l.message);
            l.box->setText(QString::fromLatin1(l.def));
        }
    }
    return true;
}

void ReceiptWindow::kasmoButton1_Click()
{
    bool go = false;
    skipOnFailure("ReceiptWindow", [&] { go = checkBoxes(); });
    if (!go)
        return;
    skipOnFailure("ReceiptWindow", [this] { makePreview(); });
    storeLayout();
}

void ReceiptWindow::makePreview()
{
    auto report = std::make_unique<ReceiptLayout>(this, m_sale, Module1::PrintSource);
    report->initialize();
    ARViewer21->setReport(report.get());
    m_report = std::move(report);
}

void ReceiptWindow::storeLayout()
{
    auto flag = [](QCheckBox *c) { return c->isChecked() ? 1 : 0; };
    try {
        RowWriter w(ShopDatabase::connection(), QStringLiteral("tblSetPrint"));
        w.set(QStringLiteral("text1"), Text7->text().trimmed())
            .set(QStringLiteral("tsize1"), Text10->text().trimmed())
            .set(QStringLiteral("text1B"), flag(Check1))
            .set(QStringLiteral("text2"), Text9->text().trimmed())
            .set(QStringLiteral("tsize2"), Text11->text().trimmed())
            .set(QStringLiteral("text2B"), flag(Check2))
            .set(QStringLiteral("sraka"), flag(Check3))
            .set(QStringLiteral("pauto"), flag(Check4))
            .set(QStringLiteral("paperW"), text3->text().trimmed())
            .set(QStringLiteral("paperH"), text4->text().trimmed())
            .set(QStringLiteral("text3"), trimBlanks(footerText()))
            .set(QStringLiteral("paperT"), Text1->text().trimmed())
            .set(QStringLiteral("paperD"), text2->text().trimmed())
            .set(QStringLiteral("paperL"), Text5->text().trimmed())
            .set(QStringLiteral("paperR"), Text6->text().trimmed())
            .set(QStringLiteral("fsize1"), Text8->text().trimmed())
            .set(QStringLiteral("fsize2"), Text12->text().trimmed())
            .set(QStringLiteral("fsize3"), Text13->text().trimmed());
        if (w.update(QStringLiteral("PK"), 1) != 1)
            throw DbError(QStringLiteral("ไม่พบข้อมูลการตั้งค่าการพิมพ์ (tblSetPrint แถวที่ 1)"));
    } catch (const DbError &e) {
        MsgBox(QStringLiteral("บันทึกการตั้งค่าการพิมพ์ไม่สำเร็จ : ") + e.text(), MsgButtons::Ok,
            MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void ReceiptWindow::Check4_Click()
{
    kasmoButton1_Click();
}

void ReceiptWindow::setPaper(const QString &width, const QString &length, bool editable)
{
    text3->setText(width);
    text4->setText(length);
    text3->setEnabled(editable);
    text4->setEnabled(editable);
}

void ReceiptWindow::Command1_Click()
{
    setPaper(QStringLiteral("21.0"), QStringLiteral("29.7"), false);
    kasmoButton1_Click();
}

void ReceiptWindow::Command7_Click()
{
    setPaper(QStringLiteral("14.8"), QStringLiteral("21.0"), false);
    kasmoButton1_Click();
}

void ReceiptWindow::Command5_Click()
{
    setPaper(QStringLiteral("7.0"), QStringLiteral("20.0"), false);
    kasmoButton1_Click();
}

void ReceiptWindow::Command4_Click()
{
    setPaper(QStringLiteral("5.0"), QStringLiteral("20.0"), false);
    kasmoButton1_Click();
}

void ReceiptWindow::Command2_Click()
{
    setPaper(QStringLiteral("7.0"), QStringLiteral("20.0"), true);
    text3->setFocus();
    kasmoButton1_Click();
}

void ReceiptWindow::Command3_Click()
{
    ExportViewerPages(ARViewer21, ExportKind::Pdf);
}

void ReceiptWindow::Command6_Click()
{
    ExportViewerPages(ARViewer21, ExportKind::Excel);
}
