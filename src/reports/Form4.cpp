#include "Form4.h"
#include "shell/MDIForm1.h"
#include "shell/Module1.h"
#include <QLabel>
#include <QVBoxLayout>

Form4::Form4()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("สรุปยอดการขาย"));
    auto *v = new QVBoxLayout(this);
    Label1 = new QLabel(windowTitle(), this);
    v->addWidget(Label1);
    v->addStretch(1);
    Form_Load();
}

void Form4::Form_Load()
{
    Module1::SummaryMode = SummaryMode::Detailed;
    Form_Resize();
}

void Form4::Form_Resize()
{
    if (MDIForm1 *frame = MDIForm1::existing())
        resize(frame->pageHost()->size());
}
