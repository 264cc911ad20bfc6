#include "Form2.h"
#include "button/ButtonPresets.h"
#include "button/kasmoButton.h"
#include "platform/ui/SkipOnFailure.h"
#include "shell/MDIForm1.h"
#include "shell/MLogin.h"
#include "shell/Module1.h"
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <exception>

Form2::Form2()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("คลังสินค้า"));
    auto *v = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    v->addWidget(Label1);
    lstProducts = new QListWidget(this);
    v->addWidget(lstProducts, 1);
    pageButton5
        = kasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("ข้อมูลย้อนหลัง")));
    pageButton5->setObjectName(QStringLiteral("pageButton5"));
    pageButton5->setFixedSize(140, 34);
    v->addWidget(pageButton5);
    Form_Load();
}

void Form2::Form_Load()
{
    Form_Resize();
    Loaddata();
    if (MLogin::LoginOn == 1 && !MLogin::LoginLv5)
        pageButton5->setEnabled(false);
}

void Form2::Form_Resize()
{
    if (MDIForm1 *frame = MDIForm1::existing())
        resize(frame->pageHost()->size());
}

void Form2::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
}

void Form2::Minitem()
{
    try {
        const int n = Module1::Conn()
                          .scalar(QStringLiteral("SELECT COUNT(*) FROM tblProduct "
                                                 "WHERE PDvalue < PDerror"))
                          .toInt();
        if (MDIForm1 *frame = MDIForm1::existing())
            frame->showLowStockAlert(n);
    } catch (const std::exception &e) {
        logSkipped("Form2.Minitem", e);
    }
}

void Form2::Loaddata()
{
    Minitem();
    lstProducts->clear();
    try {
        const QString where
            = SearchMode == 3 ? QStringLiteral(" WHERE PDvalue < PDerror") : QString();
        Recordset rs
            = Module1::Conn().query(QStringLiteral("SELECT PDsn, PDname, PDvalue FROM tblProduct")
                + where + QStringLiteral(" ORDER BY PDsn"));
        for (; !rs.eof(); rs.moveNext())
            lstProducts->addItem(rs.text("PDsn") + QStringLiteral("  ") + rs.text("PDname")
                + QStringLiteral("  ") + rs.text("PDvalue"));
    } catch (const std::exception &e) {
        logSkipped("Form2.Loaddata", e);
    }
    Label1->setText(SearchMode == 3 ? QStringLiteral("สินค้าใกล้หมด") : windowTitle());
}

void Form2::errorna()
{
    SearchMode = 3;
    Loaddata();
}
