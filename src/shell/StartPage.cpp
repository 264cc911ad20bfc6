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

constexpr int FrameWidth = 280;

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

    Frame1 = new QGroupBox(QStringLiteral(" วิธีการแก้ปัญหา"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QFont bold = Frame1->font();
    bold.setBold(true);
    Frame1->setFont(bold);
    QFont plain = bold;
    plain.setBold(false);

    auto *v = new QVBoxLayout(Frame1);
    v->setSpacing(6);
    QLabel *n1
        = note(QStringLiteral("* หากโปรแกรมไม่แสดงผลเป็น ภาษาไทย ขึ้นเป็น ภาษามั่วๆ ??? แก้ได้ดังนี้"), Frame1);
    n1->setFont(plain);
    v->addWidget(n1);

    Label16 = new QLabel(QStringLiteral("[  ดูวิธีแก้คลิก  ]"), Frame1);
    Label16->setObjectName(QStringLiteral("Label16"));
    Label16->setTextFormat(Qt::PlainText);
    Label16->setCursor(Qt::PointingHandCursor);
    QFont link = plain;
    link.setUnderline(true);
    Label16->setFont(link);
    Label16->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    Label16->installEventFilter(this);
    v->addWidget(Label16, 0, Qt::AlignHCenter);

    auto *line = new QFrame(Frame1);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    v->addWidget(line);

    QLabel *n2 = note(QStringLiteral("* หากเปิดดู วีดีโอ วิธีใช้ แล้วเด้ง Error ให้ทำการ Restart "
                                     "คอมใหม่ 1 คร้ง แล้วเปิดดูใหม่อีกครั้ง"),
        Frame1);
    n2->setFont(plain);
    v->addWidget(n2);

    auto *shape = new QFrame(Frame1);
    shape->setFixedHeight(6);
    shape->setStyleSheet(QStringLiteral("background: rgb(31, 111, 209); border-radius: 3px;"));
    v->addWidget(shape);

    Frame1->setGeometry(0, 20, FrameWidth, v->totalHeightForWidth(FrameWidth));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/shell/welcome.png")));
    Image1->adjustSize();

    PropertyBag design = ButtonPresets::pageButton(QStringLiteral("&สร้างบาร์โค๊ด"));
    design.write(QStringLiteral("FONT"), QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
    kasmoButton5 = KasmoButton::fromBag(this, design);
    kasmoButton5->setObjectName(QStringLiteral("kasmoButton5"));
    kasmoButton5->setGeometry(0, 0, 220, 40);
    connect(kasmoButton5, &KasmoButton::Click, this, &StartPage::kasmoButton5_Click);
}

void StartPage::Form_Resize()
{
    MainFrame *frame = MainFrame::existing();
    if (!frame)
        return;
    const int w = frame->width();
    const int h = frame->height();
    auto x = [](int twips) { return Twips::toPixelsX(twips); };
    auto y = [](int twips) { return Twips::toPixelsY(twips); };
    step([&] { Image1->move(w - x(4000), Image1->y()); });
    step([&] { Image1->move(Image1->x(), h - y(5500)); });
    step([&] { Frame1->move(w - x(4350), Frame1->y()); });
    step([&] { kasmoButton5->move(w - x(4000), kasmoButton5->y()); });
    step([&] { kasmoButton5->move(kasmoButton5->x(), h - y(3000)); });
}

void StartPage::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

bool StartPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label16 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label16_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StartPage::Label16_Click()
{
    // No browser, no page: nothing is shown.
    step([] { QDesktopServices::openUrl(supportUrl()); });
}

void StartPage::kasmoButton5_Click()
{
    if (MainFrame::windows().labels)
        MainFrame::windows().labels();
}
