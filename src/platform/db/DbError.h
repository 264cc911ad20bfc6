#pragma once
#include <QString>
#include <stdexcept>

// A database failure, carrying the engine's own text.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &text, int code = 0)
        : std::runtime_error(text.toStdString()), m_text(text), m_code(code)
    {
    }
    QString text() const { return m_text; }
    int code() const { return m_code; }

private:
    QString m_text;
    int m_code;
};
