// The label window on the generated shop: Enter in the code box (look-up, checks, sheet, store)
// for the usual 8 labels, Enter in the count box for the largest sheet the boxes allow (999
// labels from position 99: 1097 cells), and that sheet's PDF export. Prints p50 and p99.
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "labels/LabelWindow.h"
#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figures
{
    double p50, p99;
};

Figures measure(int runs, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[size_t(q * double(ms.size() - 1) + 0.5)]; };
    return { at(0.5), at(0.99) };
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/labels-bench-XXXXXX"));
    copySharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    if (!ShopDatabase::open())
        return 1;
    ScriptedMessageBoxes boxes;

    LabelWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    auto box = [&w](const char *name) { return w.findChild<QLineEdit *>(QLatin1String(name)); };
    QLineEdit *barcodeBox = box("barcodeBox");
    QLineEdit *labelCountBox = box("labelCountBox");
    const ReportViewer *sheetViewer = w.findChild<ReportViewer *>(QStringLiteral("sheetViewer"));
    // The delivered layout: a shop made from an older file still holds 5 a row 12 cm apart.
    box("labelsPerRowBox")->setText(QStringLiteral("4"));
    box("spacingRightBox")->setText(QStringLiteral("2.0"));
    int pk = 1;
    auto enter = [&](QLineEdit *box) {
        QTest::keyClick(box, Qt::Key_Return);
        w.repaint();
        QApplication::processEvents();
    };

    const Figures lookUp = measure(40, [&] {
        barcodeBox->setText(generatedProductCode(pk));
        pk = pk % 100000 + 997;
        enter(barcodeBox);
    });
    std::printf(
        "RESULT labels_lookup_preview labels=8 p50_ms=%.1f p99_ms=%.1f\n", lookUp.p50, lookUp.p99);

    box("firstPositionBox")->setText(QStringLiteral("99"));
    labelCountBox->setText(QStringLiteral("999"));
    const Figures big = measure(10, [&] { enter(labelCountBox); });
    const int pages = sheetViewer->document().pageCount();
    std::printf("RESULT labels_largest_sheet cells=1097 pages=%d p50_ms=%.1f p99_ms=%.1f\n", pages,
        big.p50, big.p99);

    const Figures pdf = measure(
        5, [&] { exportPdf(sheetViewer->document(), dir.filePath(QStringLiteral("sheet.pdf"))); });
    std::printf("RESULT labels_largest_sheet_pdf pages=%d p50_ms=%.1f p99_ms=%.1f bytes=%lld\n",
        pages, pdf.p50, pdf.p99, QFile(dir.filePath(QStringLiteral("sheet.pdf"))).size());
    if (boxes.count() != 0)
        std::printf("unexpected message: %s\n", qPrintable(boxes.last().text));
    ShopDatabase::close();
    return 0;
}
