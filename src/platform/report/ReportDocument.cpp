#include "platform/report/ReportDocument.h"
#include "platform/barcode/Barcode.h"
#include "platform/report/Fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

QFont ReportFont::toQFont() const
{
    installFontSubstitutions();
    QFont f(family);
    f.setPixelSize(qMax(1, qRound(size * 20 * reportFontScale(family))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

namespace {
// Fonts and their metrics, made once per face and size: a long report lays out many texts.
struct FontEntry
{
    QFont font;
    QFontMetricsF metrics;
};
const FontEntry &fontEntry(const ReportFont &font)
{
    static QHash<QString, FontEntry *> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(font.family)
                            .arg(font.size)
                            .arg(font.bold)
                            .arg(font.italic);
    FontEntry *&e = cache[key];
    if (!e) {
        const QFont f = font.toQFont();
        e = new FontEntry { f, QFontMetricsF(f) };
    }
    return *e;
}
} // namespace

double layoutText(const QString &text, const ReportFont &font, double left, double top,
    double width, int alignment, bool wrap, QVector<TextLine> *lines)
{
    const FontEntry &fe = fontEntry(font);
    const QFontMetricsF &fm = fe.metrics;
    const double lineHeight = fm.height();
    auto place = [&](const QString &piece, double y) {
        if (!lines)
            return;
        const double w = fm.horizontalAdvance(piece);
        double x = left;
        if (alignment & Qt::AlignHCenter)
            x = left + (width - w) / 2;
        else if (alignment & Qt::AlignRight)
            x = left + width - w;
        lines->append({ QPointF(x, y + fm.ascent()), piece });
    };
    // Most texts are one line that fits: no line breaking needed.
    if (!text.contains(u'\n') && !text.contains(u'\r')
        && (!wrap || fm.horizontalAdvance(text) <= width)) {
        place(text, top);
        return lineHeight;
    }
    double y = top;
    int count = 0;
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    const QStringList paragraphs = plain.split(u'\n');
    for (const QString &para : paragraphs) {
        QTextLayout layout(para, fe.font);
        QTextOption opt;
        opt.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(opt);
        layout.beginLayout();
        for (;;) {
            QTextLine tl = layout.createLine();
            if (!tl.isValid())
                break;
            tl.setLineWidth(wrap ? qMax(1.0, width) : 1e9);
            QString piece = para.mid(tl.textStart(), tl.textLength());
            while (piece.endsWith(u' ') && wrap)
                piece.chop(1);
            place(piece, y);
            y += lineHeight;
            ++count;
        }
        layout.endLayout();
    }
    return count * lineHeight;
}

QStringList ReportPage::texts() const
{
    QVector<const DrawOp *> t;
    for (const DrawOp &op : ops)
        if (op.kind == DrawOp::Text && !op.text.isEmpty())
            t.append(&op);
    std::stable_sort(t.begin(), t.end(),
        [](const DrawOp *a, const DrawOp *b) { return a->rect.top() < b->rect.top(); });
    // Texts whose tops lie within 30 twips of the row's first read as one row, left to right.
    QStringList out;
    for (int i = 0; i < t.size();) {
        int j = i + 1;
        while (j < t.size() && t[j]->rect.top() - t[i]->rect.top() <= 30)
            ++j;
        QVector<const DrawOp *> row(t.begin() + i, t.begin() + j);
        std::stable_sort(row.begin(), row.end(),
            [](const DrawOp *a, const DrawOp *b) { return a->rect.left() < b->rect.left(); });
        for (const DrawOp *op : row)
            out << op->text;
        i = j;
    }
    return out;
}

QStringList ReportDocument::texts() const
{
    QStringList out;
    for (const ReportPage &p : pages)
        out << p.texts();
    return out;
}

static QPen opPen(const DrawOp &op)
{
    QPen pen(op.color);
    pen.setWidthF(op.penWidth);
    pen.setCosmetic(op.penWidth <= 0);
    if (op.penWidth <= 0)
        pen.setWidth(1);
    return pen;
}

void ReportDocument::renderPage(QPainter &p, int index, const QRectF &target) const
{
    if (index < 0 || index >= pages.size() || paperSize.isEmpty())
        return;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / paperSize.width(), target.height() / paperSize.height());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const DrawOp &op : pages[index].ops) {
        switch (op.kind) {
        case DrawOp::Text: {
            if (op.fill.isValid())
                p.fillRect(op.rect, op.fill);
            p.setFont(fontEntry(op.font).font);
            p.setPen(op.color);
            for (const TextLine &l : op.lines)
                p.drawText(l.origin, l.text);
            break;
        }
        case DrawOp::Line:
            p.setPen(opPen(op));
            p.drawLine(op.line);
            break;
        case DrawOp::Rect:
            p.setPen(op.border ? opPen(op) : QPen(Qt::NoPen));
            p.setBrush(op.fill.isValid() ? QBrush(op.fill) : QBrush(Qt::NoBrush));
            p.drawRect(op.rect);
            p.setBrush(Qt::NoBrush);
            break;
        case DrawOp::Image: {
            if (op.image.isNull())
                break;
            QSizeF s = op.image.size();
            s.scale(op.rect.size(), Qt::KeepAspectRatio);
            const QRectF r(op.rect.center() - QPointF(s.width() / 2, s.height() / 2), s);
            p.drawImage(r, op.image);
            break;
        }
        case DrawOp::Barcode: {
            BarcodeSymbol s;
            s.modules = op.modules;
            s.text = op.barcodeText;
            Barcode::Look look;
            look.color = op.color;
            look.font = op.font.toQFont();
            look.moduleWidth = op.moduleWidth;
            Barcode::paint(p, op.rect, s, look);
            break;
        }
        }
    }
    p.restore();
}

QImage ReportDocument::pageImage(int index, double dpi, const QColor &background) const
{
    const QSize px(qMax(1, qRound(paperSize.width() * dpi / TwipsPerInch)),
        qMax(1, qRound(paperSize.height() * dpi / TwipsPerInch)));
    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QPainter p(&img);
    renderPage(p, index, QRectF(QPointF(0, 0), QSizeF(px)));
    return img;
}
