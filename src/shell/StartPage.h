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

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeOnFrame();
    void openHelpPage();
    void openLabelWindow();

    QGroupBox *helpBox = nullptr;
    QLabel *helpLink = nullptr;
    KasmoButton *labelsButton = nullptr;
    QLabel *welcomePicture = nullptr;
};
