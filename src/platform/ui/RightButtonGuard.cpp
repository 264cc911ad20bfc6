#include "RightButtonGuard.h"
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

class Guard : public QObject
{
public:
    Guard(QObject *parent, std::function<void()> f)
        : QObject(parent)
        , onRightPress(std::move(f))
    { }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
                if (onRightPress)
                    onRightPress();
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent *>(event)->button() == Qt::RightButton;
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }

    std::function<void()> onRightPress;
};

void guard(QWidget *w, const std::function<void()> &f)
{
    w->setContextMenuPolicy(Qt::PreventContextMenu);
    w->installEventFilter(new Guard(w, f));
}

} // namespace

void RightButtonGuard::install(QWidget *box, std::function<void()> onRightPress)
{
    guard(box, onRightPress);
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        guard(combo->lineEdit(), onRightPress);
}
