#include "PasswordHash.h"
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace {

constexpr int HashBytes = 32;
constexpr int SaltBytes = 16;
// Refuse absurd round counts from a damaged or hostile row instead of hanging the sign-in.
constexpr int MaxRounds = 10000000;

QByteArray derive(const QString &password, const QByteArray &salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password.toLower().toUtf8(), salt, rounds, HashBytes);
}

bool constantTimeEqual(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

namespace PasswordHash {

QString make(const QString &password, int rounds)
{
    QByteArray salt(SaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(
        reinterpret_cast<quint32 *>(salt.data()), SaltBytes / int(sizeof(quint32)));
    const QByteArray hash = derive(password, salt, rounds);
    return QStringLiteral("pbkdf2$%1$%2$%3")
        .arg(rounds)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool verify(const QString &password, const QString &stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2"))
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    if (!ok || rounds < 1 || rounds > MaxRounds)
        return false;
    const auto salt = QByteArray::fromBase64Encoding(
        parts[2].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto hash = QByteArray::fromBase64Encoding(
        parts[3].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !hash || salt.decoded.isEmpty() || hash.decoded.size() != HashBytes)
        return false;
    return constantTimeEqual(derive(password, salt.decoded, rounds), hash.decoded);
}

} // namespace PasswordHash
