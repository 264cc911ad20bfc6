#pragma once
#include <QUrl>
#include <QWidget>

class KasmoButton;
class QGroupBox;
class QLabel;

// The start page: shown by the frame's load, closed by the first page tab.
class StartPage : public QWidget
{
    Q_OBJECT
public:
    StartPage();

    // The help page the link opens in the user's browser: data/help/fix/index.html in the
    // program folder (how to get Thai shown).
    static QUrl supportUrl();

    void Form_Resize();
    void Label16_Click();
    void kasmoButton5_Click();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label16 = nullptr;
    KasmoButton *kasmoButton5 = nullptr;
    QLabel *Image1 = nullptr;

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
