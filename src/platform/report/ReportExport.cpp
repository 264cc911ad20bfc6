#include "platform/report/ReportExport.h"
#include "platform/SystemErrors.h"
#include "platform/report/ReportViewer.h"
#include "platform/report/XlsWriter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"

#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <optional>

bool exportPdf(const ReportDocument &document, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = SystemErrors::fileText(file);
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Kasmo"));
        writer.setResolution(1200);
        const QSizeF paper
            = document.paperSize.isEmpty() ? QSizeF(12240, 15840) : document.paperSize;
        writer.setPageLayout(
            QPageLayout(QPageSize(paper / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch),
                QPageLayout::Portrait, QMarginsF()));
        QPainter p;
        if (!p.begin(&writer)) {
            if (error)
                *error = QStringLiteral("สร้างไฟล์ PDF ไม่ได้");
            file.cancelWriting();
            return false;
        }
        const QRectF target(0, 0, writer.width(), writer.height());
        for (int i = 0; i < document.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            document.renderPage(p, i, target);
        }
        p.end();
    }
    if (!file.commit()) {
        if (error)
            *error = SystemErrors::fileText(file);
        return false;
    }
    return true;
}

namespace {

// The columns of an exported sheet are the report's columns as printed: the boxes of the
// detail's texts (the values), each heading and other text placed over the column whose box it
// matches.
struct Span
{
    double left = 0, right = 0;
    double width() const { return qMax(1.0, right - left); }
};

double overlap(const Span &a, const Span &b)
{
    return qMax(0.0, qMin(a.right, b.right) - qMax(a.left, b.left));
}

// Two boxes stand for one column when each covers most of the other.
bool sameColumn(const Span &a, const Span &b)
{
    return overlap(a, b) >= 0.5 * qMax(a.width(), b.width());
}

// How many columns the box lies over for at least half their width.
int columnsCovered(const QList<Span> &columns, const Span &s)
{
    int covered = 0;
    for (const Span &column : columns)
        covered += overlap(column, s) >= 0.5 * column.width();
    return covered;
}

// The column whose box matches the text's best; -1 when none does, or when the text runs over
// several columns (a heading over two columns belongs to neither).
int matchingColumn(const QList<Span> &columns, const Span &s)
{
    if (columnsCovered(columns, s) >= 2)
        return -1;
    int best = -1;
    double most = 0;
    for (int i = 0; i < columns.size(); ++i) {
        const double o = overlap(columns[i], s);
        if (sameColumn(columns[i], s) && o > most)
            best = i, most = o;
    }
    return best;
}

QList<Span> columnsOf(const QList<QList<PlacedText>> &rows)
{
    // Values first, narrowest first: a box wider than the columns it lies over (a line that
    // runs across the page) never splits them.
    struct Candidate
    {
        Span span;
        bool detail;
    };
    QList<Candidate> candidates;
    QSet<QPair<qint64, qint64>> seen[2];
    for (const QList<PlacedText> &row : rows)
        for (const PlacedText &t : row) {
            const QPair<qint64, qint64> key(qRound64(t.rect.left()), qRound64(t.rect.right()));
            if (!seen[t.detail].contains(key)) {
                seen[t.detail].insert(key);
                candidates.append({ { t.rect.left(), t.rect.right() }, t.detail });
            }
        }
    std::stable_sort(
        candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
            if (a.detail != b.detail)
                return a.detail;
            if (a.span.width() != b.span.width())
                return a.span.width() < b.span.width();
            return a.span.left < b.span.left;
        });
    QList<Span> columns;
    for (const Candidate &c : candidates) {
        if (matchingColumn(columns, c.span) >= 0)
            continue;
        bool touches = false;
        for (const Span &column : columns)
            touches |= overlap(column, c.span) > 0;
        // A box over several columns, or a heading or title that lies partly over one without
        // matching it, is no column of its own.
        if (columnsCovered(columns, c.span) >= 2 || (!c.detail && touches))
            continue;
        columns.append(c.span);
    }
    std::sort(columns.begin(), columns.end(),
        [](const Span &a, const Span &b) { return a.left < b.left; });
    return columns;
}

// The column a text that is no column's own goes to: the one it starts in on paper (the later
// starting one where columns overlap), else the next one to its right, else the last.
int columnAt(const QList<Span> &columns, double x)
{
    int at = -1;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].left <= x + 0.5 && x < columns[i].right)
            at = i;
    if (at >= 0)
        return at;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].left > x)
            return i;
    return qMax(0, int(columns.size()) - 1);
}

// A money or count text as the number it shows: blanks around it and thousands separators
// allowed, nothing else. Codes and other texts never come here.
std::optional<double> figure(const QString &text, ReportValue value)
{
    static const QRegularExpression money(
        QStringLiteral("^[-+]?(\\d{1,3}(,\\d{3})+|\\d+)(\\.\\d+)?$"));
    static const QRegularExpression count(QStringLiteral("^[-+]?(\\d{1,3}(,\\d{3})+|\\d+)$"));
    const QString s = text.trimmed(); // also takes no-break spaces
    if (!(value == ReportValue::Money ? money : count).match(s).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = QString(s).remove(QLatin1Char(',')).toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

bool exportXls(const ReportDocument &document, const QString &fileName, QString *error)
{
    // Rows: texts whose tops lie within 30 twips of the row's first, page after page.
    QList<QList<PlacedText>> rows;
    for (const ReportPage &page : document.pages) {
        QList<PlacedText> texts = page.placedTexts();
        std::stable_sort(texts.begin(), texts.end(),
            [](const PlacedText &a, const PlacedText &b) { return a.rect.top() < b.rect.top(); });
        for (int i = 0; i < texts.size();) {
            int j = i + 1;
            while (j < texts.size() && texts[j].rect.top() - texts[i].rect.top() <= 30)
                ++j;
            rows.append(texts.mid(i, j - i));
            i = j;
        }
        if (rows.size() > XlsWriter::MaxRows)
            break; // beyond what a sheet holds: told below
    }
    const QList<Span> columns = columnsOf(rows);

    XlsWriter xls;
    for (int r = 0; r < rows.size() && r < XlsWriter::MaxRows; ++r) {
        // A text takes its column's cell; texts that no column owns go where they start. Two
        // texts in one column take neighbouring cells, in reading order.
        struct Placing
        {
            const PlacedText *text;
            int column;
            bool own;
        };
        QList<Placing> placing;
        for (const PlacedText &t : rows[r]) {
            const int own = matchingColumn(columns, { t.rect.left(), t.rect.right() });
            placing.append({ &t, own >= 0 ? own : columnAt(columns, t.start), own >= 0 });
        }
        std::stable_sort(placing.begin(), placing.end(), [](const Placing &a, const Placing &b) {
            if (a.own != b.own)
                return a.own;
            if (a.column != b.column)
                return a.column < b.column;
            return a.text->start < b.text->start;
        });
        QSet<int> taken;
        for (const Placing &p : placing) {
            int col = p.column;
            while (taken.contains(col))
                ++col;
            taken.insert(col);
            const PlacedText &t = *p.text;
            const std::optional<double> number
                = t.value == ReportValue::Text ? std::nullopt : figure(t.text, t.value);
            if (number)
                xls.setNumber(r, col, *number,
                    t.value == ReportValue::Money ? XlsWriter::NumberFormat::Money
                                                  : XlsWriter::NumberFormat::General);
            else
                xls.setCell(r, col, t.text);
        }
    }
    const QByteArray bytes = rows.size() > XlsWriter::MaxRows ? QByteArray() : xls.toBytes();
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("รายงานนี้มีข้อมูลเกินกว่าที่ไฟล์ Excel (.xls) หนึ่งแผ่นงานจะเก็บได้ "
                                    "(ไม่เกิน 65,536 แถว และ 256 คอลัมน์) กรุณาส่งออกเป็น PDF แทน");
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = SystemErrors::fileText(file);
        return false;
    }
    return true;
}

void ExportViewerPages(const ReportDocument &document, ExportKind kind, QWidget *parent)
{
    const bool pdf = kind == ExportKind::Pdf;
    const QString title
        = pdf ? QStringLiteral("เลือกตำแหน่งบันทึก PDF") : QStringLiteral("เลือกตำแหน่งบันทึก Excel");
    const QString filter = pdf ? QStringLiteral(".PDF (*.pdf)") : QStringLiteral(".xls (*.xls)");
    const QString proposed = Clock::now().toString(QStringLiteral("dd-MM-yy-HH-mm-ss"));
    const QString chosen = FileDialogService::getSaveFileName(parent, title, proposed, filter);
    if (chosen.isEmpty())
        return; // cancelled
    const QString fileName = chosen + (pdf ? QStringLiteral(".pdf") : QStringLiteral(".xls"));
    QString error;
    const bool ok
        = pdf ? exportPdf(document, fileName, &error) : exportXls(document, fileName, &error);
    if (!ok)
        MsgBox(QStringLiteral("บันทึกไฟล์ไม่สำเร็จ\n%1\n%2").arg(fileName, error), MsgButtons::Ok,
            MsgIcon::Warning, QStringLiteral("รายงานความผิดพลาด"), MsgResult::Ok, parent);
}

void ExportViewerPages(ReportViewer *viewer, ExportKind kind)
{
    if (!viewer)
        return;
    ExportViewerPages(viewer->document(), kind, viewer->window());
}
