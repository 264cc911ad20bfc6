#include "ShopDatabase.h"
#include "Messages.h"
#include "ProgramEnd.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

Connection &ShopDatabase::connection()
{
    static Connection conn;
    return conn;
}

bool ShopDatabase::open()
{
    try {
        connection().open(ProgramFolder::file(QStringLiteral("data/Ksmdata.db")), kSchemaVersion);
        connection().setCommitListener([] { checkpointTimer()->start(); });
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
    endProgram(EndRefused);
    return false;
}

void ShopDatabase::close()
{
    checkpointTimer()->stop();
    if (connection().isOpen())
        connection().close();
}

QTimer *ShopDatabase::checkpointTimer()
{
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(IdleCheckpointMs);
        QObject::connect(timer, &QTimer::timeout, [] {
            // A reader on an older snapshot keeps part of the log: try again after a while.
            Connection &conn = connection();
            if (conn.isOpen() && !conn.inTransaction() && !conn.checkpoint())
                checkpointTimer()->start();
        });
    }
    return timer;
}
