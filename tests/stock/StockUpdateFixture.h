#pragma once
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/WindowRegistry.h"
#include "sale/SalePage.h"
#include "shell/MainFrame.h"
#include "stock/GoodsReceivedWindow.h"
#include "support/FindControl.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

// The main frame with the stock page's name in its status bar (so the search and quantity
// dialogs work on the stock update), over a small shop:
//   1 "B200" สบู่เหลว / กลิ่นมะลิ   cost 80,      stock 5
//   2 "A100" น้ำดื่ม / ขวดเล็ก      cost 12.50,   stock -2, unit แพ็ค
//   3 "C300" ตู้เย็น / (none)        cost 1200,    stock 0
//   4 "D400" O'Brien soap / 50%_off cost 6,    stock 10
class StockUpdateFixture : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Connection &d = db();
        d.execute(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'แพ็ค')"));
        addProduct(1, "B200", "สบู่เหลว", "กลิ่นมะลิ", 80, 5);
        addProduct(2, "A100", "น้ำดื่ม", "ขวดเล็ก", 12.5, -2, 2);
        addProduct(3, "C300", "ตู้เย็น", QVariant(), 1200, 0);
        addProduct(4, "D400", "O'Brien soap", "50%_off", 6, 10);
        MainFrame::Windows w;
        w.salePage = [] { return WindowRegistry::instance<SalePage>(); };
        MainFrame::setWindows(w);
        SalePage::setWindows({});
        frame = MainFrame::showFrame();
        QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
    }

    void TearDown() override
    {
        deleteLoadedWindows();
        MainFrame::setWindows({});
        ShellFixture::TearDown();
    }

    void addProduct(int pk, const char *code, const char *name, const QVariant &des, double cost,
        int stock, int unit = 1)
    {
        db().execute(
            QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, "
                           "PDraka, PDsell, NubFK) VALUES (?1, ?2, ?3, ?4, ?5, ?6, 1, ?7)"),
            { pk, QString::fromUtf8(code), QString::fromUtf8(name),
                des.isValid() ? QVariant(QString::fromUtf8(des.toByteArray())) : QVariant(), stock,
                cost, unit });
    }

    // The window shown over the stock page, without a modal loop, for driving it step by step.
    GoodsReceivedWindow *open()
    {
        w = WindowRegistry::instance<GoodsReceivedWindow>();
        saved = false;
        QObject::connect(w, &QDialog::accepted, [this] { saved = true; });
        w->show();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        codeBox()->setFocus();
        return w;
    }

    QLineEdit *codeBox() const { return control<QLineEdit>(w, "codeBox"); }
    QLineEdit *remarkBox() const { return control<QLineEdit>(w, "remarkBox"); }
    QLineEdit *numberBox() const { return control<QLineEdit>(w, "documentNumberBox"); }
    QLabel *totalLabel() const { return control<QLabel>(w, "totalLabel"); }
    QLabel *dateLabel() const { return control<QLabel>(w, "dateLabel"); }
    DataGrid *grid() const { return control<DataGrid>(w, "lineGrid"); }
    KasmoButton *button(const char *name) const
    {
        return control<KasmoButton>(w, QString::fromLatin1(name));
    }

    // A code typed into the code box and Enter, as a scanner does it.
    void scan(const QString &code, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            codeBox()->setFocus();
            typeText(codeBox(), code);
            QTest::keyClick(codeBox(), Qt::Key_Return);
        }
    }

    static QPoint cellCentre(DataGrid *g, int col, int row)
    {
        return g->visualRect(g->model()->index(row - 1, col)).center();
    }
    static void click(DataGrid *g, int col, int row)
    {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, col, row));
    }
    static void doubleClick(DataGrid *g, int col, int row)
    {
        click(g, col, row);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, col, row));
    }

    QString cell(int col, int row) const { return grid()->getText(col, row); }
    QStringList codes() const
    {
        QStringList c;
        for (int r = 1; r <= grid()->maxRows(); ++r)
            c << cell(1, r);
        return c;
    }

    qint64 stockOf(int pk)
    {
        return db()
            .scalar(QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PK = ?1"), { pk })
            .toLongLong();
    }
    qint64 movements()
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM tblLog2")).toLongLong();
    }
    QString counterRow()
    {
        Recordset rs
            = db().query(QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = 1"));
        return rs.text(0) + QLatin1Char('/') + rs.text(1);
    }
    // Every stored fact a save changes, to compare before and after.
    QString storedState()
    {
        QStringList s { counterRow() };
        for (Recordset rs
             = db().query(QStringLiteral("SELECT PK, PDvalue FROM tblProduct ORDER BY PK"));
             !rs.eof(); rs.moveNext())
            s << rs.text(0) + QLatin1Char('=') + rs.text(1);
        s << QString::number(movements());
        return s.join(QLatin1Char(' '));
    }

    MainFrame *frame = nullptr;
    GoodsReceivedWindow *w = nullptr;
    bool saved = false; // the window opened last said that it saved
};
