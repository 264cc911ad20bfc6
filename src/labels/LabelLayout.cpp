#include "labels/LabelLayout.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/RowWriter.h"
#include "records/Blanks.h"
#include "records/Currency.h"
#include "records/Val.h"

namespace {
// Columns and the fields they fill, in the order they are written.
struct Column
{
    const char *name;
    QString LabelLayout::*field;
};
const Column Texts[] = {
    { "SpaperW", &LabelLayout::SpaperW },
    { "SpaperH", &LabelLayout::SpaperH },
    { "SKpaperT", &LabelLayout::SKpaperT },
    { "SKpaperD", &LabelLayout::SKpaperD },
    { "SKpaperL", &LabelLayout::SKpaperL },
    { "SKpaperR", &LabelLayout::SKpaperR },
    { "SSpaperW", &LabelLayout::SSpaperW },
    { "SSpaperH", &LabelLayout::SSpaperH },
    { "SBHcount", &LabelLayout::SBHcount },
    { "SBarR", &LabelLayout::SBarR },
    { "SBarD", &LabelLayout::SBarD },
    { "SBarcode", &LabelLayout::SBarcode },
    { "SFsize", &LabelLayout::SFsize },
    { "SFsize1", &LabelLayout::SFsize1 },
    { "SFsize2", &LabelLayout::SFsize2 },
};
} // namespace

std::optional<LabelLayout> loadLabelLayout(Connection &conn)
{
    Recordset rs = conn.query(QStringLiteral("SELECT * FROM tblSetBarcode WHERE PK = 1"));
    if (rs.eof())
        return std::nullopt;
    LabelLayout l;
    for (const Column &c : Texts) {
        const QString name = QString::fromLatin1(c.name);
        if (!rs.isNull(name))
            l.*c.field = rs.text(name);
    }
    l.SFbold1 = rs.boolean(QStringLiteral("SFbold1"));
    l.SFbold2 = rs.boolean(QStringLiteral("SFbold2"));
    return l;
}

void storeLabelLayout(Connection &conn, const LabelLayout &layout)
{
    RowWriter w(conn, QStringLiteral("tblSetBarcode"));
    for (const Column &c : Texts)
        w.set(QString::fromLatin1(c.name), layout.*c.field);
    w.set(QStringLiteral("SFbold1"), layout.SFbold1 ? 1 : 0);
    w.set(QStringLiteral("SFbold2"), layout.SFbold2 ? 1 : 0);
    if (w.update(QStringLiteral("PK"), 1) != 1)
        throw DbError(LabelText::NoLayoutRow);
}

std::optional<LabelProduct> findLabelProduct(Connection &conn, const QString &code)
{
    Recordset rs = conn.query(QStringLiteral("SELECT PDname, PDdes, PDsell FROM tblProduct "
                                             "WHERE PDsn = ?1 COLLATE NOCASE ORDER BY PK LIMIT 1"),
        { trimBlanks(code) });
    if (rs.eof())
        return std::nullopt;
    return LabelProduct { rs.text(QStringLiteral("PDname")), rs.text(QStringLiteral("PDdes")),
        rs.real(QStringLiteral("PDsell")) };
}

QString labelLine1(const LabelProduct &p)
{
    return p.name + QLatin1Char(' ') + p.description;
}

QString labelLine2(const LabelProduct &p)
{
    return QStringLiteral("ราคา ") + Currency::fromDouble(p.price).format()
        + QStringLiteral(" บาท");
}

LabelBoxVerdict checkLabelBox(const LabelBoxRule &rule, const QString &text)
{
    LabelBoxVerdict v { text, QString() };
    if (trimBlanks(v.text).isEmpty())
        v.text = rule.defaultText;
    if (rule.ranged) {
        const double n = Val(v.text);
        if (n < rule.least || n > rule.most) {
            v.message = rule.message;
            v.text = rule.defaultText;
        }
    }
    return v;
}
