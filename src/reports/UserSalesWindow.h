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

    void Form_Load();
    void Check1_Click();
    void cmdSearch_Click();
    void LoadChart();
    void kasmoButton1_Click(); // ranking of the week
    void kasmoButton2_Click(); // ranking of a month
    void kasmoButton3_Click(); // ranking of a year

    QComboBox *Combo2 = nullptr; // the user
    QCheckBox *Check1 = nullptr; // this week
    QComboBox *Combo1 = nullptr; // month or whole year
    QLineEdit *Text1 = nullptr; // year
    KasmoButton *cmdSearch = nullptr;
    QLineEdit *Text5 = nullptr; // user line
    QLineEdit *Text6 = nullptr; // position line
    QLineEdit *text3 = nullptr; // caption of the net total
    QLineEdit *text2 = nullptr; // net total
    QLineEdit *Text8 = nullptr; // caption of the discount total
    QLineEdit *Text7 = nullptr; // discount total
    QLineEdit *text4 = nullptr; // chart title, or the ranking kind
    BarChart *RMChartX1 = nullptr;
    QLabel *Label1 = nullptr; // hint, or the no-sales message
    QLabel *Label3 = nullptr;
    KasmoButton *kasmoButton1 = nullptr;
    KasmoButton *kasmoButton2 = nullptr;
    KasmoButton *kasmoButton3 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    PeriodControls *m_period = nullptr;
};
