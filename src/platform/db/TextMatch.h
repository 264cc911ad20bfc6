#pragma once
#include <QByteArrayView>
#include <QString>

// Text searches match what was typed literally, as a substring: "%" and "_" typed by a person
// are plain characters. Use with `col LIKE ? ESCAPE '\'` and bind likeContains(text).
QString likeContains(const QString &text);
// The escape clause to write after every LIKE that binds likeContains().
inline constexpr const char *kLikeEscape = " ESCAPE '\\'";

// A character as the database's NOCASE compares it: ASCII capitals as small letters.
inline char foldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}
// UTF-8 texts as NOCASE compares them: byte by byte once folded, a shorter text first. Below
// zero, zero or above zero.
int compareNoCase(QByteArrayView a, QByteArrayView b);
