#include "button/KasmoButton.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

#include <limits>

namespace {

// Mouse buttons and shift keys as the button's events number them.
short buttonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

short buttonsCode(Qt::MouseButtons bs)
{
    return short((bs & Qt::LeftButton ? 1 : 0) | (bs & Qt::RightButton ? 2 : 0)
        | (bs & Qt::MiddleButton ? 4 : 0));
}

short shiftCode(Qt::KeyboardModifiers m)
{
    return short((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0)
        | (m & Qt::AltModifier ? 4 : 0));
}

// Virtual key codes, as the button's key events carry them, for the keys a Qt event names.
short keyCode(const QKeyEvent *e)
{
    const int k = e->key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)
        || k == Qt::Key_Space)
        return short(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return short(112 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_End:
        return 35;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_NumLock:
        return 144;
    default:
        return 0;
    }
}

Qt::CursorShape cursorFor(int shape)
{
    switch (shape) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Typed reads of stored values; a value of the wrong kind fails the load.
int32_t toInt32(const QString &key, const QVariant &v)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    // Colours may be written as unsigned system references (0x8000000F).
    if (!ok || n < std::numeric_limits<int32_t>::min() || n > qlonglong(0xFFFFFFFFu))
        throw PropertyBagError(key, v);
    return int32_t(uint32_t(n));
}

int16_t toInt16(const QString &key, const QVariant &v)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
        throw PropertyBagError(key, v);
    return int16_t(n);
}

bool toBool(const QString &key, const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok)
        throw PropertyBagError(key, v);
    return n != 0;
}

QImage toPicture(const QString &key, const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.canConvert<QImage>()) {
        const QImage img = v.value<QImage>();
        if (!img.isNull() || v.typeId() == QMetaType::QImage)
            return img;
    }
    if (v.typeId() == QMetaType::QPixmap)
        return v.value<QPixmap>().toImage();
    throw PropertyBagError(key, v);
}

QFont toFont(const QString &key, const QVariant &v)
{
    if (v.typeId() == QMetaType::QFont)
        return v.value<QFont>();
    if (v.typeId() == QMetaType::QString) {
        QFont f;
        if (f.fromString(v.toString()))
            return f;
    }
    throw PropertyBagError(key, v);
}

int32_t systemColour(int index)
{
    return int32_t(0x80000000u | uint32_t(index));
}

} // namespace

void installButtonAccessibility(); // ButtonAccessible.cpp

KasmoButton::KasmoButton(QWidget *parent)
    : QWidget(parent)
{
    installButtonAccessibility();
    // Created: painting allowed, everything else zero; the hover timer stopped.
    m_paintingOn = true;
    m_overTimer = new QTimer(this);
    m_overTimer->setInterval(3);
    m_overTimer->setTimerType(Qt::PreciseTimer);
    connect(m_overTimer, &QTimer::timeout, this, &KasmoButton::endHoverWhenMouseLeaves);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

KasmoButton::~KasmoButton() = default;

KasmoButton *KasmoButton::fromBag(QWidget *parent, const PropertyBag &bag)
{
    auto *b = new KasmoButton(parent);
    b->readDesign(bag);
    return b;
}

const QStringList &KasmoButton::storedKeys()
{
    static const QStringList keys = { "BTYPE", "TX", "ENAB", "FONT", "COLTYPE", "FOCUSR", "BCOL",
        "BCOLO", "FCOL", "FCOLO", "MCOL", "MPTR", "MICON", "PICN", "PICH", "UMCOL", "SOFT",
        "PICPOS", "NGREY", "FX", "HAND", "CHECK", "VALUE" };
    return keys;
}

void KasmoButton::setDesignDefaults()
{
    m_enabled = true;
    m_showFocusRect = true;
    m_useMaskColor = true;
    m_caption = objectName();
    if (parentWidget())
        QWidget::setFont(parentWidget()->font());
    m_buttonType = ButtonStyle::ClassicRaised;
    m_colorScheme = ButtonColourScheme::System;
    computeSchemeColours();
    m_backColor = m_backOver = m_pal.faceColour;
    m_foreColor = m_foreOver = m_pal.textColour;
    m_maskColor = kasmoRGB(192, 192, 192);
    layOutCaption();
}

void KasmoButton::readDesign(const PropertyBag &bag)
{
    auto has = [&](const char *k) { return bag.contains(QString::fromLatin1(k)); };
    auto val = [&](const char *k) { return bag.read(QString::fromLatin1(k)); };
    auto i32 = [&](const char *k, int32_t def) {
        return has(k) ? toInt32(QString::fromLatin1(k), val(k)) : def;
    };
    auto bl = [&](const char *k, bool def) {
        return has(k) ? toBool(QString::fromLatin1(k), val(k)) : def;
    };
    auto pic = [&](const char *k) { return toPicture(QString::fromLatin1(k), val(k)); };

    m_buttonType = ButtonStyle(i32("BTYPE", int32_t(ButtonStyle::ClassicRaised)));
    m_caption = has("TX") ? val("TX").toString() : QString();
    m_enabled = bl("ENAB", true);
    if (has("FONT"))
        QWidget::setFont(toFont(QStringLiteral("FONT"), val("FONT")));
    m_colorScheme = ButtonColourScheme(i32("COLTYPE", int32_t(ButtonColourScheme::System)));
    m_showFocusRect = bl("FOCUSR", true);
    m_backColor = i32("BCOL", resolveSystemColour(systemColour(15)));
    m_backOver = i32("BCOLO", m_backColor);
    m_foreColor = i32("FCOL", resolveSystemColour(systemColour(18)));
    m_foreOver = i32("FCOLO", m_foreColor);
    m_maskColor = i32("MCOL", kasmoRGB(192, 192, 192));
    m_mousePointer = has("MPTR") ? toInt16(QStringLiteral("MPTR"), val("MPTR")) : int16_t(0);
    m_mouseIcon = pic("MICON");
    m_pictureNormal = pic("PICN");
    m_pictureOver = pic("PICH");
    m_useMaskColor = bl("UMCOL", true);
    m_softBevel = bl("SOFT", false);
    m_picturePosition = PicturePlace(i32("PICPOS", int32_t(PicturePlace::Left)));
    m_useGreyscale = bl("NGREY", false);
    m_specialEffect = ButtonRelief(i32("FX", int32_t(ButtonRelief::None)));
    setHandPointer(bl("HAND", false));
    m_checkBoxBehaviour = bl("CHECK", false);
    m_value = bl("VALUE", false);
    m_syncingEnabled = true;
    QWidget::setEnabled(m_enabled);
    m_syncingEnabled = false;
    measurePicture();
    layOutCaption();
    updateAccessKey();
}

void KasmoButton::writeDesign(PropertyBag &bag) const
{
    bag.write("BTYPE", int32_t(m_buttonType));
    bag.write("TX", m_caption);
    bag.write("ENAB", m_enabled);
    bag.write("FONT", QWidget::font());
    bag.write("COLTYPE", int32_t(m_colorScheme));
    bag.write("FOCUSR", m_showFocusRect);
    bag.write("BCOL", m_backColor);
    bag.write("BCOLO", m_backOver);
    bag.write("FCOL", m_foreColor);
    bag.write("FCOLO", m_foreOver);
    bag.write("MCOL", m_maskColor);
    bag.write("MPTR", m_mousePointer);
    bag.write("MICON", m_mouseIcon);
    bag.write("PICN", m_pictureNormal);
    bag.write("PICH", m_pictureOver);
    bag.write("UMCOL", m_useMaskColor);
    bag.write("SOFT", m_softBevel);
    bag.write("PICPOS", int32_t(m_picturePosition));
    bag.write("NGREY", m_useGreyscale);
    bag.write("FX", int32_t(m_specialEffect));
    bag.write("HAND", m_handPointer);
    bag.write("CHECK", m_checkBoxBehaviour);
    bag.write("VALUE", m_value);
}

void KasmoButton::setAmbientUserMode(bool runTime)
{
    m_userMode = runTime;
}

void KasmoButton::setAmbientDisplayAsDefault(bool on)
{
    if (m_displayAsDefault == on)
        return;
    m_displayAsDefault = on;
    computeSchemeColours();
    paintButton(m_lastState, true);
}

// ---- properties ----

void KasmoButton::setBackColor(int32_t colour)
{
    m_backColor = colour;
    if (!m_userMode)
        m_backOver = colour;
    computeSchemeColours();
    repaintAsLast();
    notify("BCOL");
}

void KasmoButton::setBackOver(int32_t colour)
{
    m_backOver = colour;
    computeSchemeColours();
    repaintAsLast();
    notify("BCOLO");
}

void KasmoButton::setForeColor(int32_t colour)
{
    m_foreColor = colour;
    if (!m_userMode)
        m_foreOver = colour;
    computeSchemeColours();
    repaintAsLast();
    notify("FCOL");
}

void KasmoButton::setForeOver(int32_t colour)
{
    m_foreOver = colour;
    computeSchemeColours();
    repaintAsLast();
    notify("FCOLO");
}

void KasmoButton::setMaskColor(int32_t colour)
{
    m_maskColor = colour;
    computeSchemeColours();
    repaintAsLast();
    notify("MCOL");
}

void KasmoButton::setButtonType(ButtonStyle type)
{
    m_buttonType = type;
    if (!m_userMode && type == ButtonStyle::ThinFrame) {
        QFont f = font();
        f.setBold(true);
        QWidget::setFont(f);
    } else if (type == ButtonStyle::SeeThrough && m_paintingOn) {
        captureParentBackground();
    }
    layOutForSize();
    notify("BTYPE");
}

void KasmoButton::setCaption(const QString &caption)
{
    m_caption = caption;
    updateAccessKey();
    layOutCaption();
    paintButton(ButtonState::Up, true);
    notify("TX");
}

void KasmoButton::setEnabled(bool on)
{
    m_enabled = on;
    paintButton(ButtonState::Up, true);
    m_syncingEnabled = true;
    QWidget::setEnabled(on);
    m_syncingEnabled = false;
    notify("ENAB");
}

void KasmoButton::setFont(const QFont &f)
{
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
    notify("FONT");
}

void KasmoButton::setFontBold(bool on)
{
    QFont f = font();
    f.setBold(on);
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
}

void KasmoButton::setFontItalic(bool on)
{
    QFont f = font();
    f.setItalic(on);
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
}

void KasmoButton::setFontUnderline(bool on)
{
    QFont f = font();
    f.setUnderline(on);
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
}

int16_t KasmoButton::FontSize() const
{
    return int16_t(qRound(font().pointSizeF()));
}

void KasmoButton::setFontSize(int16_t size)
{
    QFont f = font();
    f.setPointSizeF(size);
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
}

void KasmoButton::setFontName(const QString &name)
{
    QFont f = font();
    f.setFamily(name);
    QWidget::setFont(f);
    layOutCaption();
    paintButton(ButtonState::Up, true);
}

void KasmoButton::setColorScheme(ButtonColourScheme scheme)
{
    m_colorScheme = scheme;
    computeSchemeColours();
    paintButton(ButtonState::Up, true);
    notify("COLTYPE");
}

void KasmoButton::setShowFocusRect(bool on)
{
    m_showFocusRect = on;
    repaintAsLast();
    notify("FOCUSR");
}

bool KasmoButton::setMousePointer(int32_t shape)
{
    // The surface holds a 16-bit shape: a larger value changes nothing.
    if (shape < std::numeric_limits<int16_t>::min() || shape > std::numeric_limits<int16_t>::max())
        return false;
    m_mousePointer = int16_t(shape);
    applyPointer();
    notify("MPTR");
    return true;
}

void KasmoButton::setMouseIcon(const QImage &icon)
{
    m_mouseIcon = icon;
    applyPointer();
    notify("MICON");
}

void KasmoButton::setHandPointer(bool on)
{
    m_handPointer = on;
    if (on) {
        m_mouseIcon = QImage();
        m_mousePointer = 99;
    } else {
        m_mouseIcon = QImage();
        m_mousePointer = 1;
    }
    applyPointer();
    notify("HAND");
}

void KasmoButton::applyPointer()
{
    if (m_mousePointer == 99) {
        // The program ships no cursor resource: the platform's hand stands in for it.
        if (m_handPointer || m_mouseIcon.isNull())
            setCursor(Qt::PointingHandCursor);
        else
            setCursor(QCursor(QPixmap::fromImage(m_mouseIcon)));
    } else if (m_mousePointer == 0) {
        unsetCursor();
    } else {
        setCursor(cursorFor(m_mousePointer));
    }
}

void KasmoButton::setSoftBevel(bool on)
{
    m_softBevel = on;
    computeSchemeColours();
    repaintAsLast();
    notify("SOFT");
}

void KasmoButton::setPictureNormal(const QImage &picture)
{
    m_pictureNormal = picture;
    measurePicture();
    layOutCaption();
    repaintAsLast();
    notify("PICN");
}

void KasmoButton::setPictureOver(const QImage &picture)
{
    m_pictureOver = picture;
    if (m_isHot)
        repaintAsLast();
    notify("PICH");
}

void KasmoButton::setPicturePosition(PicturePlace position)
{
    m_picturePosition = position;
    notify("PICPOS");
    layOutCaption();
    repaintAsLast();
}

void KasmoButton::setUseMaskColor(bool on)
{
    m_useMaskColor = on;
    if (!m_pictureNormal.isNull())
        repaintAsLast();
    notify("UMCOL");
}

void KasmoButton::setUseGreyscale(bool on)
{
    m_useGreyscale = on;
    if (!m_pictureNormal.isNull())
        repaintAsLast();
    notify("NGREY");
}

void KasmoButton::setSpecialEffect(ButtonRelief effect)
{
    m_specialEffect = effect;
    repaintAsLast();
    notify("FX");
}

void KasmoButton::setCheckBoxBehaviour(bool on)
{
    m_checkBoxBehaviour = on;
    repaintAsLast();
    notify("CHECK");
}

void KasmoButton::setValue(bool on)
{
    m_value = on;
    if (m_checkBoxBehaviour)
        paintButton(ButtonState::Up, true);
    notify("VALUE");
}

// ---- methods ----

void KasmoButton::disableRefresh()
{
    m_paintingOn = false;
}

void KasmoButton::refresh()
{
    if (m_buttonType == ButtonStyle::SeeThrough)
        captureParentBackground();
    computeSchemeColours();
    layOutCaption();
    m_paintingOn = true;
    repaintAsLast();
}

bool KasmoButton::hoverTimerActive() const
{
    return m_overTimer->isActive();
}

// ---- host notifications ----

bool KasmoButton::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        auto *se = static_cast<QShortcutEvent *>(e);
        if (m_shortcutId != 0 && se->shortcutId() == m_shortcutId) {
            clickByAccessKey();
            return true;
        }
    }
    return QWidget::event(e);
}

void KasmoButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_surface.isNull())
        p.drawImage(0, 0, m_surface);
}

void KasmoButton::resizeEvent(QResizeEvent *)
{
    layOutForSize();
}

void KasmoButton::showEvent(QShowEvent *)
{
    prepareFirstPaint();
}

void KasmoButton::hideEvent(QHideEvent *)
{
    m_paintingOn = false;
}

void KasmoButton::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange && !m_syncingEnabled) {
        // Enabled changed through QWidget directly: follow it as the property would.
        const bool on = !testAttribute(Qt::WA_Disabled);
        if (on != m_enabled) {
            m_enabled = on;
            paintButton(ButtonState::Up, true);
            notify("ENAB");
        }
    } else if (e->type() == QEvent::PaletteChange) {
        // The container's colours are the ambient values of the Container scheme.
        computeSchemeColours();
        paintButton(m_lastState, true);
    }
    QWidget::changeEvent(e);
}

void KasmoButton::prepareFirstPaint()
{
    if (m_buttonType == ButtonStyle::SeeThrough && !m_hasBackgroundCopy) {
        m_backgroundCopy
            = QImage(qMax(1, m_clientWidth), qMax(1, m_clientHeight), QImage::Format_RGB32);
        m_backgroundCopy.fill(Qt::black);
        m_hasBackgroundCopy = true;
        captureParentBackground();
    }
    m_paintingOn = true;
    computeSchemeColours();
    paintButton(ButtonState::Up, true);
}

void KasmoButton::mousePressEvent(QMouseEvent *e)
{
    const short b = buttonCode(e->button());
    m_hostPressButton = b;
    showMousePress(
        b, shiftCode(e->modifiers()), float(e->position().x()), float(e->position().y()));
}

void KasmoButton::mouseMoveEvent(QMouseEvent *e)
{
    trackMouse(buttonsCode(e->buttons()), shiftCode(e->modifiers()), float(e->position().x()),
        float(e->position().y()));
}

void KasmoButton::mouseReleaseEvent(QMouseEvent *e)
{
    const short b = buttonCode(e->button());
    showMouseRelease(
        b, shiftCode(e->modifiers()), float(e->position().x()), float(e->position().y()));
    // The host clicks when the button pressed is released over the control.
    const bool click = m_hostPressButton != 0 && m_hostPressButton == b
        && rect().contains(e->position().toPoint());
    m_hostPressButton = 0;
    if (click)
        clickIfPressed();
}

void KasmoButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        // Only the left button double-clicks; others press again.
        mousePressEvent(e);
        return;
    }
    m_hostPressButton = 0; // the release after a double click is no click
    pressAgainOnDoubleClick();
}

namespace {
// The keys the button acts on itself; every other key goes on to its window, so Esc and the
// window's function keys work whichever control has the focus.
bool keptByButton(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}
} // namespace

void KasmoButton::keyPressEvent(QKeyEvent *e)
{
    pressOrMoveFocusWithKey(keyCode(e), shiftCode(e->modifiers()));
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0) != QChar(0)) {
        short ascii = short(text.at(0).unicode());
        emit KeyPress(ascii);
    }
    if (!keptByButton(e))
        e->ignore();
}

void KasmoButton::keyReleaseEvent(QKeyEvent *e)
{
    if (!keptByButton(e))
        e->ignore();
    // A held key repeats only its key-down; its release comes once.
    if (e->isAutoRepeat())
        return;
    clickOnSpaceRelease(keyCode(e), shiftCode(e->modifiers()));
}

void KasmoButton::focusInEvent(QFocusEvent *)
{
    m_hasFocus = true;
    paintButton(m_lastState, true);
}

void KasmoButton::focusOutEvent(QFocusEvent *)
{
    m_hasFocus = false;
    paintButton(m_lastState, true);
}

void KasmoButton::showMousePress(short button, short shift, float x, float y)
{
    emit MouseDown(button, shift, x, y);
    m_rememberedButton = uint8_t(button);
    if (button != 2)
        paintButton(ButtonState::Down, false);
}

void KasmoButton::trackMouse(short button, short shift, float x, float y)
{
    emit MouseMove(button, shift, x, y);
    if (button >= 2)
        return;
    if (!cursorInside()) {
        paintButton(ButtonState::Up, false);
    } else if (button == 0 && !m_isHot) {
        m_overTimer->start();
        m_isHot = true;
        paintButton(ButtonState::Up, true);
        emit MouseOver();
    } else if (button == 1) {
        m_isHot = true;
        paintButton(ButtonState::Down, false);
        m_isHot = false;
    }
}

void KasmoButton::showMouseRelease(short button, short shift, float x, float y)
{
    emit MouseUp(button, shift, x, y);
    if (button != 2)
        paintButton(ButtonState::Up, false);
}

void KasmoButton::clickIfPressed()
{
    if (m_rememberedButton != 1 || !m_enabled)
        return;
    if (m_checkBoxBehaviour)
        m_value = !m_value;
    paintButton(ButtonState::Up, true);
    repaint();
    emit Click();
}

void KasmoButton::pressAgainOnDoubleClick()
{
    if (m_rememberedButton != 1)
        return;
    // Qt's implicit grab brings the release that follows to this control.
    showMousePress(1, 0, 0, 0);
}

void KasmoButton::pressOrMoveFocusWithKey(short key, short shift)
{
    emit KeyDown(key, shift);
    m_lastKeyCode = uint8_t(key);
    switch (key) {
    case 32:
        paintButton(ButtonState::Down, false);
        break;
    case 37:
    case 38:
        focusNextPrevChild(false);
        break;
    case 39:
    case 40:
        focusNextPrevChild(true);
        break;
    default:
        break;
    }
}

void KasmoButton::clickOnSpaceRelease(short key, short shift)
{
    emit KeyUp(key, shift);
    if (m_lastKeyCode == 32 && key == 32) {
        if (m_checkBoxBehaviour)
            m_value = !m_value;
        paintButton(ButtonState::Up, false);
        repaint();
        emit Click();
    }
}

void KasmoButton::press()
{
    clickByAccessKey();
}

void KasmoButton::clickByAccessKey()
{
    m_rememberedButton = 1;
    clickIfPressed();
}

void KasmoButton::endHoverWhenMouseLeaves()
{
    if (cursorInside())
        return;
    m_overTimer->stop();
    m_isHot = false;
    paintButton(ButtonState::Up, true);
    emit MouseOut();
}

bool KasmoButton::cursorInside() const
{
    return QApplication::widgetAt(QCursor::pos()) == this;
}
