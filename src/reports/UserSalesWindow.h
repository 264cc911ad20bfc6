#pragma once
#include <QDialog>

class BarChart;
class PeriodControls;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class KasmoButton;

// One user's sales over this week, a month or a year ("สรุปยอดการขายของผู้ใช้"): name and
// position, net sales and discounts, a bar chart; and the door to the ranking of all users.
class UserSalesWindow : public QDialog
{
    Q_OBJECT
public:
    UserSalesWindow();

    // Opens the window modally; it starts afresh at every opening.
    static void showModal();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void loadUsers();
    void showUserSales();
    void drawChart();
    void showWeekRanking();
    void showMonthRanking();
    void showYearRanking();

    QComboBox *userList = nullptr;
    QCheckBox *weekCheck = nullptr;
    QComboBox *monthList = nullptr; // month or whole year
    QLineEdit *yearBox = nullptr;
    KasmoButton *showSalesButton = nullptr;
    QLineEdit *userLine = nullptr;
    QLineEdit *positionLine = nullptr;
    QLineEdit *netCaption = nullptr;
    QLineEdit *netTotal = nullptr;
    QLineEdit *discountCaption = nullptr;
    QLineEdit *discountTotal = nullptr;
    QLineEdit *chartTitle = nullptr; // or the ranking kind
    BarChart *salesChart = nullptr;
    QLabel *hintLabel = nullptr; // or the no-sales message
    QLabel *rankingCaption = nullptr;
    KasmoButton *weekRankingButton = nullptr;
    KasmoButton *monthRankingButton = nullptr;
    KasmoButton *yearRankingButton = nullptr;
    PeriodControls *m_period = nullptr;
};
