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
    : m_productKey(productKey.value_or(0))
    , m_isNew(!productKey)
{
    setObjectName(QStringLiteral("ProductEditor"));
    setWindowTitle(QStringLiteral("เพิ่มข้อมูลสินค้า"));
    WindowRegistry::add(this);
    buildControls();
    placeDesign();
    prepareBoxes();
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

    detailsPanel = new QGroupBox(QStringLiteral("รายละเอียดสินค้า"), this);
    detailsPanel->setObjectName(QStringLiteral("detailsPanel"));
    picturePanel = new QGroupBox(QStringLiteral("ข้อมูลรูปภาพ"), this);
    picturePanel->setObjectName(QStringLiteral("picturePanel"));
    for (QGroupBox *g : { detailsPanel, picturePanel }) {
        QFont bold = g->font();
        bold.setBold(true);
        g->setFont(bold);
    }

    codeBox = makeBox(detailsPanel, QStringLiteral("codeBox"));
    nameBox = makeBox(detailsPanel, QStringLiteral("nameBox"));
    descriptionBox = makeBox(detailsPanel, QStringLiteral("descriptionBox"));
    groupList = makeList(detailsPanel, QStringLiteral("groupList"));
    placeList = makeList(detailsPanel, QStringLiteral("placeList"));
    unitList = makeList(detailsPanel, QStringLiteral("unitList"));
    stockBox = makeBox(detailsPanel, QStringLiteral("stockBox"));
    priceBox = makeBox(detailsPanel, QStringLiteral("priceBox"));
    costBox = makeBox(detailsPanel, QStringLiteral("costBox"));
    lowStockLimitBox = makeBox(detailsPanel, QStringLiteral("lowStockLimitBox"));
    specialPrice1Box = makeBox(detailsPanel, QStringLiteral("specialPrice1Box"));
    specialPrice2Box = makeBox(detailsPanel, QStringLiteral("specialPrice2Box"));
    autoCodeSwitch = new QCheckBox(QStringLiteral(" สร้างรหัสสินค้าอัตโนมัติ"), detailsPanel);
    autoCodeSwitch->setObjectName(QStringLiteral("autoCodeSwitch"));
    storedAutoCodeSwitch = new QCheckBox(this);
    storedAutoCodeSwitch->setObjectName(QStringLiteral("storedAutoCodeSwitch"));
    storedAutoCodeSwitch->hide();

    auto *wholesale = new QGroupBox(detailsPanel);
    wholesale->setObjectName(QStringLiteral("wholesalePanel"));
    wholesale->setFont(font);
    wholesaleSwitch = new QCheckBox(QStringLiteral(" เปิด / ปิด ราคาส่ง"), wholesale);
    wholesaleSwitch->setObjectName(QStringLiteral("wholesaleSwitch"));
    wholesaleQuantityBox = makeBox(wholesale, QStringLiteral("wholesaleQuantityBox"));
    wholesalePriceBox = makeBox(wholesale, QStringLiteral("wholesalePriceBox"));

    pictureBox = new QLabel(picturePanel);
    pictureBox->setObjectName(QStringLiteral("pictureBox"));
    pictureBox->setScaledContents(true); // the picture is stretched to fill the box
    pictureBox->setFrameShape(QFrame::Box);
    pictureBox->setAccessibleName(QStringLiteral("ข้อมูลรูปภาพ"));
    addPictureButton = makeButton(
        picturePanel, QStringLiteral("addPictureButton"), QStringLiteral("[ เพิ่มรูปภาพ ]"));
    removePictureButton = makeButton(
        picturePanel, QStringLiteral("removePictureButton"), QStringLiteral("[ ลบรูปภาพ ]"));
    saveButton
        = makeButton(picturePanel, QStringLiteral("saveButton"), QStringLiteral("  &บันทึกข้อมูล"));
    requiredNote = makeLabel(picturePanel, QStringLiteral("* จำเป็นต้องกรอกข้อมูลลงไป"));
    requiredNote->setObjectName(QStringLiteral("requiredNote"));
    {
        QPalette p = requiredNote->palette();
        p.setColor(QPalette::WindowText, QColor(200, 0, 0));
        requiredNote->setPalette(p);
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
        { codeBox, QStringLiteral("&รหัสสินค้า (บาร์โค้ด)"), 20, nameBox, kTextBack },
        { nameBox, QStringLiteral("ชื่อสินค้า"), 119, descriptionBox, kTextBack },
        { descriptionBox, QStringLiteral("รายละเอียดสินค้า"), 119, stockBox, kTextBack },
        { stockBox, QStringLiteral("คงเหลือเริ่มต้น"), 6, priceBox, kAmountBack },
        { priceBox, QStringLiteral("ราคาขายปกติ (บาท)"), 7, costBox, kAmountBack },
        { costBox, QStringLiteral("ราคาต้นทุน (บาท)"), 7, lowStockLimitBox, kAmountBack },
        { lowStockLimitBox, QStringLiteral("เ&ตือนเมื่อสินค้าเหลือน้อยกว่า"), 5, nullptr, kTextBack },
        { specialPrice1Box, QStringLiteral("ราคาขายพิเศษ 1 (บาท)"), 7, specialPrice2Box,
            kSpecialBack },
        { specialPrice2Box, QStringLiteral("ราคาขายพิเศษ 2 (บาท)"), 7, lowStockLimitBox,
            kSpecialBack },
        { wholesaleQuantityBox, QStringLiteral("เ&มื่อซื้อครบ (?) ได้ราคาส่ง"), 5, wholesalePriceBox,
            kWholesaleOff },
        { wholesalePriceBox, QStringLiteral("กำหนดราคาส่ง"), 7, lowStockLimitBox, kWholesaleOff },
    };
    for (const BoxRow &r : rows) {
        QLabel *label = makeLabel(r.box->parentWidget(), r.caption);
        label->setObjectName(r.box->objectName() + QStringLiteral("Caption"));
        label->setBuddy(r.box);
        m_captions.insert(r.box, withoutAccessKey(r.caption));
        r.box->setAccessibleName(withoutAccessKey(r.caption));
        m_limits.insert(r.box, r.limit);
        r.box->setMaxLength(r.limit);
        if (r.enter)
            m_enterNext.insert(r.box, r.enter);
        setBoxColour(r.box, r.back);
        QLineEdit *box = r.box;
        CharacterFilter::install(box, [this, box](int &key) { takeBoxKey(box, key); });
        connect(box, &QLineEdit::textEdited, this, [this, box](const QString &t) {
            // Typing never grows a box past its limit; a longer loaded value may shrink back.
            box->setMaxLength(qMax(m_limits.value(box), int(t.size())));
        });
    }
    const std::pair<QComboBox *, QString> lists[] = { { groupList, QStringLiteral("หมวดหมู่สินค้า") },
        { placeList, QStringLiteral("สถานที่จัดเก็บ") }, { unitList, QStringLiteral("หน่วยนับ") } };
    for (const auto &[list, caption] : lists) {
        QLabel *label = makeLabel(detailsPanel, caption);
        label->setObjectName(list->objectName() + QStringLiteral("Caption"));
        label->setBuddy(list);
        list->setAccessibleName(caption);
        setBoxColour(list, kListBack);
        QComboBox *l = list;
        CharacterFilter::install(l, [this, l](int &key) { takeListKey(l, key); });
    }
    // The three values the save requires are marked.
    for (QLineEdit *required : { codeBox, nameBox, priceBox }) {
        QLabel *star = makeLabel(detailsPanel, QStringLiteral("*"));
        star->setObjectName(required->objectName() + QStringLiteral("Star"));
        QPalette p = star->palette();
        p.setColor(QPalette::WindowText, QColor(200, 0, 0));
        star->setPalette(p);
    }

    // Number boxes: the English keyboard on entry, no right button.
    for (QLineEdit *box : { stockBox, costBox, priceBox, lowStockLimitBox, wholesaleQuantityBox,
             wholesalePriceBox, specialPrice2Box, specialPrice1Box }) {
        box->installEventFilter(this);
        InputBoxes::refuseRightClick(box);
    }
    codeBox->installEventFilter(this);

    connect(wholesaleSwitch, &QCheckBox::toggled, this, [this] { enableWholesale(); });
    connect(autoCodeSwitch, &QCheckBox::toggled, this, [this] { toggleAutoCode(); });
    connect(addPictureButton, &KasmoButton::Click, this, &ProductEditor::addPicture);
    connect(removePictureButton, &KasmoButton::Click, this, &ProductEditor::removePicture);
    connect(saveButton, &KasmoButton::Click, this, &ProductEditor::save);

    // The panels' headings are bold; what they hold is not.
    font.setBold(false); // set, so it does not come from the panel
    for (QGroupBox *g : { detailsPanel, picturePanel })
        for (QWidget *w : g->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w != saveButton && w != addPictureButton && w != removePictureButton)
                w->setFont(font);

    m_tabOrder = { codeBox, nameBox, descriptionBox, groupList, placeList, costBox,
        lowStockLimitBox, unitList, stockBox, priceBox, addPictureButton, removePictureButton,
        wholesaleSwitch, wholesaleQuantityBox, wholesalePriceBox, autoCodeSwitch, saveButton,
        specialPrice2Box, specialPrice1Box };
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
        return findChild<QLabel *>(box->objectName() + QStringLiteral("Caption"));
    };
    auto star = [this](QWidget *box) {
        return findChild<QLabel *>(box->objectName() + QStringLiteral("Star"));
    };
    Twips::place(this, 0, 0, 13660, 6460);
    setFixedSize(size());
    Twips::place(detailsPanel, 120, 100, 8400, 6240);
    Twips::place(picturePanel, 8540, 100, 5000, 6240);

    Twips::place(star(codeBox), 150, row(0), 150, h);
    Twips::place(label(codeBox), labelX, row(0), 2500, h);
    Twips::place(codeBox, boxX, row(0), 1850, h);
    Twips::place(autoCodeSwitch, 5040, row(0), 3000, h);
    Twips::place(star(nameBox), 150, row(1), 150, h);
    Twips::place(label(nameBox), labelX, row(1), 2500, h);
    Twips::place(nameBox, boxX, row(1), wideW, h);
    Twips::place(label(descriptionBox), labelX, row(2), 2500, h);
    Twips::place(descriptionBox, boxX, row(2), wideW, h);

    Twips::place(label(groupList), labelX, row(3), 2500, h);
    Twips::place(groupList, boxX, row(3), boxW, h);
    Twips::place(label(placeList), labelX, row(4), 2500, h);
    Twips::place(placeList, boxX, row(4), boxW, h);
    Twips::place(label(costBox), labelX, row(5), 2500, h);
    Twips::place(costBox, boxX, row(5), numW, h);
    Twips::place(label(lowStockLimitBox), labelX, row(6), 2500, h);
    Twips::place(lowStockLimitBox, boxX, row(6), numW, h);

    Twips::place(label(unitList), rightLabelX, row(3), 2000, h);
    Twips::place(unitList, rightBoxX, row(3), numW, h);
    Twips::place(label(stockBox), rightLabelX, row(4), 2000, h);
    Twips::place(stockBox, rightBoxX, row(4), numW, h);
    Twips::place(star(priceBox), rightLabelX - 150, row(5), 150, h);
    Twips::place(label(priceBox), rightLabelX, row(5), 2000, h);
    Twips::place(priceBox, rightBoxX, row(5), numW, h);
    Twips::place(label(specialPrice1Box), rightLabelX, row(6), 2000, h);
    Twips::place(specialPrice1Box, rightBoxX, row(6), numW, h);
    Twips::place(label(specialPrice2Box), rightLabelX, row(7), 2000, h);
    Twips::place(specialPrice2Box, rightBoxX, row(7), numW, h);

    QWidget *wholesale = wholesaleSwitch->parentWidget();
    Twips::place(wholesale, 150, row(8) + 80, 8100, 1500);
    Twips::place(wholesaleSwitch, 150, 120, 3000, h);
    Twips::place(label(wholesaleQuantityBox), labelX, 560, 2500, h);
    Twips::place(wholesaleQuantityBox, boxX - 150, 560, numW, h);
    Twips::place(label(wholesalePriceBox), labelX, 1000, 2500, h);
    Twips::place(wholesalePriceBox, boxX - 150, 1000, numW, h);

    Twips::place(pictureBox, 90, 330, 4815, 4095);
    Twips::place(addPictureButton, 90, 4560, 2350, 450);
    Twips::place(removePictureButton, 2555, 4560, 2350, 450);
    Twips::place(saveButton, 90, 5120, 4815, 560);
    Twips::place(requiredNote, 90, 5760, 4815, 330);
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

void ProductEditor::prepareBoxes()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    m_loadedCode.clear();
    Lookups::fillList(
        groupList, QStringLiteral("tblGroup"), QStringLiteral("gPK"), QStringLiteral("gName"));
    Lookups::fillList(
        placeList, QStringLiteral("tblGeb"), QStringLiteral("gePK"), QStringLiteral("geName"));
    Lookups::fillList(
        unitList, QStringLiteral("tblNub"), QStringLiteral("nPK"), QStringLiteral("nName"));
    for (QComboBox *list : { groupList, placeList, unitList })
        list->setCurrentIndex(-1); // full lists, no text chosen
    setBoxText(wholesaleQuantityBox, QStringLiteral("5"));
    setBoxText(wholesalePriceBox, QStringLiteral("0"));
    enableWholesale();
    showOwnPlaceholder();
    removePictureButton->setEnabled(true);
    showProduct();
}

void ProductEditor::showProduct()
{
    if (m_isNew)
        return;
    const std::optional<ProductValue> found
        = ProductStore(ShopDatabase::connection()).load(m_productKey);
    const ProductValue p = found.value_or(ProductValue {});
    const double checkTop = Twips::fromPixelsY(autoCodeSwitch->y());
    autoCodeSwitch->setEnabled(false);
    if (p.autoCode) {
        codeBox->setEnabled(false);
        autoCodeSwitch->setText(QStringLiteral(" คุณเปิดใช้รหัสอัตโนมัติแล้ว"));
        storedAutoCodeSwitch->setChecked(true);
    } else {
        autoCodeSwitch->setText(QStringLiteral(" คุณได้เลือกกำหนดรหัสเอง"));
    }
    Twips::place(autoCodeSwitch, 4800, checkTop, 3240, 360);
    setBoxText(codeBox, p.code);
    m_loadedCode = codeBox->text();
    setBoxText(nameBox, p.name);
    setBoxText(descriptionBox, p.description);
    setBoxText(stockBox, QString::number(p.stock));
    setBoxText(costBox, fixed2(p.cost));
    setBoxText(priceBox, fixed2(p.sell));
    setBoxText(lowStockLimitBox, QString::number(p.lowLimit));
    setBoxText(specialPrice2Box, fixed2(p.special2));
    setBoxText(specialPrice1Box, fixed2(p.special1));
    wholesaleSwitch->setChecked(p.wholesale);
    setBoxText(wholesaleQuantityBox, p.wholesaleQty ? QString::number(*p.wholesaleQty) : QString());
    setBoxText(wholesalePriceBox, fixed2(p.wholesalePrice));
    groupList->setEditText(p.group);
    placeList->setEditText(p.place);
    unitList->setEditText(p.unit);

    if (trimBlanks(p.picture).isEmpty()) {
        m_pictureFile.clear();
        if (!showPicture(kNoPicture))
            showOwnPlaceholder();
        removePictureButton->setEnabled(false);
    } else {
        m_pictureFile = p.picture;
        removePictureButton->setEnabled(true);
        if (!showPicture(QStringLiteral("data/pic/") + m_pictureFile))
            showPicture(kPicError);
    }
}

void ProductEditor::enableWholesale()
{
    const bool on = wholesaleSwitch->isChecked();
    for (QLineEdit *box : { wholesaleQuantityBox, wholesalePriceBox }) {
        box->setEnabled(on);
        setBoxColour(box, on ? kAmountBack : kWholesaleOff);
    }
}

void ProductEditor::toggleAutoCode()
{
    if (autoCodeSwitch->isChecked()) {
        codeBox->setEnabled(false);
        setBoxColour(codeBox, kAutoCodeBack);
        setBoxText(codeBox, kAutoCodeText);
        nameBox->setFocus(Qt::OtherFocusReason);
    } else {
        codeBox->setEnabled(true);
        setBoxColour(codeBox, kTextBack);
        codeBox->clear();
        codeBox->setFocus(Qt::OtherFocusReason);
    }
}

// ---------------------------------------------------------------------------------------------
// Keys, focus and mouse

void ProductEditor::takeBoxKey(QLineEdit *box, int &key)
{
    if (key == 13) {
        key = 0;
        if (QWidget *next = m_enterNext.value(box))
            next->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (box == stockBox || box == lowStockLimitBox || box == wholesaleQuantityBox)
        key = KeyFilters::digitsOnly(key);
    else if (box == costBox || box == priceBox || box == wholesalePriceBox
        || box == specialPrice2Box || box == specialPrice1Box)
        key = KeyFilters::decimalOnly(key);
}

void ProductEditor::takeListKey(QComboBox *list, int &key)
{
    KeyFilters::limitListLength(list, list == unitList ? 19 : 45, key);
    completeFromList(list, key);
}

void ProductEditor::completeFromList(QComboBox *list, int &key)
{
    QLineEdit *e = list->lineEdit();
    if (e->hasSelectedText())
        e->del(); // the rest offered by the last completion
    const QString rest = e->text();
    QString search = rest;
    if (key != 0) {
        const char32_t c = char32_t(key);
        search += QString::fromUcs4(&c, 1);
    }
    if (search.isEmpty())
        return;
    const int found = list->findText(search, Qt::MatchStartsWith); // any letter case
    if (found < 0)
        return; // the key goes on: a new name can be typed in full
    const QString entry = list->itemText(found);
    // A dropped key still counts one character, as the search text held it.
    const int n = qMin(int(entry.size()), key != 0 ? int(search.size()) : int(rest.size()) + 1);
    list->setCurrentIndex(found);
    e->setText(entry);
    key = 0;
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
    pictureBox->setPixmap(ownPlaceholder(font()));
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
        reader.setScaledSize(pictureBox->size()); // stretched to the box
    const QImage img = reader.read();
    if (img.isNull())
        return false;
    pictureBox->setPixmap(QPixmap::fromImage(img));
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

void ProductEditor::addPicture()
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
    m_pictureFile = name;
    if (!showPicture(QStringLiteral("data/pic/") + m_pictureFile))
        showPicture(kPicError);
    removePictureButton->setEnabled(true);
}

void ProductEditor::removePicture()
{
    m_pictureFile.clear();
    if (!showPicture(kNoPicture))
        showOwnPlaceholder();
    removePictureButton->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// The save

void ProductEditor::refuse(const QString &text, QWidget *focus)
{
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
    // The code box is locked while the code is automatic: its switch takes the focus then.
    if (focus == codeBox && !codeBox->isEnabled() && autoCodeSwitch->isEnabled())
        focus = autoCodeSwitch;
    focus->setFocus(Qt::OtherFocusReason);
}

bool ProductEditor::numbersAreValid(const QList<QLineEdit *> &leaveOut)
{
    // In the order of the boxes' table; a text no column could hold is named before the
    // confirmation, with the focus in its box.
    for (QLineEdit *box : { stockBox, priceBox, costBox, lowStockLimitBox, specialPrice1Box,
             specialPrice2Box, wholesaleQuantityBox, wholesalePriceBox }) {
        if (leaveOut.contains(box))
            continue;
        const bool whole
            = box == stockBox || box == lowStockLimitBox || box == wholesaleQuantityBox;
        const bool ok = whole ? parseWhole(box->text(), nullptr) : parseMoney(box->text(), nullptr);
        if (!ok) {
            refuse(notANumber(m_captions.value(box)), box);
            return false;
        }
    }
    return true;
}

int ProductEditor::countOthersWithCode()
{
    // On the code as it will be stored; an edited product is no duplicate of itself.
    return ProductStore(ShopDatabase::connection())
        .countCode(trimBlanks(cleaned(codeBox->text())), m_isNew ? 0 : m_productKey);
}

void ProductEditor::save()
{
    // 1. to 4.: what the save requires. A code or name of nothing but ' % * is empty.
    if (trimBlanks(cleaned(codeBox->text())).isEmpty()) {
        refuse(kCodeEmpty, codeBox);
        return;
    }
    if (!storedAutoCodeSwitch->isChecked() && !autoCodeSwitch->isChecked()) {
        const QString code = cleaned(codeBox->text());
        if (code.contains(QLatin1String("pd-")) || code.contains(QLatin1String("PD-"))) {
            MsgBox(kCodePrefix, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
                this);
            codeBox->clear();
            codeBox->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (trimBlanks(cleaned(nameBox->text())).isEmpty()) {
        refuse(kNameEmpty, nameBox);
        return;
    }
    const QString price = trimBlanks(priceBox->text());
    if (price.isEmpty() || price == QLatin1String(".")) {
        refuse(kPriceEmpty, priceBox);
        return;
    }

    // 5. Defaults, in this order, written into the boxes. What the owner typed is checked
    // first: a bad normal price must not be copied into boxes the owner never touched.
    auto empty = [](QLineEdit *b) { return trimBlanks(b->text()).isEmpty(); };
    auto zero = [](QLineEdit *b) { return trimBlanks(b->text()) == QLatin1String("0"); };
    auto zeroNumber = [](QLineEdit *b) { return Val(trimBlanks(b->text())) == 0; };
    QList<QLineEdit *> defaulted;
    if (empty(stockBox))
        defaulted << stockBox;
    if (empty(costBox) || zeroNumber(costBox))
        defaulted << costBox;
    if (empty(lowStockLimitBox))
        defaulted << lowStockLimitBox;
    if (empty(wholesaleQuantityBox) || zero(wholesaleQuantityBox))
        defaulted << wholesaleQuantityBox;
    for (QLineEdit *box : { wholesalePriceBox, specialPrice2Box, specialPrice1Box })
        if (empty(box) || zero(box) || zeroNumber(box))
            defaulted << box;
    if (!numbersAreValid(defaulted))
        return;
    for (QLineEdit *box : std::as_const(defaulted))
        setBoxText(box,
            box == wholesaleQuantityBox ? QStringLiteral("5")
                : box == wholesalePriceBox || box == specialPrice2Box || box == specialPrice1Box
                ? priceBox->text()
                : QStringLiteral("0"));

    // 6. The code another product already has.
    if (codeBox->text() != m_loadedCode && countOthersWithCode() > 0) {
        refuse(codeInUse(trimBlanks(cleaned(codeBox->text()))), codeBox);
        return;
    }

    // 7. Cleaning, shown in the boxes.
    for (QLineEdit *box : { codeBox, nameBox, descriptionBox })
        setBoxText(box, cleaned(box->text()));

    // 8. Confirmation.
    if (MsgBox(kConfirmSave, MsgButtons::OkCancel, MsgIcon::Warning, kConfirmTitle, MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;

    // 9. The write; a failure leaves everything as it was and the editor open.
    try {
        if (m_isNew)
            insertProduct();
        else
            updateProduct();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

ProductValue ProductEditor::boxesValue() const
{
    ProductValue p;
    p.pk = m_productKey;
    p.autoCode = autoCodeSwitch->isChecked();
    p.code = trimBlanks(codeBox->text());
    p.name = trimBlanks(nameBox->text());
    p.description = trimBlanks(descriptionBox->text());
    p.group = groupList->currentText();
    p.place = placeList->currentText();
    p.unit = unitList->currentText();
    qint64 n = 0;
    parseWhole(stockBox->text(), &p.stock);
    parseMoney(costBox->text(), &p.cost);
    parseMoney(priceBox->text(), &p.sell);
    parseWhole(lowStockLimitBox->text(), &p.lowLimit);
    parseMoney(specialPrice1Box->text(), &p.special1);
    parseMoney(specialPrice2Box->text(), &p.special2);
    p.wholesale = wholesaleSwitch->isChecked();
    if (parseWhole(wholesaleQuantityBox->text(), &n))
        p.wholesaleQty = n;
    parseMoney(wholesalePriceBox->text(), &p.wholesalePrice);
    p.picture = m_pictureFile;
    return p;
}

void ProductEditor::insertProduct()
{
    // The key, the automatic code, the lookup entries and the row commit together.
    const ProductValue saved
        = ProductStore(ShopDatabase::connection()).insert(boxesValue(), Clock::today());
    m_productKey = saved.pk;
    if (saved.autoCode)
        setBoxText(codeBox, saved.code);
    accept();
}

void ProductEditor::updateProduct()
{
    if (!ProductStore(ShopDatabase::connection()).update(boxesValue())) {
        MsgBox(
            kProductGone, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    accept();
}
