#include "Setting.h"
#include "button/ButtonPresets.h"
#include "labels/FBarcode.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "receipt/SaleReceipt.h"
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
    kasmoButton4
        = kasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("&ตั้งค่าการพิมพ์")));
    kasmoButton5
        = kasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("&สร้างบาร์โค๊ด")));
    for (kasmoButton *b : { kasmoButton4, kasmoButton5 }) {
        b->setMinimumHeight(40);
        v->addWidget(b);
    }
    connect(kasmoButton4, &kasmoButton::Click, this, &Setting::kasmoButton4_Click);
    connect(kasmoButton5, &kasmoButton::Click, this, &Setting::kasmoButton5_Click);
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
}

void Setting::Form_Unload()
{
    if (MDIForm1::PageName() == Msg::PageSale && MDIForm1::windows().checksetting)
        MDIForm1::windows().checksetting();
}

void Setting::kasmoButton4_Click()
{
    openReceiptSetUp(this);
}

void Setting::kasmoButton5_Click()
{
    FBarcode::showModal();
}
