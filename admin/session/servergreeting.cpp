// Reading the greeting; see servergreeting.h.
#include "admin/session/servergreeting.h"

std::optional<CServerGreeting> CServerGreeting::Parse(const QByteArray &received)
{
    // A line end or the frame's NUL after the zone is no part of it.
    QByteArray line = received;
    while (line.endsWith('\n') || line.endsWith('\r') || line.endsWith('\0'))
        line.chop(1);
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    const qsizetype last = line.lastIndexOf(' ');
    if (first < 0 || second < 0 || last <= second)
        return std::nullopt;
    CServerGreeting greeting;
    greeting.fieldA = line.mid(first + 1, second - first - 1);
    greeting.fieldB = line.mid(second + 1, last - second - 1);
    greeting.timeZone = line.mid(last + 1);
    return greeting;
}

bool CServerGreeting::IsValidTimeZone(const QByteArray &zone)
{
    // POSIX TZ texts ("EST5EDT,M3.2.0,M11.1.0", "<+0530>-5:30") and zone
    // names ("Europe/Paris") use only these characters.
    // A leading "/" or ":" would make the C library read a file named by the server.
    if (zone.isEmpty() || zone.size() > 64 || zone.startsWith('/') || zone.startsWith(':') ||
        zone.contains(".."))
        return false;
    for (const char c : zone) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                        c == '+' || c == '-' || c == ':' || c == ',' || c == '.' || c == '/' || c == '_' ||
                        c == '<' || c == '>';
        if (!ok)
            return false;
    }
    return true;
}
