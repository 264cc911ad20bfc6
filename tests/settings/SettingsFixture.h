#pragma once
#include "button/KasmoButton.h"
#include "platform/serial/CashDrawer.h"
#include "settings/SettingsWindow.h"
#include "shell/ProgramEnd.h"
#include "support/FindControl.h"
#include "support/ShellFixture.h"
#include <QCheckBox>
#include <QDialog>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <functional>

// A control of a window, found by its name.
template <typename T> T *in(const QWidget &window, const char *name)
{
    return control<T>(&window, QString::fromLatin1(name));
}

// The settings window on a fresh program start: opened the way the frame opens it, acted on
// inside its modal run. No test reaches a real serial device: every COM port maps to a missing
// file unless the test maps it to a pseudo-terminal.
class SettingsFixture : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        // Delete all ends the program; here the end only counts, so the action can return.
        setEndProgramHook([this] { ++programEnds; });
        noPorts();
    }
    void TearDown() override
    {
        Connection::setStatementHook({});
        CashDrawer::setDeviceMapper(nullptr);
        ShellFixture::TearDown();
    }

    void noPorts()
    {
        const QString missing = folder.path() + QStringLiteral("/no-such-port");
        CashDrawer::setDeviceMapper([missing](int) { return missing; });
    }

    // Opens the window and runs `act` on it while it is shown modally.
    void inWindow(const std::function<void(SettingsWindow &)> &act)
    {
        bool ran = false;
        dialogs.then([&](QDialog *d) {
            auto *s = qobject_cast<SettingsWindow *>(d);
            ASSERT_NE(s, nullptr);
            ran = true;
            act(*s);
        });
        SettingsWindow::showModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(ran);
    }

    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    // A click on the box itself, where the tick is drawn.
    static void tick(QCheckBox *c)
    {
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
    }
    static void clickRow(QTreeWidget *view, int row)
    {
        QTreeWidgetItem *item = view->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(
            view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
    }
    static QStringList rowsOf(QTreeWidget *view)
    {
        QStringList out;
        for (int i = 0; i < view->topLevelItemCount(); ++i)
            out << view->topLevelItem(i)->text(0) + QLatin1Char('|')
                    + view->topLevelItem(i)->text(1);
        return out;
    }

    void sql(const QString &statement, const QVariantList &params = {})
    {
        db().execute(statement, params);
    }
    qint64 count(const char *table, const char *where = "1")
    {
        return db()
            .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2")
                        .arg(QLatin1String(table), QLatin1String(where)))
            .toLongLong();
    }
    QString counterRow(int row)
    {
        Recordset rs = db().query(
            QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = ?1"), { row });
        return rs.eof() ? QString() : rs.text(0) + QLatin1Char('/') + rs.text(1);
    }

    // Every row of every table, for "nothing changed".
    QStringList dump()
    {
        QStringList out;
        for (const char *table : { "tblProduct", "tblLog", "tblLog2", "tblRMoney", "tblNumber",
                 "tblUser", "tblSetPrint", "tblSetBarcode", "tblNub", "tblGroup", "tblGeb" }) {
            Recordset rs = db().query(
                QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
            for (; !rs.eof(); rs.moveNext()) {
                QStringList cells;
                for (int i = 0; i < rs.fieldCount(); ++i)
                    cells << rs.text(i);
                out << QLatin1String(table) + QLatin1Char(':') + cells.join(QLatin1Char('|'));
            }
        }
        return out;
    }

    // A small shop: lookup entries, products with negative, zero and positive stock, sales with
    // a discount, movements, a second user, counters in use and the drawer switched on.
    void seedShop()
    {
        sql(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'กล่อง')"));
        sql(QStringLiteral("INSERT INTO tblGroup (gPK, gName) VALUES (1, 'เครื่องดื่ม')"));
        sql(QStringLiteral("INSERT INTO tblGeb (gePK, geName) VALUES (1, 'ชั้น A')"));
        sql(QStringLiteral(
            "INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue, NubFK, GroupFK, GebFK) VALUES "
            "(1, 'P1', 'น้ำดื่ม', -5, 1, 1, 1), (2, 'P2', 'กาแฟ', 0, 2, 0, 0), "
            "(3, 'P3', 'ขนม', 7, 1, 0, 0), (4, 'P4', 'นม', -1, 0, 0, 0)"));
        for (int i = 1; i <= 3; ++i)
            sql(QStringLiteral("INSERT INTO tblLog (Lsn, Lname, Lvalue, Ldate, Ldate2, Lno) VALUES "
                               "('P1', 'น้ำดื่ม', 1, '2024-05-15 10:00:00', '2024-05-15', ?1)"),
                { QStringLiteral("INV-67050000%1").arg(i) });
        sql(QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) VALUES "
                           "(5, '2024-05-15 10:00:00', 'Admin', 'INV-670500001')"));
        for (int i = 1; i <= 2; ++i)
            sql(QStringLiteral("INSERT INTO tblLog2 (dType, dSN, dTime, dNo) VALUES "
                               "(2, 'P1', '2024-05-15 10:00:00', 'INV-67050000%1')")
                    .arg(i));
        sql(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS) VALUES (2, 'CASHIER', 'x')"));
        sql(QStringLiteral("UPDATE tblNumber SET numA = 5, numMon = '05' WHERE nPK = 1"));
        sql(QStringLiteral("UPDATE tblNumber SET numA = 7, numMon = '05' WHERE nPK = 2"));
        sql(QStringLiteral("UPDATE tblNumber SET numA = 9 WHERE nPK = 3"));
        sql(QStringLiteral("UPDATE tblNumber SET numA = 1 WHERE nPK = 4"));
        sql(QStringLiteral("UPDATE tblNumber SET numA = 1, numMon = '2' WHERE nPK = 6"));
        sql(QStringLiteral("UPDATE tblSetPrint SET text1 = 'ร้านทดสอบ'"));
        sql(QStringLiteral("UPDATE tblSetBarcode SET SBarcode = '12'"));
    }
};
