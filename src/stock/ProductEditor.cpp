#include "stock/ProductEditor.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/SystemErrors.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Val.h"
#include "sale/PictureFiles.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Lookups.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include "stock/ProductStore.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

const QString kNoPicture = QStringLiteral("data/NoPicture3.jpg");
const QString kPicError = QStringLiteral("data/PicError2.jpg");
const QString kAutoCodeText = QStringLiteral("ระบบอัตโนมัติ");

const unsigned kWindowBack = rgbValue(219, 226, 224);
const unsigned kTextBack = rgbValue(240, 240, 240);
const unsigned kAmountBack = rgbValue(219, 226, 224);
const unsigned kSpecialBack = rgbValue(212, 215, 170);
const unsigned kListBack = rgbValue(247, 249, 227);
const unsigned kWholesaleOff = rgbValue(215, 159, 158);
const unsigned kAutoCodeBack = rgbValue(42, 152, 208);

// Refusals of the save (title "รายงานสถานะ", warning icon).
const QString kCodeEmpty = QStringLiteral("กรุณาระบุ ( รหัสสินค้า (บาร์โค้ด) ) ที่ต้องการ  ก่อนเริ่มบันทึก");
const QString kCodePrefix
    = QStringLiteral("ในการระบุ รหัสเอง ไม่สามารถ มีคำว่า ( PD- ) ได้ โปรดตั้งเป็นอย่างอื่น  ....");
const QString kNameEmpty = QStringLiteral("กรุณาระบุ ( ชื่อสินค้า ) ที่ต้องการ  ก่อนเริ่มบันทึก");
const QString kPriceEmpty = QStringLiteral("กรุณาระบุ ( ราคาขายปกติ ) ที่ต้องการ  ก่อนเริ่มบันทึก");
QString codeInUse(const QString &code)
{
    return QStringLiteral("มี รหัสสินค้า [  ") + code + QStringLiteral("  ] อยู่ในระบบแล้ว กรุณาแก้ไขใหม่..");
}
QString notANumber(const QString &caption)
{
    return QStringLiteral("ช่อง ( ") + caption
        + QStringLiteral(" ) ต้องเป็นตัวเลขที่ถูกต้อง กรุณาแก้ไข  ก่อนเริ่มบันทึก");
}
const QString kConfirmSave = QStringLiteral("คุณแน่ใจหรือไม่ ว่าต้องการ บันทึกข้อมูล สินค้า นี้!!");
const QString kConfirmTitle = QStringLiteral("ยืนยันการบันทึก");
const QString kProductGone
    = QStringLiteral("ไม่พบ สินค้า นี้ในระบบแล้ว ( อาจถูกลบไปก่อนหน้านี้ ) จึงบันทึกการแก้ไขไม่ได้..");
const QString kCopyFailed = QStringLiteral("คัดลอกไฟล์ภาพไม่ได้ : ");

// Copies the picture byte for byte under a name that must be free; on failure nothing stays
// under that name and `reason` says why, of whichever file failed. (QFile::copy names no reason
// for an unreadable picture, and for a folder it cannot write may blame its detour through the
// temporary folder.)
bool copyPicture(const QString &from, const QString &to, QString *reason)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        *reason = SystemErrors::fileText(in);
        return false;
    }
    QFile out(to);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *reason = SystemErrors::fileText(out);
        return false;
    }
    bool ok = true;
    while (ok && !in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            *reason = SystemErrors::fileText(in);
            ok = false;
        } else if (out.write(block) != block.size()) {
            *reason = SystemErrors::fileText(out);
            ok = false;
        }
    }
    if (ok && !out.flush()) {
        *reason = SystemErrors::fileText(out);
        ok = false;
    }
    out.close();
    if (!ok)
        out.remove();
    return ok;
}

QString withoutAccessKey(QString caption)
{
    return caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The code, name and description lose every ' % and *, as the shop's searches do.
QString cleaned(QString s)
{
    return s.remove(QLatin1Char('\'')).remove(QLatin1Char('%')).remove(QLatin1Char('*'));
}

// Money as the boxes show it: two decimals, no thousands separators.
QString fixed2(const Currency &c)
{
    return c.format().remove(QLatin1Char(','));
}

bool parseWhole(const QString &text, qint64 *out)
{
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
    const QString t = trimBlanks(text);
    if (!whole.match(t).hasMatch())
        return false;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (ok && out)
        *out = v;
    return ok;
}

bool parseMoney(const QString &text, Currency *out)
{
    static const QRegularExpression money(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    const QString t = trimBlanks(text);
    if (!money.match(t).hasMatch() || t.size() > 15)
        return false;
    const std::optional<Currency> c = Currency::parse(t);
    if (c && out)
        *out = *c;
    return c.has_value();
}

// The picture box's own picture before a product is loaded.
QPixmap ownPlaceholder(const QFont &font)
{
    QImage img(321, 273, QImage::Format_RGB32);
    img.fill(QColor(245, 245, 245));
    QPainter p(&img);
    p.setPen(QColor(170, 170, 170));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.drawLine(110, 90, 210, 150);
    p.drawLine(210, 90, 110, 150);
    QFont f = font;
    f.setPointSizeF(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(120, 120, 120));
    p.drawText(QRect(0, 170, 321, 50), Qt::AlignCenter, QStringLiteral("ไม่มีรูปภาพ"));
    return QPixmap::fromImage(img);
}

} // namespace

QString ProductEditor::pictureName(const QDateTime &now, int draw)
{
    const qint64 t = now.toString(QStringLiteral("ddMMyyHHmmss")).toLongLong();
    return QStringLiteral("i") + QString::number(t + draw) + QStringLiteral(".jpg");
}

ProductEditor::ProductEditor(std::optional<int> productKey)
    : ProductPK(productKey.value_or(0))
    , IsNewItem(!productKey)
{
    setObjectName(QStringLiteral("ProductEditor"));
    setWindowTitle(QStringLiteral("เพิ่มข้อมูลสินค้า"));
    WindowRegistry::add(this);
    buildControls();
    placeDesign();
    Form_Load();
}

ProductEditor::~ProductEditor()
{
    // Boxes emit their change signals while they are torn down; nothing may act on them then.
    const auto children = findChildren<QWidget *>();
    for (QWidget *w : children)
        w->disconnect(this);
}

bool ProductEditor::openNew()
{
    return run(std::nullopt);
}

bool ProductEditor::openEdit(int productKey)
{
    return run(productKey);
}

bool ProductEditor::run(std::optional<int> productKey)
{
    QPointer<ProductEditor> w = new ProductEditor(productKey);
    w->focusFirst();
    // Only a completed save accepts the editor.
    return DialogRunner::exec(w) == QDialog::Accepted;
}

// ---------------------------------------------------------------------------------------------
// Controls

namespace {
QLineEdit *makeBox(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignCenter);
    e->setAutoFillBackground(true);
    return e;
}

QComboBox *makeList(QWidget *parent, const QString &name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr); // the list's own type-ahead does the completing
    c->setMaxVisibleItems(12);
    return c;
}

QLabel *makeLabel(QWidget *parent, const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

KasmoButton *makeButton(QWidget *parent, const QString &name, const QString &caption)
{
    QFont f = parent->font();
    f.setBold(true);
    PropertyBag bag = ButtonPresets::pageButton(caption);
    bag.write(QStringLiteral("FONT"), f);
    KasmoButton *b = KasmoButton::fromBag(parent, bag);
    b->setObjectName(name);
    b->setAccessibleName(trimBlanks(withoutAccessKey(caption)));
    return b;
}
} // namespace

void ProductEditor::buildControls()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9);
    setFont(font);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colourOf(kWindowBack));
    setPalette(pal);

    Frame1 = new QGroupBox(QStringLiteral("รายละเอียดสินค้า"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame2 = new QGroupBox(QStringLiteral("ข้อมูลรูปภาพ"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    for (QGroupBox *g : { Frame1, Frame2 }) {
        QFont bold = g->font();
        bold.setBold(true);
        g->setFont(bold);
    }

    txtsn = makeBox(Frame1, QStringLiteral("txtsn"));
    txtname = makeBox(Frame1, QStringLiteral("txtname"));
    txtdes = makeBox(Frame1, QStringLiteral("txtdes"));
    Combo1 = makeList(Frame1, QStringLiteral("Combo1"));
    Combo2 = makeList(Frame1, QStringLiteral("Combo2"));
    Combo3 = makeList(Frame1, QStringLiteral("Combo3"));
    txt3 = makeBox(Frame1, QStringLiteral("txt3"));
    txt5 = makeBox(Frame1, QStringLiteral("txt5"));
    txt4 = makeBox(Frame1, QStringLiteral("txt4"));
    txt6 = makeBox(Frame1, QStringLiteral("txt6"));
    text4 = makeBox(Frame1, QStringLiteral("text4"));
    text3 = makeBox(Frame1, QStringLiteral("text3"));
    Check2 = new QCheckBox(QStringLiteral(" สร้างรหัสสินค้าอัตโนมัติ"), Frame1);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check3 = new QCheckBox(this);
    Check3->setObjectName(QStringLiteral("Check3"));
    Check3->hide();

    auto *wholesale = new QGroupBox(Frame1);
    wholesale->setObjectName(QStringLiteral("Frame3"));
    wholesale->setFont(font);
    Check1 = new QCheckBox(QStringLiteral(" เปิด / ปิด ราคาส่ง"), wholesale);
    Check1->setObjectName(QStringLiteral("Check1"));
    Text1 = makeBox(wholesale, QStringLiteral("Text1"));
    text2 = makeBox(wholesale, QStringLiteral("text2"));

    Image2 = new QLabel(Frame2);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setScaledContents(true); // the picture is stretched to fill the box
    Image2->setFrameShape(QFrame::Box);
    Image2->setAccessibleName(QStringLiteral("ข้อมูลรูปภาพ"));
    cupP = makeButton(Frame2, QStringLiteral("cupP"), QStringLiteral("[ เพิ่มรูปภาพ ]"));
    cdelP = makeButton(Frame2, QStringLiteral("cdelP"), QStringLiteral("[ ลบรูปภาพ ]"));
    Command1 = makeButton(Frame2, QStringLiteral("Command1"), QStringLiteral("  &บันทึกข้อมูล"));
    Label16 = makeLabel(Frame2, QStringLiteral("* จำเป็นต้องกรอกข้อมูลลงไป"));
    Label16->setObjectName(QStringLiteral("Label16"));
    {
        QPalette p = Label16->palette();
        p.setColor(QPalette::WindowText, QColor(200, 0, 0));
        Label16->setPalette(p);
    }

    // Box, caption, most characters, where Enter moves (nullptr: nowhere), back colour.
    struct BoxRow
    {
        QLineEdit *box;
        QString caption;
        int limit;
        QWidget *enter;
        unsigned back;
    };
    const BoxRow rows[] = {
        { txtsn, QStringLiteral("&รหัสสินค้า (บาร์โค้ด)"), 20, txtname, kTextBack },
        { txtname, QStringLiteral("ชื่อสินค้า"), 119, txtdes, kTextBack },
        { txtdes, QStringLiteral("รายละเอียดสินค้า"), 119, txt3, kTextBack },
        { txt3, QStringLiteral("คงเหลือเริ่มต้น"), 6, txt5, kAmountBack },
        { txt5, QStringLiteral("ราคาขายปกติ (บาท)"), 7, txt4, kAmountBack },
        { txt4, QStringLiteral("ราคาต้นทุน (บาท)"), 7, txt6, kAmountBack },
        { txt6, QStringLiteral("เ&ตือนเมื่อสินค้าเหลือน้อยกว่า"), 5, nullptr, kTextBack },
        { text4, QStringLiteral("ราคาขายพิเศษ 1 (บาท)"), 7, text3, kSpecialBack },
        { text3, QStringLiteral("ราคาขายพิเศษ 2 (บาท)"), 7, txt6, kSpecialBack },
        { Text1, QStringLiteral("เ&มื่อซื้อครบ (?) ได้ราคาส่ง"), 5, text2, kWholesaleOff },
        { text2, QStringLiteral("กำหนดราคาส่ง"), 7, txt6, kWholesaleOff },
    };
    for (const BoxRow &r : rows) {
        QLabel *label = makeLabel(r.box->parentWidget(), r.caption);
        label->setObjectName(QStringLiteral("lbl_") + r.box->objectName());
        label->setBuddy(r.box);
        m_captions.insert(r.box, withoutAccessKey(r.caption));
        r.box->setAccessibleName(withoutAccessKey(r.caption));
        m_limits.insert(r.box, r.limit);
        r.box->setMaxLength(r.limit);
        if (r.enter)
            m_enterNext.insert(r.box, r.enter);
        setBoxColour(r.box, r.back);
        QLineEdit *box = r.box;
        CharacterFilter::install(box, [this, box](int &k) { box_KeyPress(box, k); });
        connect(box, &QLineEdit::textEdited, this, [this, box](const QString &t) {
            // Typing never grows a box past its limit; a longer loaded value may shrink back.
            box->setMaxLength(qMax(m_limits.value(box), int(t.size())));
        });
    }
    const std::pair<QComboBox *, QString> lists[] = { { Combo1, QStringLiteral("หมวดหมู่สินค้า") },
        { Combo2, QStringLiteral("สถานที่จัดเก็บ") }, { Combo3, QStringLiteral("หน่วยนับ") } };
    for (const auto &[list, caption] : lists) {
        QLabel *label = makeLabel(Frame1, caption);
        label->setObjectName(QStringLiteral("lbl_") + list->objectName());
        label->setBuddy(list);
        list->setAccessibleName(caption);
        setBoxColour(list, kListBack);
        QComboBox *l = list;
        CharacterFilter::install(l, [this, l](int &k) { list_KeyPress(l, k); });
    }
    // The three values the save requires are marked.
    for (QLineEdit *required : { txtsn, txtname, txt5 }) {
        QLabel *star = makeLabel(Frame1, QStringLiteral("*"));
        star->setObjectName(QStringLiteral("star_") + required->objectName());
        QPalette p = star->palette();
        p.setColor(QPalette::WindowText, QColor(200, 0, 0));
        star->setPalette(p);
    }

    // Number boxes: the English keyboard on entry, no right button.
    for (QLineEdit *box : { txt3, txt4, txt5, txt6, Text1, text2, text3, text4 }) {
        box->installEventFilter(this);
        InputBoxes::refuseRightClick(box);
    }
    txtsn->installEventFilter(this);

    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(cupP, &KasmoButton::Click, this, &ProductEditor::cupP_Click);
    connect(cdelP, &KasmoButton::Click, this, &ProductEditor::cdelP_Click);
    connect(Command1, &KasmoButton::Click, this, &ProductEditor::Command1_Click);

    // The panels' headings are bold; what they hold is not.
    font.setBold(false); // set, so it does not come from the panel
    for (QGroupBox *g : { Frame1, Frame2 })
        for (QWidget *w : g->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w != Command1 && w != cupP && w != cdelP)
                w->setFont(font);

    m_tabOrder = { txtsn, txtname, txtdes, Combo1, Combo2, txt4, txt6, Combo3, txt3, txt5, cupP,
        cdelP, Check1, Text1, text2, Check2, Command1, text3, text4 };
    for (int i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

// Design positions in twips.
void ProductEditor::placeDesign()
{
    const double labelX = 300, boxX = 2850, rightLabelX = 5050, rightBoxX = 7100;
    const double h = 360, boxW = 2050, wideW = 5400, numW = 1150;
    auto row = [](int i) { return 380.0 + 460.0 * i; };
    auto label = [this](QWidget *box) {
        return findChild<QLabel *>(QStringLiteral("lbl_") + box->objectName());
    };
    auto star = [this](QWidget *box) {
        return findChild<QLabel *>(QStringLiteral("star_") + box->objectName());
    };
    Twips::place(this, 0, 0, 13660, 6460);
    setFixedSize(size());
    Twips::place(Frame1, 120, 100, 8400, 6240);
    Twips::place(Frame2, 8540, 100, 5000, 6240);

    Twips::place(star(txtsn), 150, row(0), 150, h);
    Twips::place(label(txtsn), labelX, row(0), 2500, h);
    Twips::place(txtsn, boxX, row(0), 1850, h);
    Twips::place(Check2, 5040, row(0), 3000, h);
    Twips::place(star(txtname), 150, row(1), 150, h);
    Twips::place(label(txtname), labelX, row(1), 2500, h);
    Twips::place(txtname, boxX, row(1), wideW, h);
    Twips::place(label(txtdes), labelX, row(2), 2500, h);
    Twips::place(txtdes, boxX, row(2), wideW, h);

    Twips::place(label(Combo1), labelX, row(3), 2500, h);
    Twips::place(Combo1, boxX, row(3), boxW, h);
    Twips::place(label(Combo2), labelX, row(4), 2500, h);
    Twips::place(Combo2, boxX, row(4), boxW, h);
    Twips::place(label(txt4), labelX, row(5), 2500, h);
    Twips::place(txt4, boxX, row(5), numW, h);
    Twips::place(label(txt6), labelX, row(6), 2500, h);
    Twips::place(txt6, boxX, row(6), numW, h);

    Twips::place(label(Combo3), rightLabelX, row(3), 2000, h);
    Twips::place(Combo3, rightBoxX, row(3), numW, h);
    Twips::place(label(txt3), rightLabelX, row(4), 2000, h);
    Twips::place(txt3, rightBoxX, row(4), numW, h);
    Twips::place(star(txt5), rightLabelX - 150, row(5), 150, h);
    Twips::place(label(txt5), rightLabelX, row(5), 2000, h);
    Twips::place(txt5, rightBoxX, row(5), numW, h);
    Twips::place(label(text4), rightLabelX, row(6), 2000, h);
    Twips::place(text4, rightBoxX, row(6), numW, h);
    Twips::place(label(text3), rightLabelX, row(7), 2000, h);
    Twips::place(text3, rightBoxX, row(7), numW, h);

    QWidget *wholesale = Check1->parentWidget();
    Twips::place(wholesale, 150, row(8) + 80, 8100, 1500);
    Twips::place(Check1, 150, 120, 3000, h);
    Twips::place(label(Text1), labelX, 560, 2500, h);
    Twips::place(Text1, boxX - 150, 560, numW, h);
    Twips::place(label(text2), labelX, 1000, 2500, h);
    Twips::place(text2, boxX - 150, 1000, numW, h);

    Twips::place(Image2, 90, 330, 4815, 4095);
    Twips::place(cupP, 90, 4560, 2350, 450);
    Twips::place(cdelP, 2555, 4560, 2350, 450);
    Twips::place(Command1, 90, 5120, 4815, 560);
    Twips::place(Label16, 90, 5760, 4815, 330);
}

void ProductEditor::setBoxColour(QWidget *box, unsigned bgr)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colourOf(bgr)); // in every state, the disabled one included
    box->setPalette(p);
}

void ProductEditor::setBoxText(QLineEdit *box, const QString &text)
{
    // A loaded value longer than the box's limit shows whole.
    box->setMaxLength(qMax(m_limits.value(box, 32767), int(text.size())));
    box->setText(text);
}

void ProductEditor::focusFirst()
{
    // The platform's first focus: the first enabled control of the Tab order.
    for (QWidget *w : std::as_const(m_tabOrder))
        if (w->isEnabled() && !w->isHidden()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
}

// ---------------------------------------------------------------------------------------------
// Opening and loading

void ProductEditor::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    txtsnTag.clear();
    Lookups::fillList(
        Combo1, QStringLiteral("tblGroup"), QStringLiteral("gPK"), QStringLiteral("gName"));
    Lookups::fillList(
        Combo2, QStringLiteral("tblGeb"), QStringLiteral("gePK"), QStringLiteral("geName"));
    Lookups::fillList(
        Combo3, QStringLiteral("tblNub"), QStringLiteral("nPK"), QStringLiteral("nName"));
    for (QComboBox *list : { Combo1, Combo2, Combo3 })
        list->setCurrentIndex(-1); // full lists, no text chosen
    setBoxText(Text1, QStringLiteral("5"));
    setBoxText(text2, QStringLiteral("0"));
    Check1_Click();
    showOwnPlaceholder();
    cdelP->setEnabled(true);
    Showdata();
}

void ProductEditor::Showdata()
{
    if (IsNewItem)
        return;
    const std::optional<ProductValue> found
        = ProductStore(ShopDatabase::connection()).load(ProductPK);
    const ProductValue p = found.value_or(ProductValue {});
    const double checkTop = Twips::fromPixelsY(Check2->y());
    Check2->setEnabled(false);
    if (p.autoCode) {
        txtsn->setEnabled(false);
        Check2->setText(QStringLiteral(" คุณเปิดใช้รหัสอัตโนมัติแล้ว"));
        Check3->setChecked(true);
    } else {
        Check2->setText(QStringLiteral(" คุณได้เลือกกำหนดรหัสเอง"));
    }
    Twips::place(Check2, 4800, checkTop, 3240, 360);
    setBoxText(txtsn, p.code);
    txtsnTag = txtsn->text();
    setBoxText(txtname, p.name);
    setBoxText(txtdes, p.description);
    setBoxText(txt3, QString::number(p.stock));
    setBoxText(txt4, fixed2(p.cost));
    setBoxText(txt5, fixed2(p.sell));
    setBoxText(txt6, QString::number(p.lowLimit));
    setBoxText(text3, fixed2(p.special2));
    setBoxText(text4, fixed2(p.special1));
    Check1->setChecked(p.wholesale);
    setBoxText(Text1, p.wholesaleQty ? QString::number(*p.wholesaleQty) : QString());
    setBoxText(text2, fixed2(p.wholesalePrice));
    Combo1->setEditText(p.group);
    Combo2->setEditText(p.place);
    Combo3->setEditText(p.unit);

    if (trimBlanks(p.picture).isEmpty()) {
        PictureFile.clear();
        if (!showPicture(kNoPicture))
            showOwnPlaceholder();
        cdelP->setEnabled(false);
    } else {
        PictureFile = p.picture;
        cdelP->setEnabled(true);
        if (!showPicture(QStringLiteral("data/pic/") + PictureFile))
            showPicture(kPicError);
    }
}

void ProductEditor::Check1_Click()
{
    const bool on = Check1->isChecked();
    for (QLineEdit *box : { Text1, text2 }) {
        box->setEnabled(on);
        setBoxColour(box, on ? kAmountBack : kWholesaleOff);
    }
}

void ProductEditor::Check2_Click()
{
    if (Check2->isChecked()) {
        txtsn->setEnabled(false);
        setBoxColour(txtsn, kAutoCodeBack);
        setBoxText(txtsn, kAutoCodeText);
        txtname->setFocus(Qt::OtherFocusReason);
    } else {
        txtsn->setEnabled(true);
        setBoxColour(txtsn, kTextBack);
        txtsn->clear();
        txtsn->setFocus(Qt::OtherFocusReason);
    }
}

// ---------------------------------------------------------------------------------------------
// Keys, focus and mouse

void ProductEditor::box_KeyPress(QLineEdit *box, int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (QWidget *next = m_enterNext.value(box))
            next->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (box == txt3 || box == txt6 || box == Text1)
        KeyAscii = KeyFilters::digitsOnly(KeyAscii);
    else if (box == txt4 || box == txt5 || box == text2 || box == text3 || box == text4)
        KeyAscii = KeyFilters::decimalOnly(KeyAscii);
}

void ProductEditor::list_KeyPress(QComboBox *list, int &KeyAscii)
{
    KeyFilters::limitListLength(list, list == Combo3 ? 19 : 45, KeyAscii);
    AutoComplete(list, KeyAscii);
}

void ProductEditor::AutoComplete(QComboBox *list, int &KeyAscii)
{
    QLineEdit *e = list->lineEdit();
    if (e->hasSelectedText())
        e->del(); // the rest offered by the last completion
    const QString rest = e->text();
    QString search = rest;
    if (KeyAscii != 0) {
        const char32_t c = char32_t(KeyAscii);
        search += QString::fromUcs4(&c, 1);
    }
    if (search.isEmpty())
        return;
    const int found = list->findText(search, Qt::MatchStartsWith); // any letter case
    if (found < 0)
        return; // the key goes on: a new name can be typed in full
    const QString entry = list->itemText(found);
    // A dropped key still counts one character, as the search text held it.
    const int n
        = qMin(int(entry.size()), KeyAscii != 0 ? int(search.size()) : int(rest.size()) + 1);
    list->setCurrentIndex(found);
    e->setText(entry);
    KeyAscii = 0;
    if (n < entry.size())
        e->setSelection(int(entry.size()), n - int(entry.size())); // the caret after n
    else
        e->setCursorPosition(int(entry.size()));
}

bool ProductEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        InputBoxes::setEnglishKeyboard(); // code and number boxes
    return QDialog::eventFilter(watched, event);
}

void ProductEditor::keyPressEvent(QKeyEvent *e)
{
    // Esc does not close the editor: only its close box does.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---------------------------------------------------------------------------------------------
// Pictures

void ProductEditor::showOwnPlaceholder()
{
    Image2->setPixmap(ownPlaceholder(font()));
}

bool ProductEditor::showPicture(const QString &relative)
{
    const QString path = PictureFiles::find(relative);
    if (path.isEmpty())
        return false;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true); // a BMP under a .jpg name still shows
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(Image2->size()); // stretched to the box
    const QImage img = reader.read();
    if (img.isNull())
        return false;
    Image2->setPixmap(QPixmap::fromImage(img));
    return true;
}

QString ProductEditor::freePictureName(const QDateTime &now) const
{
    // Draw again while the name is taken, so a copy never replaces another picture.
    auto isFree = [](const QString &name) {
        return PictureFiles::find(QStringLiteral("data/pic/") + name).isEmpty()
            && !QFile::exists(ProgramFolder::file(QStringLiteral("data/pic/") + name));
    };
    for (int tries = 0; tries < 1000; ++tries) {
        const int draw = int(QRandomGenerator::global()->generateDouble() * 99) + 1;
        const QString name = pictureName(now, draw);
        if (isFree(name))
            return name;
    }
    for (int draw = 1;; ++draw) {
        const QString name = pictureName(now, draw);
        if (isFree(name))
            return name;
    }
}

void ProductEditor::cupP_Click()
{
    const QDateTime now = Clock::now(); // the name's time is the press of the button
    const QString source = FileDialogService::getOpenFileName(this,
        QStringLiteral(" เลือกไฟล์ภาพ - Graphics File Format "), QString(),
        QStringLiteral("ไฟล์ภาพ (*.jpg *.bmp)"));
    if (source.isEmpty())
        return; // cancelled
    const QString name = freePictureName(now);
    QString reason;
    if (!copyPicture(source, ProgramFolder::file(QStringLiteral("data/pic/") + name), &reason)) {
        MsgBox(kCopyFailed + reason, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
        return;
    }
    PictureFile = name;
    if (!showPicture(QStringLiteral("data/pic/") + PictureFile))
        showPicture(kPicError);
    cdelP->setEnabled(true);
}

void ProductEditor::cdelP_Click()
{
    PictureFile.clear();
    if (!showPicture(kNoPicture))
        showOwnPlaceholder();
    cdelP->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// The save

void ProductEditor::refuse(const QString &text, QWidget *focus)
{
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
    // The code box is locked while the code is automatic: its switch takes the focus then.
    if (focus == txtsn && !txtsn->isEnabled() && Check2->isEnabled())
        focus = Check2;
    focus->setFocus(Qt::OtherFocusReason);
}

bool ProductEditor::numbersAreValid(const QList<QLineEdit *> &leaveOut)
{
    // In the order of the boxes' table; a text no column could hold is named before the
    // confirmation, with the focus in its box.
    for (QLineEdit *box : { txt3, txt5, txt4, txt6, text4, text3, Text1, text2 }) {
        if (leaveOut.contains(box))
            continue;
        const bool whole = box == txt3 || box == txt6 || box == Text1;
        const bool ok = whole ? parseWhole(box->text(), nullptr) : parseMoney(box->text(), nullptr);
        if (!ok) {
            refuse(notANumber(m_captions.value(box)), box);
            return false;
        }
    }
    return true;
}

int ProductEditor::CheckNewCode()
{
    // On the code as it will be stored; an edited product is no duplicate of itself.
    return ProductStore(ShopDatabase::connection())
        .countCode(trimBlanks(cleaned(txtsn->text())), IsNewItem ? 0 : ProductPK);
}

void ProductEditor::Command1_Click()
{
    // 1. to 4.: what the save requires. A code or name of nothing but ' % * is empty.
    if (trimBlanks(cleaned(txtsn->text())).isEmpty()) {
        refuse(kCodeEmpty, txtsn);
        return;
    }
    if (!Check3->isChecked() && !Check2->isChecked()) {
        const QString code = cleaned(txtsn->text());
        if (code.contains(QLatin1String("pd-")) || code.contains(QLatin1String("PD-"))) {
            MsgBox(kCodePrefix, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
                this);
            txtsn->clear();
            txtsn->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (trimBlanks(cleaned(txtname->text())).isEmpty()) {
        refuse(kNameEmpty, txtname);
        return;
    }
    const QString price = trimBlanks(txt5->text());
    if (price.isEmpty() || price == QLatin1String(".")) {
        refuse(kPriceEmpty, txt5);
        return;
    }

    // 5. Defaults, in this order, written into the boxes. What the owner typed is checked
    // first: a bad normal price must not be copied into boxes the owner never touched.
    auto empty = [](QLineEdit *b) { return trimBlanks(b->text()).isEmpty(); };
    auto zero = [](QLineEdit *b) { return trimBlanks(b->text()) == QLatin1String("0"); };
    auto zeroNumber = [](QLineEdit *b) { return Val(trimBlanks(b->text())) == 0; };
    QList<QLineEdit *> defaulted;
    if (empty(txt3))
        defaulted << txt3;
    if (empty(txt4) || zeroNumber(txt4))
        defaulted << txt4;
    if (empty(txt6))
        defaulted << txt6;
    if (empty(Text1) || zero(Text1))
        defaulted << Text1;
    for (QLineEdit *box : { text2, text3, text4 })
        if (empty(box) || zero(box) || zeroNumber(box))
            defaulted << box;
    if (!numbersAreValid(defaulted))
        return;
    for (QLineEdit *box : std::as_const(defaulted))
        setBoxText(box,
            box == Text1                                       ? QStringLiteral("5")
                : box == text2 || box == text3 || box == text4 ? txt5->text()
                                                               : QStringLiteral("0"));

    // 6. The code another product already has.
    if (txtsn->text() != txtsnTag && CheckNewCode() > 0) {
        refuse(codeInUse(trimBlanks(cleaned(txtsn->text()))), txtsn);
        return;
    }

    // 7. Cleaning, shown in the boxes.
    for (QLineEdit *box : { txtsn, txtname, txtdes })
        setBoxText(box, cleaned(box->text()));

    // 8. Confirmation.
    if (MsgBox(kConfirmSave, MsgButtons::OkCancel, MsgIcon::Warning, kConfirmTitle, MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;

    // 9. The write; a failure leaves everything as it was and the editor open.
    try {
        if (IsNewItem)
            SaveNewData();
        else
            SaveEditData();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

ProductValue ProductEditor::boxesValue() const
{
    ProductValue p;
    p.pk = ProductPK;
    p.autoCode = Check2->isChecked();
    p.code = trimBlanks(txtsn->text());
    p.name = trimBlanks(txtname->text());
    p.description = trimBlanks(txtdes->text());
    p.group = Combo1->currentText();
    p.place = Combo2->currentText();
    p.unit = Combo3->currentText();
    qint64 n = 0;
    parseWhole(txt3->text(), &p.stock);
    parseMoney(txt4->text(), &p.cost);
    parseMoney(txt5->text(), &p.sell);
    parseWhole(txt6->text(), &p.lowLimit);
    parseMoney(text4->text(), &p.special1);
    parseMoney(text3->text(), &p.special2);
    p.wholesale = Check1->isChecked();
    if (parseWhole(Text1->text(), &n))
        p.wholesaleQty = n;
    parseMoney(text2->text(), &p.wholesalePrice);
    p.picture = PictureFile;
    return p;
}

void ProductEditor::SaveNewData()
{
    // The key, the automatic code, the lookup entries and the row commit together.
    const ProductValue saved
        = ProductStore(ShopDatabase::connection()).insert(boxesValue(), Clock::today());
    ProductPK = saved.pk;
    if (saved.autoCode)
        setBoxText(txtsn, saved.code);
    accept();
}

void ProductEditor::SaveEditData()
{
    if (!ProductStore(ShopDatabase::connection()).update(boxesValue())) {
        MsgBox(
            kProductGone, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    accept();
}
