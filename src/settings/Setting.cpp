#include "Setting.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/MDIForm1.h"
#include "shell/Messages.h"
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

Setting::Setting()
{
    setObjectName(QStringLiteral("Setting"));
    setWindowTitle(QStringLiteral("ตั้งค่าโปรแกรม"));
    auto *v = new QVBoxLayout(this);
    cmdClose = new QPushButton(QStringLiteral("ปิด"), this);
    v->addWidget(cmdClose);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] { Form_Unload(); });
    resize(360, 200);
}

void Setting::showModal()
{
    QPointer<Setting> w = WindowRegistry::instance<Setting>();
    WindowPlacement::place(w, VerticalPlace::Third);
    DialogRunner::exec(w);
    // A dialog closed by accept or reject is unloaded too, so the next opening makes a new one.
    if (w)
        WindowRegistry::unload(w);
}

void Setting::Form_Unload()
{
    if (MDIForm1::PageName() == Msg::PageSale && MDIForm1::windows().checksetting)
        MDIForm1::windows().checksetting();
}
