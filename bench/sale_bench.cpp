// The sale page on the generated shop: Enter in the code box to the updated totals, and saving
// one-line and ten-line sales with durable commits (WAL, synchronous=FULL).
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "sale/Form3.h"
#include "shell/MLogin.h"
#include "shell/Module1.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {
// A copy of the generated shop as the program folder, so saves leave the shared file alone.
struct Shop
{
    Shop()
    {
        const QString src = sharedShopDatabase();
        {
            Connection c; // folds any WAL into the file before it is copied
            c.open(src);
            c.executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
        }
        QDir(dir.path()).mkpath(QStringLiteral("data/pic"));
        QFile::copy(src, dir.path() + QStringLiteral("/data/Ksmdata.db"));
        for (const char *pic : { "NoPicture1.jpg", "NoPicture3.jpg", "PicError2.jpg" })
            QFile::copy(QStringLiteral(KASMO_DATA_SOURCE_DIR "/") + QString::fromLatin1(pic),
                dir.path() + QStringLiteral("/data/") + QString::fromLatin1(pic));
        ProgramFolder::setForTests(dir.path());
        Module1::OpenDatabase();
        Module1::Conn().execute(
            QStringLiteral("UPDATE tblNumber SET numA = 0 WHERE nPK IN (5, 6)"));
        MLogin::LoginUID = QStringLiteral("Admin");
        MLogin::LoginTumnang = QStringLiteral("ผู้ดูแลระบบ");
        page = new Form3;
        page->resize(1024, 700);
        page->show();
    }
    void scan(int pk)
    {
        page->txtSearchProduct->setText(generatedProductCode(pk));
        QTest::keyClick(page->txtSearchProduct, Qt::Key_Return);
    }
    QTemporaryDir dir { QDir::currentPath() + QStringLiteral("/sale-bench-XXXXXX") };
    ScriptedMessageBoxes msgs;
    Form3 *page = nullptr;
};

Shop &shop()
{
    static Shop s;
    return s;
}

int nextProduct()
{
    static int pk = 1;
    pk = pk % 100000 + 7919;
    return pk % 100000 + 1;
}
} // namespace

// Enter in the code box until the totals show the new line; a sale of up to 20 lines, a
// quarter of the scans raising a line already on the sale.
static void ScanToTotals(benchmark::State &state)
{
    Shop &s = shop();
    int n = 0, last = 1;
    for (auto _ : state) {
        if (n % 20 == 0) {
            state.PauseTiming();
            s.page->Combo2_Click(); // a new sale
            state.ResumeTiming();
        }
        const int pk = (n % 4 == 3) ? last : nextProduct();
        s.scan(pk);
        last = pk;
        ++n;
        benchmark::DoNotOptimize(s.page->Label16->text());
    }
    if (s.msgs.count())
        state.SkipWithError("a message box was shown");
    s.page->Combo2_Click();
}
BENCHMARK(ScanToTotals)->Unit(benchmark::kMillisecond);

// F9 on a sale of `lines` lines: the whole save, committed to disk.
static void SaveSale(benchmark::State &state)
{
    Shop &s = shop();
    const int lines = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < lines; ++i)
            s.scan(nextProduct());
        state.ResumeTiming();
        QTest::keyClick(s.page->txtSearchProduct, Qt::Key_F9);
        benchmark::DoNotOptimize(s.page->Label6->text());
    }
    if (s.msgs.count() || s.page->Label6->text() != QStringLiteral("บันทึกแล้ว"))
        state.SkipWithError("the sale was not saved");
}
BENCHMARK(SaveSale)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    delete shop().page;
    Module1::CloseDatabase();
    return 0;
}
