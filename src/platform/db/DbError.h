#pragma once
#include <QString>
#include <stdexcept>

// A database failure, carrying a text for the user (Thai) and the engine's result code.
class DbError : public std::runtime_error
{
public:
    // The Thai text for an engine result code; the engine's own words follow only for a code
    // the shop cannot act on (a fault of the program itself).
    static QString engineText(int code, const QString &engineWords);

    explicit DbError(const QString &text, int code = 0)
        : std::runtime_error(text.toStdString())
        , m_text(text)
        , m_code(code)
    { }
    QString text() const { return m_text; }
    int code() const { return m_code; }

private:
    QString m_text;
    int m_code;
};
