// What assistive technology reads of the owner-drawn button and how it presses it: a push
// button (a check box in check-box mode) named by its caption.
#include "button/KasmoButton.h"
#include "platform/ui/Accessibility.h"
#include <QAccessibleWidget>

namespace {

class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(KasmoButton *b)
        : QAccessibleWidget(b, QAccessible::Button)
    { }

    KasmoButton *button() const { return static_cast<KasmoButton *>(widget()); }

    QAccessible::Role role() const override
    {
        return button()->CheckBoxBehaviour() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            if (!widget()->accessibleName().isEmpty())
                return widget()->accessibleName();
            return Accessibility::plainCaption(button()->Caption());
        case QAccessible::Description:
            if (!widget()->accessibleDescription().isEmpty())
                return widget()->accessibleDescription();
            return widget()->toolTip().trimmed();
        case QAccessible::Accelerator:
            return button()->accessKey().isNull()
                ? QString()
                : QStringLiteral("Alt+") + button()->accessKey().toUpper();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->lastState() == ButtonState::Down;
        if (button()->CheckBoxBehaviour()) {
            s.checkable = true;
            s.checked = button()->Value();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (!button()->Enabled())
            return {};
        return { pressAction() };
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            button()->press(); // does nothing while disabled
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        const QString key = text(QAccessible::Accelerator);
        if (action == pressAction() && !key.isEmpty())
            return { key };
        return {};
    }
};

QAccessibleInterface *buttonFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("KasmoButton") && object && object->isWidgetType())
        return new ButtonAccessible(static_cast<KasmoButton *>(object));
    return nullptr;
}

} // namespace

void installButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(buttonFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
