#pragma once
#include "history/HistoryWindow.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/Messages.h"
#include "shell/PeriodControls.h"
#include "support/FindControl.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

// One movement row of tblLog2, as the sale counter and the stock update write them.
struct TestMovement
{
    qint64 pk;
    int type; // 1 stock update, 2 sale, 3 return
    const char *time; // ISO
    const char *document;
    const char *code = "A100";
    const char *name = "น้ำดื่ม";
    const char *description = "ขวดเล็ก";
    const char *user = "ADMIN";
    const char *remark = "";
    qint64 before = 10, qty = 1, after = 9;
};

// The history window over movements of a fixed day (the clock is 2024-05-15 10:30:00), opened
// from its public entry and driven by keys and clicks while the scripted runner holds it open.
class HistoryFixture : public ShellFixture
{
protected:
    void addMovement(const TestMovement &m)
    {
        db().execute(QStringLiteral("INSERT INTO tblLog2 (PK, dType, dSN, dName, dDes, dTime, dNo, "
                                    "dValueold, dValue, dValuenew, dUser, dMemo) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            { m.pk, m.type, QString::fromUtf8(m.code), QString::fromUtf8(m.name),
                QString::fromUtf8(m.description), QString::fromUtf8(m.time),
                QString::fromUtf8(m.document), m.before, m.qty, m.after, QString::fromUtf8(m.user),
                QString::fromUtf8(m.remark) });
    }

    // Opens the window as the stock page does and runs the script on it.
    void withWindow(const std::function<void(HistoryWindow *)> &script)
    {
        bool ran = false;
        dialogs.then([&](QDialog *d) {
            auto *w = qobject_cast<HistoryWindow *>(d);
            ASSERT_NE(w, nullptr);
            ran = true;
            script(w);
        });
        HistoryWindow::showModal();
        EXPECT_TRUE(ran);
        EXPECT_EQ(WindowRegistry::find<HistoryWindow>(), nullptr); // unloaded on close
    }

    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

    // Picks a list position with the arrow keys, as a person does in a closed list.
    static void chooseMonth(HistoryWindow *w, int item)
    {
        control<QComboBox>(w, "monthList")->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 13 && control<QComboBox>(w, "monthList")->currentIndex() < item; ++i)
            QTest::keyClick(control<QComboBox>(w, "monthList"), Qt::Key_Down);
        for (int i = 0; i < 13 && control<QComboBox>(w, "monthList")->currentIndex() > item; ++i)
            QTest::keyClick(control<QComboBox>(w, "monthList"), Qt::Key_Up);
        ASSERT_EQ(control<QComboBox>(w, "monthList")->currentIndex(), item);
    }

    static void pressEnter(QWidget *w) { QTest::keyClick(w, Qt::Key_Return); }

    // Column texts of the data rows (the rows with a key in column 0).
    static QStringList dataColumn(HistoryWindow *w, int col)
    {
        QStringList out;
        const DataGrid *g = control<DataGrid>(w, "historyGrid");
        for (int r = 1; r <= g->maxRows(); ++r)
            if (!g->getText(HistoryWindow::ColPK, r).isEmpty())
                out << g->getText(col, r);
        return out;
    }

    // The background a cell shows, the alternating row colours included.
    static QColor shownBack(const DataGrid *g, int col, int row)
    {
        return g->model()
            ->data(g->model()->index(row - 1, col), Qt::BackgroundRole)
            .value<QColor>();
    }

    static QList<int> foundKeys(HistoryWindow *w)
    {
        QList<int> keys;
        for (const QString &k : dataColumn(w, HistoryWindow::ColPK))
            keys << k.toInt();
        std::sort(keys.begin(), keys.end());
        return keys;
    }
};
