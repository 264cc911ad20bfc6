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

const QString tabCaptions[4] = { QStringLiteral("ขายสินค้า"), QStringLiteral("คลังสินค้า"),
    QStringLiteral("สรุปยอดการขาย"), QStringLiteral("ตั้งค่าโปรแกรม") };

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

QString MainFrame::PageName()
{
    MainFrame *f = existing();
    return f ? f->m_panels[0]->text() : QString();
}

MainFrame *MainFrame::showFrame()
{
    MainFrame *f = existing();
    if (!f) {
        f = WindowRegistry::instance<MainFrame>();
        f->MDIForm_Load();
    }
    f->show();
    return f;
}

QPixmap MainFrame::imageList(int index)
{
    static const char *files[]
        = { nullptr, ":/shell/sale_off.png", ":/shell/sale_on.png", ":/shell/stock_off.png",
              ":/shell/stock_on.png", ":/shell/summary_off.png", ":/shell/summary_on.png" };
    if (index < 1 || index > 6)
        return {};
    return QPixmap(QString::fromLatin1(files[index]));
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

    m_bar = new QWidget(central);
    m_bar->setObjectName(QStringLiteral("Picture1"));
    m_bar->setFixedHeight(BarHeight);
    v->addWidget(m_bar);

    m_banner = new QLabel(m_bar);
    m_banner->setObjectName(QStringLiteral("Image1"));
    m_banner->setPixmap(QPixmap(QStringLiteral(":/shell/banner.png")));
    m_banner->setScaledContents(true);
    m_banner->setGeometry(0, 0, 800, BarHeight);

    QFont tabFont = font();
    tabFont.setPointSizeF(11);
    tabFont.setBold(true);
    int x = 10;
    for (int i = 0; i < 4; ++i) {
        auto *pic = new QLabel(m_bar);
        pic->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        pic->setPixmap(i < 3 ? imageList(m_tabPictureIndex[i])
                             : QPixmap(QStringLiteral(":/shell/settings.png")));
        pic->setCursor(Qt::PointingHandCursor);
        pic->setGeometry(x, (BarHeight - 32) / 2, 32, 32);
        pic->installEventFilter(this);
        m_tabPictures[i] = pic;

        auto *tab = new TabLabel(tabCaptions[i], m_bar);
        tab->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        tab->setFont(tabFont);
        // White on the bar; a tab the user has no right to shows greyed.
        tab->setStyleSheet(QStringLiteral(
            "QLabel { color: white; } QLabel:disabled { color: rgb(140, 150, 165); }"));
        tab->adjustSize();
        tab->move(x + 38, (BarHeight - tab->height()) / 2);
        m_tabs[i] = tab;
        x += 38 + tab->width() + 26;
    }
    connect(m_tabs[0], &TabLabel::clicked, this, &MainFrame::Label1_Click);
    connect(m_tabs[1], &TabLabel::clicked, this, &MainFrame::Label2_Click);
    connect(m_tabs[2], &TabLabel::clicked, this, &MainFrame::Label3_Click);
    connect(m_tabs[3], &TabLabel::clicked, this, &MainFrame::Label4_Click);

    m_command2 = KasmoButton::fromBag(
        m_bar, ButtonPresets::pageButton(QStringLiteral("การแจ้งเตือน"), ButtonPresets::FaceRose));
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setGeometry(600, (BarHeight - 32) / 2, 150, 32);
    m_command2->setVisible(false);
    connect(m_command2, &KasmoButton::Click, this, &MainFrame::Command2_Click);

    m_host = new QWidget(central);
    m_host->setObjectName(QStringLiteral("pageHost"));
    auto *hostLayout = new QVBoxLayout(m_host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    v->addWidget(m_host, 1);
    setCentralWidget(central);

    // The status bar: the page name, then what the platform's status bar kept by itself.
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panel->setAlignment(Qt::AlignCenter);
        m_panels[i] = panel;
        if (i == 0) {
            panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            bar->addWidget(panel, 1);
        } else {
            bar->addPermanentWidget(panel);
        }
    }
    m_panels[1]->setText(QStringLiteral("CAPS"));
    m_panels[2]->setText(QStringLiteral("NUM"));
    m_panels[1]->setEnabled(false);
    m_panels[2]->setEnabled(false);
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

QStatusBar *MainFrame::StatusBar() const
{
    return const_cast<MainFrame *>(this)->statusBar();
}

QString MainFrame::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= 5 ? m_panels[panel - 1]->text() : QString();
}

bool MainFrame::statusPanelOn(int panel) const
{
    return panel >= 1 && panel <= 5 && m_panels[panel - 1]->isEnabled();
}

void MainFrame::updateClockPanels()
{
    const QDateTime now = Clock::now();
    m_panels[3]->setText(now.toString(QStringLiteral("dd/MM/yyyy")));
    m_panels[4]->setText(now.toString(QStringLiteral("HH:mm")));
    // A lock key pressed in another program shows here within the second.
    if (const std::optional<LockKeyState> keys = LockKeys::current())
        showLockPanels(*keys);
}

void MainFrame::showLockPanels(const LockKeyState &keys)
{
    m_panels[1]->setEnabled(keys.caps);
    m_panels[2]->setEnabled(keys.num);
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
    for (int i = 0; i < 4; ++i) {
        if (watched == m_tabPictures[i] && event->type() == QEvent::MouseButtonRelease) {
            auto *m = static_cast<QMouseEvent *>(event);
            // A disabled tab takes no clicks through its picture either.
            if (m->button() == Qt::LeftButton && m_tabs[i]->isEnabled())
                emit m_tabs[i]->clicked();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::MDIForm_Load()
{
    WindowPlacement::centre(this);
    // The skin is the Fusion style, set for the whole program at start.
    if (SignedInUser::signInOn == 1) {
        setWindowTitle(Msg::frameTitleWithUser(SignedInUser::name));
        const bool rights[4] = { SignedInUser::maySell, SignedInUser::mayManageStock,
            SignedInUser::mayViewSummary, SignedInUser::mayChangeSettings };
        for (int i = 0; i < 4; ++i) {
            if (!rights[i]) {
                m_tabs[i]->setEnabled(false);
                m_tabPictures[i]->setEnabled(false);
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
    if (page->parentWidget() != m_host) {
        page->setParent(m_host, Qt::Widget);
        m_host->layout()->addWidget(page);
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

void MainFrame::setTabPicture(int tab, int imageIndex)
{
    m_tabPictureIndex[tab] = imageIndex;
    m_tabPictures[tab]->setPixmap(imageList(imageIndex));
}

void MainFrame::openPage(Tab tab)
{
    const int t = int(tab);
    static const QString names[3] = { Msg::PageSale, Msg::PageStock, Msg::PageSummary };
    // Pictures of the sale, stock and summary tabs for each chosen tab.
    static const int pictures[3][3] = { { 2, 3, 5 }, { 1, 4, 5 }, { 1, 3, 6 } };

    if (PageName() == names[t])
        return;
    if (!closeOpenPages())
        return;
    if (tab != Tab::Stock) {
        m_command2->setVisible(false);
        m_command2->setEnabled(false);
    }
    for (int i = 0; i < 3; ++i) {
        setTabPicture(i, pictures[t][i]);
        m_tabs[i]->setCaption(i == t ? QLatin1Char('&') + tabCaptions[i] : tabCaptions[i]);
    }
    const Windows &w = windows();
    const std::function<QWidget *()> &make = tab == Tab::Sale ? w.salePage
        : tab == Tab::Stock                                   ? w.stockPage
                                                              : w.summaryPage;
    if (make)
        showPage(make());
    m_panels[0]->setText(names[t]);
}

void MainFrame::Label1_Click()
{
    openPage(Tab::Sale);
}

void MainFrame::Label2_Click()
{
    openPage(Tab::Stock);
}

void MainFrame::Label3_Click()
{
    openPage(Tab::Summary);
}

void MainFrame::Label4_Click()
{
    if (windows().settings)
        windows().settings();
}

void MainFrame::Command2_Click()
{
    if (windows().lowStockView)
        windows().lowStockView();
}

void MainFrame::showLowStockAlert(int count)
{
    if (count > 0) {
        m_command2->setVisible(true);
        m_command2->setEnabled(true);
        m_command2->setCaption(Msg::lowStockAlert(count));
        m_command2->setBackColor(kasmoRGB(219, 159, 158));
    } else {
        m_command2->setVisible(false);
        m_command2->setEnabled(false);
    }
}

void MainFrame::MDIForm_Resize()
{
    step([this] { m_banner->setGeometry(0, 0, width(), BarHeight); });
    step([this] { m_command2->move(width() - Twips::toPixelsX(AlertLeftTwips), m_command2->y()); });
}

void MainFrame::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    MDIForm_Resize();
}

bool MainFrame::MDIForm_QueryUnload()
{
    if (MsgBox(Msg::ConfirmQuit, MsgButtons::OkCancel, MsgIcon::Question, Msg::ConfirmQuitTitle,
            MsgResult::Cancel, this)
        != MsgResult::Ok)
        return false;
    m_shuttingDown = true;
    step([] { WindowRegistry::unloadAll(); });
    step([] { DeleteTmpFiles(); });
    step([] { ShopDatabase::close(); });
    endProgram();
    return true;
}

void MainFrame::closeEvent(QCloseEvent *e)
{
    // The shut-down's own UnloadAllForms reaches the frame too: it closes without asking again.
    if (m_shuttingDown || MDIForm_QueryUnload())
        e->accept();
    else
        e->ignore();
}
