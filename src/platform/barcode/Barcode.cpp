#include "platform/barcode/Barcode.h"

#include <QFontMetricsF>
#include <QPainter>
#include <zint.h>

namespace Barcode {

static int eanCheckDigit(const QString &twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve.at(i).unicode() - '0') * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

QString check(int style, const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("no value");
    if (style == int(BarcodeStyle::Code128)) {
        for (QChar c : value)
            if (c.unicode() < 32 || c.unicode() > 126)
                return QStringLiteral("Code 128 takes printable ASCII only");
        if (value.size() > 80)
            return QStringLiteral("value too long");
        return {};
    }
    if (style == int(BarcodeStyle::Ean13)) {
        for (QChar c : value)
            if (c < u'0' || c > u'9')
                return QStringLiteral("EAN-13 takes digits only");
        if (value.size() != 12 && value.size() != 13)
            return QStringLiteral("EAN-13 takes 12 or 13 digits");
        if (value.size() == 13 && value.at(12).unicode() - '0' != eanCheckDigit(value.left(12)))
            return QStringLiteral("wrong EAN-13 check digit");
        return {};
    }
    return QStringLiteral("unknown barcode style %1").arg(style);
}

BarcodeSymbol encode(int style, const QString &value)
{
    BarcodeSymbol s;
    s.error = check(style, value);
    if (!s.error.isEmpty())
        return s;
    zint_symbol *z = ZBarcode_Create();
    z->symbology = style == int(BarcodeStyle::Ean13) ? BARCODE_EANX : BARCODE_CODE128;
    z->input_mode = DATA_MODE;
    // zint wants the 12 digits and adds the check digit itself.
    const QByteArray data = (style == int(BarcodeStyle::Ean13) ? value.left(12) : value).toLatin1();
    const int rc = ZBarcode_Encode(
        z, reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
    if (rc >= ZINT_ERROR) {
        s.error = QString::fromUtf8(z->errtxt);
    } else {
        s.modules.resize(z->width);
        for (int i = 0; i < z->width; ++i)
            s.modules[i] = (z->encoded_data[0][i / 8] >> (i % 8)) & 1;
        s.text = QString::fromUtf8(reinterpret_cast<const char *>(z->text));
        if (s.text.isEmpty())
            s.text = value;
    }
    ZBarcode_Delete(z);
    return s;
}

void paint(QPainter &p, const QRectF &rect, const BarcodeSymbol &symbol, const Look &look)
{
    if (!symbol.isValid() || rect.width() <= 0 || rect.height() <= 0)
        return;
    const int n = int(symbol.modules.size());
    double module = rect.width() / n;
    if (look.moduleWidth > 0 && look.moduleWidth < module)
        module = look.moduleWidth;
    double textHeight = 0;
    if (look.showText && !symbol.text.isEmpty())
        textHeight = QFontMetricsF(look.font).height();
    const double barHeight = qMax(rect.height() - textHeight, rect.height() / 2);
    const double x0 = rect.left() + (rect.width() - module * n) / 2;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(look.color);
    for (int i = 0; i < n;) {
        if (!symbol.modules[i]) {
            ++i;
            continue;
        }
        int j = i;
        while (j < n && symbol.modules[j])
            ++j;
        p.drawRect(QRectF(x0 + i * module, rect.top(), (j - i) * module, barHeight));
        i = j;
    }
    if (textHeight > 0) {
        p.setFont(look.font);
        p.setPen(look.color);
        p.drawText(QRectF(rect.left(), rect.top() + barHeight, rect.width(), textHeight),
            Qt::AlignHCenter | Qt::AlignTop, symbol.text);
    }
    p.restore();
}

QImage toImage(
    int style, const QString &value, const QSize &size, const QColor &color, int fontPixelSize)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    const BarcodeSymbol s = encode(style, value);
    if (!s.isValid())
        return img;
    QPainter p(&img);
    Look look;
    look.color = color;
    look.font.setPixelSize(fontPixelSize);
    // Whole pixels per module keep the bars sharp for scanners.
    const int margin = 10;
    look.moduleWidth = qMax(1, (size.width() - 2 * margin) / int(s.modules.size()));
    paint(
        p, QRectF(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin), s, look);
    return img;
}

} // namespace Barcode
