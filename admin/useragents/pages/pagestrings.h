// The texts of the mailbox pages: captions, hover help of fields and
// controls, messages and the commands the pages send. Registered in the
// program's string table on first use, so the page base finds the help
// texts by id as well.
#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

class CDialog;

enum PageStringId : unsigned {
    IDS_ATTENDANT_PAGE = 61484,
    IDS_GROUPS_PAGE = 61485,
    IDS_MENUS_PAGE = 61486,
    IDS_INFO_PAGE = 61487,
    IDS_AUTO_PAGE = 61488,
    IDS_NOTIFY_PAGE = 61489,
    IDS_UNIFIED_MESSAGING_PAGE = 61551,
    IDS_TRANSPORT_KPL = 61574,
    IDS_TRANSPORT_IP = 61575,
    IDS_GETNOTIFICATIONS = 61466,
    IDS_NOTIFICATIONS_FAILED = 61524,
    IDS_GETALIASLIST = 61482,
    IDS_PAGE_NO_COS = 61508,
    IDS_COS_LIST_FAILED = 61511,
    IDS_COS_CHANGE_QUESTION = 61539,
    IDS_NO_COS_CHANGE_QUESTION = 61563,
    IDS_ENABLED_NOT_LOCKABLE = 61477,
    IDS_VARIABLE_NOT_LOCKABLE = 61478,
};

void RegisterPageStrings();
// The text of one of the pages' ids (registering the table first).
QString PageString(unsigned id);
// Gives each control of `dialog` named in `tips` its hover text (control id,
// string id); a control the dialog lacks is passed over.
void SetControlTips(CDialog &dialog, std::initializer_list<std::pair<int, unsigned>> tips);
