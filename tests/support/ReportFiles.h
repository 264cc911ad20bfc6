#pragma once
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Reading exported reports back with the real readers (poppler-utils, python3-xlrd).

inline QString runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfInfo
{
    int pages = 0;
    double width = 0, height = 0; // points
};

inline PdfInfo pdfInfo(const QString &file)
{
    PdfInfo info;
    const QString out = runTool(QStringLiteral("pdfinfo"), { file });
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    const auto size
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    if (size.hasMatch()) {
        info.width = size.captured(1).toDouble();
        info.height = size.captured(2).toDouble();
    }
    return info;
}

// One cell of an .xls sheet as xlrd reads it.
struct XlsCell
{
    enum Type { Empty, Text, Number, Other };
    Type type = Empty;
    QString text; // Text
    double number = 0; // Number
    QString format; // the number format's code ("General", "#,##0.00")

    // What a spreadsheet shows: texts as they are, numbers in their format.
    QString shown() const
    {
        if (type != Number)
            return text;
        if (format == QStringLiteral("#,##0.00")) {
            QLocale c = QLocale::c();
            c.setNumberOptions(QLocale::DefaultNumberOptions);
            return c.toString(number, 'f', 2);
        }
        return number == qRound64(number) ? QString::number(qRound64(number))
                                          : QString::number(number);
    }
};

// The cells of the first sheet, every row and every column up to its last cell.
inline QList<QList<XlsCell>> xlsSheet(const QString &file)
{
    const QString script
        = QStringLiteral("import sys, json, xlrd\n"
                         "b = xlrd.open_workbook(sys.argv[1], formatting_info=True)\n"
                         "s = b.sheet_by_index(0)\n"
                         "def fmt(c):\n"
                         "    return b.format_map[b.xf_list[c.xf_index].format_key].format_str\n"
                         "print(json.dumps([[[c.ctype, c.value, fmt(c)] for c in s.row(r)] "
                         "for r in range(s.nrows)]))\n");
    const QString out = runTool(QStringLiteral("/usr/bin/python3"), { "-c", script, file });
    QList<QList<XlsCell>> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(out.toUtf8()).array()) {
        QList<XlsCell> cells;
        for (const QJsonValue &v : row.toArray()) {
            const QJsonArray c = v.toArray();
            XlsCell cell;
            switch (c.at(0).toInt()) {
            case 0:
            case 6: // blank
                break;
            case 1:
                cell.type = XlsCell::Text;
                cell.text = c.at(1).toString();
                break;
            case 2:
                cell.type = XlsCell::Number;
                cell.number = c.at(1).toDouble();
                break;
            default:
                cell.type = XlsCell::Other;
                break;
            }
            cell.format = c.at(2).toString();
            cells << cell;
        }
        rows << cells;
    }
    return rows;
}

// The cells of the first sheet, row by row, as a spreadsheet shows them (empty cells left out).
inline QList<QStringList> xlsRows(const QString &file)
{
    QList<QStringList> rows;
    for (const QList<XlsCell> &row : xlsSheet(file)) {
        QStringList cells;
        for (const XlsCell &c : row)
            if (c.type != XlsCell::Empty && !c.shown().isEmpty())
                cells << c.shown();
        rows << cells;
    }
    return rows;
}

inline XlsCell xlsText(const QString &text)
{
    XlsCell c;
    c.type = XlsCell::Text;
    c.text = text;
    return c;
}
inline XlsCell xlsMoney(double value)
{
    XlsCell c;
    c.type = XlsCell::Number;
    c.number = value;
    c.format = QStringLiteral("#,##0.00");
    return c;
}
inline XlsCell xlsCount(double value)
{
    XlsCell c;
    c.type = XlsCell::Number;
    c.number = value;
    c.format = QStringLiteral("General");
    return c;
}

inline QString describe(const XlsCell &c)
{
    switch (c.type) {
    case XlsCell::Empty:
        return QStringLiteral("nothing");
    case XlsCell::Text:
        return QStringLiteral("text '%1'").arg(c.text);
    case XlsCell::Number:
        return QStringLiteral("number %1 (%2)").arg(c.number, 0, 'f', 4).arg(c.format);
    default:
        return QStringLiteral("another kind of cell");
    }
}

inline bool sameCell(const XlsCell &a, const XlsCell &b)
{
    if (a.type != b.type)
        return false;
    if (a.type == XlsCell::Text)
        return a.text == b.text;
    if (a.type == XlsCell::Number)
        return a.number == b.number && a.format == b.format;
    return true;
}

// One row of a report as its sheet should hold it.
struct ExpectedRow
{
    QList<XlsCell> under; // one per heading, in the headings' order; Empty: nothing there
    QStringList across = {}; // texts that run over several columns: anywhere else in the row
};

// Compares an exported sheet with the report's rows: each page's heading row names the columns
// (the same ones on every page, in the printed order); the rows are found in turn by their first
// cell, each cell under its own heading, and nothing else in the row but the texts that run
// across. Returns what differs, empty when the sheet holds the report as printed.
inline QStringList compareSheet(const QList<QList<XlsCell>> &sheet, const QStringList &headings,
    const QList<ExpectedRow> &rows, int pages)
{
    QStringList diff;
    auto cellAt = [&](int r, int c) { return c >= 0 ? sheet[r].value(c) : XlsCell(); };
    QList<int> columns;
    int headingRows = 0, firstHeadingRow = -1;
    for (int r = 0; r < sheet.size(); ++r) {
        QList<int> found;
        for (const QString &h : headings) {
            int at = -1;
            for (int c = 0; c < sheet[r].size(); ++c)
                if (sameCell(sheet[r][c], xlsText(h)))
                    at = c;
            found << at;
        }
        if (found.contains(-1))
            continue;
        ++headingRows;
        if (columns.isEmpty()) {
            columns = found;
            firstHeadingRow = r;
            for (int i = 1; i < columns.size(); ++i)
                if (columns[i] <= columns[i - 1])
                    diff << QStringLiteral("heading '%1' stands left of '%2'")
                                .arg(headings[i], headings[i - 1]);
        } else if (found != columns) {
            diff << QStringLiteral("the headings of row %1 stand in other columns").arg(r);
        }
    }
    if (headingRows != pages)
        diff << QStringLiteral("%1 heading rows for %2 pages").arg(headingRows).arg(pages);
    if (columns.isEmpty())
        return diff;

    int k = 0;
    for (int r = firstHeadingRow + 1; r < sheet.size() && k < rows.size(); ++r) {
        const ExpectedRow &want = rows[k];
        if (!sameCell(cellAt(r, columns[0]), want.under.value(0)))
            continue;
        QStringList across = want.across;
        for (int c = 0; c < qMax(int(sheet[r].size()), int(columns.constLast()) + 1); ++c) {
            const int h = int(columns.indexOf(c));
            const XlsCell wanted = h >= 0 ? want.under.value(h) : XlsCell();
            const XlsCell got = cellAt(r, c);
            if (wanted.type == XlsCell::Empty && got.type == XlsCell::Text
                && across.removeOne(got.text))
                continue;
            if (!sameCell(got, wanted))
                diff << QStringLiteral("row %1 (%2), column %3 under '%4': %5, wanted %6")
                            .arg(r)
                            .arg(k)
                            .arg(c)
                            .arg(h >= 0 ? headings[h] : QStringLiteral("no heading"))
                            .arg(describe(got), describe(wanted));
        }
        for (const QString &t : across)
            diff << QStringLiteral("row %1 (%2) lacks '%3'").arg(r).arg(k).arg(t);
        ++k;
    }
    if (k < rows.size())
        diff << QStringLiteral("%1 of %2 rows found; not found: %3")
                    .arg(k)
                    .arg(rows.size())
                    .arg(describe(rows[k].under.value(0)));
    return diff.mid(0, 30);
}
