#include "stock/FUpdate.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Currency.h"
#include "records/Val.h"
#include "sale/Edit.h"
#include "sale/SaleRules.h"
#include "sale/Scanitem.h"
#include "shell/Module1.h"
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {
constexpr int ColPK = 0;
constexpr int ColName = 2;
constexpr int ColDes = 3;
constexpr int ColQty = 4;
constexpr int ColCost = 6;
constexpr int ColAmount = 7;
} // namespace

FUpdate::FUpdate()
{
    setObjectName(QStringLiteral("FUpdate"));
    setWindowTitle(QStringLiteral("อัพเดทสต๊อก"));
    txtSearchProduct = new QLineEdit(this);
    txtSearchProduct->setObjectName(QStringLiteral("txtSearchProduct"));
    cmdSearch = new QPushButton(QStringLiteral("ค้นหาสินค้า"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setAutoDefault(false);
    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    Label6 = new QLabel(QStringLiteral("0.00"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *layout = new QGridLayout(this);
    layout->addWidget(txtSearchProduct, 0, 0);
    layout->addWidget(cmdSearch, 0, 1);
    layout->addWidget(fpSpread1, 1, 0, 1, 2);
    layout->addWidget(Label6, 2, 0, 1, 2);
    resize(900, 500);

    connect(cmdSearch, &QPushButton::clicked, this, &FUpdate::cmdSearch_Click);
    connect(fpSpread1, &DataGrid::cellDoubleClicked, this, [this] { fpSpread1_DblClick(); });
    Form_Load();
}

void FUpdate::showModal()
{
    QPointer<FUpdate> w = WindowRegistry::instance<FUpdate>();
    DialogRunner::exec(w);
}

void FUpdate::Form_Load()
{
    WindowPlacement::centre(this);
    SetupSpread();
}

void FUpdate::SetupSpread()
{
    DataGrid *g = fpSpread1;
    g->setMaxRows(0);
    g->setMaxCols(ColAmount);
    g->setReadOnly(true);
    g->setColWidth(0, 0);
    const QString headers[] = { QString(), QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("จำนวน"), QStringLiteral("หน่วย"),
        QStringLiteral("ราคาทุน"), QStringLiteral("รวมเป็นเงิน") };
    for (int c = 1; c <= ColAmount; ++c)
        g->setText(c, DataGrid::HeaderRow, headers[c]);
    g->setCellKind(ColQty, DataGrid::All, CellKind::Number, 0);
    g->setCellKind(ColCost, DataGrid::All, CellKind::Money);
    g->setCellKind(ColAmount, DataGrid::All, CellKind::Money);
}

void FUpdate::CalTotalAmount()
{
    DataGrid *g = fpSpread1;
    if (g->maxRows() == 0) {
        Label6->setText(QStringLiteral("0.00"));
        return;
    }
    Currency total;
    for (int r = 1; r <= g->maxRows(); ++r)
        total += Currency::fromText(g->getText(ColAmount, r));
    Label6->setText(total.format());
}

void FUpdate::CalTotalAmount2()
{
    DataGrid *g = fpSpread1;
    const int r = Module1::EditRow;
    const Currency cost = Currency::fromText(g->getText(ColCost, r));
    g->setText(ColAmount, r, (cost * toWholeNumber(g->getText(ColQty, r))).plain());
}

QString FUpdate::lineName(int row) const
{
    return fpSpread1->getText(ColName, row);
}

QString FUpdate::lineDescription(int row) const
{
    return fpSpread1->getText(ColDes, row);
}

void FUpdate::addLine(const SaleProduct &p)
{
    DataGrid *g = fpSpread1;
    for (int r = 1; r <= g->maxRows(); ++r) {
        if (toWholeNumber(g->getText(ColPK, r)) != p.pk)
            continue;
        const Currency unit = Currency::fromText(g->getText(ColCost, r));
        const qint64 qty = toWholeNumber(g->getText(ColQty, r)) + 1;
        g->setText(ColQty, r, QString::number(qty));
        g->setText(ColAmount, r, (unit * qty).plain());
        CalTotalAmount();
        return;
    }
    g->setMaxRows(g->maxRows() + 1);
    g->insertRows(1, 1);
    const QString cost = p.cost.plain();
    const QString cells[] = { QString::number(p.pk), p.code, QLatin1Char(' ') + p.name,
        p.description, QStringLiteral("1"), p.unit, cost, cost };
    for (int c = ColPK; c <= ColAmount; ++c)
        g->setText(c, 1, cells[c]);
    CalTotalAmount();
}

void FUpdate::setQuantity(int row, qint64 quantity)
{
    if (row < 1 || row > fpSpread1->maxRows())
        return;
    fpSpread1->setText(ColQty, row, QString::number(quantity));
    Module1::EditRow = row;
    CalTotalAmount2();
    CalTotalAmount();
}

void FUpdate::cmdSearch_Click()
{
    Scanitem::showModal(*this);
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
}

void FUpdate::fpSpread1_DblClick()
{
    DataGrid *g = fpSpread1;
    if (g->maxRows() == 0 || g->activeCol() != ColQty)
        return;
    Module1::EditQty = int(toWholeNumber(g->getText(ColQty, g->activeRow())));
    Module1::EditRow = g->activeRow();
    Edit::showModal(*this);
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
}
