#pragma once
#include "platform/grid/GridRows.h"
#include "records/PeriodFilter.h"
#include <QDate>
#include <QString>
#include <QVariantList>
#include <functional>

class Connection;

// One stock movement (a row of tblLog2) as the history lists it.
struct Movement
{
    qint64 pk = 0;
    int type = 0; // MovementType: 1 stock update, 2 sale, 3 return
    QString code, name, description;
    QString time; // ISO date-time as stored
    QString documentNo;
    qint64 stockBefore = 0, quantity = 0, stockAfter = 0;
    QString user, remark;
};

// What the history searches: a movement type, a period and a text found in the code, name,
// description, user or document number. The data side of the history window, free of widgets.
struct MovementSearch
{
    int type = 0; // 0 every type, else the MovementType
    PeriodFilter period;
    QString text; // matched literally as a substring; empty matches every movement

    // The query and its bound values for the given date of the clock: the period as day ranges
    // on the indexed dTime, newest first, then by document number (descending), type and code.
    QString sql(const QDate &today, QVariantList &params) const;
    // Runs the query; each movement found goes to `row` in query order. Returns the count.
    // Throws DbError when the database refuses the query.
    qint64 run(
        Connection &db, const QDate &today, const std::function<void(const Movement &)> &row) const;
    // The movements found as the history lists them, in query order, read straight into packed
    // grid rows: 0 key, 1 type word, 2 " code , name description", 3 time as stored, 4 document
    // number, 5 stock before, 6 quantity (a sale's with "-" before it), 7 stock after, 8 user,
    // 9 remark. Throws DbError when the database refuses the query.
    GridRows rows(Connection &db, const QDate &today) const;

    // The word the history shows for a MovementType; empty for other values.
    static QString typeText(int type);
};
