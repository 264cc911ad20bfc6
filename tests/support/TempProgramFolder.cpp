#include "TempProgramFolder.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "platform/ui/ProgramFolder.h"
#include <QDir>
#include <QFile>
#include <stdexcept>

QString sourceDataFile(const QString &name)
{
    return QStringLiteral(KASMO_DATA_SOURCE_DIR) + QLatin1Char('/') + name;
}

TempProgramFolder::TempProgramFolder()
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot make a temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("data/pic"));
    // As the delivered file is made: the scripts, then the upgrades to the program's version.
    Connection::createFromScripts(databasePath(),
        { sourceDataFile(QStringLiteral("schema.sql")),
            sourceDataFile(QStringLiteral("seed.sql")) });
    upgradeDatabase(
        databasePath(), sourceDataFile(QStringLiteral("upgrade")), kSchemaVersion, false);
    for (const char *pic : { "NoPicture1.jpg", "NoPicture3.jpg", "PicError2.jpg" })
        QFile::copy(sourceDataFile(QString::fromLatin1(pic)),
            m_dir.path() + QStringLiteral("/data/") + QString::fromLatin1(pic));
    ProgramFolder::setForTests(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    m_db.reset();
    ProgramFolder::setForTests(QString());
}

Connection &TempProgramFolder::db()
{
    if (!m_db) {
        m_db = std::make_unique<Connection>();
        m_db->open(databasePath());
    }
    return *m_db;
}
