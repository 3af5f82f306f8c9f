// Applying the server's time zone; see servertimezone.h.
#include "admin/session/servertimezone.h"

#include <cstdlib>
#include <ctime>
#include <mutex>

namespace {
std::mutex g_zoneMutex;
QByteArray g_appliedZone;
} // namespace

bool CServerTimeZone::Apply(const QByteArray &zone)
{
    std::lock_guard lock(g_zoneMutex);
    if (zone == g_appliedZone)
        return true;
    if (setenv("TZ", zone.constData(), 1) != 0)
        return false;
    tzset();
    g_appliedZone = zone;
    return true;
}

QByteArray CServerTimeZone::Current()
{
    std::lock_guard lock(g_zoneMutex);
    return g_appliedZone;
}
