#include "shell/PasswordHash.h"
#include <QStringList>
#include <gtest/gtest.h>

// The delivered administrator row: the seed's password "admin".
static const QString seedAdmin = QStringLiteral(
    "pbkdf2$100000$Bm5SJq64QNhxtGQ5EFL7eg==$1quQRaLWz8gxQaMoyIUJdFBsKzBUmJ76sij/kbRF0/s=");

TEST(PasswordHash, VerifiesTheDeliveredAdministrator)
{
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("admin"), seedAdmin));
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("ADMIN"), seedAdmin));
    EXPECT_FALSE(PasswordHash::verify(QStringLiteral("admin1"), seedAdmin));
    EXPECT_FALSE(PasswordHash::verify(QString(), seedAdmin));
}

TEST(PasswordHash, MadeTextRoundTripsAndIgnoresCase)
{
    const QString stored = PasswordHash::make(QStringLiteral("Secret-9"), 1000);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("pbkdf2$1000$")));
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("SECRET-9"), stored));
    EXPECT_FALSE(PasswordHash::verify(QStringLiteral("SECRET-8"), stored));
    // A fresh salt each time.
    EXPECT_NE(stored, PasswordHash::make(QStringLiteral("Secret-9"), 1000));
}

TEST(PasswordHash, MalformedStoredTextsMatchNothing)
{
    const QString good = PasswordHash::make(QStringLiteral("x"), 10);
    const QStringList parts = good.split(QLatin1Char('$'));
    const QString cases[] = {
        QString(),
        QStringLiteral("x"), // a plain-text password from an old row
        QStringLiteral("pbkdf2$10$%1").arg(parts[2]),
        QStringLiteral("sha1$10$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$0$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$-5$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$999999999$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$abc$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$10$!!!$%1").arg(parts[3]),
        QStringLiteral("pbkdf2$10$%1$%2").arg(parts[2], parts[3].left(10)),
    };
    for (const QString &c : cases)
        EXPECT_FALSE(PasswordHash::verify(QStringLiteral("x"), c)) << c.toStdString();
    EXPECT_TRUE(PasswordHash::verify(QStringLiteral("x"), good));
}
