#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>

class KasmoButton;
struct LockKeyState;
class QDialog;
class QStatusBar;
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
// status bar whose first panel is PageName, and the orderly shut-down.
class MainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // The windows of the other folders, which this folder cannot name. The start-up fills
    // them once (AppWindows.h); an empty entry leaves its tab without effect.
    struct Windows
    {
        std::function<QWidget *()> salePage; // SalePage, loaded
        std::function<QWidget *()> stockPage; // StockPage, loaded
        std::function<QWidget *()> summaryPage; // SummaryPage, loaded
        std::function<void()> settings; // SettingsWindow, shown modally
        std::function<void()> labels; // LabelWindow, shown modally
        std::function<void()> lowStockView; // StockPage.showLowStock on the open stock page
        std::function<void()> checksetting; // SalePage.checksetting on the open sale page
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    MainFrame();
    ~MainFrame() override;

    // The loaded frame, or nullptr.
    static MainFrame *existing();
    // Loads the frame (its load runs) and shows it.
    static MainFrame *showFrame();

    // The first status panel: which page is open ("หน้าร้าน", "คลังสินค้า", "สรุปยอดการขาย"),
    // empty on the start page or without a frame. Written only by the page tabs.
    static QString PageName();

    // The low-stock alert of the stock page: with n > 0 the button shows "(n) การแจ้งเตือน" on
    // RGB(219,159,158), visible and enabled; with 0 it is hidden and disabled.
    void showLowStockAlert(int count);
    KasmoButton *Command2() const { return m_command2; }

    // The open page (the start page after the load), or nullptr.
    QWidget *activePage() const { return m_page; }
    // Where pages live; a page fills it.
    QWidget *pageHost() const { return m_host; }

    // Controls, for the pages and tests.
    TabLabel *Label1() const { return m_tabs[0]; }
    TabLabel *Label2() const { return m_tabs[1]; }
    TabLabel *Label3() const { return m_tabs[2]; }
    TabLabel *Label4() const { return m_tabs[3]; }
    QLabel *Image1() const { return m_banner; }
    QLabel *tabPicture(int i) const { return m_tabPictures[i]; } // 0 sale .. 3 settings
    int tabPictureIndex(int i) const { return m_tabPictureIndex[i]; } // ImageList1 index 1..6
    QStatusBar *StatusBar() const;
    QString statusPanelText(int panel) const; // 1 PageName, 2 CAPS, 3 NUM, 4 date, 5 time
    bool statusPanelOn(int panel) const; // CAPS and NUM: the lock is on

    // Handlers.
    void MDIForm_Load();
    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Command2_Click();
    void MDIForm_Resize();
    // False when the user chose Cancel.
    bool MDIForm_QueryUnload();

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Tab { Sale, Stock, Summary };
    void openPage(Tab tab);
    bool closeOpenPages();
    void showPage(QWidget *page);
    void setTabPicture(int tab, int imageIndex);
    void updateClockPanels();
    void updateLockPanels(quint32 nativeModifiers);
    void showLockPanels(const LockKeyState &keys);
    static QPixmap imageList(int index);

    QWidget *m_bar = nullptr; // Picture1
    QLabel *m_banner = nullptr;
    TabLabel *m_tabs[4] = {};
    QLabel *m_tabPictures[4] = {};
    int m_tabPictureIndex[4] = { 1, 3, 5, 0 };
    KasmoButton *m_command2 = nullptr;
    QWidget *m_host = nullptr;
    QPointer<QWidget> m_page;
    QLabel *m_panels[5] = {};
    QTimer *m_clock = nullptr;
    bool m_shuttingDown = false;
};
