#include "FBarcode.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

FBarcode::FBarcode()
{
    setObjectName(QStringLiteral("FBarcode"));
    setWindowTitle(QStringLiteral("สร้างบาร์โค๊ด"));
    auto *v = new QVBoxLayout(this);
    cmdClose = new QPushButton(QStringLiteral("ปิด"), this);
    v->addWidget(cmdClose);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(360, 200);
}

void FBarcode::showModal()
{
    QPointer<FBarcode> w = WindowRegistry::instance<FBarcode>();
    WindowPlacement::place(w, VerticalPlace::Third);
    DialogRunner::exec(w);
}
