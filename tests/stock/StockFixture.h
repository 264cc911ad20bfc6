#pragma once
#include "button/KasmoButton.h"
#include "frame/FrameFixture.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/FileDialogs.h"
#include "shell/MainFrame.h"
#include "stock/StockPage.h"
#include "support/FindControl.h"
#include "support/WindowDriving.h"
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <optional>

// A product of the test shop. Units, groups and places are looked up (or made) by name; an
// empty name is the key-0 entry "-".
struct StockItem
{
    QString code;
    QString name;
    QString des;
    qint64 stock = 10;
    qint64 limit = 0;
    double sell = 0;
    QString unit;
    QString group;
    QString place;
};

// The program started with sign-in off, the stock tab chosen: the stock page inside the frame,
// driven with keys and clicks.
class StockPageTest : public FrameFixture
{
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        // The page's other windows, recorded instead of opened.
        StockPage::Windows w;
        w.productEditor = [this](std::optional<int> productKey) {
            editorOpened.append(productKey);
            return editorSaves && editorSaves(productKey);
        };
        w.stockUpdate = [this] {
            ++stockUpdates;
            return stockUpdateSaves && stockUpdateSaves();
        };
        w.history = [this] { ++historyOpened; };
        w.stockReport = [this](StockPage &page) {
            printedSource = static_cast<const StockReportSource &>(page).document();
        };
        StockPage::setWindows(w);
    }
    void TearDown() override
    {
        StockPage::setWindows({});
        FrameFixture::TearDown();
    }

    qint64 lookup(
        const QString &table, const QString &key, const QString &nameCol, const QString &name)
    {
        if (name.isEmpty())
            return 0;
        Connection &db = folder.db();
        const QVariant found = db.scalar(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?1").arg(key, table, nameCol), { name });
        if (found.isValid())
            return found.toLongLong();
        const qint64 next
            = db.scalar(QStringLiteral("SELECT max(%1) + 1 FROM %2").arg(key, table)).toLongLong();
        db.execute(
            QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?1, ?2)").arg(table, key, nameCol),
            { next, name });
        return next;
    }

    qint64 add(const StockItem &p)
    {
        Connection &db = folder.db();
        const qint64 pk
            = db.scalar(QStringLiteral("SELECT coalesce(max(PK), 0) + 1 FROM tblProduct"))
                  .toLongLong();
        db.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, "
                                  "PDerror, PDsell, NubFK, GroupFK, GebFK) VALUES (?1, ?2, ?3, "
                                  "?4, ?5, ?6, ?7, ?8, ?9, ?10)"),
            { pk, p.code, p.name, p.des, p.stock, p.limit, p.sell,
                lookup(QStringLiteral("tblNub"), QStringLiteral("nPK"), QStringLiteral("nName"),
                    p.unit),
                lookup(QStringLiteral("tblGroup"), QStringLiteral("gPK"), QStringLiteral("gName"),
                    p.group),
                lookup(QStringLiteral("tblGeb"), QStringLiteral("gePK"), QStringLiteral("geName"),
                    p.place) });
        return pk;
    }

    // Starts the program and chooses the stock tab.
    StockPage *open()
    {
        EXPECT_EQ(SignInWindow::start(), nullptr);
        settle();
        frame = MainFrame::existing();
        EXPECT_NE(frame, nullptr);
        if (!frame)
            return nullptr;
        frame->resize(1280, 800);
        QApplication::setActiveWindow(frame);
        // The focus checks need an active window; xvfb without a window manager may refuse
        // one, which only the screenshot run meets.
        const bool active = QTest::qWaitForWindowActive(frame);
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            EXPECT_TRUE(active);
        }
        QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
        settle();
        page = qobject_cast<StockPage *>(frame->activePage());
        EXPECT_NE(page, nullptr);
        return page;
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QLineEdit *searchBox() const { return control<QLineEdit>(page, "searchBox"); }
    DataGrid *grid() const { return control<DataGrid>(page, "productGrid"); }
    QCheckBox *belowQuantitySwitch() const
    {
        return control<QCheckBox>(page, "belowQuantitySwitch");
    }
    QComboBox *groupFilter() const { return control<QComboBox>(page, "groupFilter"); }
    QComboBox *placeFilter() const { return control<QComboBox>(page, "placeFilter"); }
    QLabel *countLabel() const { return control<QLabel>(page, "countLabel"); }
    KasmoButton *button(const char *name) const
    {
        return control<KasmoButton>(page, QString::fromLatin1(name));
    }

    // The codes the grid lists, in order, without the grid's leading blank.
    QStringList codes() const
    {
        QStringList out;
        for (int r = 1; r <= grid()->maxRows(); ++r)
            out.append(grid()->getText(1, r).mid(1));
        return out;
    }
    QString cell(int col, int row) const { return grid()->getText(col, row); }

    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(grid(), key, mods);
    }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    QPoint cellCentre(int col, int row) const
    {
        DataGrid *g = grid();
        return g->visualRect(g->model()->index(row - 1, col)).center();
    }
    void clickCell(int col, int row)
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(col, row));
    }
    void doubleClickCell(int col, int row)
    {
        clickCell(col, row);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(col, row));
    }
    // Types the text key by key, Thai characters included.
    static void type(QWidget *w, const QString &text) { typeText(w, text); }
    // Types into the search box and presses Enter.
    void search(const QString &text)
    {
        searchBox()->setFocus();
        searchBox()->clear();
        type(searchBox(), text);
        QTest::keyClick(searchBox(), Qt::Key_Return);
    }
    // Opens the list and clicks the entry, as a user picks from it.
    void choose(QComboBox *list, const QString &entry)
    {
        const int i = list->findText(entry);
        ASSERT_GE(i, 0) << entry.toStdString();
        list->showPopup();
        QAbstractItemView *view = list->view();
        const QModelIndex index = view->model()->index(i, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        if (list->view()->isVisible())
            list->hidePopup();
    }
    bool bandEnabled() const
    {
        return searchBox()->isEnabled() && button("searchButton")->Enabled()
            && placeFilter()->isEnabled() && groupFilter()->isEnabled()
            && belowQuantitySwitch()->isEnabled() && button("printButton")->Enabled();
    }
    bool bandDisabled() const
    {
        return !searchBox()->isEnabled() && !button("searchButton")->Enabled()
            && !placeFilter()->isEnabled() && !groupFilter()->isEnabled()
            && !belowQuantitySwitch()->isEnabled() && !button("printButton")->Enabled();
    }

    ScriptedFileDialogs files;
    MainFrame *frame = nullptr;
    StockPage *page = nullptr;
    QList<std::optional<int>> editorOpened; // the product's key, none for a new product
    std::function<bool(std::optional<int> productKey)> editorSaves; // true: it saved
    int stockUpdates = 0;
    std::function<bool()> stockUpdateSaves;
    int historyOpened = 0;
    std::optional<StockDocument> printedSource;
};
