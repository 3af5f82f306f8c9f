// The texts of admin's string table; see adminstrings.h.
#include "admin/res/adminstrings.h"

#include "platform/strings/stringtable.h"

#include <mutex>

namespace {

constexpr StringResource kStrings[] = {
    {IDS_SERVER_NOT_AVAILABLE, "The server is not available."},
    {IDS_CHECK_USER_AND_PASSWORD, "Please check your user id and password."},
    {IDS_INTERLOCK_FAILURE, "interlock failure"},
    {IDS_PROTOCOL_PROBLEM, "Protocol problem"},
    {IDS_TIME_ZONE_NOT_SET, "Time zone can not be set"},
    // appshell
    {IDS_CHANGE_REFUSED, "Verbanta ES refused the change: %1"},
    // end appshell
    // uawidgets
    {IDS_NO_COS, "No COS"},
    {IDS_UA_LIST_FAILED, "Could not get the list of user agents from Verbanta ES: %1"},
    {IDS_INHERITED_VALUE_FAILED, "Could not get inherited value: %1."},
    // end uawidgets
};

} // namespace

void RegisterAdminStrings()
{
    static std::once_flag registered;
    std::call_once(registered, [] { CStringTable::instance().registerStrings(kStrings); });
}

QString AdminString(unsigned id)
{
    RegisterAdminStrings();
    return LoadStringResource(id);
}
