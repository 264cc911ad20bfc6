#include "StartPage.h"
#include "MainFrame.h"
#include "Messages.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include <QDesktopServices>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <exception>

namespace {

constexpr int HelpBoxWidth = 280;

template <class F> void step(F &&f)
{
    skipOnFailure("StartPage", f);
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

QUrl StartPage::supportUrl()
{
    // Delivered with the program, so it opens without a network: how to get Thai shown.
    return QUrl::fromLocalFile(ProgramFolder::file(QStringLiteral("data/help/fix/index.html")));
}

StartPage::StartPage()
{
    setObjectName(QStringLiteral("StartPage"));
    setWindowTitle(Msg::StartPageTitle);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    helpBox = new QGroupBox(QStringLiteral(" วิธีการแก้ปัญหา"), this);
    helpBox->setObjectName(QStringLiteral("helpBox"));
    QFont bold = helpBox->font();
    bold.setBold(true);
    helpBox->setFont(bold);
    QFont plain = bold;
    plain.setBold(false);

    auto *v = new QVBoxLayout(helpBox);
    v->setSpacing(6);
    QLabel *n1 = note(
        QStringLiteral("* หากโปรแกรมไม่แสดงผลเป็น ภาษาไทย ขึ้นเป็น ภาษามั่วๆ ??? แก้ได้ดังนี้"), helpBox);
    n1->setFont(plain);
    v->addWidget(n1);

    helpLink = new QLabel(QStringLiteral("[  ดูวิธีแก้คลิก  ]"), helpBox);
    helpLink->setObjectName(QStringLiteral("helpLink"));
    helpLink->setTextFormat(Qt::PlainText);
    helpLink->setCursor(Qt::PointingHandCursor);
    QFont link = plain;
    link.setUnderline(true);
    helpLink->setFont(link);
    helpLink->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    helpLink->installEventFilter(this);
    v->addWidget(helpLink, 0, Qt::AlignHCenter);

    auto *line = new QFrame(helpBox);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(line);

    QLabel *n2 = note(QStringLiteral("* หากเปิดดู วีดีโอ วิธีใช้ แล้วเด้ง Error ให้ทำการ Restart "
                                     "คอมใหม่ 1 คร้ง แล้วเปิดดูใหม่อีกครั้ง"),
        helpBox);
    n2->setFont(plain);
    v->addWidget(n2);

    auto *shape = new QFrame(helpBox);
    shape->setFixedHeight(6);
    shape->setStyleSheet(QStringLiteral("background: rgb(31, 111, 209); border-radius: 3px;"));
    v->addWidget(shape);

    helpBox->setGeometry(0, 20, HelpBoxWidth, v->totalHeightForWidth(HelpBoxWidth));

    welcomePicture = new QLabel(this);
    welcomePicture->setObjectName(QStringLiteral("welcomePicture"));
    welcomePicture->setPixmap(QPixmap(QStringLiteral(":/shell/welcome.png")));
    welcomePicture->adjustSize();

    PropertyBag design = ButtonPresets::pageButton(QStringLiteral("&สร้างบาร์โค๊ด"));
    design.write(QStringLiteral("FONT"), QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
    labelsButton = KasmoButton::fromBag(this, design);
    labelsButton->setObjectName(QStringLiteral("labelsButton"));
    labelsButton->setGeometry(0, 0, 220, 40);
    connect(labelsButton, &KasmoButton::Click, this, &StartPage::openLabelWindow);
}

void StartPage::placeOnFrame()
{
    MainFrame *frame = MainFrame::existing();
    if (!frame)
        return;
    const int w = frame->width();
    const int h = frame->height();
    auto x = [](int twips) { return Twips::toPixelsX(twips); };
    auto y = [](int twips) { return Twips::toPixelsY(twips); };
    step([&] { welcomePicture->move(w - x(4000), welcomePicture->y()); });
    step([&] { welcomePicture->move(welcomePicture->x(), h - y(5500)); });
    step([&] { helpBox->move(w - x(4350), helpBox->y()); });
    step([&] { labelsButton->move(w - x(4000), labelsButton->y()); });
    step([&] { labelsButton->move(labelsButton->x(), h - y(3000)); });
}

void StartPage::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    placeOnFrame();
}

bool StartPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == helpLink && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openHelpPage();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StartPage::openHelpPage()
{
    // No browser, no page: nothing is shown.
    step([] { QDesktopServices::openUrl(supportUrl()); });
}

void StartPage::openLabelWindow()
{
    if (MainFrame::windows().showLabels)
        MainFrame::windows().showLabels();
}
