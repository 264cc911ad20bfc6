#include "sale/QuantityDialog.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/WindowPlacement.h"
#include "records/Codes.h"
#include "sale/SalePage.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QuantityDialog::QuantityDialog(const QString &name, const QString &title, const QPixmap &banner)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint
        | Qt::WindowTitleHint);
    setFont(tahoma(8.25, false));

    Command1 = new QPushButton(QStringLiteral("บันทึกข้อมูล (Enter)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(tahoma(12.75));
    Command1->setAutoDefault(false);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(banner);
    Label1 = new QLabel(QStringLiteral("คืนสินค้าเป็นจำนวน :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(tahoma(9.75));
    setColour(Label1, QPalette::WindowText, SalePage::colour(rgbValue(21, 66, 139)));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(tahoma(68.25));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setMaxLength(4);
    setColour(Text1, QPalette::Text, Qt::black);
    setColour(Text1, QPalette::Base, SalePage::colour(rgbValue(239, 200, 200)));

    Twips::place(Command1, 0, 0, 3375, 2280);
    Twips::place(Image1, 3375, 0, 6525, 60);
    Twips::place(Label1, 3420, 70, 6420, 270);
    Twips::place(Text1, 3330, 340, 6570, 1935);
    setFixedSize(Twips::toPixelsX(9900), Twips::toPixelsY(2280));
    setTabOrder(Text1, Command1);

    CharacterFilter::install(Text1, [this](int &k) { Text1_KeyPress(k); });
    InputBoxes::refuseRightClick(Text1);
    Text1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

bool QuantityDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        InputBoxes::setEnglishKeyboard();
    return QDialog::eventFilter(watched, event);
}

void QuantityDialog::keyPressEvent(QKeyEvent *e)
{
    // No cancel button: Esc means nothing; Enter belongs to the quantity box.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}

QString QuantityDialog::lineLabel(
    const QString &before, const QString &name, const QString &description, const QString &after)
{
    return before + trimBlanks(trimBlanks(name) + QLatin1Char(' ') + trimBlanks(description))
        + after;
}

void QuantityDialog::showQuantity(qint64 qty)
{
    const QString text = QString::number(qty);
    Text1->setMaxLength(qMax(4, int(text.size())));
    Text1->setText(text);
    InputBoxes::selectAllText(Text1);
    // The box is named by the label over it, which names the line.
    Accessibility::nameFromCaption(Text1, Label1->text());
}

void QuantityDialog::Text1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
    }
    KeyFilters::digitsOnly(KeyAscii);
    if (KeyAscii >= '0' && KeyAscii <= '9'
        && Text1->text().size() - Text1->selectedText().size() >= 4)
        KeyAscii = 0;
}
