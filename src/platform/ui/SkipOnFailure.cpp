#include "platform/ui/SkipOnFailure.h"

Q_LOGGING_CATEGORY(lcSkipped, "kasmo.skipped")
Q_LOGGING_CATEGORY(lcEvents, "kasmo.events")

void logSkipped(const char *where, const std::exception &e)
{
    qCWarning(lcSkipped).noquote() << where << "skipped:" << QString::fromUtf8(e.what());
}
