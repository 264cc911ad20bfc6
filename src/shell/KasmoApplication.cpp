#include "KasmoApplication.h"
#include "Messages.h"
#include "platform/db/DbError.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include <exception>

bool KasmoApplication::notify(QObject *receiver, QEvent *event)
{
    return guard([&] { return QApplication::notify(receiver, event); });
}

bool KasmoApplication::guard(const std::function<bool()> &deliver)
{
    // An exception must not cross Qt's event loop: it would end the program.
    QString text;
    try {
        return deliver();
    } catch (const DbError &e) {
        text = e.text();
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    }
    qCWarning(lcEvents).noquote() << "an event handler failed:" << text;
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle);
    return false;
}
