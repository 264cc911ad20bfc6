#pragma once
#include <QList>
#include <QString>
#include <array>

class Connection;

// One row of tblUser as the user window lists it. The password never leaves the database: the
// table holds only its salted hash.
struct UserAccount
{
    int pk = 0;
    QString uid;
    QString position; // UTumnang
    // ULv1..ULv5: selling, stock, summary, settings, history (UserRight 1..5).
    std::array<bool, 5> rights {};
};

// The user accounts and the sign-in switch (row 4 of tblNumber), without widgets. Names are
// compared whole and without regard to letter case; every value is bound. Throws DbError.
namespace UserAccounts {

// Every user with a key above 0, newest (largest key) first.
QList<UserAccount> list(Connection &conn);

// True when any row, listed or not, holds this name in any letter case.
bool nameTaken(Connection &conn, const QString &name);

// The key a new user gets: the largest key plus 1, or 1 with no row at all.
int nextKey(Connection &conn);

// Stores a new user under nextKey() with the hash of the password; the key is taken and the row
// written in one transaction. Returns the key.
int create(Connection &conn, const UserAccount &user, const QString &password);

// Stores the position and the rights of the user; an empty password keeps the stored hash,
// another one replaces it.
void update(Connection &conn, const UserAccount &user, const QString &password);

void remove(Connection &conn, int pk);

// Row 4 of tblNumber: whether the next start asks for a sign-in.
bool loginSwitchOn(Connection &conn);
// Writes numA 1 or 0 and numMon "00".
void writeLoginSwitch(Connection &conn, bool on);

} // namespace UserAccounts
