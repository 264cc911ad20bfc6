#pragma once
#include "platform/report/PrintSink.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "receipt/ReceiptSale.h"
#include "shell/Module1.h"
#include "support/TempProgramFolder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

// A fresh database opened as the program's connection, scripted boxes, a recording printer and
// a fixed clock.
class ReceiptFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Module1::resetState();
        ASSERT_TRUE(Module1::OpenDatabase());
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(23, 5, 9)));
    }
    void TearDown() override
    {
        Module1::CloseDatabase();
        Clock::clearFixed();
    }
    QVariant stored(const char *column)
    {
        return folder.db().scalar(
            QStringLiteral("SELECT %1 FROM tblSetPrint WHERE PK = 1").arg(column));
    }

    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    RecordingPrintSink sink;
};

// A sale as the sale page would show it.
class FakeSale : public ReceiptSale
{
public:
    struct Line
    {
        QString name, description, quantity, price, amount;
    };
    std::vector<Line> lines;
    QString no = QStringLiteral("INV-69120001"), net, disc = QStringLiteral("0.00"),
            changeText = QStringLiteral("0.00"), cashText;

    int rowCount() const override { return int(lines.size()); }
    QString cell(int row, int col) const override
    {
        const Line &l = lines.at(size_t(row - 1));
        switch (col) {
        case 2:
            return l.name;
        case 3:
            return l.description;
        case 4:
            return l.quantity;
        case 6:
            return l.price;
        case 7:
            return l.amount;
        default:
            return QString();
        }
    }
    QString receiptNo() const override { return no; }
    QString netTotal() const override { return net; }
    QString discount() const override { return disc; }
    QString change() const override { return changeText; }
    QString cash() const override { return cashText; }
};
