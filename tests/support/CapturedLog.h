#pragma once
#include <QRegularExpression>
#include <QStringList>
#include <QtGlobal>

// Every message Qt's logging writes while it lives, as "category: text".
class CapturedLog
{
public:
    CapturedLog()
    {
        lines().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &ctx, const QString &text) {
                lines() << QString::fromLatin1(ctx.category) + QStringLiteral(": ") + text;
            });
    }
    ~CapturedLog() { qInstallMessageHandler(m_previous); }
    CapturedLog(const CapturedLog &) = delete;
    CapturedLog &operator=(const CapturedLog &) = delete;

    static QStringList &lines()
    {
        static QStringList l;
        return l;
    }
    // The program's own lines (categories "kasmo.*").
    static QStringList program()
    {
        return lines().filter(QRegularExpression(QStringLiteral("^kasmo\\.")));
    }

private:
    QtMessageHandler m_previous;
};
