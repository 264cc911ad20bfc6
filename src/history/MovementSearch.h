#pragma once
#include "platform/grid/GridRows.h"
#include "records/Codes.h"
#include "records/PeriodFilter.h"
#include <QDate>
#include <QString>
#include <QVariantList>
#include <optional>

class Connection;

// What the history searches: a movement type, a period and a text found in the code, name,
// description, user or document number. The data side of the history window, free of widgets.
struct MovementSearch
{
    std::optional<MovementType> type; // none: every type
    PeriodFilter period;
    QString text; // matched literally as a substring; empty matches every movement

    // The query and its bound values for the given date of the clock: the period as day ranges
    // on the indexed dTime, newest first, then by document number (descending), type and code.
    QString sql(const QDate &today, QVariantList &params) const;
    // The movements found as the history lists them, in query order, read straight into packed
    // grid rows: 0 key, 1 type word, 2 " code , name description", 3 time as stored, 4 document
    // number, 5 stock before, 6 quantity (a sale's with "-" before it), 7 stock after, 8 user,
    // 9 remark. Throws DbError when the database refuses the query.
    GridRows rows(Connection &db, const QDate &today) const;

    // The word the history shows for a MovementType; empty for other values.
    static QString typeText(int type);
};
