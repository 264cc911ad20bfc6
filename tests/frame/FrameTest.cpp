#include "FrameFixture.h"
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/LockKeys.h"
#include "platform/ui/WindowPlacement.h"
#include "receipt/ReceiptWindow.h"
#include "records/Codes.h"
#include "settings/SettingsWindow.h"
#include "shell/KasmoApplication.h"
#include "shell/MainFrame.h"
#include "shell/PasswordHash.h"
#include "shell/ShopDatabase.h"
#include "shell/StartPage.h"
#include "support/CapturedLog.h"
#include "support/FindControl.h"
#include "support/Screenshots.h"
#include <QAccessible>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

namespace {

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class FrameTest : public FrameFixture
{
protected:
    MainFrame *startFrame()
    {
        EXPECT_EQ(SignInWindow::start(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MainFrame *f = MainFrame::existing();
        EXPECT_NE(f, nullptr);
        return f;
    }
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(FrameTest, PageTabsOpenOnePageAtATime)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(control<QLabel>(frame, "pageNamePanel")->text(), QString());
    EXPECT_FALSE(control<KasmoButton>(frame, "lowStockAlertButton")->isVisible());

    struct Case
    {
        int tab; // 1 sale, 2 stock, 3 summary
        QString pageName;
        const char *pageClass;
        const char *pictures[3]; // the tab pictures shown, sale to summary
        QString captions[3];
    };
    const QString sale = QStringLiteral("ขายสินค้า"), stock = QStringLiteral("คลังสินค้า"),
                  summary = QStringLiteral("สรุปยอดการขาย");
    const Case cases[] = {
        { 2, QStringLiteral("คลังสินค้า"), "StockPage", { "sale_off", "stock_on", "summary_off" },
            { sale, "&" + stock, summary } },
        { 1, QStringLiteral("หน้าร้าน"), "SalePage", { "sale_on", "stock_off", "summary_off" },
            { "&" + sale, stock, summary } },
        { 3, QStringLiteral("สรุปยอดการขาย"), "SummaryPage",
            { "sale_off", "stock_off", "summary_on" }, { sale, stock, "&" + summary } },
        { 2, QStringLiteral("คลังสินค้า"), "StockPage", { "sale_off", "stock_on", "summary_off" },
            { sale, "&" + stock, summary } },
    };
    TabLabel *tabs[3] = { control<TabLabel>(frame, "saleTab"), control<TabLabel>(frame, "stockTab"),
        control<TabLabel>(frame, "summaryTab") };
    QLabel *pictures[3] = { control<QLabel>(frame, "saleTabPicture"),
        control<QLabel>(frame, "stockTabPicture"), control<QLabel>(frame, "summaryTabPicture") };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pageName.toStdString());
        QPointer<QWidget> before = frame->activePage();
        click(tabs[c.tab - 1]);
        settle();
        EXPECT_TRUE(before.isNull()) << "the page before was not closed";
        EXPECT_EQ(MainFrame::openPageName(), c.pageName);
        EXPECT_EQ(control<QLabel>(frame, "pageNamePanel")->text(), c.pageName);
        for (int i = 0; i < 3; ++i) {
            const QImage shown = pictures[i]->pixmap().toImage();
            const QImage expected
                = QPixmap(QStringLiteral(":/shell/%1.png").arg(c.pictures[i])).toImage();
            EXPECT_TRUE(shown == expected) << c.pictures[i];
            EXPECT_EQ(tabs[i]->caption(), c.captions[i]);
        }
        ASSERT_NE(frame->activePage(), nullptr);
        EXPECT_STREQ(frame->activePage()->metaObject()->className(), c.pageClass);
        EXPECT_TRUE(frame->activePage()->isVisible());
        // Exactly one page: the start page is gone for good.
        EXPECT_EQ(WindowRegistry::find<StartPage>(), nullptr);
        int pages = 0;
        for (QWidget *w : WindowRegistry::loaded())
            pages += w->parentWidget() == control(frame, "pageHost");
        EXPECT_LE(pages, 1);
    }

    // The tab of the open page does nothing: the same page, not loaded again.
    auto *page = qobject_cast<StockPage *>(frame->activePage());
    ASSERT_NE(page, nullptr);
    control<QLineEdit>(page, "searchBox")->setText(QStringLiteral("7"));
    click(control(frame, "stockTab"));
    settle();
    EXPECT_EQ(frame->activePage(), page);
    EXPECT_EQ(control<QLineEdit>(page, "searchBox")->text(), QStringLiteral("7"));
}

TEST_F(FrameTest, LowStockAlertReachesTheStockPage)
{
    addProduct(1, 0, 5);
    addProduct(2, 4, 5);
    addProduct(3, -2, 0);
    addProduct(4, 5, 5); // at its limit: not low
    addProduct(5, 9, 1);
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(control<KasmoButton>(frame, "lowStockAlertButton")->isVisible());

    click(control(frame, "stockTab"));
    KasmoButton *alert = control<KasmoButton>(frame, "lowStockAlertButton");
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(alert->Enabled());
    EXPECT_EQ(alert->Caption(), QStringLiteral("(3) การแจ้งเตือน"));
    EXPECT_EQ(alert->BackColor(), kasmoRGB(219, 159, 158));

    auto *stock = qobject_cast<StockPage *>(frame->activePage());
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->filter(), StockPage::ProductFilter::None);
    EXPECT_EQ(control<DataGrid>(stock, "productGrid")->maxRows(), 5);
    click(alert);
    EXPECT_EQ(stock->filter(), StockPage::ProductFilter::LowStock);
    EXPECT_EQ(control<DataGrid>(stock, "productGrid")->maxRows(), 3);

    // The sale and summary tabs hide it; back on the stock page it counts again.
    click(control(frame, "saleTab"));
    EXPECT_FALSE(alert->isVisible());
    EXPECT_FALSE(alert->Enabled());
    click(control(frame, "stockTab"));
    EXPECT_TRUE(alert->isVisible());
    click(control(frame, "summaryTab"));
    EXPECT_FALSE(alert->isVisible());
    EXPECT_FALSE(alert->Enabled());

    // With nothing low the stock page hides it.
    frame->showLowStockAlert(2);
    EXPECT_EQ(alert->Caption(), QStringLiteral("(2) การแจ้งเตือน"));
    frame->showLowStockAlert(0);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_FALSE(alert->Enabled());
}

// A page that fails to load stops the tab's handler; the event boundary shows the error and
// the program goes on with the frame.
TEST_F(FrameTest, FailingPageLoadIsShownAndTheProgramGoesOn)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    MainFrame::Windows w = MainFrame::windows();
    w.salePage = []() -> QWidget * { throw DbError(QStringLiteral("disk I/O error")); };
    MainFrame::setWindows(w);

    CapturedLog log;
    const QPoint at = control(frame, "saleTab")->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, at, control(frame, "saleTab")->mapToGlobal(at),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, control(frame, "saleTab")->mapToGlobal(at),
        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    EXPECT_TRUE(
        KasmoApplication::guard([&] { return qApp->notify(control(frame, "saleTab"), &press); }));
    EXPECT_FALSE(
        KasmoApplication::guard([&] { return qApp->notify(control(frame, "saleTab"), &release); }));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("disk I/O error"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(CapturedLog::program(),
        QStringList { QStringLiteral("kasmo.events: an event handler failed: disk I/O error") });

    // The frame still works: another tab opens its page.
    click(control(frame, "stockTab"));
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("คลังสินค้า"));
}

TEST_F(FrameTest, SettingsTabIsModalOverTheOpenPage)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    int checks = 0;
    MainFrame::Windows w = MainFrame::windows();
    w.rereadSaleSettings = [&] { ++checks; };
    MainFrame::setWindows(w);

    // Over the start page.
    click(control(frame, "settingsTab"));
    ASSERT_EQ(dialogs.opened, QList<QString> { QStringLiteral("SettingsWindow") });
    EXPECT_EQ(checks, 0);
    EXPECT_NE(WindowRegistry::find<StartPage>(), nullptr);

    // Over the stock page: the page stays, nothing re-read.
    click(control(frame, "stockTab"));
    QWidget *stock = frame->activePage();
    bool pageOpenDuringDialog = false;
    dialogs.then([&](QDialog *) { pageOpenDuringDialog = stock->isVisible(); });
    click(control(frame, "settingsTab"));
    settle();
    EXPECT_TRUE(pageOpenDuringDialog);
    EXPECT_EQ(frame->activePage(), stock);
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("คลังสินค้า"));
    EXPECT_EQ(checks, 0);

    // Over the sale page: its switches are read again when the settings close.
    click(control(frame, "saleTab"));
    click(control(frame, "settingsTab"));
    settle();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("หน้าร้าน"));
    EXPECT_EQ(dialogs.opened.size(), 3);
}

TEST_F(FrameTest, SettingsOpenTheReceiptSetUpAndTheLabelWindow)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    bool sampleShown = false;
    dialogs.then([&](QDialog *d) {
        auto *settings = qobject_cast<SettingsWindow *>(d);
        ASSERT_NE(settings, nullptr);
        dialogs.then([&](QDialog *receipt) {
            ReceiptLayout *shown = qobject_cast<ReceiptWindow *>(receipt)->report();
            sampleShown = shown->document().texts().contains(ReceiptLayout::SampleReceipt);
        });
        click(control<KasmoButton>(settings, "receiptSetUpButton"));
        click(control<KasmoButton>(settings, "labelsButton"));
    });
    click(control(frame, "settingsTab"));
    settle();
    EXPECT_EQ(dialogs.opened,
        (QList<QString> { QStringLiteral("SettingsWindow"), QStringLiteral("ReceiptWindow"),
            QStringLiteral("LabelWindow") }));
    EXPECT_TRUE(sampleShown);
}

TEST_F(FrameTest, StartPageLinkLabelsAndPlacement)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    auto *start = WindowRegistry::find<StartPage>();
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->windowTitle(), QStringLiteral("ยินดีต้อนรับ"));
    auto *helpLink = control<QLabel>(start, "helpLink");
    auto *helpBox = control<QGroupBox>(start, "helpBox");
    auto *labelsButton = control<KasmoButton>(start, "labelsButton");
    EXPECT_EQ(helpLink->text(), QStringLiteral("[  ดูวิธีแก้คลิก  ]"));
    EXPECT_EQ(helpBox->title(), QStringLiteral(" วิธีการแก้ปัญหา"));
    EXPECT_EQ(labelsButton->Caption(), QStringLiteral("&สร้างบาร์โค๊ด"));

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    click(helpLink);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(
        catcher.urls[0].toLocalFile(), folder.path() + QStringLiteral("/data/help/fix/index.html"));
    EXPECT_EQ(boxes.count(), 0);
    // The build puts the page beside the program (as the tests' own program folder) and it
    // says how to get Thai shown.
    QFile page(
        QCoreApplication::applicationDirPath() + QStringLiteral("/data/help/fix/index.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    for (const char *needed : { "fonts-thai-tlwg", "th_TH.UTF-8", "charset=\"utf-8\"" })
        EXPECT_TRUE(html.contains(QString::fromLatin1(needed))) << needed;

    click(labelsButton);
    settle();
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("LabelWindow") });
    EXPECT_EQ(WindowRegistry::find<StartPage>(), start);
    EXPECT_EQ(MainFrame::openPageName(), QString());

    // Anchored to the frame's right and bottom edges; the alert to its right edge.
    for (QSize size : { QSize(1000, 700), QSize(800, 560) }) {
        frame->resize(size);
        QCoreApplication::processEvents();
        const int w = frame->width(), h = frame->height();
        EXPECT_EQ(control(start, "welcomePicture")->pos(),
            QPoint(w - Twips::toPixelsX(4000), h - Twips::toPixelsY(5500)));
        EXPECT_EQ(helpBox->x(), w - Twips::toPixelsX(4350));
        EXPECT_EQ(
            labelsButton->pos(), QPoint(w - Twips::toPixelsX(4000), h - Twips::toPixelsY(3000)));
        EXPECT_EQ(control(frame, "lowStockAlertButton")->x(), w - Twips::toPixelsX(2500));
        EXPECT_EQ(control(frame, "banner")->width(), w);
    }
}

TEST_F(FrameTest, StatusBarPanels)
{
    Clock::setFixed(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 0)));
    MainFrame *frame = startFrame();
    Clock::clearFixed();
    ASSERT_NE(frame, nullptr);
    // Left to right after the page name.
    const std::pair<const char *, QString> panels[] = {
        { "capsPanel", QStringLiteral("CAPS") },
        { "numPanel", QStringLiteral("NUM") },
        { "datePanel", QStringLiteral("09/03/2024") },
        { "timePanel", QStringLiteral("14:05") },
    };
    int left = control(frame, "pageNamePanel")->x();
    for (const auto &[name, text] : panels) {
        SCOPED_TRACE(name);
        auto *panel = control<QLabel>(frame, name);
        EXPECT_EQ(panel->text(), text);
        EXPECT_GT(panel->x(), left);
        left = panel->x();
    }
}

TEST_F(FrameTest, CloseAsksAndCancelChangesNothing)
{
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    click(control(frame, "stockTab"));
    touch(QStringLiteral("a.tmp"));
    touch(QStringLiteral("b.tmp"));

    boxes.answer(MsgResult::Cancel);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(boxes.count(), 1);
    const MessageRequest &q = boxes.last();
    EXPECT_EQ(q.text, QStringLiteral("คุณแน่ใจว่าต้องการจบการทำงานของโปรแกรม ?"));
    EXPECT_EQ(q.title, QStringLiteral("ยืนยันการจบรายการ"));
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(q.defaultButton, MsgResult::Cancel);
    settle();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_NE(WindowRegistry::find<StockPage>(), nullptr);
    EXPECT_TRUE(exists(QStringLiteral("a.tmp")));
    EXPECT_TRUE(ShopDatabase::connection().isOpen());
    EXPECT_EQ(ended, 0);

    boxes.answer(MsgResult::Ok);
    EXPECT_TRUE(frame->close());
    settle();
    EXPECT_EQ(boxes.count(), 2); // asked once, not again by its own unloading
    EXPECT_TRUE(WindowRegistry::loaded().isEmpty());
    EXPECT_FALSE(exists(QStringLiteral("a.tmp")));
    EXPECT_FALSE(exists(QStringLiteral("b.tmp")));
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
    EXPECT_EQ(ended, 1);
}

// Saves the sign-in window (sign-in switched on) and the frame with its start page when
// KASMO_SCREENSHOTS names a folder (run under xvfb-run with QT_QPA_PLATFORM=xcb to see the
// real fonts).
// The first interface under root (itself included) with that role and name.
static QAccessibleInterface *findAccessible(
    QAccessibleInterface *root, QAccessible::Role role, const QString &name)
{
    if (!root)
        return nullptr;
    if (root->role() == role && root->text(QAccessible::Name) == name)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface *found = findAccessible(root->child(i), role, name))
            return found;
    return nullptr;
}

// Pixels of the frame's picture inside a widget's area that are pure white (tab captions).
static int whitePixels(const QImage &frame, QWidget *frameWidget, QWidget *w)
{
    const QRect r(w->mapTo(frameWidget, QPoint(0, 0)), w->size());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (frame.pixel(x, y) == qRgb(255, 255, 255))
                ++n;
    return n;
}

// Sign-in on, a user without the stock and settings rights: those tabs show greyed, and
// assistive technology finds every tab by its caption and presses only the allowed ones.
TEST_F(FrameTest, TabsShowTheirRightAndAreReachableByTheirCaptions)
{
    const bool rights[5] = { true, false, true, false, false };
    addUser(2, QStringLiteral("CASHIER"), PasswordHash::make(QStringLiteral("pw1"), 1000),
        QStringLiteral("พนักงานขาย"), rights);
    setSignIn(1);
    SignInWindow *w = SignInWindow::start();
    ASSERT_NE(w, nullptr);
    control<QLineEdit>(w, "userNameBox")->setText(QStringLiteral("CASHIER"));
    control<QLineEdit>(w, "passwordBox")->setText(QStringLiteral("PW1"));
    click(control(w, "signInButton"));
    settle();
    MainFrame *frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    frame->resize(1024, 700);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));

    const QImage shot = frame->grab().toImage();
    saveScreenshot(shot, QStringLiteral("frame-tabs-without-rights.png"));
    EXPECT_GT(whitePixels(shot, frame, control(frame, "saleTab")), 0);
    EXPECT_EQ(whitePixels(shot, frame, control(frame, "stockTab")), 0)
        << "a tab without its right is grey";
    EXPECT_EQ(whitePixels(shot, frame, control(frame, "settingsTab")), 0);

    struct Tab
    {
        QString caption;
        bool allowed;
        QString pageAfterPress;
    };
    const Tab tabs[] = {
        { QStringLiteral("คลังสินค้า"), false, QString() },
        { QStringLiteral("ตั้งค่าโปรแกรม"), false, QString() },
        { QStringLiteral("สรุปยอดการขาย"), true, QStringLiteral("สรุปยอดการขาย") },
        { QStringLiteral("ขายสินค้า"), true, QStringLiteral("หน้าร้าน") },
    };
    for (const Tab &t : tabs) {
        SCOPED_TRACE(t.caption.toStdString());
        QAccessibleInterface *a = findAccessible(
            QAccessible::queryAccessibleInterface(frame), QAccessible::PageTab, t.caption);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->state().disabled, !t.allowed);
        QAccessibleActionInterface *act = a->actionInterface();
        ASSERT_NE(act, nullptr);
        EXPECT_EQ(
            act->actionNames().contains(QAccessibleActionInterface::pressAction()), t.allowed);
        const QString before = MainFrame::openPageName();
        act->doAction(QAccessibleActionInterface::pressAction());
        settle();
        EXPECT_EQ(MainFrame::openPageName(), t.allowed ? t.pageAfterPress : before);
    }
    // The chosen tab's caption carries its access key; it is read without it.
    EXPECT_EQ(control<TabLabel>(frame, "saleTab")->caption(), QStringLiteral("&ขายสินค้า"));
    EXPECT_NE(findAccessible(QAccessible::queryAccessibleInterface(frame), QAccessible::PageTab,
                  QStringLiteral("ขายสินค้า")),
        nullptr);
    EXPECT_TRUE(dialogs.opened.isEmpty());
}

// CAPS and NUM show the keyboard's state from the start, before any key, and follow it.
TEST_F(FrameTest, LockPanelsShowTheKeyboardFromTheStart)
{
    LockKeyState keyboard { true, false };
    LockKeys::setSource([&] { return std::optional<LockKeyState>(keyboard); });
    struct Restore
    {
        ~Restore() { LockKeys::setSource({}); }
    } restore;
    MainFrame *frame = startFrame();
    ASSERT_NE(frame, nullptr);
    auto *caps = control(frame, "capsPanel");
    auto *num = control(frame, "numPanel");
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_FALSE(num->isEnabled());

    keyboard = { false, true };
    QTest::keyClick(frame, Qt::Key_NumLock);
    EXPECT_FALSE(caps->isEnabled());
    EXPECT_TRUE(num->isEnabled());
}

TEST_F(FrameTest, Screenshot)
{
    if (qEnvironmentVariableIsEmpty("KASMO_SCREENSHOTS"))
        GTEST_SKIP() << "set KASMO_SCREENSHOTS to a folder to save the pictures";
    // Sign-in switched on: the window waits; admin signs in with the seed's password.
    setSignIn(1);
    SignInWindow *w = SignInWindow::start();
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(control(w, "userNameBox"), QStringLiteral("admin"));
    QTest::qWait(200);
    saveScreenshot(w->grab(), QStringLiteral("login.png"));
    control<QLineEdit>(w, "passwordBox")->setText(QStringLiteral("admin"));
    click(control(w, "signInButton"));
    settle();
    MainFrame *frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    frame->resize(1024, 700);
    frame->showLowStockAlert(3);
    QTest::qWait(200);
    saveScreenshot(frame->grab(), QStringLiteral("frame.png"));
}

#include "FrameTest.moc"
