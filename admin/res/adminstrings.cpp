// The texts of admin's string table; see adminstrings.h.
#include "admin/res/adminstrings.h"

#include <iterator>

namespace {

struct StringEntry {
    unsigned id;
    const char *text;
};

constexpr StringEntry kStrings[] = {
    {IDS_SERVER_NOT_AVAILABLE, "The server is not available."},
    {IDS_CHECK_USER_AND_PASSWORD, "Please check your user id and password."},
    {IDS_INTERLOCK_FAILURE, "interlock failure"},
    {IDS_PROTOCOL_PROBLEM, "Protocol problem"},
    {IDS_TIME_ZONE_NOT_SET, "Time zone can not be set"},
};

} // namespace

QString AdminStringOr(unsigned id, const QString &fallback)
{
    for (const StringEntry &entry : kStrings)
        if (entry.id == id)
            return QString::fromUtf8(entry.text);
    return fallback;
}

QString AdminString(unsigned id)
{
    return AdminStringOr(id, QString());
}
