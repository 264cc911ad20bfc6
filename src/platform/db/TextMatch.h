#pragma once
#include <QString>

// Text searches match what was typed literally, as a substring: "%" and "_" typed by a person
// are plain characters. Use with `col LIKE ? ESCAPE '\'` and bind likeContains(text).
QString likeContains(const QString &text);
// The escape clause to write after every LIKE that binds likeContains().
inline constexpr const char *kLikeEscape = " ESCAPE '\\'";
