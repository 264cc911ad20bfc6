// Goods received on the generated shop, as the person at the stock page waits for it: each Enter
// in the code box until the line and the total are painted (every tenth scan raises a line
// already there), and F9 on a 300-line document until the
// window has closed with everything committed to disk (WAL, synchronous=FULL). Ten documents are
// saved into a copy of the shop, so the shared file stays as it was.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include "stock/GoodsReceivedWindow.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/stock-update-bench-XXXXXX"));
    copySharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    ShopDatabase::open();
    SignedInUser::name = QStringLiteral("Admin");
    ScriptedMessageBoxes boxes; // every confirmation answered with its default, OK

    const int documents = 10, lines = 300;
    std::vector<double> scans, saves;
    int stride = 0;
    for (int d = 0; d < documents; ++d) {
        QPointer<GoodsReceivedWindow> w = WindowRegistry::instance<GoodsReceivedWindow>();
        bool saved = false;
        QObject::connect(w, &QDialog::accepted, [&saved] { saved = true; });
        auto *grid = w->findChild<DataGrid *>(QStringLiteral("lineGrid"));
        auto *codeBox = w->findChild<QLineEdit *>(QStringLiteral("codeBox"));
        w->resize(1024, 700);
        w->show();
        for (int i = 0; grid->maxRows() < lines; ++i) {
            // Spread over the shop; every tenth scan raises a line already on the document.
            if (i % 10 != 9)
                stride = (stride + 7919) % 100000;
            codeBox->setText(generatedProductCode(stride + 1));
            QElapsedTimer t;
            t.start();
            QTest::keyClick(codeBox, Qt::Key_Return);
            w->repaint();
            QCoreApplication::processEvents();
            scans.push_back(t.nsecsElapsed() / 1e6);
        }
        const int rows = grid->maxRows();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(codeBox, Qt::Key_F9);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        saves.push_back(t.nsecsElapsed() / 1e6);
        if (w || boxes.count() != d + 1 || !saved) {
            std::fprintf(stderr, "document %d was not saved\n", d + 1);
            return 1;
        }
        std::printf("document %d: %d lines saved in %.1f ms\n", d + 1, rows, saves.back());
    }
    const qint64 moved
        = ShopDatabase::connection()
              .scalar(QStringLiteral("SELECT count(*) FROM tblLog2 WHERE dType = 1 AND "
                                     "dNo LIKE 'SA-%'"))
              .toLongLong();
    std::printf("RESULT stock_update_scan lines=%zu p50_ms=%.2f p99_ms=%.2f\n", scans.size(),
        bench::percentileOf(scans, 0.5), bench::percentileOf(scans, 0.99));
    std::printf("RESULT stock_update_save lines=%d documents=%d p50_ms=%.1f p99_ms=%.1f "
                "max_ms=%.1f type1_rows=%lld peak_mb=%.0f\n",
        lines, documents, bench::percentileOf(saves, 0.5), bench::percentileOf(saves, 0.99),
        *std::max_element(saves.begin(), saves.end()), moved, bench::peakMegabytes());
    ShopDatabase::close();
    return 0;
}
