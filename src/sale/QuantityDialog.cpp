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

    saveButton = new QPushButton(QStringLiteral("บันทึกข้อมูล (Enter)"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setFont(tahoma(12.75));
    saveButton->setAutoDefault(false);
    bannerImage = new QLabel(this);
    bannerImage->setObjectName(QStringLiteral("bannerImage"));
    bannerImage->setScaledContents(true);
    bannerImage->setPixmap(banner);
    lineCaption = new QLabel(QStringLiteral("คืนสินค้าเป็นจำนวน :"), this);
    lineCaption->setObjectName(QStringLiteral("lineCaption"));
    lineCaption->setFont(tahoma(9.75));
    setColour(lineCaption, QPalette::WindowText, SalePage::colour(rgbValue(21, 66, 139)));
    quantityBox = new QLineEdit(this);
    quantityBox->setObjectName(QStringLiteral("quantityBox"));
    quantityBox->setFont(tahoma(68.25));
    quantityBox->setAlignment(Qt::AlignCenter);
    quantityBox->setMaxLength(4);
    setColour(quantityBox, QPalette::Text, Qt::black);
    setColour(quantityBox, QPalette::Base, SalePage::colour(rgbValue(239, 200, 200)));

    Twips::place(saveButton, 0, 0, 3375, 2280);
    Twips::place(bannerImage, 3375, 0, 6525, 60);
    Twips::place(lineCaption, 3420, 70, 6420, 270);
    Twips::place(quantityBox, 3330, 340, 6570, 1935);
    setFixedSize(Twips::toPixelsX(9900), Twips::toPixelsY(2280));
    setTabOrder(quantityBox, saveButton);

    CharacterFilter::install(quantityBox, [this](int &k) { quantityKey(k); });
    InputBoxes::refuseRightClick(quantityBox);
    quantityBox->installEventFilter(this);
    connect(saveButton, &QPushButton::clicked, this, [this] { saveQuantity(); });
}

bool QuantityDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == quantityBox && event->type() == QEvent::FocusIn)
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
    quantityBox->setMaxLength(qMax(4, int(text.size())));
    quantityBox->setText(text);
    InputBoxes::selectAllText(quantityBox);
    // The box is named by the label over it, which names the line.
    Accessibility::nameFromCaption(quantityBox, lineCaption->text());
}

void QuantityDialog::quantityKey(int &key)
{
    if (key == 13) {
        key = 0;
        saveQuantity();
        return;
    }
    KeyFilters::digitsOnly(key);
    if (key >= '0' && key <= '9'
        && quantityBox->text().size() - quantityBox->selectedText().size() >= 4)
        key = 0;
}
