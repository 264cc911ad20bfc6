#pragma once
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
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

// The cells of the first sheet, row by row, as xlrd reads them (empty cells left out).
inline QList<QStringList> xlsRows(const QString &file)
{
    const QString script = QStringLiteral("import sys, json, xlrd\n"
                                          "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                          "print(json.dumps([[c.value for c in s.row(r) if c.value "
                                          "!= ''] for r in range(s.nrows)]))\n");
    const QString out = runTool(QStringLiteral("/usr/bin/python3"), { "-c", script, file });
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(out.toUtf8()).array()) {
        QStringList cells;
        for (const QJsonValue &c : row.toArray())
            cells << c.toString();
        rows << cells;
    }
    return rows;
}
