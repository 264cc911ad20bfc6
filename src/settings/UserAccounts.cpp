#include "settings/UserAccounts.h"
#include "platform/db/Connection.h"
#include "records/Codes.h"
#include "shell/PasswordHash.h"

namespace {

QVariantList rightValues(const UserAccount &user)
{
    QVariantList out;
    for (bool r : user.rights)
        out << (r ? 1 : 0);
    return out;
}

} // namespace

QList<UserAccount> UserAccounts::list(Connection &conn)
{
    QList<UserAccount> out;
    Recordset rs = conn.query(QStringLiteral("SELECT PK, UID, UTumnang, ULv1, ULv2, ULv3, ULv4, "
                                             "ULv5 FROM tblUser WHERE PK > 0 ORDER BY PK DESC"));
    for (; !rs.eof(); rs.moveNext()) {
        UserAccount u;
        u.pk = int(rs.integer("PK"));
        u.uid = rs.text("UID");
        u.position = rs.text("UTumnang");
        for (int i = 0; i < 5; ++i)
            u.rights[size_t(i)] = rs.boolean(QStringLiteral("ULv%1").arg(i + 1));
        out << u;
    }
    return out;
}

bool UserAccounts::nameTaken(Connection &conn, const QString &name)
{
    return conn.scalar(QStringLiteral("SELECT count(*) FROM tblUser WHERE UID = ?1 COLLATE NOCASE"),
                   { name })
               .toLongLong()
        > 0;
}

int UserAccounts::nextKey(Connection &conn)
{
    const QVariant max = conn.scalar(QStringLiteral("SELECT max(PK) FROM tblUser"));
    return max.isNull() || !max.isValid() ? 1 : int(max.toLongLong()) + 1;
}

int UserAccounts::create(Connection &conn, const UserAccount &user, const QString &password)
{
    // The slow part first, outside the write lock.
    const QString stored = PasswordHash::make(password);
    Transaction t(conn);
    const int pk = nextKey(conn);
    conn.execute(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang, ULv1, ULv2, ULv3, "
                                "ULv4, ULv5) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
        QVariantList { pk, user.uid, stored, user.position } + rightValues(user));
    t.commit();
    return pk;
}

void UserAccounts::update(Connection &conn, const UserAccount &user, const QString &password)
{
    QVariantList params = QVariantList { user.pk, user.position } + rightValues(user);
    if (password.isEmpty()) {
        conn.execute(QStringLiteral("UPDATE tblUser SET UTumnang = ?2, ULv1 = ?3, ULv2 = ?4, "
                                    "ULv3 = ?5, ULv4 = ?6, ULv5 = ?7 WHERE PK = ?1"),
            params);
        return;
    }
    params << PasswordHash::make(password);
    conn.execute(QStringLiteral("UPDATE tblUser SET UTumnang = ?2, ULv1 = ?3, ULv2 = ?4, "
                                "ULv3 = ?5, ULv4 = ?6, ULv5 = ?7, UPASS = ?8 WHERE PK = ?1"),
        params);
}

void UserAccounts::remove(Connection &conn, int pk)
{
    conn.execute(QStringLiteral("DELETE FROM tblUser WHERE PK = ?1"), { pk });
}

bool UserAccounts::loginSwitchOn(Connection &conn)
{
    return conn.scalar(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = ?1"),
                   { int(CounterRowId::LoginSwitch) })
               .toLongLong()
        != 0;
}

void UserAccounts::writeLoginSwitch(Connection &conn, bool on)
{
    const int changed
        = conn.execute(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = ?3"),
            { on ? 1 : 0, QStringLiteral("00"), int(CounterRowId::LoginSwitch) });
    if (changed != 1)
        throw DbError(QStringLiteral("ไม่พบข้อมูลการตั้งค่า (tblNumber แถวที่ %1)")
                          .arg(int(CounterRowId::LoginSwitch)));
}
