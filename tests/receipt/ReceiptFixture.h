#pragma once
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "sale/SaleStore.h"
#include "shell/ShopDatabase.h"
#include "support/FindControl.h"
#include "support/TempProgramFolder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

// The receipt window's controls, found by name.
inline QLineEdit *lineBox(const QWidget *w, const char *name)
{
    return control<QLineEdit>(w, QString::fromLatin1(name));
}
inline QPlainTextEdit *textArea(const QWidget *w, const char *name)
{
    return control<QPlainTextEdit>(w, QString::fromLatin1(name));
}
inline QCheckBox *tick(const QWidget *w, const char *name)
{
    return control<QCheckBox>(w, QString::fromLatin1(name));
}
inline QPushButton *button(const QWidget *w, const char *name)
{
    return control<QPushButton>(w, QString::fromLatin1(name));
}
inline ReportViewer *viewer(const QWidget *w, const char *name)
{
    return control<ReportViewer>(w, QString::fromLatin1(name));
}

// A fresh database opened as the program's connection, scripted boxes, a recording printer and
// a fixed clock.
class ReceiptFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ShopDatabase::open());
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(23, 5, 9)));
    }
    void TearDown() override
    {
        ShopDatabase::close();
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

// A stored sale made from the texts a cashier would see: each line's name (with the grid's
// leading blank), description, quantity and unit price; a discount in baht and the cash typed.
class FakeSale
{
public:
    struct Line
    {
        QString name, description, quantity, price;
    };
    std::vector<Line> lines;
    QString no = QStringLiteral("INV-69120001"), disc = QStringLiteral("0.00"), cashText;

    const StoredSale &stored()
    {
        m_stored = StoredSale();
        for (const Line &l : lines) {
            SaleLine line;
            line.name = l.name.startsWith(QLatin1Char(' ')) ? l.name.mid(1) : l.name;
            line.description = l.description;
            line.quantity = l.quantity.toLongLong();
            line.unitPrice = Currency::fromText(l.price);
            m_stored.sale.lines.append(line);
        }
        m_stored.sale.discountType = DiscountType::Baht;
        m_stored.sale.discountFigure = Currency::fromText(disc);
        m_stored.sale.cash = cashFromText(cashText);
        m_stored.receiptNo = no;
        m_stored.time = Clock::now();
        return m_stored;
    }

private:
    StoredSale m_stored;
};
