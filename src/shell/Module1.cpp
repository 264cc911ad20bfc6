#include "Module1.h"
#include "Messages.h"
#include "platform/db/RowWriter.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "platform/ui/KeyboardLayout.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/RightButtonGuard.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <cstdlib>

namespace {

int &endStatus()
{
    static int status = 0;
    return status;
}

Module1::EndProgramHook &endHook()
{
    static Module1::EndProgramHook hook;
    return hook;
}

int refuse(int &KeyAscii, const QString &text)
{
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle);
    KeyAscii = 0;
    return 0;
}

// Table and column names come from the code, never from a user; still, only plain identifiers
// ever reach the SQL text.
QString ident(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw DbError(QStringLiteral("not a plain identifier: '%1'").arg(name));
    return QLatin1Char('[') + name + QLatin1Char(']');
}

void fillFrom(QComboBox *list, const QString &sql, const QString &textColumn)
{
    // Read everything first: a failure leaves the old items in place.
    QStringList items;
    Recordset rs = Module1::Conn().query(sql);
    for (; !rs.eof(); rs.moveNext())
        items.append(rs.text(textColumn));
    rs.close();
    list->clear();
    list->addItems(items);
}

} // namespace

Connection &Module1::Conn()
{
    static Connection conn;
    return conn;
}

void Module1::resetState()
{
    NewItemMode = false;
    DataChanged = false;
    PrintSource = 0;
    SummaryMode = ::SummaryMode::Detailed;
    ReturnBillNo.clear();
    ReturnMode = false;
    SelectedProductPK = 0;
    EditQty = 0;
    EditRow = 0;
}

bool Module1::OpenDatabase()
{
    try {
        Conn().open(ProgramFolder::file(QStringLiteral("data/Ksmdata.db")), kSchemaVersion);
        Conn().setCommitListener([] { CheckpointTimer()->start(); });
        return true;
    } catch (const SchemaVersionError &e) {
        MsgBox(Msg::DatabaseOpenFailed + Msg::schemaVersionMismatch(e.found, e.expected),
            MsgButtons::Ok, MsgIcon::None);
    } catch (const DbError &e) {
        MsgBox(Msg::DatabaseOpenFailed + e.text(), MsgButtons::Ok, MsgIcon::None);
    } catch (const std::exception &e) {
        MsgBox(Msg::DatabaseOpenFailed + QString::fromLocal8Bit(e.what()), MsgButtons::Ok,
            MsgIcon::None);
    }
    EndProgram(EndRefused);
    return false;
}

void Module1::CloseDatabase()
{
    CheckpointTimer()->stop();
    if (Conn().isOpen())
        Conn().close();
}

QTimer *Module1::CheckpointTimer()
{
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(IdleCheckpointMs);
        QObject::connect(timer, &QTimer::timeout, [] {
            // A reader on an older snapshot keeps part of the log: try again after a while.
            if (Conn().isOpen() && !Conn().inTransaction() && !Conn().checkpoint())
                CheckpointTimer()->start();
        });
    }
    return timer;
}

Module1::EndProgramHook Module1::setEndProgramHook(EndProgramHook hook)
{
    EndProgramHook previous = std::move(endHook());
    endHook() = std::move(hook);
    return previous;
}

void Module1::EndProgram(int status)
{
    endStatus() = status;
    if (endHook()) {
        endHook()();
        return;
    }
    std::exit(status);
}

int Module1::lastEndStatus()
{
    return endStatus();
}

int Module1::NumberOnly(int &KeyAscii)
{
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8 || KeyAscii == 13)
        return KeyAscii;
    return refuse(KeyAscii, Msg::NumberOnly);
}

int Module1::DecimalOnly(int &KeyAscii)
{
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '.' || KeyAscii == 8 || KeyAscii == 13)
        return KeyAscii;
    return refuse(KeyAscii, Msg::DecimalOnly);
}

int Module1::CodeCharOnly(int &KeyAscii)
{
    const int k = KeyAscii;
    if ((k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9') || k == '_' || k == '-' || k == '/')
        return k;
    if (k >= 'a' && k <= 'z')
        return k - 32;
    if (k == 8 || k == 13)
        return k;
    return refuse(KeyAscii, Msg::CodeCharOnly);
}

void Module1::SelectAllText(QWidget *box)
{
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(box))
        spin->selectAll();
}

void Module1::FillCombo(
    QComboBox *list, const QString &table, const QString &orderColumn, const QString &textColumn)
{
    fillFrom(list,
        QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(ident(table), ident(orderColumn)),
        textColumn);
}

void Module1::FillComboPositive(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &textColumn)
{
    const QString key = ident(keyColumn);
    fillFrom(list,
        QStringLiteral("SELECT * FROM %1 WHERE %2 > 0 ORDER BY %2").arg(ident(table), key),
        textColumn);
}

int Module1::GetLookupPK(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &nameColumn)
{
    return GetLookupPK(list->currentText(), table, keyColumn, nameColumn);
}

int Module1::GetLookupPK(
    const QString &text, const QString &table, const QString &keyColumn, const QString &nameColumn)
{
    return GetLookupPK(Conn(), text, table, keyColumn, nameColumn);
}

int Module1::GetLookupPK(Connection &conn, const QString &text, const QString &table,
    const QString &keyColumn, const QString &nameColumn)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0;
    const QString t = ident(table), key = ident(keyColumn), name = ident(nameColumn);
    // Outer blanks on either side do not make a new entry: " Box" is found by "Box".
    const QVariant found = conn.scalar(
        QStringLiteral("SELECT %2 FROM %1 WHERE trim(%3) = ?1 COLLATE NOCASE ORDER BY %2 "
                       "LIMIT 1")
            .arg(t, key, name),
        { trimBlanks(text) });
    if (found.isValid())
        return found.toInt();
    const int newKey
        = conn.scalar(QStringLiteral("SELECT coalesce(max(%2), 0) FROM %1").arg(t, key)).toInt()
        + 1;
    RowWriter(conn, table).set(keyColumn, newKey).set(nameColumn, text).insert();
    return newKey;
}

void Module1::LimitComboLength(QComboBox *list, int limit, int &KeyAscii)
{
    if (list->currentText().size() >= limit && KeyAscii != 8)
        KeyAscii = 0;
}

void Module1::UnloadAllForms()
{
    WindowRegistry::unloadAll();
}

bool Module1::SetKeyboardLayout(const QString &layoutName)
{
    // Eight-digit layout names ("00000409") to the XKB ones.
    QString xkb;
    if (layoutName.compare(QLatin1String("00000409"), Qt::CaseInsensitive) == 0)
        xkb = QStringLiteral("us");
    else if (layoutName.compare(QLatin1String("0000041E"), Qt::CaseInsensitive) == 0)
        xkb = QStringLiteral("th");
    else
        return false;
    KeyboardLayout &kl = KeyboardLayout::instance();
    if (kl.isActive(xkb))
        return true;
    kl.activate(xkb);
    return kl.isActive(xkb);
}

void Module1::SetEnglishKeyboard()
{
    SetKeyboardLayout(QStringLiteral("00000409"));
}

void Module1::RefuseRightClick(QWidget *box)
{
    RightButtonGuard::install(
        box, [] { MsgBox(Msg::NoRightClick, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle); });
}
