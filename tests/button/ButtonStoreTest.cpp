// The stored design of a button: writing, reading back, defaults and setter side effects.
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"

#include <QApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QImage icon(QColor c)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int i = 4; i < 12; ++i)
        for (int j = 4; j < 12; ++j)
            img.setPixelColor(i, j, c);
    return img;
}

TEST(ButtonStore, WritesAllKeysAndReadsThemBackInAnyCase)
{
    QFont f("DejaVu Sans", 11);
    f.setBold(true);
    f.setItalic(true);
    const PropertyBag design { { "BTYPE", 9 }, { "TX", "A&&B&C" }, { "ENAB", false }, { "FONT", f },
        { "COLTYPE", 3 }, { "FOCUSR", false }, { "BCOL", 1234 }, { "BCOLO", 5678 },
        { "FCOL", 0x80000012u }, { "FCOLO", 42 }, { "MCOL", 0x404040 }, { "MPTR", 11 },
        { "MICON", QImage() }, { "PICN", icon(Qt::red) }, { "PICH", icon(Qt::blue) },
        { "UMCOL", false }, { "SOFT", true }, { "PICPOS", 3 }, { "NGREY", true }, { "FX", 2 },
        { "HAND", false }, { "CHECK", true }, { "VALUE", true } };
    // The stored windows hold their keys in lower case.
    PropertyBag lower;
    for (const QString &k : design.keys())
        lower.write(k.toLower(), design.read(k));

    KasmoButton a;
    a.readDesign(lower);
    PropertyBag written;
    a.writeDesign(written);
    EXPECT_EQ(written.keys(), KasmoButton::storedKeys());
    EXPECT_EQ(written.size(), 23);

    KasmoButton b;
    b.readDesign(written);
    PropertyBag again;
    b.writeDesign(again);
    for (const QString &k : KasmoButton::storedKeys()) {
        SCOPED_TRACE(k.toStdString());
        EXPECT_EQ(again.read(k), written.read(k));
    }
    EXPECT_EQ(b.ButtonType(), ButtonStyle::FlatHotFill);
    EXPECT_EQ(b.Caption(), "A&&B&C");
    EXPECT_FALSE(b.Enabled());
    EXPECT_FALSE(b.isEnabled());
    EXPECT_TRUE(b.FontBold());
    EXPECT_TRUE(b.FontItalic());
    EXPECT_EQ(b.FontSize(), 11);
    EXPECT_EQ(b.ColorScheme(), ButtonColourScheme::ClassicGrey);
    EXPECT_EQ(b.BackColor(), 1234);
    EXPECT_EQ(b.BackOver(), 5678);
    EXPECT_EQ(uint32_t(b.ForeColor()), 0x80000012u);
    EXPECT_EQ(b.MaskColor(), 0x404040);
    EXPECT_EQ(b.PictureNormal(), icon(Qt::red));
    EXPECT_EQ(b.PictureOver(), icon(Qt::blue));
    EXPECT_TRUE(b.SoftBevel());
    EXPECT_EQ(b.PicturePosition(), PicturePlace::Below);
    EXPECT_TRUE(b.UseGreyscale());
    EXPECT_FALSE(b.UseMaskColor());
    EXPECT_EQ(b.SpecialEffect(), ButtonRelief::Sunken);
    EXPECT_TRUE(b.CheckBoxBehaviour());
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.accessKey(), QChar('c'));
    EXPECT_EQ(b.Version(), "1.0.0");
}

TEST(ButtonStore, MissingKeysTakeTheirDefaults)
{
    KasmoButton b;
    b.readDesign(PropertyBag { { "bcol", 777 }, { "fcol", 888 } });
    EXPECT_EQ(b.ButtonType(), ButtonStyle::ClassicRaised);
    EXPECT_EQ(b.Caption(), "");
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.ColorScheme(), ButtonColourScheme::System);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_EQ(b.BackOver(), 777); // BackColor as just read
    EXPECT_EQ(b.ForeOver(), 888);
    EXPECT_EQ(b.MaskColor(), kasmoRGB(192, 192, 192));
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_FALSE(b.Value());

    KasmoButton d;
    d.readDesign(PropertyBag());
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(d.BackColor(), kasmoRGB(face.red(), face.green(), face.blue()));
    EXPECT_EQ(d.BackOver(), d.BackColor());
}

TEST(ButtonStore, StoredHandPointerDecidesThePointer)
{
    KasmoButton b;
    b.readDesign(PropertyBag { { "MPTR", 3 }, { "HAND", false } });
    EXPECT_EQ(b.MousePointer(), 1);
    EXPECT_EQ(b.cursor().shape(), Qt::ArrowCursor);

    KasmoButton h;
    QSignalSpy changed(&h, &KasmoButton::PropertyChanged);
    h.readDesign(PropertyBag { { "MPTR", 3 }, { "HAND", true } });
    EXPECT_EQ(h.MousePointer(), 99);
    EXPECT_EQ(h.cursor().shape(), Qt::PointingHandCursor);
    ASSERT_EQ(changed.count(), 1); // the HandPointer setter notifies
    EXPECT_EQ(changed.at(0).at(0).toString(), "HAND");

    EXPECT_FALSE(h.setMousePointer(40000));
    EXPECT_EQ(h.MousePointer(), 99);
}

TEST(ButtonStore, NumbersOutsideTheNamedKindsAreKeptAsStored)
{
    KasmoButton b;
    b.readDesign(PropertyBag { { "BTYPE", 99 }, { "COLTYPE", 7 }, { "PICPOS", -1 }, { "FX", 9 } });
    EXPECT_EQ(int32_t(b.ButtonType()), 99);
    EXPECT_EQ(int32_t(b.ColorScheme()), 7);
    EXPECT_EQ(int32_t(b.PicturePosition()), -1);
    EXPECT_EQ(int32_t(b.SpecialEffect()), 9);
    PropertyBag written;
    b.writeDesign(written);
    EXPECT_EQ(written.read("BTYPE"), QVariant(99));
    EXPECT_EQ(written.read("COLTYPE"), QVariant(7));
    EXPECT_EQ(written.read("PICPOS"), QVariant(-1));
    EXPECT_EQ(written.read("FX"), QVariant(9));
}

TEST(ButtonStore, UnreadableValueFailsTheLoad)
{
    KasmoButton b;
    EXPECT_THROW(b.readDesign(PropertyBag { { "BTYPE", "five" } }), PropertyBagError);
    EXPECT_THROW(b.readDesign(PropertyBag { { "MPTR", 70000 } }), PropertyBagError);
    EXPECT_THROW(b.readDesign(PropertyBag { { "ENAB", "maybe" } }), PropertyBagError);
}

TEST(ButtonStore, BackColorAtRunTimeKeepsBackOver)
{
    KasmoButton b;
    b.readDesign(ButtonPresets::pageButton("x", ButtonPresets::FaceGrey));
    QSignalSpy changed(&b, &KasmoButton::PropertyChanged);
    b.setBackColor(kasmoRGB(219, 159, 158));
    EXPECT_EQ(b.BackColor(), kasmoRGB(219, 159, 158));
    EXPECT_EQ(b.BackOver(), ButtonPresets::FaceGrey);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), "BCOL");

    b.setAmbientUserMode(false); // design time: both change
    b.setBackColor(kasmoRGB(1, 2, 3));
    b.setForeColor(kasmoRGB(4, 5, 6));
    EXPECT_EQ(b.BackOver(), kasmoRGB(1, 2, 3));
    EXPECT_EQ(b.ForeOver(), kasmoRGB(4, 5, 6));
    b.setButtonType(ButtonStyle::ThinFrame);
    EXPECT_TRUE(b.FontBold());
}

TEST(ButtonStore, NewInstanceSetUp)
{
    QWidget host;
    host.setFont(QFont("DejaVu Sans", 13));
    KasmoButton b(&host);
    b.setObjectName("kasmoButton7");
    b.setDesignDefaults();
    EXPECT_EQ(b.Caption(), "kasmoButton7");
    EXPECT_EQ(b.ButtonType(), ButtonStyle::ClassicRaised);
    EXPECT_EQ(b.ColorScheme(), ButtonColourScheme::System);
    EXPECT_EQ(b.FontSize(), 13);
    EXPECT_EQ(b.BackColor(), b.schemeColours().faceColour);
    EXPECT_EQ(b.BackOver(), b.BackColor());
    EXPECT_EQ(b.ForeColor(), b.schemeColours().textColour);
    EXPECT_EQ(b.MaskColor(), kasmoRGB(192, 192, 192));
    EXPECT_TRUE(b.accessKey().isNull());
}

TEST(ButtonStore, PaintingWaitsForRefresh)
{
    QWidget host;
    KasmoButton *b = KasmoButton::fromBag(&host, ButtonPresets::pageButton("Save"));
    b->setGeometry(0, 0, 80, 24);
    host.show();
    b->disableRefresh();
    const int painted = b->paintCount();
    b->setCaption("Saved");
    b->setBackColor(kasmoRGB(1, 2, 3));
    EXPECT_EQ(b->paintCount(), painted);
    b->refresh();
    EXPECT_EQ(b->paintCount(), painted + 1);
    EXPECT_TRUE(b->paintingOn());
}

TEST(PropertyBag, KeysMatchWithoutCase)
{
    PropertyBag bag { { "BTYPE", 3 } };
    EXPECT_TRUE(bag.contains("btype"));
    bag.write("bType", 5);
    EXPECT_EQ(bag.size(), 1);
    EXPECT_EQ(bag.read("BTYPE").toInt(), 5);
    EXPECT_EQ(bag.read("missing", 9).toInt(), 9);
}

} // namespace
