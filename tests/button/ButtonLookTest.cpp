// The button's look: palette arithmetic, access keys, caption and picture places, pixels.
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Rgb
{
    int r, g, b;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream &operator<<(std::ostream &os, const Rgb &c)
{
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

} // namespace
QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
inline void PrintTo(const QPoint &p, std::ostream *os)
{
    *os << "(" << p.x() << "," << p.y() << ")";
}
QT_END_NAMESPACE
namespace {

Rgb rgbOf(int32_t c)
{
    return { c & 255, (c >> 8) & 255, (c >> 16) & 255 };
}

Rgb pixel(const QImage &img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return { qRed(p), qGreen(p), qBlue(p) };
}

int32_t rgb(int r, int g, int b)
{
    return kasmoRGB(r, g, b);
}

// ---- palette ----

TEST(ButtonPalette, OffsetAndBlendWorkedValues)
{
    struct Case
    {
        int32_t colour, amount;
        bool blue, soft;
        Rgb expected;
    };
    const Case cases[] = {
        { rgb(128, 128, 128), 200, false, false, { 255, 255, 255 } },
        { rgb(128, 128, 128), -200, false, false, { 0, 0, 0 } },
        { rgb(128, 128, 128), 200, false, true, { 228, 228, 228 } },
        { rgb(128, 128, 128), -200, false, true, { 28, 28, 28 } },
        { rgb(255, 0, 0), 48, true, false, { 255, 48, 0 } },
        { rgb(0, 0, 192), -48, true, false, { 0, 0, 144 } },
        { rgb(100, 100, 100), 31, false, true, { 115, 115, 115 } }, // 31 \ 2 = 15
        { rgb(100, 100, 100), -26, false, true, { 87, 87, 87 } }, // -26 \ 2 = -13
        { rgb(10, 20, 30), 0, false, false, { 10, 20, 30 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(rgbOf(offsetColour(c.colour, c.amount, c.blue, c.soft)), c.expected);
    }
    EXPECT_EQ(rgbOf(blendTowardWhite(0, 176)), (Rgb { 176, 176, 176 }));
    EXPECT_EQ(rgbOf(blendTowardWhite(rgb(255, 255, 255), 176)), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(rgbOf(blendTowardWhite(rgb(0, 0, 128), 176)), (Rgb { 176, 176, 215 }));
}

TEST(ButtonPalette, SystemColourReferences)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(rgbOf(resolveSystemColour(int32_t(0x8000000Fu))),
        (Rgb { face.red(), face.green(), face.blue() }));
    EXPECT_EQ(resolveSystemColour(int32_t(0x800000FFu)), 0); // no such system colour
    EXPECT_EQ(resolveSystemColour(int32_t(0x01000005u)), 0); // palette entries are not known
    EXPECT_EQ(resolveSystemColour(rgb(1, 2, 3)), rgb(1, 2, 3));
}

KasmoButton::Palette paletteOf(PropertyBag bag)
{
    KasmoButton b;
    b.readDesign(bag);
    b.computeSchemeColours();
    return b.schemeColours();
}

TEST(ButtonPalette, OwnColoursWorkedValues)
{
    auto grey = paletteOf(ButtonPresets::pageButton("x", rgb(224, 224, 224)));
    EXPECT_EQ(rgbOf(grey.faceColour), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(rgbOf(grey.shadowColour), (Rgb { 160, 160, 160 }));
    EXPECT_EQ(rgbOf(grey.lightColour), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(rgbOf(grey.highlightColour), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(rgbOf(grey.darkShadowColour), (Rgb { 32, 32, 32 }));
    EXPECT_EQ(rgbOf(grey.selectColour), (Rgb { 96, 96, 96 }));
    EXPECT_EQ(rgbOf(grey.selectTint), (Rgb { 224, 224, 224 }));
    EXPECT_EQ(rgbOf(grey.tintColour), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(rgbOf(grey.textColour), (Rgb { 48, 48, 48 }));

    PropertyBag soft = ButtonPresets::pageButton("x", rgb(224, 224, 224));
    soft.write("SOFT", true);
    auto s = paletteOf(soft);
    EXPECT_EQ(rgbOf(s.shadowColour), (Rgb { 192, 192, 192 }));
    EXPECT_EQ(rgbOf(s.lightColour), (Rgb { 239, 239, 239 }));

    auto blue = paletteOf(ButtonPresets::pageButton("x", rgb(0, 109, 170)));
    EXPECT_EQ(rgbOf(blue.shadowColour), (Rgb { 0, 45, 106 }));
    EXPECT_EQ(rgbOf(blue.lightColour), (Rgb { 31, 140, 201 }));
    EXPECT_EQ(rgbOf(blue.highlightColour), (Rgb { 47, 156, 217 }));
    EXPECT_EQ(blue.darkShadowColour, 0);
    EXPECT_EQ(rgbOf(blue.tintColour), (Rgb { 48, 157, 218 }));
    auto blue3 = paletteOf(ButtonPresets::searchButton("x", rgb(0, 109, 170)));
    EXPECT_EQ(rgbOf(blue3.tintColour), (Rgb { 48, 157, 212 }));
}

bool samePalette(const KasmoButton::Palette &a, const KasmoButton::Palette &b, bool withTint)
{
    return a.faceColour == b.faceColour && a.lightColour == b.lightColour
        && a.highlightColour == b.highlightColour && a.shadowColour == b.shadowColour
        && a.darkShadowColour == b.darkShadowColour && a.textColour == b.textColour
        && a.hotTextColour == b.hotTextColour && a.maskRgb == b.maskRgb
        && a.selectColour == b.selectColour && a.selectTint == b.selectTint
        && (!withTint || a.tintColour == b.tintColour);
}

TEST(ButtonPalette, ClassicGreyIgnoresTheButtonsColours)
{
    auto a = paletteOf(ButtonPresets::storedButton(ButtonStyle::ThinFrame,
        ButtonColourScheme::ClassicGrey, "x", rgb(0, 109, 170), rgb(255, 0, 0)));
    PropertyBag other = ButtonPresets::storedButton(ButtonStyle::ThinFrame,
        ButtonColourScheme::ClassicGrey, "x", rgb(128, 64, 64), rgb(0, 255, 0));
    other.write("BCOLO", rgb(1, 1, 1));
    other.write("FCOLO", rgb(2, 2, 2));
    auto b = paletteOf(other);
    EXPECT_TRUE(samePalette(a, b, true));
    EXPECT_EQ(rgbOf(a.faceColour), (Rgb { 192, 192, 192 }));
    EXPECT_EQ(rgbOf(a.selectTint), (Rgb { 173, 173, 209 }));
    other.write("SOFT", true);
    auto soft = paletteOf(other);
    EXPECT_TRUE(samePalette(a, soft, false));
    EXPECT_EQ(rgbOf(soft.tintColour), (Rgb { 216, 216, 216 })); // only the tint halves
}

TEST(ButtonPalette, UnknownSchemesActAsSystem)
{
    const auto one = paletteOf(ButtonPresets::storedButton(
        ButtonStyle::ThinFrame, ButtonColourScheme::System, "x", rgb(9, 9, 9), rgb(8, 8, 8)));
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(rgbOf(one.faceColour), (Rgb { face.red(), face.green(), face.blue() }));
    EXPECT_EQ(one.selectTint, blendTowardWhite(one.selectColour, 176));
    for (int32_t scheme : { 0, 5, -1 }) {
        SCOPED_TRACE(scheme);
        EXPECT_TRUE(samePalette(one,
            paletteOf(ButtonPresets::storedButton(ButtonStyle::ThinFrame,
                ButtonColourScheme(scheme), "x", rgb(9, 9, 9), rgb(8, 8, 8))),
            true));
    }
}

TEST(ButtonPalette, ContainerSchemeTakesTheContainersColours)
{
    QWidget host;
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(0, 60, 140));
    pal.setColor(QPalette::WindowText, QColor(255, 255, 255));
    host.setPalette(pal);
    KasmoButton *b = KasmoButton::fromBag(&host, ButtonPresets::signInButton("x"));
    b->computeSchemeColours();
    EXPECT_EQ(rgbOf(b->schemeColours().faceColour), (Rgb { 0, 60, 140 }));
    EXPECT_EQ(rgbOf(b->schemeColours().textColour), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(rgbOf(b->schemeColours().shadowColour), (Rgb { 0, 0, 76 }));
    // A change of the container's colours shows at once.
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    host.setPalette(pal);
    EXPECT_EQ(rgbOf(b->schemeColours().faceColour), (Rgb { 10, 20, 30 }));
}

// ---- caption and picture ----

TEST(ButtonCaption, AccessKeys)
{
    const std::pair<const char *, QChar> cases[] = {
        { "&Save", 's' },
        { "Save && Exit", QChar() },
        { "A&&B&C", 'c' },
        { "Save&", QChar() },
        { "&", QChar() },
        { "&&&X", 'x' },
        { "&&a&&b&c", QChar() }, // only the first two ampersands are looked at
        { "No key", QChar() },
    };
    KasmoButton b;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        b.setCaption(QString::fromUtf8(c.first));
        EXPECT_EQ(b.accessKey(), c.second);
    }
    b.setCaption(QString::fromUtf8("เ&ข้าสู่ระบบ"));
    EXPECT_EQ(b.accessKey(), QChar(0x0E02));
}

QImage square(int size, QColor c)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

TEST(ButtonCaption, CaptionAndPicturePlaces)
{
    QFont f("DejaVu Sans");
    f.setPixelSize(12);
    QWidget host;
    host.show(); // sizes reach hidden widgets only when they show
    struct Case
    {
        PicturePlace position;
        QRect caption;
        QPoint picture;
    };
    // A 120 x 60 button, caption "Save" (30 x 14 pixels in this font), a 16 x 16 picture.
    const Case cases[] = {
        { PicturePlace::Left, QRect(53, 23, 30, 14),
            QPoint(33, 22) }, // centred beside a left picture
        { PicturePlace::Right, QRect(35, 23, 30, 14),
            QPoint(69, 22) }, // caption, 4 pixels, picture, centred
        { PicturePlace::Above, QRect(45, 31, 30, 14),
            QPoint(52, 13) }, // centred below a top picture
        { PicturePlace::Below, QRect(45, 13, 30, 14),
            QPoint(52, 29) }, // caption, 2 pixels, picture, centred
        { PicturePlace::Behind, QRect(45, 23, 30, 14), QPoint(52, 22) }, // over a centred picture
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int32_t(c.position));
        PropertyBag bag = ButtonPresets::pageButton("Save", ButtonPresets::FaceGrey,
            ButtonPresets::TextDark, square(16, Qt::red), c.position);
        bag.write("FONT", f);
        KasmoButton *b = KasmoButton::fromBag(&host, bag);
        b->setGeometry(0, 0, 120, 60);
        b->show();
        EXPECT_EQ(b->captionRect(), c.caption);
        EXPECT_EQ(b->pressedCaptionRect(), c.caption.translated(1, 1));
        EXPECT_EQ(b->pictureOrigin(), c.picture);
        delete b;
    }
    // A blank caption centres the picture whatever its place.
    KasmoButton *blank = KasmoButton::fromBag(&host,
        ButtonPresets::pageButton("   ", ButtonPresets::FaceGrey, ButtonPresets::TextDark,
            square(16, Qt::red), PicturePlace::Left));
    blank->setGeometry(0, 0, 120, 60);
    blank->show();
    EXPECT_EQ(blank->pictureOrigin(), QPoint(52, 22));
    // Only blanks count: a line break is a caption, and the picture keeps its place beside it.
    blank->setCaption("\n");
    EXPECT_EQ(blank->pictureOrigin(), QPoint(blank->captionRect().left() - 16 - 4, 22));

    // A place outside 0 to 4 measures within the last pressed caption rectangle as it is:
    // a caption just as wide as that rectangle stays on one line, moved one pixel on.
    PropertyBag odd = ButtonPresets::pageButton("Save it");
    odd.write("FONT", f);
    KasmoButton *other = KasmoButton::fromBag(&host, odd);
    other->setGeometry(0, 0, 120, 60);
    other->show();
    const QRect laid = other->captionRect();
    other->setPicturePosition(PicturePlace(5));
    EXPECT_EQ(other->captionRect(), laid.translated(1, 1));
    other->setCaption("Save it");
    EXPECT_EQ(other->captionRect(), laid.translated(2, 2));
}

// ---- pixels ----

class ButtonPixels : public ::testing::Test
{
public:
    KasmoButton *make(PropertyBag bag, int w, int h)
    {
        auto *b = KasmoButton::fromBag(&host, bag);
        b->setGeometry(0, 0, w, h);
        host.show(); // sizes reach hidden widgets only when they show
        b->show();
        return b;
    }
    QWidget host;
};

TEST_F(ButtonPixels, ThinFrameExample)
{
    KasmoButton *b = make(ButtonPresets::pageButton(""), 80, 24);
    const QImage &s = b->surface();
    const Rgb dark { 134, 134, 134 }, light { 255, 255, 255 };
    // The two soft dots are drawn last, over the dark frame.
    for (int x = 0; x <= 78; ++x) {
        EXPECT_EQ(pixel(s, x, 0), dark) << x;
        if (x != 1) {
            EXPECT_EQ(pixel(s, x, 22), dark) << x;
        }
    }
    for (int y = 0; y <= 22; ++y) {
        EXPECT_EQ(pixel(s, 0, y), dark) << y;
        if (y != 1) {
            EXPECT_EQ(pixel(s, 78, y), dark) << y;
        }
    }
    for (int x = 1; x <= 79; ++x) {
        if (x != 78) {
            EXPECT_EQ(pixel(s, x, 1), light) << x;
        }
        EXPECT_EQ(pixel(s, x, 23), light) << x;
    }
    for (int y = 1; y <= 23; ++y) {
        if (y != 22) {
            EXPECT_EQ(pixel(s, 1, y), light) << y;
        }
        EXPECT_EQ(pixel(s, 79, y), light) << y;
    }
    EXPECT_EQ(pixel(s, 1, 22), (Rgb { 186, 186, 186 }));
    EXPECT_EQ(pixel(s, 78, 1), (Rgb { 186, 186, 186 }));
    for (int y = 2; y <= 21; ++y)
        for (int x = 2; x <= 77; ++x)
            ASSERT_EQ(pixel(s, x, y), (Rgb { 236, 236, 236 })) << x << "," << y;
    const QRegion shape = b->windowShape();
    EXPECT_FALSE(shape.contains(QPoint(0, 23)));
    EXPECT_FALSE(shape.contains(QPoint(79, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 0)));
    EXPECT_TRUE(shape.contains(QPoint(79, 23)));
    EXPECT_EQ(b->mask(), shape);
}

TEST_F(ButtonPixels, NumbersOutsideTheNamedKindsDrawAsTheirNeighbours)
{
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(QColor(200, 100, 50));
    auto look = [&](int32_t type, int32_t effect, ButtonState state) {
        PropertyBag bag = ButtonPresets::pageButton(
            "Save", ButtonPresets::FaceGrey, ButtonPresets::TextDark, pic, PicturePlace::Left);
        bag.write("BTYPE", type);
        bag.write("FX", effect);
        KasmoButton *b = make(bag, 80, 24);
        b->paintButton(state, true);
        return b->surface();
    };
    const int32_t faceOnly = int32_t(ButtonStyle::FaceOnly);
    for (ButtonState state : { ButtonState::Up, ButtonState::Down }) {
        SCOPED_TRACE(int(state));
        // An unknown style draws the face and the picture alone.
        for (int32_t type : { 0, 15, -3 })
            EXPECT_EQ(look(type, 0, state), look(faceOnly, 0, state)) << type;
        // Below no relief draws none; above the shadow draws the shadow.
        const int32_t thin = int32_t(ButtonStyle::ThinFrame);
        const int32_t none = int32_t(ButtonRelief::None), shadow = int32_t(ButtonRelief::Shadow);
        EXPECT_EQ(look(thin, -2, state), look(thin, none, state));
        EXPECT_EQ(look(thin, 8, state), look(thin, shadow, state));
        EXPECT_NE(look(thin, shadow, state), look(thin, none, state));
        EXPECT_NE(look(thin, shadow, state), look(thin, int32_t(ButtonRelief::Raised), state));
        EXPECT_NE(look(thin, shadow, state), look(thin, int32_t(ButtonRelief::Sunken), state));
    }
}

TEST_F(ButtonPixels, ThinFramePressedKeepsTheCaptionInPlace)
{
    PropertyBag bag = ButtonPresets::pageButton("Save");
    bag.write("FX", 1);
    KasmoButton *b = make(bag, 80, 24);
    b->paintButton(ButtonState::Down, true);
    const QImage &s = b->surface();
    EXPECT_EQ(pixel(s, 5, 5), rgbOf(offsetColour(rgb(160, 160, 160), 16, false, false)));
    EXPECT_EQ(pixel(s, 79, 5), (Rgb { 255, 255, 255 }));
    // The caption's glyphs lie inside the unmoved caption rectangle, without relief.
    const QRect r = b->captionRect();
    const Rgb face = pixel(s, 5, 5);
    bool inked = false;
    for (int y = 2; y < 22; ++y)
        for (int x = 2; x < 77; ++x) {
            if (pixel(s, x, y) == face)
                continue;
            inked = true;
            EXPECT_TRUE(r.contains(x, y)) << x << "," << y;
        }
    EXPECT_TRUE(inked);
}

TEST_F(ButtonPixels, GradientShiftsByRow)
{
    const int32_t back = rgb(0, 109, 170);
    for (int height : { 25, 50 }) {
        SCOPED_TRACE(height);
        KasmoButton *b = make(ButtonPresets::searchButton("", back), 60, height);
        const int32_t tint = b->schemeColours().tintColour;
        ASSERT_EQ(rgbOf(tint), (Rgb { 48, 157, 212 }));
        const QImage &s = b->surface();
        for (int i = 4; i <= height - 4; ++i) {
            // Height 25: one step a row; height 50: 0.5 a row, halves to even.
            const int shift = height == 25 ? i : int(std::nearbyint(i * 0.5));
            ASSERT_EQ(pixel(s, 30, i), rgbOf(offsetColour(tint, -shift, true, false))) << i;
        }
        if (height == 50) {
            const int expected[] = { 0, 1, 2, 2, 2, 3, 4, 4 };
            for (int i = 4; i <= 8; ++i)
                EXPECT_EQ(
                    pixel(s, 30, i), rgbOf(offsetColour(tint, -expected[i - 1], true, false)));
        }
        delete b;
    }
}

TEST_F(ButtonPixels, WindowOutlines)
{
    KasmoButton *oval = make(ButtonPresets::storedButton(ButtonStyle::Oval,
                                 ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0),
        60, 30);
    EXPECT_EQ(oval->windowShape(), QRegion(0, 0, 60, 30, QRegion::Ellipse));
    EXPECT_EQ(oval->mask(), oval->windowShape());

    for (ButtonStyle type : { ButtonStyle::RoundedGradient, ButtonStyle::RoundedLight }) {
        SCOPED_TRACE(int32_t(type));
        KasmoButton *b = make(ButtonPresets::storedButton(
                                  type, ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0),
            40, 20);
        const QRegion shape = b->windowShape();
        const QPoint gone[] = { { 0, 0 }, { 1, 0 }, { 0, 1 }, { 0, 19 }, { 1, 19 }, { 0, 18 },
            { 38, 0 }, { 39, 0 }, { 39, 1 }, { 38, 19 }, { 39, 19 }, { 39, 18 } };
        for (const QPoint &p : gone)
            EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
        EXPECT_EQ(shape.rectCount() > 0, true);
        int inside = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x)
                inside += shape.contains(QPoint(x, y)) ? 1 : 0;
        EXPECT_EQ(inside, 40 * 20 - 12);
    }
    KasmoButton *one = make(ButtonPresets::storedButton(ButtonStyle::FramedBevel,
                                ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0),
        40, 20);
    for (const QPoint &p : { QPoint(0, 0), QPoint(39, 0), QPoint(0, 19), QPoint(39, 19) })
        EXPECT_FALSE(one->windowShape().contains(p));
    KasmoButton *seven = make(ButtonPresets::signInButton("x"), 40, 20);
    EXPECT_EQ(seven->windowShape(), QRegion(0, 0, 40, 20));
}

TEST_F(ButtonPixels, SkipRule)
{
    KasmoButton *b = make(ButtonPresets::pageButton("Save"), 80, 24);
    const int painted = b->paintCount();
    b->paintButton(ButtonState::Up, false);
    EXPECT_EQ(b->paintCount(), painted); // same state and caption, not forced
    b->paintButton(ButtonState::Down, false);
    EXPECT_EQ(b->paintCount(), painted + 1);
    EXPECT_EQ(b->lastState(), ButtonState::Down);
    b->paintButton(ButtonState::Up, true);
    EXPECT_EQ(b->paintCount(), painted + 2);

    b->setCheckBoxBehaviour(true);
    b->setValue(true);
    b->paintButton(ButtonState::Up, true);
    EXPECT_EQ(b->lastState(), ButtonState::Down);
    b->setCheckBoxBehaviour(false);

    b->disableRefresh();
    const int before = b->paintCount();
    b->paintButton(ButtonState::Up, true);
    EXPECT_EQ(b->paintCount(), before);
    EXPECT_EQ(b->lastState(), ButtonState::Down); // not updated while painting is off

    KasmoButton flat; // no size yet: H is 0
    flat.paintButton(ButtonState::Down, true);
    EXPECT_EQ(flat.paintCount(), 0);
    EXPECT_EQ(flat.lastState(), ButtonState::Up);
}

TEST_F(ButtonPixels, DisabledLooks)
{
    const int32_t face = rgb(224, 224, 224);
    auto edge = [&](ButtonStyle type) {
        PropertyBag bag
            = ButtonPresets::storedButton(type, ButtonColourScheme::OwnColours, "", face, 0);
        bag.write("ENAB", false);
        KasmoButton *b = make(bag, 40, 20);
        return pixel(b->surface(), 0, 10);
    };
    EXPECT_EQ(edge(ButtonStyle::FlatThinBorder), (Rgb { 255, 255, 255 })); // keeps its ring
    EXPECT_EQ(edge(ButtonStyle::FlatHotBorder), rgbOf(face));
    EXPECT_EQ(edge(ButtonStyle::FlatHotRaised), rgbOf(face));
    PropertyBag oval = ButtonPresets::storedButton(
        ButtonStyle::Oval, ButtonColourScheme::OwnColours, "", face, 0);
    oval.write("ENAB", false);
    KasmoButton *b = make(oval, 40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(pixel(b->surface(), x, y), rgbOf(face));
}

TEST_F(ButtonPixels, SeeThroughShowsWhatLiesBehind)
{
    QPalette pal = host.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 30));
    host.setPalette(pal);
    host.setAutoFillBackground(true);
    QWidget *under = new QWidget(&host); // a sibling below the button
    under->setGeometry(0, 0, 20, 20);
    under->setAutoFillBackground(true);
    QPalette red = under->palette();
    red.setColor(QPalette::Window, QColor(200, 0, 0));
    under->setPalette(red);
    under->show();
    KasmoButton *b = make(ButtonPresets::storedButton(ButtonStyle::SeeThrough,
                              ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0),
        60, 30);
    EXPECT_EQ(pixel(b->surface(), 40, 25), (Rgb { 10, 200, 30 }));
    EXPECT_EQ(pixel(b->surface(), 5, 5), (Rgb { 200, 0, 0 }));
    b->paintButton(ButtonState::Down, true);
    EXPECT_EQ(pixel(b->surface(), 40, 25), (Rgb { 10, 200, 30 }));
}

TEST_F(ButtonPixels, PicturesMaskGreyAndBlend)
{
    // A 4 x 4 bitmap: mask grey around one coloured pixel.
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(QColor(192, 192, 192));
    pic.setPixelColor(1, 1, QColor(200, 100, 50));
    PropertyBag bag = ButtonPresets::storedButton(
        ButtonStyle::ThinFrame, ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0);
    bag.write("PICN", pic);
    KasmoButton *b = make(bag, 40, 20);
    const QPoint o = b->pictureOrigin();
    EXPECT_EQ(o, QPoint(18, 8));
    const Rgb face { 236, 236, 236 };
    EXPECT_EQ(pixel(b->surface(), o.x(), o.y()), face); // the mask colour is transparent
    EXPECT_EQ(pixel(b->surface(), o.x() + 1, o.y() + 1), (Rgb { 200, 100, 50 }));

    b->setUseGreyscale(true); // 0.3 x 200 = 60; 60 + 59 + 5.5 = 124.5, halves to even
    EXPECT_EQ(pixel(b->surface(), o.x() + 1, o.y() + 1), (Rgb { 124, 124, 124 }));
    b->paintButton(ButtonState::Down, true); // pressed shows the colours
    EXPECT_EQ(pixel(b->surface(), o.x() + 1, o.y() + 1), (Rgb { 200, 100, 50 }));
    b->paintButton(ButtonState::Up, true);

    b->setUseMaskColor(false);
    EXPECT_EQ(pixel(b->surface(), o.x(), o.y()), (Rgb { 192, 192, 192 }));

    PropertyBag nine = ButtonPresets::storedButton(
        ButtonStyle::FlatHotFill, ButtonColourScheme::OwnColours, "", rgb(224, 224, 224), 0);
    nine.write("PICN", pic);
    KasmoButton *n = make(nine, 40, 20);
    // Two thirds picture, one third the face under it.
    EXPECT_EQ(pixel(n->surface(), o.x() + 1, o.y() + 1),
        (Rgb { (400 + 224) / 3, (200 + 224) / 3, (100 + 224) / 3 }));

    bag.write("ENAB", false);
    KasmoButton *d = make(bag, 40, 20); // disabled: a dark silhouette in the shadow
    EXPECT_EQ(pixel(d->surface(), o.x() + 1, o.y() + 1), (Rgb { 160, 160, 160 }));
}

TEST_F(ButtonPixels, HotFaceOfOwnColoursFollowsBackOver)
{
    host.setGeometry(100, 100, 200, 100);
    KasmoButton *b = make(ButtonPresets::pageButton(""), 80, 24);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    b->setBackColor(rgb(219, 159, 158)); // at run time: BackOver stays grey
    EXPECT_EQ(pixel(b->surface(), 40, 12), rgbOf(offsetColour(rgb(219, 159, 158), 12, 0, 0)));
    QCursor::setPos(b->mapToGlobal(QPoint(40, 12)));
    QCoreApplication::processEvents();
    ASSERT_TRUE(b->isHot());
    EXPECT_EQ(pixel(b->surface(), 40, 12), (Rgb { 236, 236, 236 }));
    EXPECT_EQ(rgbOf(b->schemeColours().faceColour), (Rgb { 219, 159, 158 }));
    QCursor::setPos(QPoint(0, 0));
    QTRY_VERIFY(!b->isHot());
    EXPECT_EQ(pixel(b->surface(), 40, 12), rgbOf(offsetColour(rgb(219, 159, 158), 12, 0, 0)));
}

// Renders the looks the program's windows use, for a person to look at.
TEST(ButtonShots, SaveLooksForReview)
{
    const QByteArray dir = qgetenv("KASMO_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set KASMO_SCREENSHOTS to a folder to save the pictures";
    QWidget sheet;
    sheet.setFixedSize(560, 330);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, QColor(0, 60, 140));
    pal.setColor(QPalette::WindowText, Qt::white);
    sheet.setPalette(pal);
    sheet.setAutoFillBackground(true);
    QFont thai("Loma");
    thai.setPixelSize(14);
    thai.setBold(true);
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int i = 2; i < 14; ++i)
        for (int j = 2; j < 14; ++j)
            icon.setPixelColor(i, j, (i + j) % 5 ? QColor(30, 140, 60) : QColor(250, 220, 40));
    const QString captions[] = { QString::fromUtf8("เ&ข้าสู่ระบบ"), QString::fromUtf8("พักการขาย (F1)"),
        QString::fromUtf8("   ค้นหาข้อมูล") };
    int y = 8;
    std::vector<KasmoButton *> pressed;
    for (int type : { 3, 5, 7 }) {
        int x = 8;
        for (int scheme : { 2, 4 }) {
            for (int state = 0; state < 3; ++state) {
                PropertyBag bag = ButtonPresets::storedButton(ButtonStyle(type),
                    ButtonColourScheme(scheme), captions[(type / 2) % 3],
                    type == 5 ? ButtonPresets::FaceBlue : ButtonPresets::FaceGrey,
                    type == 5 ? ButtonPresets::TextWhite : ButtonPresets::TextDark);
                bag.write("FONT", thai);
                if (type == 5) {
                    bag.write("PICN", icon);
                    bag.write("PICPOS", 0);
                }
                if (state == 2)
                    bag.write("ENAB", false);
                auto *b = KasmoButton::fromBag(&sheet, bag);
                b->setGeometry(x, y, 170, 40);
                b->show();
                if (state == 1)
                    pressed.push_back(b);
                x += 180;
                if (x > 400) {
                    x = 8;
                    y += 50;
                }
            }
        }
    }
    sheet.show();
    QTest::qWait(20);
    for (KasmoButton *b : pressed)
        b->paintButton(ButtonState::Down, true);
    EXPECT_TRUE(sheet.grab().save(QString::fromLocal8Bit(dir) + "/kasmo-buttons.png"));
}

} // namespace
