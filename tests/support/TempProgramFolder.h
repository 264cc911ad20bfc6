#pragma once
#include "platform/db/Connection.h"
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A throw-away program folder holding data/Ksmdata.db made from the delivered schema and seed,
// and data/pic. The program folder points at it while the object lives.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString databasePath() const { return m_dir.path() + QStringLiteral("/data/Ksmdata.db"); }
    // A separate connection for checking what the program stored.
    Connection &db();
    // Closes that connection (it opens again on the next db()).
    void closeDb() { m_db.reset(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_db;
};

// The delivered SQL files and pictures.
QString sourceDataFile(const QString &name);
