#include "InputBoxes.h"
#include "Messages.h"
#include "platform/ui/KeyboardLayout.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RightButtonGuard.h"
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>

void InputBoxes::selectAllText(QWidget *box)
{
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(box))
        spin->selectAll();
}

void InputBoxes::refuseRightClick(QWidget *box)
{
    RightButtonGuard::install(
        box, [] { MsgBox(Msg::NoRightClick, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle); });
}

bool InputBoxes::setKeyboardLayout(const QString &layoutName)
{
    // Eight-digit layout names ("00000409") to the XKB ones.
    QString xkb;
    if (layoutName.compare(QLatin1String("00000409"), Qt::CaseInsensitive) == 0)
        xkb = QStringLiteral("us");
    else if (layoutName.compare(QLatin1String("0000041E"), Qt::CaseInsensitive) == 0)
        xkb = QStringLiteral("th");
    else
        return false;
    KeyboardLayout &kl = KeyboardLayout::instance();
    if (kl.isActive(xkb))
        return true;
    kl.activate(xkb);
    return kl.isActive(xkb);
}

void InputBoxes::setEnglishKeyboard()
{
    setKeyboardLayout(QStringLiteral("00000409"));
}
