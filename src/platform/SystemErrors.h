#pragma once
#include <QString>

class QFileDevice;

// The operating system's errors as the shop reads them. Those a shop can meet (no permission, a
// full disk, a read-only disk, a file or folder that is not there, a file in use) are told in a
// Thai sentence of their own, as the database's errors are; any other keeps the system's own
// words after a Thai lead.
namespace SystemErrors {

// An errno value.
QString text(int errorNumber);
// The system's words for a failure: strerror's, or a Qt error text that carries them (Qt's
// file classes give them whole or after their own "...: ").
QString fromWords(const QString &words);
// Why a QFile, QSaveFile or QTemporaryFile failed.
QString fileText(const QFileDevice &file);

} // namespace SystemErrors
