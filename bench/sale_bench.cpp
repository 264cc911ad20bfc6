// The sale page on the generated shop, as the cashier waits for it, over 300 sales of ten
// different products each, every step through the page's keys:
// - each scan: the code typed into the code box and Enter, until the sale grid has repainted;
// - the payment: Left to the discount box, a discount in baht, Enter to the cash box, the cash
//   typed (the change shows), then F9; ask-before-saving is on as delivered, so the
//   confirmation comes and is answered Ok. Timed from F9 until the emptied page has repainted,
//   ready for the next sale, counting the commits of the save.
// The program folds its write-ahead log itself when it has sat idle for a while (its own timer;
// SQLite's automatic checkpoints are off), so a save never waits for it, but a key pressed
// while it runs does. That timer fires in the cashier's pause after each sale: the bench lets it
// fire there, unchanged (--real-pause waits its seconds; by default the pause is shortened to
// nothing), and times the fold on its own.
// The bare limit, right after each save on the same connection and disk: the same rows
// (receipt counter, discount, stock updates, movement rows and sale lines) written by hand with
// the SQLite C API in one transaction, committed as durably (WAL, synchronous=FULL); its log is
// folded by the same timer, timed the same way.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Currency.h"
#include "sale/SalePage.h"
#include "shell/MainFrame.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

namespace {

// A control of the sale page, by its name.
template <typename T> T *named(const QObject *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

constexpr int kSales = 300;
constexpr int kLines = 10;
const QString kConfirmText = QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การขายสินค้า ทั้งหมด !!");

// Times each run of the program's idle checkpoint timer: from its timer event until its
// timeout handlers are done (the program's handler was connected first).
class FoldWatch : public QObject
{
public:
    explicit FoldWatch(QTimer *timer)
    {
        timer->installEventFilter(this);
        connect(timer, &QTimer::timeout, this, [this] { lastMs = bench::msSince(m_clock); });
    }
    double lastMs = -1;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Timer)
            m_clock.start();
        return false;
    }

private:
    QElapsedTimer m_clock;
};

// A copy of the generated shop as the program folder, so saves leave the shared file alone.
struct Shop
{
    Shop()
    {
        copySharedShopInto(dir.path());
        for (const char *pic : { "NoPicture1.jpg", "NoPicture3.jpg", "PicError2.jpg" })
            QFile::copy(QStringLiteral(KASMO_DATA_SOURCE_DIR "/") + QString::fromLatin1(pic),
                dir.path() + QStringLiteral("/data/") + QString::fromLatin1(pic));
        ProgramFolder::setForTests(dir.path());
        if (!ShopDatabase::open())
            return;
        // As delivered: ask before saving; no cash drawer on this machine.
        ShopDatabase::connection().execute(
            QStringLiteral("UPDATE tblNumber SET numA = 1 WHERE nPK = 5"));
        ShopDatabase::connection().execute(
            QStringLiteral("UPDATE tblNumber SET numA = 0, numMon = '0' WHERE nPK = 6"));
        products = int(ShopDatabase::connection()
                           .scalar(QStringLiteral("SELECT max(PK) FROM tblProduct"))
                           .toLongLong());
        fold = std::make_unique<FoldWatch>(ShopDatabase::checkpointTimer());
        SignedInUser::name = QStringLiteral("Admin");
        SignedInUser::position = QStringLiteral("ผู้ดูแลระบบ");
        // The page in the program's frame at the frame's own starting size, opened by its tab.
        MainFrame::Windows w;
        w.salePage = [] { return WindowRegistry::instance<SalePage>(); };
        MainFrame::setWindows(w);
        frame = new MainFrame;
        frame->resize(1024, 720);
        frame->show();
        frame->activateWindow();
        if (!QTest::qWaitForWindowActive(frame))
            std::fprintf(stderr, "sale_bench: the frame did not become the active window\n");
        QTest::mouseClick(frame->findChild<QWidget *>(QStringLiteral("saleTab")), Qt::LeftButton);
        page = qobject_cast<SalePage *>(frame->activePage());
        if (!page)
            return;
        gridPaint
            = std::make_unique<bench::PaintWatch>(named<DataGrid>(page, "saleGrid")->viewport());
        statusPaint = std::make_unique<bench::PaintWatch>(named<QLabel>(page, "totalLabel"));
        QCoreApplication::processEvents();
    }
    ~Shop()
    {
        gridPaint.reset();
        statusPaint.reset();
        fold.reset();
        delete frame; // and the page in it
        ShopDatabase::close();
    }

    // Where the cashier's keys go: the control with the focus. A focus other than the one the
    // cashier expects there is counted and the keys go to the expected one.
    QWidget *keys(QWidget *expected)
    {
        QWidget *w = QApplication::focusWidget();
        if (w == expected)
            return w;
        ++focusMisses;
        return expected;
    }

    // The products of the sales: spread over the whole shop, ten different ones in each sale.
    int nextProduct()
    {
        last = (last + 7919) % products;
        return last + 1;
    }

    QTemporaryDir dir { QDir::currentPath() + QStringLiteral("/sale-bench-XXXXXX") };
    ScriptedMessageBoxes msgs;
    MainFrame *frame = nullptr;
    SalePage *page = nullptr;
    int products = 0;
    int last = 0;
    int focusMisses = 0;
    std::unique_ptr<bench::PaintWatch> gridPaint, statusPaint;
    std::unique_ptr<FoldWatch> fold;
};

// Lets the program's idle checkpoint timer fire, as it does in the pause after a sale; the
// fold's own time, -1 when no fold was due. A shortened pause leaves the timer's interval as
// the program set it for the next commit.
double idlePause(Shop &s, bool realPause)
{
    QTimer *timer = ShopDatabase::checkpointTimer();
    if (!timer->isActive())
        return -1;
    double total = 0;
    for (int tries = 0; timer->isActive() && tries < 50; ++tries) {
        s.fold->lastMs = -1;
        if (!realPause)
            timer->setInterval(0);
        while (s.fold->lastMs < 0)
            QCoreApplication::processEvents(
                realPause ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
        total += s.fold->lastMs;
    }
    timer->setInterval(ShopDatabase::IdleCheckpointMs);
    if (timer->isActive()) {
        timer->stop();
        std::fprintf(stderr, "sale_bench: the idle checkpoint never folded the whole log\n");
    }
    return total;
}

// The rows one save stored, read back as they are (all but their keys), and the sale's
// products with their quantities.
struct StoredRows
{
    struct Row
    {
        std::vector<sqlite3_value *> values;
    };
    std::vector<Row> lines, movements, discounts;
    std::vector<std::pair<qint64, qint64>> stock; // product key, quantity sold
    ~StoredRows() { clear(); }
    void clear()
    {
        for (auto *rows : { &lines, &movements, &discounts })
            for (Row &r : *rows)
                for (sqlite3_value *v : r.values)
                    sqlite3_value_free(v);
        lines.clear();
        movements.clear();
        discounts.clear();
        stock.clear();
    }
};

sqlite3_stmt *prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr) != SQLITE_OK)
        std::fprintf(stderr, "sale_bench: %s: %s\n", sql, sqlite3_errmsg(db));
    return s;
}

bool step(sqlite3 *db, sqlite3_stmt *s)
{
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sale_bench: %s: %s\n", sqlite3_sql(s), sqlite3_errmsg(db));
        return false;
    }
    return true;
}

// The same rows as a save, written by hand on the program's own connection (its cache, its
// settings: WAL, synchronous=FULL), statements prepared once.
class BareSave
{
public:
    explicit BareSave(sqlite3 *db)
        : m_db(db)
    {
        m_readLines = prepare(db,
            "SELECT Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Ldate, LUser, LTumnang, "
            "Ldate2, Lno, Lrod, Lsong, Lraka12 FROM tblLog WHERE Lno = ?1 ORDER BY LPK");
        m_readMovements = prepare(db,
            "SELECT dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, dValuenew, dUser, "
            "dMemo FROM tblLog2 WHERE dNo = ?1 ORDER BY PK");
        m_readDiscounts = prepare(
            db, "SELECT rMoney, rTime, rUser, rNo FROM tblRMoney WHERE rNo = ?1 ORDER BY PK");
        m_begin = prepare(db, "BEGIN IMMEDIATE");
        m_counter = prepare(db, "UPDATE tblNumber SET numA = numA + 1 WHERE nPK = 2");
        m_discount = prepare(
            db, "INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) VALUES (?1, ?2, ?3, ?4)");
        // Read and written by key: faster than one UPDATE ... RETURNING, which SQLite runs
        // through a trigger and a temporary table.
        m_stockRead = prepare(db, "SELECT PDvalue FROM tblProduct WHERE PK = ?1");
        m_stock = prepare(db, "UPDATE tblProduct SET PDvalue = ?1 WHERE PK = ?2");
        // The key SQLite gives a row without one is the largest plus one, as the program's.
        m_movement = prepare(db,
            "INSERT INTO tblLog2 (dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, "
            "dValuenew, dUser, dMemo) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
        m_line = prepare(db,
            "INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Ldate, LUser, "
            "LTumnang, Ldate2, Lno, Lrod, Lsong, Lraka12) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)");
        m_commit = prepare(db, "COMMIT");
    }
    ~BareSave()
    {
        for (sqlite3_stmt *s : { m_readLines, m_readMovements, m_readDiscounts, m_begin, m_counter,
                 m_discount, m_stockRead, m_stock, m_movement, m_line, m_commit })
            sqlite3_finalize(s);
    }

    // Reads what the save of `receiptNo` stored (not timed).
    void take(const QString &receiptNo, const Sale &sale)
    {
        m_rows.clear();
        const QByteArray no = receiptNo.toUtf8();
        read(m_readLines, no, m_rows.lines);
        read(m_readMovements, no, m_rows.movements);
        read(m_readDiscounts, no, m_rows.discounts);
        for (const SaleLine &l : sale.lines)
            m_rows.stock.emplace_back(l.productKey, l.quantity);
    }
    const StoredRows &rows() const { return m_rows; }

    // The durable commit of those rows again; its milliseconds, -1 when a statement failed.
    double commit()
    {
        QElapsedTimer t;
        t.start();
        bool ok = run(m_begin) && run(m_counter);
        for (const StoredRows::Row &r : m_rows.discounts)
            ok = ok && run(m_discount, r);
        for (size_t i = 0; ok && i < m_rows.stock.size(); ++i) {
            const auto [product, quantity] = m_rows.stock[i];
            sqlite3_bind_int64(m_stockRead, 1, product);
            ok = sqlite3_step(m_stockRead) == SQLITE_ROW;
            const qint64 before = sqlite3_column_int64(m_stockRead, 0);
            sqlite3_reset(m_stockRead);
            sqlite3_bind_int64(m_stock, 1, before - quantity);
            sqlite3_bind_int64(m_stock, 2, product);
            ok = ok && step(m_db, m_stock);
            sqlite3_reset(m_stock);
            if (!ok || i >= m_rows.movements.size())
                break;
            // The movement row as stored, with this commit's stock before and after.
            const StoredRows::Row &m = m_rows.movements[i];
            for (int c = 0; c < int(m.values.size()); ++c)
                sqlite3_bind_value(m_movement, c + 1, m.values[size_t(c)]);
            sqlite3_bind_int64(m_movement, 7, before);
            sqlite3_bind_int64(m_movement, 9, before - quantity);
            ok = step(m_db, m_movement);
            sqlite3_reset(m_movement);
        }
        for (const StoredRows::Row &r : m_rows.lines)
            ok = ok && run(m_line, r);
        ok = ok && run(m_commit);
        const double ms = bench::msSince(t);
        if (!ok && sqlite3_get_autocommit(m_db) == 0)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return ok ? ms : -1;
    }

private:
    void read(sqlite3_stmt *s, const QByteArray &no, std::vector<StoredRows::Row> &out)
    {
        sqlite3_bind_text(s, 1, no.constData(), int(no.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(s) == SQLITE_ROW) {
            StoredRows::Row r;
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                r.values.push_back(sqlite3_value_dup(sqlite3_column_value(s, c)));
            out.push_back(std::move(r));
        }
        sqlite3_reset(s);
    }
    bool run(sqlite3_stmt *s, const StoredRows::Row &r = {})
    {
        for (int c = 0; c < int(r.values.size()); ++c)
            sqlite3_bind_value(s, c + 1, r.values[size_t(c)]);
        const bool ok = step(m_db, s);
        sqlite3_reset(s);
        return ok;
    }

    sqlite3 *m_db;
    StoredRows m_rows;
    sqlite3_stmt *m_readLines, *m_readMovements, *m_readDiscounts, *m_begin, *m_counter,
        *m_discount, *m_stockRead, *m_stock, *m_movement, *m_line, *m_commit;
};

struct Figures
{
    bench::Samples scans; // Enter until the grid has repainted
    bench::Samples saves; // F9 until the emptied page has repainted
    bench::Samples savesStored; // F9 until the key has been handled (stored, page emptied)
    bench::Samples folds; // the program's idle checkpoint after each save
    bench::Samples bare, bareFolds;
    qint64 commits = 0;
    qint64 walFrames = 0; // log frames each save wrote
    int linesWithoutScrolling = 0; // the sale grid's lines before it scrolls
    int saved = 0; // sales whose page and stored rows were as expected
    int scanUnpainted = 0, saveUnpainted = 0, wrongChange = 0, bareFailed = 0;
};

void scan(Shop &s, Figures &f, int pk)
{
    QWidget *box = s.keys(named<QLineEdit>(s.page, "codeBox"));
    QTest::keyClicks(box, generatedProductCode(pk)); // the scanner types the code
    QCoreApplication::processEvents();
    s.gridPaint->arm();
    QElapsedTimer t;
    t.start();
    QTest::keyClick(box, Qt::Key_Return);
    const bool painted = s.gridPaint->wait();
    f.scans.add(bench::msSince(t));
    if (!painted)
        ++f.scanUnpainted;
}

// Discount and cash as the cashier keys them in; true when the change shown is right.
bool pay(Shop &s)
{
    SalePage *p = s.page;
    QTest::keyClick(s.keys(named<QLineEdit>(p, "codeBox")), Qt::Key_Left); // to the discount box
    QTest::keyClicks(s.keys(named<QLineEdit>(p, "discountBox")), QStringLiteral("5"));
    QTest::keyClick(s.keys(named<QLineEdit>(p, "discountBox")), Qt::Key_Return); // to the cash box
    const Currency net = Currency::fromText(named<QLabel>(p, "netLabel")->text());
    const qint64 cash = (net.units() / 10000 / 100 + 1) * 100;
    QTest::keyClicks(s.keys(named<QLineEdit>(p, "cashBox")), QString::number(cash));
    QCoreApplication::processEvents();
    return named<QLabel>(p, "changeLabel")->text() == (Currency::fromWhole(cash) - net).format();
}

void runSales(Shop &s, Figures &f, bool realPause)
{
    Connection &c = ShopDatabase::connection();
    BareSave bare(c.handle());
    SalePage *p = s.page;
    for (int n = 0; n < kSales; ++n) {
        for (int i = 0; i < kLines; ++i) {
            scan(s, f, s.nextProduct());
            if (n == 0 && named<DataGrid>(p, "saleGrid")->verticalScrollBar()->maximum() == 0)
                f.linesWithoutScrolling = i + 1;
        }
        if (!pay(s))
            ++f.wrongChange;
        const Sale sale = p->sale();
        const qint64 commitsBefore = c.commitCount();
        s.msgs.answer(MsgResult::Ok); // the confirmation before the save
        s.gridPaint->arm();
        s.statusPaint->arm();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(s.keys(named<QLineEdit>(p, "cashBox")), Qt::Key_F9);
        f.savesStored.add(bench::msSince(t));
        const bool painted = s.gridPaint->wait() && s.statusPaint->wait();
        f.saves.add(bench::msSince(t));
        if (!painted)
            ++f.saveUnpainted;
        f.commits += c.commitCount() - commitsBefore;
        f.walFrames += c.walFrames();

        // The cashier's pause: the program's own housekeeping.
        const double fold = idlePause(s, realPause);
        if (fold >= 0)
            f.folds.add(fold);

        const QString receiptNo = named<QLineEdit>(p, "receiptNumberBox")->text();
        bare.take(receiptNo, sale);
        if (sale.lines.size() == kLines && named<DataGrid>(p, "saleGrid")->maxRows() == 0
            && named<QLabel>(p, "totalLabel")->text() == QStringLiteral("บันทึกแล้ว")
            && bare.rows().lines.size() == kLines && bare.rows().movements.size() == kLines
            && bare.rows().discounts.size() == 1)
            ++f.saved;

        const double ms = bare.commit();
        if (ms < 0)
            ++f.bareFailed;
        else
            f.bare.add(ms);
        const double bareFold = idlePause(s, realPause);
        if (bareFold >= 0)
            f.bareFolds.add(bareFold);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    bool realPause = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--real-pause") {
            realPause = true;
        } else {
            std::fprintf(stderr,
                "usage: sale_bench [--scale=N | --shop=FILE] [--real-pause]\n"
                "  --real-pause: after each save wait the program's idle interval for its "
                "checkpoint (%d ms) instead of firing it at once\n",
                ShopDatabase::IdleCheckpointMs);
            return 2;
        }
    }
    QApplication app(argc, argv);
    auto *shop = new Shop;
    if (!ShopDatabase::connection().isOpen() || !shop->page || shop->products < kLines) {
        std::fprintf(stderr, "sale_bench: the shop did not open\n");
        return 1;
    }
    Figures f;
    runSales(*shop, f, realPause);
    int otherBoxes = 0;
    for (const MessageRequest &m : shop->msgs.shown)
        if (m.text != kConfirmText)
            ++otherBoxes;
    const int confirmations = shop->msgs.count() - otherBoxes;
    const int unusedAnswers = int(shop->msgs.answers.size());
    const int focusMisses = shop->focusMisses;
    const int products = shop->products;
    delete shop;

    const double commitsPerSave = double(f.commits) / kSales;
    std::printf("sale_bench: the sale page on a shop of %d products, %d sales of %d lines each "
                "(the grid shows %d before it scrolls)%s\n",
        products, kSales, kLines, f.linesWithoutScrolling, realPause ? ", real idle pauses" : "");
    std::printf("  scan until the grid has repainted: p50 %.3f ms  p99 %.3f ms (%zu scans)\n",
        f.scans.p50(), f.scans.p99(), f.scans.ms.size());
    std::printf("  save (F9) until the emptied page has repainted: p50 %.3f ms  p99 %.3f ms; "
                "until the key was handled p50 %.3f ms  p99 %.3f ms\n",
        f.saves.p50(), f.saves.p99(), f.savesStored.p50(), f.savesStored.p99());
    std::printf("  bare commit of the same rows by hand: p50 %.3f ms  p99 %.3f ms\n", f.bare.p50(),
        f.bare.p99());
    std::printf("  save / bare: p50 %.2f  p99 %.2f; %.2f commits and %.1f log frames a save\n",
        f.saves.p50() / f.bare.p50(), f.saves.p99() / f.bare.p99(), commitsPerSave,
        double(f.walFrames) / kSales);
    std::printf("  the program's idle checkpoint after a save (a key pressed meanwhile waits for "
                "it): p50 %.3f ms  p99 %.3f ms (%zu runs); after the bare commit p50 %.3f ms  "
                "p99 %.3f ms\n",
        f.folds.p50(), f.folds.p99(), f.folds.ms.size(), f.bareFolds.p50(), f.bareFolds.p99());
    const bool fine = f.saved == kSales && f.scanUnpainted == 0 && f.saveUnpainted == 0
        && f.wrongChange == 0 && f.bareFailed == 0 && otherBoxes == 0 && confirmations == kSales
        && unusedAnswers == 0 && focusMisses == 0;
    if (!fine)
        std::printf("  WARNING: %d of %d sales saved as expected; unpainted scans %d, saves %d; "
                    "wrong change %d; bare failures %d; confirmations %d, other boxes %d, unused "
                    "answers %d; keys that found another focus %d\n",
            f.saved, kSales, f.scanUnpainted, f.saveUnpainted, f.wrongChange, f.bareFailed,
            confirmations, otherBoxes, unusedAnswers, focusMisses);
    std::printf("RESULT scan_with_paint_ms p50=%.3f p99=%.3f\n", f.scans.p50(), f.scans.p99());
    std::printf("RESULT save10_ms p50=%.3f p99=%.3f commits_per_save=%g bare_ms=%.3f "
                "bare_p99=%.3f\n",
        f.saves.p50(), f.saves.p99(), commitsPerSave, f.bare.p50(), f.bare.p99());
    std::printf("RESULT idle_checkpoint_ms p50=%.3f p99=%.3f bare_p50=%.3f bare_p99=%.3f\n",
        f.folds.p50(), f.folds.p99(), f.bareFolds.p50(), f.bareFolds.p99());
    return fine ? 0 : 1;
}
