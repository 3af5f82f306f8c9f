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
    // uarecord
    {IDS_UPDATEUA, "UpdateUA %1 %2 %3"},
    {IDS_GETUA_PROPERTIES, "GetUA %1 %2"},
    {IDS_LOCK_PREFIX, "Lock_"},
    {IDS_GETEVENTMAPS4UA, "GetEventMaps4UA %1"},
    {IDS_SELECTED_MAILBOX_NOT_RETRIEVED, "Could not retrieve the selected mailbox: %1"},
    {IDS_UA_NOT_RETRIEVED, "Could not retrieve the user agent from Verbanta ES: %1"},
    {IDS_COS_CHANGE_REFUSED, "Verbanta ES  refused the change of the COS to %1: %2"},
    {IDS_PARENT_NOT_RETRIEVED, "While building event map could not retrieve parent mailbox %1: %2."},
    {IDS_EVENT_MAP_NOT_PROCESSED, "Could not process event map: %1"},
    {IDS_LOCAL_EVENT_MAPS_NOT_PROCESSED, "Could not process local event maps: %1"},
    {IDS_SCENARIO_CREATION_REFUSED, "Verbanta ES refused to create scenario: %1"},
    {IDS_SCENARIO_UPDATE_REFUSED, "Verbanta ES refused to update scenario: %1"},
    {IDS_EVENT_MAP_CHANGE_REFUSED, "Event map record change refused by Verbanta ES: %1"},
    {IDS_SCENARIO_COMMIT_REFUSED, "Scenario \"commit\" rejected by Verbanta ES: %1"},
    {IDS_EVENT_MAP_DELETION_REFUSED, "Deletion of Event Map Record refused by Verbanta ES: %1"},
    {IDS_UPDATEUA_WITHFORCE, "UpdateUA %1 WithForce %2"},
    // end uarecord
    // uaeditor
    {IDS_DETACH_LIST, "Detach &List"},
    {IDS_ATTACH_LIST, "Attach &List"},
    {IDS_SEND_GETUA, "GetUA %1"},
    {IDS_REFRESH, "&Refresh"},
    {IDS_DELETEUA, "DeleteUA %1"},
    {IDS_DELETE, "&Delete"},
    {IDS_COPY, "&Copy"},
    {IDS_OPTIONS_PAGE, "User Mode Options"},
    {IDS_DISCARD_CHANGES, "Discard changes?"},
    {IDS_PARMS_FOR_UA_TYPE, "ParmsForUAType {%1} {%2} {%3}"},
    {IDS_UPDATE_FAILED, "Update of Mailbox failed: %1"},
    {IDS_CHANGES_SAVED, "Changes saved."},
    {IDS_DELETE_FAILED, "Mailbox delete failed: %1"},
    {IDS_NO_CHANGES, "No changes necessary."},
    {IDS_RESET, "Re&set"},
    {IDS_RESET_QUESTION, "Reset will revert all values on all pages to be taken from the parent Class Of "
                         "Service.\nThe effected values are marked with a blue exclamation point.  Do you "
                         "want to continue?"},
    {IDS_VOICE_PORTS_STATUS, "Voice Ports Status"},
    // end uaeditor
    // uatools
    {IDS_GET_UA_LIST_OWN_COS, "GetUAList4Property %1 %2 own NOASR"},
    {IDS_COS_LIST_FAILED, "Could not get COS list from server: %1"},
    {IDS_ROOT_COS_MISSING, "Manufacturer root COS %1 is missing: %2"},
    {IDS_ROOT_COS_NO_ENTRY, "Manufacturer root COS %1 has no '%2' entry."},
    {IDS_GET_COS_AGENTS, "GetCosAgents %1 %2"},
    // end uatools
    // pagebase
    {IDS_TIP_NAME1, "Enter the first name of the mailbox owner."},
    {IDS_TIP_NAME2, "Enter the last name of the mailbox owner."},
    {IDS_TIP_COMMENT, "Enter a descriptive comment about the mailbox."},
    // A command's prompt: the status-bar text, then after the line feed its tip.
    {IDS_PROMPT_LOCK, "Lock the field to prevent changes\nLock field"},
    {IDS_PROMPT_REVERT, "Discard private setting using COS value instead.\nUse COS setting"},
    {IDS_ENABLED_NOT_LOCKABLE, "The \"Enabled\" flag can not be locked. To control user access use the "
                               "\"User mode accessible\" flag."},
    {IDS_VARIABLE_NOT_LOCKABLE, "The \"Variable\" field can not be locked. To control user access, use the "
                                "\"LockRestrictReason\" flag."},
    // end pagebase
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
