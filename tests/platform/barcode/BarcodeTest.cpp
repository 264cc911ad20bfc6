#include "platform/barcode/Barcode.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// What zbarimg reads from the image, as "TYPE:value" lines.
QString scan(const QImage &img)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("code.png");
    img.save(file);
    QProcess p;
    p.start("zbarimg", { "-q", file });
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
} // namespace

TEST(Barcode, ChecksTheValueBeforeEncoding)
{
    struct Case
    {
        int style;
        QString value;
        bool ok;
    };
    const Case cases[] = {
        { 11, "8851234567893", true }, { 11, "ABC-123 xyz", true }, { 11, "", false },
        { 11, "ราคา", false }, // Code 128 has no Thai
        { 11, "A\tB", false }, // no control characters
        { 18, "885123456789", true }, // the check digit is added
        { 18, "8851234567898", true }, { 18, "8851234567893", false }, // wrong check digit
        { 18, "88512345678", false }, // too short
        { 18, "88512345678901", false }, { 18, "88512345678A", false },
        { 13, "123", false }, // a style the labels do not offer
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Barcode::check(c.style, c.value).isEmpty(), c.ok)
            << c.style << " " << qPrintable(c.value);
        EXPECT_EQ(Barcode::encode(c.style, c.value).isValid(), c.ok) << qPrintable(c.value);
    }
}

TEST(Barcode, ImagesScanBack)
{
    EXPECT_EQ(scan(Barcode::toImage(11, "KSM-00123", QSize(600, 200))), "CODE-128:KSM-00123");
    EXPECT_EQ(scan(Barcode::toImage(18, "885123456789", QSize(600, 200))), "EAN-13:8851234567898");
    EXPECT_EQ(scan(Barcode::toImage(18, "8851234567898", QSize(600, 200))), "EAN-13:8851234567898");
    const BarcodeSymbol ean = Barcode::encode(18, "885123456789");
    EXPECT_EQ(ean.modules.size(), 95);
    EXPECT_EQ(QString(ean.text).remove(QRegularExpression("\\D")), "8851234567898");
}

TEST(Barcode, InvalidValueDrawsNothing)
{
    const QImage img = Barcode::toImage(18, "12AB", QSize(300, 100));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255));
}
