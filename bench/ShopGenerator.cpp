#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "records/Formats.h"
#include "shell/PasswordHash.h"
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <random>
#include <sqlite3.h>
#include <tuple>
#include <vector>

namespace {
const char *kThaiWords[] = { "น้ำดื่ม", "ขนมปัง", "นมสด", "กาแฟ", "ชาเขียว", "สบู่", "ยาสีฟัน", "แชมพู",
    "ข้าวสาร", "น้ำตาล", "น้ำปลา", "ซีอิ๊ว", "บะหมี่", "ปลากระป๋อง", "ไข่ไก่", "ผงซักฟอก", "ทิชชู่", "ถ่านไฟฉาย",
    "เทียน", "ไม้ขีด" };
const char *kLatinWords[] = { "Cola", "Crisps", "Soda", "Biscuit", "Wafer", "Gum", "Candy", "Juice",
    "Noodle", "Coffee", "Tea", "Milk", "Soap", "Shampoo", "Battery" };
const char *kSizes[] = { "", "เล็ก", "กลาง", "ใหญ่", "600 มล.", "1 ลิตร", "ซอง", "แพ็ค 6" };
const char *kUnits[] = { "ชิ้น", "ขวด", "ห่อ", "กล่อง", "ซอง", "แพ็ค", "โหล", "กระป๋อง", "ถุง", "แผง" };
const char *kUsers[] = { "ADMIN", "SOMCHAI", "MALI" };

struct Stmt
{
    sqlite3_stmt *s = nullptr;
    Stmt(sqlite3 *db, const char *sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Stmt() { sqlite3_finalize(s); }
    Stmt &i(int n, qint64 v)
    {
        sqlite3_bind_int64(s, n, v);
        return *this;
    }
    Stmt &d(int n, double v)
    {
        sqlite3_bind_double(s, n, v);
        return *this;
    }
    Stmt &t(int n, const QByteArray &v)
    {
        sqlite3_bind_text(s, n, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    void run(sqlite3 *db)
    {
        if (sqlite3_step(s) != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(s);
    }
};

struct Prod
{
    QByteArray sn, name, des, unit;
    double sell, cost, song;
    int numSong;
    qint64 stock;
};
} // namespace

QString generatedProductCode(int pk)
{
    return QStringLiteral("885%1").arg(pk * 7919LL % 10000000000LL, 10, 10, QLatin1Char('0'));
}

double generateShop(const QString &path, const ShopSize &size)
{
    QElapsedTimer timer;
    timer.start();
    const QString data = QStringLiteral(KASMO_DATA_SOURCE_DIR);
    Connection::createFromScripts(
        path, { data + QStringLiteral("/schema.sql"), data + QStringLiteral("/seed.sql") });
    upgradeDatabase(path, data + QStringLiteral("/upgrade"), kSchemaVersion, false);
    Connection c;
    c.open(path);
    sqlite3 *db = c.handle();
    c.executeScript(QStringLiteral("PRAGMA synchronous=OFF; BEGIN;"));
    // The shop's other two sellers can sign in too (their password is their name).
    for (const auto &[pk, uid, position] :
        { std::tuple(2, "somchai", "แคชเชียร์"), std::tuple(3, "mali", "แคชเชียร์") })
        c.execute(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang, ULv1, ULv2, ULv3) "
                                 "VALUES (?, ?, ?, ?, 1, 1, 1)"),
            { pk, QString::fromLatin1(uid), PasswordHash::make(QString::fromLatin1(uid)),
                QString::fromUtf8(position) });
    std::mt19937 rng(size.seed);
    auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    {
        Stmt nub(db, "INSERT INTO tblNub (nPK, nName) VALUES (?,?)");
        for (int k = 0; k < 10; ++k)
            nub.i(1, k + 1).t(2, kUnits[k]).run(db);
        Stmt grp(db, "INSERT INTO tblGroup (gPK, gName) VALUES (?,?)");
        for (int k = 1; k <= 20; ++k)
            grp.i(1, k).t(2, QStringLiteral("หมวด %1").arg(k).toUtf8()).run(db);
        Stmt geb(db, "INSERT INTO tblGeb (gePK, geName) VALUES (?,?)");
        for (int k = 1; k <= 10; ++k)
            geb.i(1, k).t(2, QStringLiteral("ชั้น %1").arg(k).toUtf8()).run(db);
    }

    std::vector<Prod> products(size.products + 1);
    {
        Stmt ins(db,
            "INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, PDerror, PDsell, Praka1,"
            " Praka2, PDraka, PSong, PNumSong, PRakaSong, PAuto, PDpic, NubFK, GroupFK, GebFK)"
            " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,0,'',?,?,?)");
        for (int pk = 1; pk <= size.products; ++pk) {
            Prod &p = products[pk];
            p.sn = generatedProductCode(pk).toUtf8();
            const bool thai = rnd(0, 3) != 0;
            QString name = thai ? QString::fromUtf8(kThaiWords[rnd(0, 19)])
                                : QString::fromUtf8(kLatinWords[rnd(0, 14)]);
            name += QStringLiteral(" %1 %2").arg(QString::fromUtf8(kSizes[rnd(0, 7)])).arg(pk);
            p.name = name.toUtf8();
            p.des = QStringLiteral("รุ่น %1").arg(rnd(1, 999)).toUtf8();
            const int unit = rnd(1, 10);
            p.unit = kUnits[unit - 1];
            p.cost = rnd(100, 50000) / 100.0;
            p.sell = int(p.cost * 1.25 * 4) / 4.0 + 0.25;
            const bool song = rnd(0, 9) == 0;
            p.numSong = song ? rnd(3, 12) : 0;
            p.song = song ? int(p.sell * 0.9 * 4) / 4.0 : 0;
            p.stock = rnd(0, 500);
            ins.i(1, pk)
                .t(2, p.sn)
                .t(3, p.name)
                .t(4, p.des)
                .i(5, p.stock)
                .i(6, 5)
                .d(7, p.sell)
                .d(8, p.sell * 0.95)
                .d(9, p.sell * 0.9)
                .d(10, p.cost)
                .i(11, song ? 1 : 0);
            if (song)
                ins.i(12, p.numSong);
            else
                sqlite3_bind_null(ins.s, 12);
            ins.d(13, p.song).i(14, unit).i(15, rnd(1, 20)).i(16, rnd(1, 10)).run(db);
        }
    }

    Stmt line(db,
        "INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Ldate, LUser, LTumnang,"
        " Ldate2, Lno, Lrod, Lsong, Lraka12) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)");
    Stmt move(db,
        "INSERT INTO tblLog2 (PK, dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue,"
        " dValuenew, dUser, dMemo) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    Stmt disc(db, "INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) VALUES (?,?,?,?)");
    qint64 movePK = 0;
    auto movement = [&](int type, Prod &p, const QByteArray &when, const QByteArray &no, int qty,
                        const char *user, const QByteArray &memo) {
        const qint64 before = p.stock;
        p.stock += (type == 2 ? -qty : qty);
        move.i(1, ++movePK)
            .i(2, type)
            .t(3, p.sn)
            .t(4, p.name.trimmed())
            .t(5, p.des)
            .t(6, when)
            .t(7, no)
            .i(8, before)
            .i(9, qty)
            .i(10, p.stock)
            .t(11, user)
            .t(12, memo)
            .run(db);
    };

    // Sales spread evenly over the 365 days that end on lastDay, in time order.
    const QDate first = size.lastDay.addDays(-364);
    int lines = 0, month = -1, counter = 0;
    std::vector<std::pair<QByteArray, int>> someReceipts; // for returns
    for (int r = 0; r < size.receipts; ++r) {
        const QDate day = first.addDays(qint64(r) * 365 / size.receipts);
        const int secs
            = 8 * 3600 + int((qint64(r) * 365 % size.receipts) * 12 * 3600 / size.receipts);
        const QDateTime when(day, QTime(0, 0).addSecs(secs));
        if (day.month() != month) {
            month = day.month();
            counter = 0;
        }
        const QByteArray no = ReceiptNo(day, ++counter).toUtf8();
        const QByteArray ts = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        const QByteArray ds = day.toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        const int remaining = size.receipts - r;
        // Lines per receipt vary around what is left to reach the total.
        const int twiceAverage = (size.saleLines - lines) * 2 / remaining;
        const int n = std::min(twiceAverage > 1 ? rnd(1, twiceAverage - 1) : 1, 40);
        const bool discount = rnd(0, 9) == 0;
        const double rod = discount ? rnd(1, 50) : 0;
        const char *user = kUsers[rnd(0, 2)];
        if (discount)
            disc.d(1, rod).t(2, ts).t(3, user).t(4, no).run(db);
        for (int k = 0; k < n; ++k) {
            Prod &p = products[rnd(1, size.products)];
            const int qty = rnd(1, 5);
            line.t(1, p.sn)
                .t(2, " " + p.name)
                .t(3, p.des)
                .i(4, qty)
                .t(5, p.unit)
                .d(6, p.sell)
                .d(7, p.cost)
                .t(8, ts)
                .t(9, user)
                .t(10, "พนักงานขาย")
                .t(11, ds)
                .t(12, no)
                .d(13, k == 0 ? rod : 0)
                .i(14, 0)
                .run(db);
            movement(2, p, ts, no, qty, user, QByteArray());
        }
        lines += n;
        if (r % 60 == 0)
            someReceipts.emplace_back(no, r);
    }

    // Goods received and returns, spread over the same year.
    for (int s = 0; s < size.stockUpdates; ++s) {
        const QDate day = first.addDays(qint64(s) * 365 / size.stockUpdates);
        const QByteArray ts
            = QDateTime(day, QTime(7, 30)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        const QByteArray no = StockUpdateNo(day, s % 99999 + 1).toUtf8();
        for (int k = rnd(1, 6); k > 0; --k)
            movement(
                1, products[rnd(1, size.products)], ts, no, rnd(10, 100), "ADMIN", "รับสินค้าเข้า");
    }
    for (int t = 0; t < size.returns && !someReceipts.empty(); ++t) {
        const auto &[no, r] = someReceipts[t % someReceipts.size()];
        const QDate day = first.addDays(qint64(r) * 365 / size.receipts);
        const QByteArray ts
            = QDateTime(day, QTime(20, 0)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        movement(3, products[rnd(1, size.products)], ts, no, 1, "ADMIN", QByteArray());
    }

    // Stock on hand and counters as the sales left them.
    {
        Stmt st(db, "UPDATE tblProduct SET PDvalue=? WHERE PK=?");
        for (int pk = 1; pk <= size.products; ++pk)
            st.i(1, products[pk].stock).i(2, pk).run(db);
        Stmt num(db, "UPDATE tblNumber SET numA=?, numMon=? WHERE nPK=?");
        num.i(1, counter)
            .t(2, QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')).toUtf8())
            .i(3, 2)
            .run(db);
    }
    c.executeScript(QStringLiteral("COMMIT; ANALYZE; PRAGMA wal_checkpoint(TRUNCATE);"));
    c.close();
    return timer.elapsed() / 1000.0;
}

namespace {
int g_scale = 1;
QString g_shopFile;
} // namespace

bool takeShopOptions(int &argc, char **argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--scale=")) {
            bool ok = false;
            g_scale = arg.mid(8).toInt(&ok);
            if (!ok || g_scale < 1) {
                std::fprintf(stderr, "--scale takes a whole number from 1 up\n");
                return false;
            }
        } else if (arg.startsWith("--shop=")) {
            g_shopFile = QString::fromLocal8Bit(arg.mid(7));
            if (!QFile::exists(g_shopFile)) {
                std::fprintf(stderr, "no shop file %s\n", arg.mid(7).constData());
                return false;
            }
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

int shopScale()
{
    return g_scale;
}

QStringList shopOptionArguments()
{
    QStringList args;
    if (g_scale != 1)
        args << QStringLiteral("--scale=%1").arg(g_scale);
    if (!g_shopFile.isEmpty())
        args << QStringLiteral("--shop=") + g_shopFile;
    return args;
}

QString sharedShopDatabase()
{
    if (!g_shopFile.isEmpty()) {
        upgradeDatabase(
            g_shopFile, QStringLiteral(KASMO_DATA_SOURCE_DIR "/upgrade"), kSchemaVersion, false);
        return g_shopFile;
    }
    // Named after the delivered schema and seed and this generator, so a changed layout or a
    // changed shop gets a file of its own.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &file : { QStringLiteral(KASMO_DATA_SOURCE_DIR "/schema.sql"),
             QStringLiteral(KASMO_DATA_SOURCE_DIR "/seed.sql"),
             QStringLiteral(KASMO_SHOPGEN_SOURCE) }) {
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            hash.addData(f.readAll());
    }
    const QString path = QDir::tempPath() + QStringLiteral("/kasmo-bench-shop-")
        + QString::fromLatin1(hash.result().toHex().left(10))
        + (g_scale == 1 ? QString() : QStringLiteral("-x%1").arg(g_scale)) + QStringLiteral(".db");
    if (!QFile::exists(path)) {
        const QString partial = path + QStringLiteral(".partial");
        QFile::remove(partial);
        generateShop(partial, ShopSize().scaled(g_scale));
        QFile::rename(partial, path);
    }
    // A shop generated by an older build is brought to the layout the program opens.
    upgradeDatabase(path, QStringLiteral(KASMO_DATA_SOURCE_DIR "/upgrade"), kSchemaVersion, false);
    return path;
}
