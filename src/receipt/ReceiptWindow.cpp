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
#include "records/Val.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
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

ReceiptWindow::ReceiptWindow(ReceiptSource source, const StoredSale *sale, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
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
    banner = new QLabel(this);
    banner->setPixmap(bannerPicture());
    banner->setScaledContents(true);

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
    headerLine1Box = box(top, QStringLiteral("บริษัท Vantrel"), 50);
    headerLine1SizeBox = box(top, QStringLiteral("13"), 2);
    headerLine1BoldCheck = onOff(top, true);
    headerLine2Box = box(top, QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"), 50);
    headerLine2SizeBox = box(top, QStringLiteral("14"), 2);
    headerLine2BoldCheck = onOff(top, false);
    for (QCheckBox *c : { headerLine1BoldCheck, headerLine2BoldCheck })
        c->setStyleSheet(QStringLiteral("color: white"));
    tg->addWidget(white(new QLabel(QStringLiteral("ข้อความบรรทัด 1 :"), top)), 0, 0);
    tg->addWidget(headerLine1Box, 0, 1);
    tg->addWidget(white(new QLabel(QStringLiteral("ขนาดตัวอักษร :"), top)), 0, 2);
    tg->addWidget(headerLine1SizeBox, 0, 3);
    tg->addWidget(white(new QLabel(QStringLiteral("ตัวหนา :"), top)), 0, 4);
    tg->addWidget(headerLine1BoldCheck, 0, 5);
    tg->addWidget(white(new QLabel(QStringLiteral("ข้อความบรรทัด 2 :"), top)), 1, 0);
    tg->addWidget(headerLine2Box, 1, 1);
    tg->addWidget(white(new QLabel(QStringLiteral("ขนาดตัวอักษร :"), top)), 1, 2);
    tg->addWidget(headerLine2SizeBox, 1, 3);
    tg->addWidget(white(new QLabel(QStringLiteral("ตัวหนา :"), top)), 1, 4);
    tg->addWidget(headerLine2BoldCheck, 1, 5);
    headerLine1Box->setMinimumWidth(300);
    headerLine2Box->setMinimumWidth(300);
    headerLine1SizeBox->setFixedWidth(36);
    headerLine2SizeBox->setFixedWidth(36);
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
    itemSizeBox = box(fonts, QStringLiteral("13"), 2);
    totalsSizeBox = box(fonts, QStringLiteral("15"), 2);
    footerSizeBox = box(fonts, QStringLiteral("13"), 2);
    addRow(fonts, fontsGrid, QStringLiteral("รายการสินค้า :"), itemSizeBox);
    addRow(fonts, fontsGrid, QStringLiteral("รวมเป็นเงิน :"), totalsSizeBox);
    addRow(fonts, fontsGrid, QStringLiteral("ข้อความล่าง :"), footerSizeBox);

    auto [paper, paperGrid] = rowsFrame(QStringLiteral("ขนาดกระดาษ  (ซม.)"));
    paperWidthBox = box(paper, QStringLiteral("7.0"), 4);
    paperLengthBox = box(paper, QStringLiteral("20.0"), 4);
    addRow(paper, paperGrid, QStringLiteral("กว้าง :"), paperWidthBox);
    addRow(paper, paperGrid, QStringLiteral("ยาว :"), paperLengthBox);
    a4Button = plainButton(paper, QStringLiteral("ขนาด             A4"));
    a5Button = plainButton(paper, QStringLiteral("ขนาด             A5"));
    paper80mmButton = plainButton(paper, QStringLiteral("ขนาด        80 mm"));
    paper58mmButton = plainButton(paper, QStringLiteral("ขนาด        58 mm"));
    customPaperButton = plainButton(paper, QStringLiteral("กำหนดขนาดเอง"));
    for (QPushButton *b :
        { a4Button, a5Button, paper80mmButton, paper58mmButton, customPaperButton }) {
        b->setFixedHeight(22);
        paperGrid->addWidget(b, paperGrid->rowCount(), 0, 1, 2);
    }

    auto [margins, marginGrid] = rowsFrame(QStringLiteral("ขอบกระดาษ (ซม.)"));
    topMarginBox = box(margins, QStringLiteral("0.3"), 4);
    bottomMarginBox = box(margins, QStringLiteral("0.1"), 4);
    leftMarginBox = box(margins, QStringLiteral("0.3"), 4);
    rightMarginBox = box(margins, QStringLiteral("0.3"), 4);
    addRow(margins, marginGrid, QStringLiteral("ขอบบน :"), topMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบล่าง :"), bottomMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบซ้าย :"), leftMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบขวา :"), rightMarginBox);

    auto [price, priceGrid] = rowsFrame(QStringLiteral("แสดงราคาต่อหน่วย"));
    unitPriceCheck = onOff(price, false);
    priceGrid->addWidget(unitPriceCheck, 0, 0);
    auto [atOnce, atOnceGrid] = rowsFrame(QStringLiteral("พิมพ์ อัตโนมัติ เมื่อขาย"));
    printAtOnceCheck = onOff(atOnce, false);
    atOnceGrid->addWidget(printAtOnceCheck, 0, 0);

    exportPdfButton = plainButton(m_leftColumn, QStringLiteral("ส่งออก PDF"));
    exportExcelButton = plainButton(m_leftColumn, QStringLiteral("ส่งออก Excel"));
    col->addWidget(exportPdfButton);
    col->addWidget(exportExcelButton);
    col->addStretch(1);
    // Its label closes the column, beside the footer box.
    m_footerLabel = new QLabel(QStringLiteral("รายละเอียดข้อความล่าง >"), m_leftColumn);
    m_footerLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    col->addWidget(m_footerLabel);

    receiptViewer = new ReportViewer(this);
    footerBox = new QPlainTextEdit(QStringLiteral("โปรดเก็บไว้เป็นหลักฐาน ขอบคุณที่ใช้บริการ"), this);
    footerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    footerBox->setTabChangesFocus(true);

    saveButton = KasmoButton::fromBag(
        this, ButtonPresets::pageButton(QStringLiteral("&บันทึก  หรือ  ดูตัวอย่าง")));

    // Handlers.
    connect(saveButton, &KasmoButton::Click, this, &ReceiptWindow::saveOrPreview);
    connect(printAtOnceCheck, &QCheckBox::toggled, this, [this] { saveOrPreview(); });
    connect(a4Button, &QPushButton::clicked, this,
        [this] { choosePaper(QStringLiteral("21.0"), QStringLiteral("29.7"), false); });
    connect(a5Button, &QPushButton::clicked, this,
        [this] { choosePaper(QStringLiteral("14.8"), QStringLiteral("21.0"), false); });
    connect(paper80mmButton, &QPushButton::clicked, this,
        [this] { choosePaper(QStringLiteral("7.0"), QStringLiteral("20.0"), false); });
    connect(paper58mmButton, &QPushButton::clicked, this,
        [this] { choosePaper(QStringLiteral("5.0"), QStringLiteral("20.0"), false); });
    connect(customPaperButton, &QPushButton::clicked, this,
        [this] { choosePaper(QStringLiteral("7.0"), QStringLiteral("20.0"), true); });
    connect(exportPdfButton, &QPushButton::clicked, this,
        [this] { ExportViewerPages(receiptViewer, ExportKind::Pdf); });
    connect(exportExcelButton, &QPushButton::clicked, this,
        [this] { ExportViewerPages(receiptViewer, ExportKind::Excel); });

    // Enter in any one-line box saves or previews; the number boxes filter the other keys.
    // Typing stops at the box's limit even when a longer stored text has widened it.
    auto enterThen = [this](QLineEdit *e, int (*filter)(int &)) {
        const int limit = e->maxLength();
        CharacterFilter::install(e, [this, e, filter, limit](int &key) {
            if (key == 13) {
                key = 0;
                saveOrPreview();
                return;
            }
            if (filter)
                key = filter(key);
            if (key >= 32 && e->text().size() - e->selectedText().size() >= limit)
                key = 0;
        });
    };
    enterThen(headerLine1Box, nullptr);
    enterThen(headerLine2Box, nullptr);
    for (QLineEdit *e :
        { headerLine1SizeBox, headerLine2SizeBox, itemSizeBox, totalsSizeBox, footerSizeBox })
        enterThen(e, &KeyFilters::digitsOnly);
    for (QLineEdit *e : { paperWidthBox, paperLengthBox, topMarginBox, bottomMarginBox,
             leftMarginBox, rightMarginBox })
        enterThen(e, &KeyFilters::decimalOnly);
    for (QLineEdit *e : { headerLine1SizeBox, headerLine2SizeBox, paperWidthBox, paperLengthBox,
             topMarginBox, bottomMarginBox, leftMarginBox, rightMarginBox, itemSizeBox,
             totalsSizeBox, footerSizeBox })
        InputBoxes::refuseRightClick(e);

    const std::pair<QWidget *, const char *> names[] = { { headerLine1Box, "headerLine1Box" },
        { headerLine1SizeBox, "headerLine1SizeBox" }, { headerLine2Box, "headerLine2Box" },
        { headerLine2SizeBox, "headerLine2SizeBox" }, { paperWidthBox, "paperWidthBox" },
        { paperLengthBox, "paperLengthBox" }, { topMarginBox, "topMarginBox" },
        { bottomMarginBox, "bottomMarginBox" }, { leftMarginBox, "leftMarginBox" },
        { rightMarginBox, "rightMarginBox" }, { itemSizeBox, "itemSizeBox" },
        { totalsSizeBox, "totalsSizeBox" }, { footerSizeBox, "footerSizeBox" },
        { footerBox, "footerBox" }, { headerLine1BoldCheck, "headerLine1BoldCheck" },
        { headerLine2BoldCheck, "headerLine2BoldCheck" }, { unitPriceCheck, "unitPriceCheck" },
        { printAtOnceCheck, "printAtOnceCheck" }, { saveButton, "saveButton" },
        { a4Button, "a4Button" }, { a5Button, "a5Button" }, { paper80mmButton, "paper80mmButton" },
        { paper58mmButton, "paper58mmButton" }, { customPaperButton, "customPaperButton" },
        { exportPdfButton, "exportPdfButton" }, { exportExcelButton, "exportExcelButton" },
        { banner, "banner" }, { receiptViewer, "receiptViewer" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));

    banner->lower();
    // The fixed parts keep the window from getting smaller than they are.
    setMinimumSize(
        tw(11550) + 160, qMax(tw(2210) + 160, tw(950) + m_leftColumn->sizeHint().height()));
    resize(qMax(minimumWidth(), 1100), qMax(minimumHeight(), 700));
    placeControls();
}

QString ReceiptWindow::footerText() const
{
    return footerBox->toPlainText();
}

ReceiptSetup ReceiptWindow::receiptSetup() const
{
    ReceiptSetup s;
    s.headerLine1 = headerLine1Box->text();
    s.headerLine1Size = headerLine1SizeBox->text();
    s.headerLine1Bold = headerLine1BoldCheck->isChecked();
    s.headerLine2 = headerLine2Box->text();
    s.headerLine2Size = headerLine2SizeBox->text();
    s.headerLine2Bold = headerLine2BoldCheck->isChecked();
    s.paperWidth = paperWidthBox->text();
    s.paperLength = paperLengthBox->text();
    s.topMargin = topMarginBox->text();
    s.bottomMargin = bottomMarginBox->text();
    s.leftMargin = leftMarginBox->text();
    s.rightMargin = rightMarginBox->text();
    s.itemSize = itemSizeBox->text();
    s.totalsSize = totalsSizeBox->text();
    s.footerSize = footerSizeBox->text();
    s.footer = footerText();
    s.showUnitPrice = unitPriceCheck->isChecked();
    return s;
}

void ReceiptWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    placeControls();
}

void ReceiptWindow::placeControls()
{
    if (isMinimized())
        return;
    const double W = Twips::fromPixelsX(width());
    const double H = Twips::fromPixelsY(height());
    const int viewerHeight = tw(qMax(0.0, H - 2210));
    receiptViewer->setGeometry(tw(2900), tw(950), tw(qMax(0.0, W - 2900)), viewerHeight);
    footerBox->setGeometry(tw(2900), viewerHeight + tw(950), tw(qMax(0.0, W - 2900)), tw(1150));
    banner->setGeometry(0, 0, width(), tw(950) - 4);
    saveButton->setGeometry(tw(11520), tw(120), tw(qMax(0.0, W - 11550)), tw(950) - tw(240));
    m_leftColumn->setGeometry(0, tw(950), tw(2900), qMax(0, height() - tw(950)));
}

void ReceiptWindow::open(ReceiptSource source, QWidget *parent, const StoredSale *sale)
{
    ReceiptWindow window(source, sale, parent);
    window.load();
    if (window.m_closedWhileLoading)
        return;
    DialogRunner::exec(&window);
}

void ReceiptWindow::load()
{
    skipOnFailure("ReceiptWindow", [this] { WindowPlacement::centre(this); });
    skipOnFailure("ReceiptWindow", [this] { PrepareViewerToolbar(receiptViewer); });
    skipOnFailure("ReceiptWindow", [this] { loadLayout(); });
    skipOnFailure("ReceiptWindow", [this] { showPreview(); });
    if (m_source == ReceiptSource::Sale && printAtOnceCheck->isChecked()) {
        // A failed print is told by the print sink; the window goes all the same.
        skipOnFailure("ReceiptWindow", [this] {
            if (m_report)
                m_report->PrintReport(false, parentWidget());
        });
        m_closedWhileLoading = true;
    }
}

void ReceiptWindow::loadLayout()
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
    put("text1", headerLine1Box);
    put("tsize1", headerLine1SizeBox);
    put("text2", headerLine2Box);
    put("tsize2", headerLine2SizeBox);
    put("paperW", paperWidthBox);
    put("paperH", paperLengthBox);
    put("text3", footerBox);
    put("paperT", topMarginBox);
    put("paperD", bottomMarginBox);
    put("paperL", leftMarginBox);
    put("paperR", rightMarginBox);
    put("fsize1", itemSizeBox);
    put("fsize2", totalsSizeBox);
    put("fsize3", footerSizeBox);
    const bool sraka = rs.boolean(QStringLiteral("sraka"));
    const bool bold1 = rs.boolean(QStringLiteral("text1B"));
    const bool bold2 = rs.boolean(QStringLiteral("text2B"));
    const bool atOnce = rs.boolean(QStringLiteral("pauto"));
    rs.close();
    // printAtOnceCheck last: ticking it runs the whole save-or-preview.
    unitPriceCheck->setChecked(sraka);
    headerLine1BoldCheck->setChecked(bold1);
    headerLine2BoldCheck->setChecked(bold2);
    printAtOnceCheck->setChecked(atOnce);
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
        { headerLine1Box, headerLine1Box->text(), "ข้อความบรรทัด 1" },
        { headerLine2Box, headerLine2Box->text(), "ข้อความบรรทัด 2" },
        { footerBox, footerText(), "ข้อความล่าง" },
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
    const std::pair<QLineEdit *, const char *> sizes[]
        = { { headerLine1SizeBox, "13" }, { headerLine2SizeBox, "14" }, { itemSizeBox, "13" },
              { totalsSizeBox, "15" }, { footerSizeBox, "13" } };
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
        { paperWidthBox, "8.0", 1, 100, PaperMessage },
        { paperLengthBox, "12.0", 1, 100, PaperMessage },
        { topMarginBox, "0.3", 0.1, 20, marginMessage("20") },
        { bottomMarginBox, "0.1", 0.1, 20, marginMessage("20") },
        { leftMarginBox, "0.3", 0.1, 50, marginMessage("50") },
        { rightMarginBox, "0.3", 0.1, 3.9, marginMessage("3.9") },
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

void ReceiptWindow::saveOrPreview()
{
    bool go = false;
    skipOnFailure("ReceiptWindow", [&] { go = checkBoxes(); });
    if (!go)
        return;
    skipOnFailure("ReceiptWindow", [this] { showPreview(); });
    storeLayout();
}

void ReceiptWindow::showPreview()
{
    auto report = std::make_unique<ReceiptLayout>(receiptSetup(), m_sale, m_source);
    report->initialize();
    receiptViewer->setReport(report.get());
    m_report = std::move(report);
}

void ReceiptWindow::storeLayout()
{
    auto flag = [](QCheckBox *c) { return c->isChecked() ? 1 : 0; };
    try {
        RowWriter w(ShopDatabase::connection(), QStringLiteral("tblSetPrint"));
        w.set(QStringLiteral("text1"), headerLine1Box->text().trimmed())
            .set(QStringLiteral("tsize1"), headerLine1SizeBox->text().trimmed())
            .set(QStringLiteral("text1B"), flag(headerLine1BoldCheck))
            .set(QStringLiteral("text2"), headerLine2Box->text().trimmed())
            .set(QStringLiteral("tsize2"), headerLine2SizeBox->text().trimmed())
            .set(QStringLiteral("text2B"), flag(headerLine2BoldCheck))
            .set(QStringLiteral("sraka"), flag(unitPriceCheck))
            .set(QStringLiteral("pauto"), flag(printAtOnceCheck))
            .set(QStringLiteral("paperW"), paperWidthBox->text().trimmed())
            .set(QStringLiteral("paperH"), paperLengthBox->text().trimmed())
            .set(QStringLiteral("text3"), trimBlanks(footerText()))
            .set(QStringLiteral("paperT"), topMarginBox->text().trimmed())
            .set(QStringLiteral("paperD"), bottomMarginBox->text().trimmed())
            .set(QStringLiteral("paperL"), leftMarginBox->text().trimmed())
            .set(QStringLiteral("paperR"), rightMarginBox->text().trimmed())
            .set(QStringLiteral("fsize1"), itemSizeBox->text().trimmed())
            .set(QStringLiteral("fsize2"), totalsSizeBox->text().trimmed())
            .set(QStringLiteral("fsize3"), footerSizeBox->text().trimmed());
        if (w.update(QStringLiteral("PK"), 1) != 1)
            throw DbError(QStringLiteral("ไม่พบข้อมูลการตั้งค่าการพิมพ์ (tblSetPrint แถวที่ 1)"));
    } catch (const DbError &e) {
        MsgBox(QStringLiteral("บันทึกการตั้งค่าการพิมพ์ไม่สำเร็จ : ") + e.text(), MsgButtons::Ok,
            MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void ReceiptWindow::choosePaper(const QString &width, const QString &length, bool editable)
{
    paperWidthBox->setText(width);
    paperLengthBox->setText(length);
    paperWidthBox->setEnabled(editable);
    paperLengthBox->setEnabled(editable);
    if (editable)
        paperWidthBox->setFocus();
    saveOrPreview();
}
