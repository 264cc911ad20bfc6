#include "MainFrame.h"
#include "Messages.h"
#include "SignInWindow.h"
#include "SignedInUser.h"
#include "StartPage.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/Clock.h"
#include "platform/ui/LockKeys.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

// Resources of a static library are registered by hand.
static void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace {

MainFrame::Windows &registered()
{
    static MainFrame::Windows w;
    return w;
}

// Skip-on-failure: a failing step is skipped and the next one runs.
template <class F> void step(F &&f)
{
    skipOnFailure("MainFrame", f);
}

const QString saleCaption = QStringLiteral("ขายสินค้า");
const QString stockCaption = QStringLiteral("คลังสินค้า");
const QString summaryCaption = QStringLiteral("สรุปยอดการขาย");
const QString settingsCaption = QStringLiteral("ตั้งค่าโปรแกรม");

constexpr int BarHeight = 64;
constexpr int AlertLeftTwips = 2500;

// A tab as assistive technology meets it: a page tab named by its caption, pressed like a
// click (not while the user lacks its right).
class TabAccessible : public QAccessibleWidget
{
public:
    explicit TabAccessible(TabLabel *tab)
        : QAccessibleWidget(tab, QAccessible::PageTab)
    { }
    TabLabel *tab() const { return static_cast<TabLabel *>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Accessibility::plainCaption(tab()->caption());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return tab()->isEnabled() ? QStringList { pressAction() } : QStringList();
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && tab()->isEnabled())
            emit tab()->clicked();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

QAccessibleInterface *tabFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TabLabel") && object && object->isWidgetType())
        return new TabAccessible(static_cast<TabLabel *>(object));
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TabLabel::TabLabel(const QString &caption, QWidget *parent)
    : QLabel(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(tabFactory);
        return true;
    }();
    Q_UNUSED(accessible);
    setTextFormat(Qt::RichText);
    setCursor(Qt::PointingHandCursor);
    setCaption(caption);
}

void TabLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    // "&x" underlines x; "&&" is a plain "&".
    QString html;
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c == QLatin1Char('&') && i + 1 < caption.size()) {
            const QChar next = caption[++i];
            if (next == QLatin1Char('&'))
                html += QStringLiteral("&amp;");
            else
                html += QStringLiteral("<u>") + QString(next).toHtmlEscaped()
                    + QStringLiteral("</u>");
        } else {
            html += QString(c).toHtmlEscaped();
        }
    }
    setText(html);
    adjustSize();
}

void TabLabel::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && isEnabled())
        emit clicked();
    QLabel::mouseReleaseEvent(e);
}

// ---------------------------------------------------------------------------------------------

void MainFrame::setWindows(const Windows &w)
{
    registered() = w;
}

const MainFrame::Windows &MainFrame::windows()
{
    return registered();
}

MainFrame *MainFrame::existing()
{
    return WindowRegistry::find<MainFrame>();
}

QString MainFrame::openPageName()
{
    MainFrame *f = existing();
    return f ? f->pageNamePanel->text() : QString();
}

MainFrame *MainFrame::showFrame()
{
    MainFrame *f = existing();
    if (!f) {
        f = WindowRegistry::instance<MainFrame>();
        f->setUpForSignedInUser();
    }
    f->show();
    return f;
}

QPixmap MainFrame::tabPicture(TabPicture picture)
{
    switch (picture) {
    case TabPicture::SaleOff:
        return QPixmap(QStringLiteral(":/shell/sale_off.png"));
    case TabPicture::SaleOn:
        return QPixmap(QStringLiteral(":/shell/sale_on.png"));
    case TabPicture::StockOff:
        return QPixmap(QStringLiteral(":/shell/stock_off.png"));
    case TabPicture::StockOn:
        return QPixmap(QStringLiteral(":/shell/stock_on.png"));
    case TabPicture::SummaryOff:
        return QPixmap(QStringLiteral(":/shell/summary_off.png"));
    case TabPicture::SummaryOn:
        return QPixmap(QStringLiteral(":/shell/summary_on.png"));
    }
    return {};
}

MainFrame::MainFrame()
{
    initShellResources();
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(Msg::FrameTitle);
    setWindowIcon(QIcon(QStringLiteral(":/shell/sale_on.png")));

    auto *central = new QWidget(this);
    auto *v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    tabBar = new QWidget(central);
    tabBar->setObjectName(QStringLiteral("tabBar"));
    tabBar->setFixedHeight(BarHeight);
    v->addWidget(tabBar);

    banner = new QLabel(tabBar);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setPixmap(QPixmap(QStringLiteral(":/shell/banner.png")));
    banner->setScaledContents(true);
    banner->setGeometry(0, 0, 800, BarHeight);

    QFont tabFont = font();
    tabFont.setPointSizeF(11);
    tabFont.setBold(true);
    int x = 10;
    auto addTab = [&](const char *name, const QString &caption, const QPixmap &picture,
                      TabLabel *&tab, QLabel *&pictureLabel) {
        auto *pic = new QLabel(tabBar);
        pic->setObjectName(QLatin1String(name) + QStringLiteral("Picture"));
        pic->setPixmap(picture);
        pic->setCursor(Qt::PointingHandCursor);
        pic->setGeometry(x, (BarHeight - 32) / 2, 32, 32);
        pic->installEventFilter(this);
        pictureLabel = pic;

        tab = new TabLabel(caption, tabBar);
        tab->setObjectName(QLatin1String(name));
        tab->setFont(tabFont);
        // White on the bar; a tab the user has no right to shows greyed.
        tab->setStyleSheet(QStringLiteral(
            "QLabel { color: white; } QLabel:disabled { color: rgb(140, 150, 165); }"));
        tab->adjustSize();
        tab->move(x + 38, (BarHeight - tab->height()) / 2);
        x += 38 + tab->width() + 26;
    };
    addTab("saleTab", saleCaption, tabPicture(TabPicture::SaleOff), saleTab, saleTabPicture);
    addTab("stockTab", stockCaption, tabPicture(TabPicture::StockOff), stockTab, stockTabPicture);
    addTab("summaryTab", summaryCaption, tabPicture(TabPicture::SummaryOff), summaryTab,
        summaryTabPicture);
    addTab("settingsTab", settingsCaption, QPixmap(QStringLiteral(":/shell/settings.png")),
        settingsTab, settingsTabPicture);
    connect(saleTab, &TabLabel::clicked, this, [this] { openPage(Tab::Sale); });
    connect(stockTab, &TabLabel::clicked, this, [this] { openPage(Tab::Stock); });
    connect(summaryTab, &TabLabel::clicked, this, [this] { openPage(Tab::Summary); });
    connect(settingsTab, &TabLabel::clicked, this, &MainFrame::openSettings);

    lowStockAlertButton = KasmoButton::fromBag(
        tabBar, ButtonPresets::pageButton(QStringLiteral("การแจ้งเตือน"), ButtonPresets::FaceRose));
    lowStockAlertButton->setObjectName(QStringLiteral("lowStockAlertButton"));
    lowStockAlertButton->setGeometry(600, (BarHeight - 32) / 2, 150, 32);
    lowStockAlertButton->setVisible(false);
    connect(lowStockAlertButton, &KasmoButton::Click, this, &MainFrame::showLowStock);

    pageHost = new QWidget(central);
    pageHost->setObjectName(QStringLiteral("pageHost"));
    auto *hostLayout = new QVBoxLayout(pageHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    v->addWidget(pageHost, 1);
    setCentralWidget(central);

    // The status bar: the page name, then what the platform's status bar kept by itself.
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(true);
    auto addPanel = [bar](const char *name) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QLatin1String(name));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panel->setAlignment(Qt::AlignCenter);
        return panel;
    };
    pageNamePanel = addPanel("pageNamePanel");
    pageNamePanel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    bar->addWidget(pageNamePanel, 1);
    capsPanel = addPanel("capsPanel");
    numPanel = addPanel("numPanel");
    datePanel = addPanel("datePanel");
    timePanel = addPanel("timePanel");
    for (QLabel *panel : { capsPanel, numPanel, datePanel, timePanel })
        bar->addPermanentWidget(panel);
    capsPanel->setText(QStringLiteral("CAPS"));
    numPanel->setText(QStringLiteral("NUM"));
    capsPanel->setEnabled(false);
    numPanel->setEnabled(false);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainFrame::updateClockPanels);
    m_clock->start();
    updateClockPanels();
    // CAPS and NUM as the keyboard shows them from the start, where the window system says.
    if (const std::optional<LockKeyState> keys = LockKeys::current())
        showLockPanels(*keys);
    qApp->installEventFilter(this);

    QSize size(1024, 720);
    if (QScreen *s = QGuiApplication::primaryScreen())
        size = size.boundedTo(s->availableGeometry().size());
    resize(size);
}

MainFrame::~MainFrame()
{
    qApp->removeEventFilter(this);
}

void MainFrame::updateClockPanels()
{
    const QDateTime now = Clock::now();
    datePanel->setText(now.toString(QStringLiteral("dd/MM/yyyy")));
    timePanel->setText(now.toString(QStringLiteral("HH:mm")));
    // A lock key pressed in another program shows here within the second.
    if (const std::optional<LockKeyState> keys = LockKeys::current())
        showLockPanels(*keys);
}

void MainFrame::showLockPanels(const LockKeyState &keys)
{
    capsPanel->setEnabled(keys.caps);
    numPanel->setEnabled(keys.num);
}

// After a key: the keyboard's own indicators where the window system tells them, else the
// key event's X11 modifier state; platforms that report neither leave the panels as they are.
void MainFrame::updateLockPanels(quint32 nativeModifiers)
{
    if (const std::optional<LockKeyState> keys = LockKeys::current()) {
        showLockPanels(*keys);
        return;
    }
    constexpr quint32 LockMask = 0x02, Mod2Mask = 0x10;
    showLockPanels({ bool(nativeModifiers & LockMask), bool(nativeModifiers & Mod2Mask) });
}

bool MainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (LockKeys::current())
            updateLockPanels(k->nativeModifiers());
        else if (QGuiApplication::platformName() == QLatin1String("xcb")
            && (k->nativeModifiers() != 0 || k->nativeScanCode() != 0))
            updateLockPanels(k->nativeModifiers());
    }
    const std::pair<QLabel *, TabLabel *> pictures[]
        = { { saleTabPicture, saleTab }, { stockTabPicture, stockTab },
              { summaryTabPicture, summaryTab }, { settingsTabPicture, settingsTab } };
    for (const auto &[picture, tab] : pictures) {
        if (watched == picture && event->type() == QEvent::MouseButtonRelease) {
            auto *m = static_cast<QMouseEvent *>(event);
            // A disabled tab takes no clicks through its picture either.
            if (m->button() == Qt::LeftButton && tab->isEnabled())
                emit tab->clicked();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::setUpForSignedInUser()
{
    WindowPlacement::centre(this);
    // The skin is the Fusion style, set for the whole program at start.
    if (SignedInUser::signInOn == 1) {
        setWindowTitle(Msg::frameTitleWithUser(SignedInUser::name));
        const std::pair<bool, std::pair<TabLabel *, QLabel *>> tabs[] = {
            { SignedInUser::maySell, { saleTab, saleTabPicture } },
            { SignedInUser::mayManageStock, { stockTab, stockTabPicture } },
            { SignedInUser::mayViewSummary, { summaryTab, summaryTabPicture } },
            { SignedInUser::mayChangeSettings, { settingsTab, settingsTabPicture } },
        };
        for (const auto &[allowed, tab] : tabs) {
            if (!allowed) {
                tab.first->setEnabled(false);
                tab.second->setEnabled(false);
            }
        }
    } else {
        SignedInUser::name = Msg::AdminUser;
        SignedInUser::position = Msg::AdminPosition;
    }
    showPage(WindowRegistry::instance<StartPage>());
}

void MainFrame::showPage(QWidget *page)
{
    if (!page)
        return;
    if (page->parentWidget() != pageHost) {
        page->setParent(pageHost, Qt::Widget);
        pageHost->layout()->addWidget(page);
    }
    m_page = page;
    page->show();
    page->raise();
}

bool MainFrame::closeOpenPages()
{
    while (m_page) {
        QPointer<QWidget> page = m_page;
        if (!WindowRegistry::unload(page))
            return false; // the page kept itself open: stay on it
        if (page && page == m_page)
            m_page->setParent(nullptr);
        m_page = nullptr;
    }
    return true;
}

void MainFrame::openPage(Tab tab)
{
    const QString name = tab == Tab::Sale ? Msg::PageSale
        : tab == Tab::Stock               ? Msg::PageStock
                                          : Msg::PageSummary;
    if (openPageName() == name)
        return;
    if (!closeOpenPages())
        return;
    if (tab != Tab::Stock) {
        lowStockAlertButton->setVisible(false);
        lowStockAlertButton->setEnabled(false);
    }
    // The chosen tab's picture lights up and its caption carries the access key.
    saleTabPicture->setPixmap(
        tabPicture(tab == Tab::Sale ? TabPicture::SaleOn : TabPicture::SaleOff));
    stockTabPicture->setPixmap(
        tabPicture(tab == Tab::Stock ? TabPicture::StockOn : TabPicture::StockOff));
    summaryTabPicture->setPixmap(
        tabPicture(tab == Tab::Summary ? TabPicture::SummaryOn : TabPicture::SummaryOff));
    const auto caption
        = [](bool chosen, const QString &text) { return chosen ? QLatin1Char('&') + text : text; };
    saleTab->setCaption(caption(tab == Tab::Sale, saleCaption));
    stockTab->setCaption(caption(tab == Tab::Stock, stockCaption));
    summaryTab->setCaption(caption(tab == Tab::Summary, summaryCaption));

    const Windows &w = windows();
    const std::function<QWidget *()> &make = tab == Tab::Sale ? w.salePage
        : tab == Tab::Stock                                   ? w.stockPage
                                                              : w.summaryPage;
    if (make)
        showPage(make());
    pageNamePanel->setText(name);
}

void MainFrame::openSettings()
{
    if (windows().showSettings)
        windows().showSettings();
}

void MainFrame::showLowStock()
{
    if (windows().showLowStock)
        windows().showLowStock();
}

void MainFrame::showLowStockAlert(int count)
{
    if (count > 0) {
        lowStockAlertButton->setVisible(true);
        lowStockAlertButton->setEnabled(true);
        lowStockAlertButton->setCaption(Msg::lowStockAlert(count));
        lowStockAlertButton->setBackColor(kasmoRGB(219, 159, 158));
    } else {
        lowStockAlertButton->setVisible(false);
        lowStockAlertButton->setEnabled(false);
    }
}

void MainFrame::placeBannerAndAlert()
{
    step([this] { banner->setGeometry(0, 0, width(), BarHeight); });
    step([this] {
        lowStockAlertButton->move(
            width() - Twips::toPixelsX(AlertLeftTwips), lowStockAlertButton->y());
    });
}

void MainFrame::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    placeBannerAndAlert();
}

bool MainFrame::confirmQuit()
{
    if (MsgBox(Msg::ConfirmQuit, MsgButtons::OkCancel, MsgIcon::Question, Msg::ConfirmQuitTitle,
            MsgResult::Cancel, this)
        != MsgResult::Ok)
        return false;
    m_shuttingDown = true;
    step([] { WindowRegistry::unloadAll(); });
    step([] { deleteTempFiles(); });
    step([] { ShopDatabase::close(); });
    endProgram();
    return true;
}

void MainFrame::closeEvent(QCloseEvent *e)
{
    // The shut-down's own unloading reaches the frame too: it closes without asking again.
    if (m_shuttingDown || confirmQuit())
        e->accept();
    else
        e->ignore();
}
