#include "platform/report/ReportDocument.h"
#include "platform/barcode/Barcode.h"
#include "platform/report/Fonts.h"
#include "platform/report/ReportStore.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif

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

const ReportFontEntry &reportFontEntry(const ReportFont &font)
{
    static QHash<QString, ReportFontEntry *> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(font.family)
                            .arg(font.size)
                            .arg(font.bold)
                            .arg(font.italic);
    ReportFontEntry *&e = cache[key];
    if (!e) {
        const QFont f = font.toQFont();
        e = new ReportFontEntry { f, QFontMetricsF(f) };
    }
    return *e;
}

namespace {
double layoutWith(const ReportFontEntry &fe, const QString &text, double left, double top,
    double width, int alignment, bool wrap, QVector<TextLine> *lines)
{
    const QFontMetricsF &fm = fe.metrics;
    const double lineHeight = fm.height();
    const bool measured = alignment & (Qt::AlignHCenter | Qt::AlignRight);
    // advance: the piece's width when known already, else below 0.
    auto place = [&](const QString &piece, double y, double advance) {
        if (!lines)
            return;
        double x = left;
        if (measured) {
            const double w = advance >= 0 ? advance : fm.horizontalAdvance(piece);
            if (alignment & Qt::AlignHCenter)
                x = left + (width - w) / 2;
            else
                x = left + width - w;
        }
        lines->append({ QPointF(x, y + fm.ascent()), piece });
    };
    // Most texts are one line that fits: no line breaking needed.
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        double advance = -1;
        if (wrap)
            advance = fm.horizontalAdvance(text);
        if (!wrap || advance <= width) {
            place(text, top, advance);
            return lineHeight;
        }
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
            place(piece, y, -1);
            y += lineHeight;
            ++count;
        }
        layout.endLayout();
    }
    return count * lineHeight;
}
} // namespace

double layoutText(const QString &text, const ReportFont &font, double left, double top,
    double width, int alignment, bool wrap, QVector<TextLine> *lines)
{
    return layoutWith(reportFontEntry(font), text, left, top, width, alignment, wrap, lines);
}

size_t qHash(const StepStyle &s, size_t seed)
{
    return qHashMulti(seed, int(s.kind), s.width, s.height, s.font, s.alignment, s.color.rgba(),
        s.fill.isValid() ? s.fill.rgba() : 0u, s.penWidth, s.border, s.moduleWidth, s.wrap, s.cut,
        s.hasBox, int(s.value), s.detail);
}

ReportStore::~ReportStore()
{
    // A long report leaves its memory free but held by the allocator; give it back now that
    // the last of its pages is gone.
    const bool large = stepCount > 20000 || texts.size() > 20000;
    texts.clear();
    texts.squeeze();
    m_shaped.clear();
    m_shaped.squeeze();
    m_lines.clear();
    m_lines.squeeze();
    images.clear();
    barcodes.clear();
#ifdef __GLIBC__
    if (large)
        malloc_trim(0);
#else
    Q_UNUSED(large);
#endif
}

quint32 ReportStore::text(const QString &s)
{
    if (m_textIndex.isEmpty() && !texts.isEmpty())
        for (int i = 0; i < texts.size(); ++i)
            m_textIndex.insert(texts[i], quint32(i));
    auto it = m_textIndex.constFind(s);
    if (it != m_textIndex.constEnd())
        return *it;
    const quint32 id = quint32(texts.size());
    texts.append(s);
    m_textIndex.insert(s, id);
    return id;
}

quint32 ReportStore::style(const StepStyle &s)
{
    auto it = m_styleIndex.constFind(s);
    if (it != m_styleIndex.constEnd())
        return *it;
    const quint32 id = quint32(styles.size());
    styles.append(s);
    m_styleIndex.insert(s, id);
    return id;
}

int ReportStore::font(const ReportFont &f)
{
    for (int i = int(fonts.size()) - 1; i >= 0; --i)
        if (fonts[i] == f)
            return i;
    fonts.append(f);
    fontEntries.append(&reportFontEntry(f));
    return int(fonts.size()) - 1;
}

quint32 ReportStore::image(const QImage &image)
{
    auto it = m_imageIndex.constFind(image.cacheKey());
    if (it != m_imageIndex.constEnd())
        return *it;
    const quint32 id = quint32(images.size());
    images.append(image);
    m_imageIndex.insert(image.cacheKey(), id);
    return id;
}

quint32 ReportStore::bars(const Bars &b)
{
    barcodes.append(b);
    return quint32(barcodes.size() - 1);
}

void ReportStore::finishBuilding()
{
    m_textIndex = QHash<QString, quint32>();
    m_imageIndex = QHash<qint64, quint32>();
    texts.squeeze();
}

const ReportStore::Shaped &ReportStore::shape(quint32 text, quint32 style) const
{
    const quint64 key = (quint64(text) << 32) | style;
    auto it = m_shaped.constFind(key);
    if (it != m_shaped.constEnd())
        return *it;
    // Printing a very long report should not keep every text's lines.
    if (m_shaped.size() > 1000000) {
        m_shaped.clear();
        m_lines.clear();
    }
    const StepStyle &st = styles[style];
    const QString &s = texts[text];
    const ReportFontEntry &fe
        = st.font >= 0 ? *fontEntries[st.font] : reportFontEntry(ReportFont());
    QVector<TextLine> lines;
    Shaped shaped;
    shaped.height = layoutWith(fe, s, 0, 0, st.width, st.alignment, st.wrap, &lines);
    if (st.cut && lines.size() > 1) {
        // A fixed box shows the lines that fit in it, and always its first line.
        const double lineHeight = shaped.height / lines.size();
        const int fit = qMax(1, int((float(st.height) + 1) / lineHeight));
        lines.resize(qMin(int(lines.size()), fit));
    }
    shaped.count = int(lines.size());
    if (lines.size() == 1 && lines[0].text == s) {
        shaped.dx = lines[0].origin.x();
        shaped.dy = lines[0].origin.y();
    } else {
        shaped.first = int(m_lines.size());
        m_lines += lines;
    }
    return *m_shaped.insert(key, shaped);
}

DrawOp ReportStore::writtenOut(const PageSteps::Step &step) const
{
    const StepStyle &st = styles[step.style];
    DrawOp op;
    op.kind = st.kind;
    op.color = st.color;
    if (st.font >= 0)
        op.font = fonts[st.font];
    switch (st.kind) {
    case DrawOp::Text:
        op.rect = QRectF(step.x, step.y, st.width, st.height);
        op.text = texts[step.payload];
        forEachLine(step, [&](const QPointF &o, const QString &l) { op.lines.append({ o, l }); });
        op.alignment = st.alignment;
        op.fill = st.fill;
        break;
    case DrawOp::Line:
        op.line = QLineF(step.x, step.y, step.x + st.width, step.y + st.height);
        if (st.hasBox)
            op.rect = QRectF(op.line.p1(), op.line.p2()).normalized();
        op.penWidth = st.penWidth;
        break;
    case DrawOp::Rect:
        op.rect = QRectF(step.x, step.y, st.width, st.height);
        op.fill = st.fill;
        op.border = st.border;
        op.penWidth = st.penWidth;
        break;
    case DrawOp::Image:
        op.rect = QRectF(step.x, step.y, st.width, st.height);
        op.image = images[step.payload];
        break;
    case DrawOp::Barcode: {
        const Bars &b = barcodes[step.payload];
        op.rect = QRectF(step.x, step.y, st.width, st.height);
        op.text = b.value;
        op.modules = b.modules;
        op.barcodeText = b.caption;
        op.moduleWidth = st.moduleWidth;
        break;
    }
    }
    return op;
}

ReportStore &PageSteps::store()
{
    if (!m_store)
        m_store = std::make_shared<ReportStore>();
    return *m_store;
}

void PageSteps::addLine(const QLineF &line, const QColor &color, double penWidth)
{
    StepStyle st;
    st.kind = DrawOp::Line;
    st.width = line.x2() - line.x1();
    st.height = line.y2() - line.y1();
    st.color = color;
    st.penWidth = penWidth;
    ReportStore &s = store();
    m_steps.append({ line.x1(), line.y1(), 0, s.style(st) });
    ++s.stepCount;
    m_written.reset();
}

const QVector<DrawOp> &PageSteps::writtenOut() const
{
    if (!m_written) {
        auto ops = std::make_shared<QVector<DrawOp>>();
        ops->reserve(m_steps.size());
        for (const Step &step : m_steps)
            ops->append(m_store->writtenOut(step));
        m_written = std::move(ops);
    }
    return *m_written;
}

QList<PlacedText> ReportPage::placedTexts() const
{
    QList<PlacedText> out;
    if (!ops.m_store)
        return out;
    const ReportStore &store = *ops.m_store;
    for (const PageSteps::Step &step : ops.m_steps) {
        const StepStyle &st = store.styles[step.style];
        if (st.kind != DrawOp::Text || store.texts[step.payload].isEmpty())
            continue;
        PlacedText t { QRectF(step.x, step.y, st.width, st.height), store.texts[step.payload],
            st.value, st.detail, step.x };
        // A left-aligned text starts at its box's edge; others where their measured lines begin.
        if (st.alignment & (Qt::AlignHCenter | Qt::AlignRight)) {
            bool first = true;
            store.forEachLine(step, [&](const QPointF &origin, const QString &) {
                t.start = first ? origin.x() : qMin(t.start, origin.x());
                first = false;
            });
        }
        out.append(t);
    }
    return out;
}

QStringList ReportPage::texts() const
{
    // Boxes only: reading order needs no measuring.
    QList<PlacedText> t;
    if (ops.m_store)
        for (const PageSteps::Step &step : ops.m_steps) {
            const StepStyle &st = ops.m_store->styles[step.style];
            const QString &text = ops.m_store->texts[step.payload];
            if (st.kind == DrawOp::Text && !text.isEmpty())
                t.append({ QRectF(step.x, step.y, st.width, st.height), text });
        }
    std::stable_sort(t.begin(), t.end(),
        [](const PlacedText &a, const PlacedText &b) { return a.rect.top() < b.rect.top(); });
    // Texts whose tops lie within 30 twips of the row's first read as one row, left to right.
    QStringList out;
    for (int i = 0; i < t.size();) {
        int j = i + 1;
        while (j < t.size() && t[j].rect.top() - t[i].rect.top() <= 30)
            ++j;
        std::stable_sort(t.begin() + i, t.begin() + j,
            [](const PlacedText &a, const PlacedText &b) { return a.rect.left() < b.rect.left(); });
        for (int k = i; k < j; ++k)
            out << t[k].text;
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

// Lines, boxes, pictures and bars; texts are drawn straight from their steps.
static void drawShape(QPainter &p, const DrawOp &op)
{
    switch (op.kind) {
    case DrawOp::Text:
        break;
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

void ReportDocument::renderPage(QPainter &p, int index, const QRectF &target) const
{
    if (index < 0 || index >= pages.size() || paperSize.isEmpty())
        return;
    const PageSteps &steps = pages[index].ops;
    if (!steps.m_store)
        return;
    const ReportStore &store = *steps.m_store;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / paperSize.width(), target.height() / paperSize.height());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageSteps::Step &step : steps.m_steps) {
        const StepStyle &st = store.styles[step.style];
        if (st.kind != DrawOp::Text) {
            drawShape(p, store.writtenOut(step));
            continue;
        }
        if (st.fill.isValid())
            p.fillRect(QRectF(step.x, step.y, st.width, st.height), st.fill);
        p.setFont(
            st.font >= 0 ? store.fontEntries[st.font]->font : reportFontEntry(ReportFont()).font);
        p.setPen(st.color);
        store.forEachLine(
            step, [&](const QPointF &origin, const QString &line) { p.drawText(origin, line); });
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
