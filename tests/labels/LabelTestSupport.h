#pragma once
#include "labels/LabelSheetLayout.h"
#include "platform/report/ReportDocument.h"

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The set-up the label window shows with the delivered layout, for the barcode value given.
inline LabelSheetSetup deliveredSetup(const QString &value = QStringLiteral("PD-670000001"))
{
    LabelSheetSetup s;
    s.paperWidth = QStringLiteral("21.0");
    s.paperLength = QStringLiteral("29.7");
    s.topMargin = QStringLiteral("1.0");
    s.bottomMargin = QStringLiteral("0.1");
    s.leftMargin = QStringLiteral("1.0");
    s.rightMargin = QStringLiteral("1.0");
    s.barLength = QStringLiteral("1.5");
    s.barThickness = QStringLiteral("1");
    s.labelsPerRow = QStringLiteral("4");
    s.spacingRight = QStringLiteral("2.0");
    s.spacingDown = QStringLiteral("3.0");
    s.labelCount = QStringLiteral("8");
    s.barcodeFontSize = QStringLiteral("14");
    s.line1FontSize = QStringLiteral("13");
    s.line2FontSize = QStringLiteral("13");
    s.firstPosition = QStringLiteral("1");
    s.value = value;
    s.line1 = QStringLiteral("น้ำดื่ม ตราช้าง");
    s.line2 = QStringLiteral("ราคา 1,250.00 บาท");
    return s;
}

// The drawing steps of one kind on every page, in the order they were laid out.
inline QList<DrawOp> opsOf(const ReportDocument &doc, DrawOp::Kind kind, const QString &text = {})
{
    QList<DrawOp> out;
    for (const ReportPage &p : doc.pages)
        for (const DrawOp &op : p.ops)
            if (op.kind == kind && (text.isNull() || op.text == text))
                out << op;
    return out;
}

// Readable texts in test failures.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline QString runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What zbarimg reads from each label's barcode on a rendered page, one "TYPE:value" per label
// in laying-out order ("" for a label it cannot read). Each label is cut out with some white
// around it and scanned on its own: zbar reports equal symbols of one picture only once.
inline QStringList scanLabels(const QImage &page, const ReportDocument &doc, int pageIndex = 0)
{
    QTemporaryDir dir;
    const double scale = page.width() / doc.paperSize.width(); // pixels per twip
    QStringList files;
    for (const DrawOp &op : doc.pages.value(pageIndex).ops) {
        if (op.kind != DrawOp::Barcode)
            continue;
        const QRectF r = op.rect.adjusted(-150, -100, 150, 100);
        const QImage cut = page.copy(QRectF(r.topLeft() * scale, r.size() * scale).toRect());
        files << dir.filePath(QStringLiteral("label%1.png").arg(files.size()));
        cut.save(files.last());
    }
    QStringList found;
    for (const QString &f : files) {
        const QString out = runTool(QStringLiteral("zbarimg"), { QStringLiteral("-q"), f });
        found << out.trimmed();
    }
    return found;
}
