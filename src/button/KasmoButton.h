#pragma once
#include "button/PropertyBag.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdint>

class QTimer;

// Colours are 0x00BBGGRR values (red in the low byte) or system colour references
// (0x80000000 | index), as the stored designs hold them.
constexpr int32_t kasmoRGB(int r, int g, int b)
{
    return int32_t(r) | (int32_t(g) << 8) | (int32_t(b) << 16);
}

// Shade arithmetic of the palette; softBevel halves the step.
int32_t offsetColour(int32_t colour, int32_t amount, bool blueProportional, bool softBevel);
int32_t blendTowardWhite(int32_t colour, int base);
// System colour references become RGB from the application palette; a reference that cannot
// be translated gives 0 (black). RGB values pass through.
int32_t resolveSystemColour(int32_t colour);

enum class ButtonState : uint8_t { Up = 0, Down = 2 };

// The kinds below keep the numbers the stored designs hold. A number outside the named ones is
// kept as it is and written back unchanged; how it draws is told at each kind.

// How the button is drawn. Any other number draws the face colour alone, like FaceOnly.
enum class ButtonStyle : int32_t {
    FramedBevel = 1, // raised bevel inside a dark frame, corner pixels cut
    ClassicRaised = 2, // two-step raised bevel; a default button gets a dark frame
    RoundedGradient = 3, // blue-tinted gradient with rounded corners and a hot ring
    RoundedLight = 4, // light face with rounded corners; pressed, the face darkens
    ThinFrame = 5, // flat face in a thin frame; the focus box rings the caption
    LightBevel = 6, // one-step bevel drawn with the light colour
    FlatThinBorder = 7, // flat with a one-line border at all times
    FlatHotBorder = 8, // flat; a one-line border while the mouse is over it
    FlatHotFill = 9, // flat; the selection colour fills and frames it while hot
    FaceOnly = 10, // the face colour and the picture, nothing else
    SeeThrough = 11, // shows what lies behind it
    FlatHotRaised = 12, // flat; a full raised bevel while hot
    Oval = 13, // an ellipse
    FramedGradient = 14, // light gradient in a double frame; a default button's caption is bold
};

// Where the colours come from. Any other number takes the system colours, like System.
enum class ButtonColourScheme : int32_t {
    System = 1, // the system's button colours
    OwnColours = 2, // BackColor, ForeColor and ForeOver
    ClassicGrey = 3, // fixed grey, black text
    Container = 4, // the hosting window's background and text colours
};

// Where the picture sits by the caption. Any other number leaves caption and picture where
// they last were.
enum class PicturePlace : int32_t { Left = 0, Right = 1, Above = 2, Below = 3, Behind = 4 };

// The relief of caption and picture. Below None draws as None; above Shadow as Shadow.
enum class ButtonRelief : int32_t {
    None = 0,
    Raised = 1, // dark below right, light above left
    Sunken = 2, // light below right, dark above left
    Shadow = 3, // dark below right only
};

// The owner-drawn push button of the program's windows.
//
// Window code: make it from its stored design with fromBag() (see ButtonPresets.h), connect
// Click(), and set Enabled, visibility, position, width, Caption and BackColor as needed.
// The other events carry their arguments by reference: a handler connected directly may change
// them, and the button acts on the changed value (button 2 in MouseDown keeps it from clicking).
class KasmoButton : public QWidget
{
    Q_OBJECT
public:
    explicit KasmoButton(QWidget *parent = nullptr);
    ~KasmoButton() override;

    // A button set up from a stored design (keys as readDesign reads them).
    static KasmoButton *fromBag(QWidget *parent, const PropertyBag &bag);

    // The 23 stored keys in the order they are written.
    static const QStringList &storedKeys();

    // Life cycle of the stored design.
    void setDesignDefaults(); // a button newly placed on a window
    void readDesign(const PropertyBag &bag);
    void writeDesign(PropertyBag &bag) const;

    // Ambient values of the container.
    void setAmbientUserMode(bool runTime); // false: design time
    bool ambientUserMode() const { return m_userMode; }
    void setAmbientDisplayAsDefault(bool on);
    bool ambientDisplayAsDefault() const { return m_displayAsDefault; }

    // Properties.
    int32_t BackColor() const { return m_backColor; }
    void setBackColor(int32_t colour);
    int32_t BackOver() const { return m_backOver; }
    void setBackOver(int32_t colour);
    int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(int32_t colour);
    int32_t ForeOver() const { return m_foreOver; }
    void setForeOver(int32_t colour);
    int32_t MaskColor() const { return m_maskColor; }
    void setMaskColor(int32_t colour);
    ButtonStyle ButtonType() const { return m_buttonType; }
    void setButtonType(ButtonStyle type);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool on); // hides QWidget::setEnabled; a direct QWidget call is followed too
    QFont Font() const { return QWidget::font(); }
    void setFont(const QFont &f); // hides QWidget::setFont
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool on);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool on);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool on);
    int16_t FontSize() const;
    void setFontSize(int16_t size);
    QString FontName() const { return font().family(); }
    void setFontName(const QString &name);
    ButtonColourScheme ColorScheme() const { return m_colorScheme; }
    void setColorScheme(ButtonColourScheme scheme);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    int32_t MousePointer() const { return m_mousePointer; }
    bool setMousePointer(int32_t shape); // false (nothing changed) outside the 16-bit range
    QImage MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QImage &icon);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool on);
    bool SoftBevel() const { return m_softBevel; }
    void setSoftBevel(bool on);
    QImage PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const QImage &picture);
    QImage PictureOver() const { return m_pictureOver; }
    void setPictureOver(const QImage &picture);
    PicturePlace PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(PicturePlace position);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    bool UseGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool on);
    ButtonRelief SpecialEffect() const { return m_specialEffect; }
    void setSpecialEffect(ButtonRelief effect);
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool on);
    bool Value() const { return m_value; }
    void setValue(bool on);
    QString Version() const { return QStringLiteral("1.0.0"); }

    // Methods.
    void disableRefresh();
    void refresh();
    // Does what a click with the left button does (Click, the check box's toggle); nothing
    // while disabled. Assistive technology presses the button through it.
    void press();

    // What the button holds and last drew; read by tests and by nothing in the windows.
    struct Palette
    {
        int32_t faceColour = 0, lightColour = 0, highlightColour = 0, shadowColour = 0,
                darkShadowColour = 0, textColour = 0, hotTextColour = 0, maskRgb = 0,
                tintColour = 0, selectColour = 0, selectTint = 0;
    };
    const Palette &schemeColours() const { return m_pal; }
    ButtonState lastState() const { return m_lastState; }
    bool isHot() const { return m_isHot; }
    bool hoverTimerActive() const;
    bool paintingOn() const { return m_paintingOn; }
    QChar accessKey() const { return m_accessKey; } // null when none
    QRect captionRect() const { return m_captionRect; }
    QRect pressedCaptionRect() const { return m_pressedCaptionRect; }
    QRect focusRect() const { return m_focusRect; }
    QPoint pictureOrigin() const { return { m_pictureLeft, m_pictureTop }; }
    QRegion windowShape() const { return m_windowShape; }
    const QImage &surface() const { return m_surface; } // the back buffer as last drawn
    int paintCount() const { return m_paintCount; }

    // Palette arithmetic and derivation, public so the worked values can be checked.
    int32_t offsetColour(int32_t colour, int32_t amount, bool blueProportional) const;
    void computeSchemeColours();
    // Draws the button onto its surface when forced or the state or caption changed.
    void paintButton(ButtonState state, bool force);

signals:
    void Click();
    void MouseDown(short &button, short &shift, float &x, float &y);
    void MouseMove(short &button, short &shift, float &x, float &y);
    void MouseUp(short &button, short &shift, float &x, float &y);
    void KeyPress(short &key);
    void KeyDown(short &key, short &shift);
    void KeyUp(short &key, short &shift);
    void MouseOver();
    void MouseOut();
    // The container's change notification, naming the stored key.
    void PropertyChanged(const QString &key);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    // What the window system tells the control, one handler per notification.
    void showMousePress(short button, short shift, float x, float y);
    void trackMouse(short button, short shift, float x, float y);
    void showMouseRelease(short button, short shift, float x, float y);
    void clickIfPressed();
    void pressAgainOnDoubleClick();
    void pressOrMoveFocusWithKey(short key, short shift);
    void clickOnSpaceRelease(short key, short shift);
    void clickByAccessKey();
    void layOutForSize();
    void prepareFirstPaint();
    void endHoverWhenMouseLeaves();
    bool cursorInside() const;
    void repaintAsLast() { paintButton(m_lastState, true); }
    void notify(const char *key) { emit PropertyChanged(QString::fromLatin1(key)); }
    void applyPointer();

    // The three faces of every style.
    enum class FaceLook { Normal, Pressed, Disabled };
    // How the caption's text is put on the face.
    enum class CaptionLook : uint8_t {
        Plain, // relief, then the text colour
        Hot, // relief, then the hot text colour
        Pressed, // one pixel on, relief, then the hot text colour
        EtchedGrey, // highlight one pixel on, shadow over it
        Greyed, // the shadow colour alone
        Dimmed, // a dark shade of the tint alone
        EtchedFace, // highlight one pixel on, the face colour over it
        LightOverDark, // a dark shade one pixel on, highlight over it
    };

    // Caption and picture.
    void updateAccessKey();
    void layOutCaption();
    void measurePicture();
    void placePicture();
    void paintCaption(CaptionLook style);
    void paintCaptionShadow(const QRect &rect);
    ButtonRelief reliefDrawn() const;
    void drawCaptionText(const QRect &rect, int32_t colour);
    void paintPicture(FaceLook look);
    void paintPictureShadow(int shift, const QImage &picture);
    void drawMasked(int x, int y, int w, int h, const QImage &picture, int32_t maskRGB,
        int32_t tint, bool darkOnly, bool greyscale, bool blend);
    void paintFocusMark();

    // Painting and shapes.
    void paintStyle(FaceLook look);
    void buildWindowShape();
    void captureParentBackground();
    void paintBox(int x, int y, int w, int h, int32_t colour, bool frameOnly);
    void paintSegment(int x1, int y1, int x2, int y2, int32_t colour);
    void paintDot(int x, int y, int32_t colour);
    void paintOval(int x, int y, int w, int h, int32_t penColour, int32_t fillColour);
    void paintBorder(int32_t c1, int32_t c2, int32_t c3, int32_t c4, bool inset, bool single);
    int32_t shade(int32_t c, int n) const { return offsetColour(c, n, false); }
    int32_t shadeBlue(int32_t c, int n) const { return offsetColour(c, n, true); }

    // The control's state.
    ButtonStyle m_buttonType {};
    ButtonColourScheme m_colorScheme {};
    PicturePlace m_picturePosition = PicturePlace::Left;
    ButtonRelief m_specialEffect = ButtonRelief::None;
    int m_clientHeight = 0;
    int m_clientWidth = 0;
    int32_t m_backColor = 0, m_backOver = 0, m_foreColor = 0, m_foreOver = 0, m_maskColor = 0;
    bool m_useMaskColor = false, m_useGreyscale = false, m_handPointer = false;
    QImage m_pictureNormal, m_pictureOver;
    QImage m_backgroundCopy;
    bool m_hasBackgroundCopy = false;
    QString m_caption;
    QRect m_captionRect, m_pressedCaptionRect, m_focusRect;
    int m_captionWidth = 0, m_captionHeight = 0;
    int m_pictureLeft = 0, m_pictureTop = 0, m_pictureWidth = 0, m_pictureHeight = 0;
    QRegion m_windowShape;
    uint8_t m_rememberedButton = 0;
    uint8_t m_lastKeyCode = 0;
    bool m_enabled = false;
    bool m_softBevel = false;
    bool m_hasFocus = false;
    bool m_showFocusRect = false;
    Palette m_pal;
    ButtonState m_lastState = ButtonState::Up;
    QString m_lastCaption;
    bool m_paintingOn = false;
    bool m_isHot = false;
    bool m_captureBusy = false;
    CaptionLook m_lastCaptionStyle = CaptionLook::Plain;
    bool m_checkBoxBehaviour = false, m_value = false;
    QTimer *m_overTimer = nullptr;

    // What the window hosting the control keeps for it: pointer, access key, ambient values.
    int16_t m_mousePointer = 0;
    QImage m_mouseIcon;
    QChar m_accessKey;
    int m_shortcutId = 0;
    bool m_userMode = true;
    bool m_displayAsDefault = false;
    short m_hostPressButton = 0; // button whose release completes a host click
    bool m_syncingEnabled = false;

    QImage m_surface;
    int m_paintCount = 0;
};
