#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>

class KasmoButton;
struct LockKeyState;
class QTimer;

// A tab caption of the frame's bar: a label that takes clicks. "&" marks the access letter,
// drawn underlined.
class TabLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TabLabel(const QString &caption, QWidget *parent = nullptr);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString m_caption;
};

// The program's main window: the tab bar with the low-stock alert, one page at a time, the
// status bar whose first panel names the open page, and the orderly shut-down.
class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // The windows of the other folders, which this folder cannot name. The start-up fills
    // them once (AppWindows.h); an empty entry leaves its tab without effect.
    struct Windows
    {
        std::function<QWidget *()> salePage; // loaded
        std::function<QWidget *()> stockPage; // loaded
        std::function<QWidget *()> summaryPage; // loaded
        std::function<void()> showSettings; // modal
        std::function<void()> showLabels; // modal
        std::function<void()> showLowStock; // on the open stock page
        std::function<void()> rereadSaleSettings; // on the open sale page
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    MainFrame();
    ~MainFrame() override;

    // The loaded frame, or nullptr.
    static MainFrame *existing();
    // Loads the frame for the signed-in user and shows it.
    static MainFrame *showFrame();

    // Which page is open ("หน้าร้าน", "คลังสินค้า", "สรุปยอดการขาย"), as the first status panel
    // shows it: empty on the start page or without a frame. Written only by the page tabs.
    static QString openPageName();

    // The low-stock alert of the stock page: with n > 0 the button shows "(n) การแจ้งเตือน" on
    // RGB(219,159,158), visible and enabled; with 0 it is hidden and disabled.
    void showLowStockAlert(int count);

    // The open page (the start page after the load), or nullptr.
    QWidget *activePage() const { return m_page; }

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Tab { Sale, Stock, Summary };
    enum class TabPicture { SaleOff = 1, SaleOn, StockOff, StockOn, SummaryOff, SummaryOn };

    void setUpForSignedInUser();
    void openPage(Tab tab);
    void openSettings();
    void showLowStock();
    void placeBannerAndAlert();
    // False when the user chose Cancel.
    bool confirmQuit();
    bool closeOpenPages();
    void showPage(QWidget *page);
    void updateClockPanels();
    void updateLockPanels(quint32 nativeModifiers);
    void showLockPanels(const LockKeyState &keys);
    static QPixmap tabPicture(TabPicture picture);

    QWidget *tabBar = nullptr;
    QLabel *banner = nullptr;
    TabLabel *saleTab = nullptr;
    TabLabel *stockTab = nullptr;
    TabLabel *summaryTab = nullptr;
    TabLabel *settingsTab = nullptr;
    QLabel *saleTabPicture = nullptr;
    QLabel *stockTabPicture = nullptr;
    QLabel *summaryTabPicture = nullptr;
    QLabel *settingsTabPicture = nullptr;
    KasmoButton *lowStockAlertButton = nullptr;
    QWidget *pageHost = nullptr;
    QPointer<QWidget> m_page;
    QLabel *pageNamePanel = nullptr;
    QLabel *capsPanel = nullptr;
    QLabel *numPanel = nullptr;
    QLabel *datePanel = nullptr;
    QLabel *timePanel = nullptr;
    QTimer *m_clock = nullptr;
    bool m_shuttingDown = false;
};
