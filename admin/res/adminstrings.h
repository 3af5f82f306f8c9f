// The string table of admin: ids and texts of the messages and command texts
// the program shows or sends. Ids are the program's own resource numbers, so
// a message box and its log line name the same id.
#pragma once

#include <QString>

enum AdminStringId : unsigned {
    IDS_SERVER_NOT_AVAILABLE = 61467,
    IDS_CHECK_USER_AND_PASSWORD = 61469,
    IDS_INTERLOCK_FAILURE = 61470,
    IDS_PROTOCOL_PROBLEM = 61490,
    IDS_TIME_ZONE_NOT_SET = 61549,
    // appshell
    IDS_CHANGE_REFUSED = 61529,
    // end appshell
    // uawidgets
    IDS_NO_COS = 61508,
    IDS_UA_LIST_FAILED = 61528,
    IDS_INHERITED_VALUE_FAILED = 61520,
    // end uawidgets
    // uarecord: the user-agent record and its event maps
    IDS_UPDATEUA = 61458,
    IDS_GETUA_PROPERTIES = 61461,
    IDS_LOCK_PREFIX = 61463,
    IDS_GETEVENTMAPS4UA = 61481,
    IDS_SELECTED_MAILBOX_NOT_RETRIEVED = 61521,
    IDS_UA_NOT_RETRIEVED = 61525,
    IDS_COS_CHANGE_REFUSED = 61530,
    IDS_PARENT_NOT_RETRIEVED = 61531,
    IDS_EVENT_MAP_NOT_PROCESSED = 61532,
    IDS_LOCAL_EVENT_MAPS_NOT_PROCESSED = 61533,
    IDS_SCENARIO_CREATION_REFUSED = 61534,
    IDS_SCENARIO_UPDATE_REFUSED = 61535,
    IDS_EVENT_MAP_CHANGE_REFUSED = 61536,
    IDS_SCENARIO_COMMIT_REFUSED = 61537,
    IDS_EVENT_MAP_DELETION_REFUSED = 61538,
    IDS_UPDATEUA_WITHFORCE = 61568,
    // end uarecord
    // uaeditor: the editor documents and the mailbox property sheet
    IDS_DETACH_LIST = 61448,
    IDS_ATTACH_LIST = 61449,
    IDS_SEND_GETUA = 61456,
    IDS_REFRESH = 61457,
    IDS_DELETEUA = 61459,
    IDS_DELETE = 61460,
    IDS_COPY = 61462,
    IDS_OPTIONS_PAGE = 61483,
    IDS_DISCARD_CHANGES = 61493,
    IDS_PARMS_FOR_UA_TYPE = 61503,
    IDS_UPDATE_FAILED = 61518,
    IDS_CHANGES_SAVED = 61519,
    IDS_DELETE_FAILED = 61522,
    IDS_NO_CHANGES = 61523,
    IDS_RESET = 61565,
    IDS_RESET_QUESTION = 61573,
    IDS_VOICE_PORTS_STATUS = 2,
    // end uaeditor
    // uatools: range lists, creating and deleting user agents, Select COS
    IDS_GET_UA_LIST_OWN_COS = 61509,
    IDS_COS_LIST_FAILED = 61511,
    IDS_ROOT_COS_MISSING = 61512,
    IDS_ROOT_COS_NO_ENTRY = 61513,
    IDS_GET_COS_AGENTS = 61514,
    // end uatools
    // pagebase: the property-page base
    IDS_TIP_NAME1 = 32968,
    IDS_TIP_NAME2 = 32969,
    IDS_TIP_COMMENT = 32970,
    IDS_PROMPT_LOCK = 32835,
    IDS_PROMPT_REVERT = 32837,
    IDS_ENABLED_NOT_LOCKABLE = 61477,
    IDS_VARIABLE_NOT_LOCKABLE = 61478,
    // end pagebase
};

// Adds admin's texts to the program's string table; once is enough, more
// is harmless.
void RegisterAdminStrings();
// The text of one of admin's ids (registering the table first).
QString AdminString(unsigned id);
