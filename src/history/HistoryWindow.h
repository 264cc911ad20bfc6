#pragma once
#include "platform/grid/GridRows.h"
#include <QDialog>

class DataGrid;
class PeriodControls;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The movement history window ("ข้อมูลย้อนหลัง"): stock updates, sales and returns of a chosen
// type and period, optionally narrowed by a text, listed one row per movement and grouped under
// one header row per document. It only reads. The stock page opens it with showModal().
class HistoryWindow : public QDialog
{
    Q_OBJECT
public:
    HistoryWindow(); // loads

    // Makes a fresh window in its design state, runs it modally and unloads it.
    static void showModal();

    // Grid columns; 0 holds the movement's key, 3, 4, 8 and 9 are hidden.
    enum Col {
        ColPK = 0,
        ColType = 1,
        ColProduct = 2,
        ColTime = 3,
        ColDocument = 4,
        ColBefore = 5,
        ColQty = 6,
        ColAfter = 7,
        ColUser = 8,
        ColRemark = 9,
        ColCount = 10,
    };

    QGroupBox *Frame1 = nullptr; // the type options
    QRadioButton *Option1 = nullptr; // every type
    QRadioButton *Option2 = nullptr; // stock updates
    QRadioButton *Option3 = nullptr; // sales
    QRadioButton *Option4 = nullptr; // returns
    QCheckBox *Check1 = nullptr; // the week
    QComboBox *Combo1 = nullptr; // the month or the whole year
    QGroupBox *Frame2 = nullptr; // "     วันที่"
    QCheckBox *Check2 = nullptr; // one day
    QLineEdit *text2 = nullptr; // the day
    QGroupBox *Frame3 = nullptr; // "ปี (ค.ศ.)"
    QLineEdit *Text1 = nullptr; // the year
    QLineEdit *txt1 = nullptr; // the search text
    QPushButton *Command2 = nullptr; // runs the search
    QFrame *Shape1 = nullptr; // the band behind the description line
    QLabel *Label1 = nullptr; // the description line
    DataGrid *fpSpread1 = nullptr;
    PeriodControls *period = nullptr;

    void Form_Load();
    void Form_KeyDown(int &KeyCode);
    void Form_Resize();
    void Command2_Click();
    void SetupSpread();
    void BogData();
    // Groups the movements found under one header row per document (key column) and shows them.
    void GroupBySpread(GridRows &&rows, int keyCol);
    // Colours the header row that the grouping has put at headerRow.
    void InsertHeaderRow(int headerRow);

    // Window captions after a search.
    static QString foundCaption(qint64 count);
    static const QString NotFoundCaption;
    static const QString DesignDescription; // "รายละเอียดข้อมูล : ?"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString typeWord() const;
    int chosenType() const;
    void placeDayBox();
};
