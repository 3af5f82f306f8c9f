// The command ids of admin's main frame, its menus, toolbars and accelerator
// table, and the window messages the frame trades with the configuration
// window. The numbers are the program's own resource numbers: other windows
// post them (the application posts the first window's command at start-up),
// so they never change.
#pragma once

#include "admin/config/window/configmessages.h"
#include "platform/messages/messages.h"

enum CommandId : int {
    // Edit User Agents
    ID_EDIT_UA_MAILBOX = 32771,
    ID_EDIT_UA_DISTLIST = 32876,
    ID_EDIT_UA_IVR = 32871,
    ID_EDIT_UA_AMIS_GATEWAY = 32880,
    ID_EDIT_UA_AMIS_PROXY = 32881,
    ID_EDIT_UA_DS_FAX = 32884,
    ID_EDIT_UA_DS_VOICE = 32885,
    ID_EDIT_UA_VPIM_GATEWAY = 32975,
    ID_EDIT_UA_VPIM_PROXY = 32976,
    ID_EDIT_COS_MAILBOX = 32831,

    // Create User Agents
    ID_CREATE_UA_MAILBOX = 32824,
    ID_CREATE_UA_DISTLIST = 32849,
    ID_CREATE_UA_IVR = 32870,
    ID_CREATE_UA_AMIS_GATEWAY = 32878,
    ID_CREATE_UA_AMIS_PROXY = 32879,
    ID_CREATE_UA_DS_FAX = 32882,
    ID_CREATE_UA_DS_VOICE = 32887,
    ID_CREATE_UA_VPIM_GATEWAY = 32973,
    ID_CREATE_UA_VPIM_PROXY = 32974,
    ID_CREATE_COS_MAILBOX = 32827,

    ID_COPY_UA = 32869,
    ID_DELETE_UAS = 32888,
    ID_PROPERTY_EDITOR = 32852,

    // Configuration: the wizard, the pages of the configuration window (in
    // menu order) and the system parameters.
    ID_CONFIG_WIZARD = 32873,
    ID_CONFIG_INTEGRATION = 32843,
    ID_CONFIG_ANSWER_METHODS = 32839,
    ID_CONFIG_VOICE_PORTS = 32840,
    ID_CONFIG_SERIAL_PORTS = 32842,
    ID_CONFIG_NOTIFY_GROUPS = 32841,
    ID_CONFIG_STAT_GROUPS = 32851,
    ID_CONFIG_IVR_HOSTS = 32850,
    ID_CONFIG_HOLIDAYS = 32854,
    ID_CONFIG_SCHEDULER = 32872,
    ID_CONFIG_LANGUAGE = 32980,
    ID_SYSTEM_PARAMETERS = 32838,

    // Reports
    ID_REPORT_OPTION1 = 32846,
    ID_EDIT_TEMPLATE_MAILBOX = 32861,
    ID_EDIT_TEMPLATE_AMIS = 32862,
    ID_EDIT_TEMPLATE_VPIM = 32899,
    ID_RUN_REPORT = 32856,

    // Tools
    ID_VOICE_PORT_STATUS = 32867,
    ID_MANAGE_ADMINS = 32863,
    ID_EDIT_IVR_ALIAS = 32889,
    ID_RUN_IVR_ALIAS = 32891,
    ID_ASR_SYNC = 32890,
    ID_TCL_SESSION = 32814,
    ID_DATE_TIME = 32773,
    ID_SHUTDOWN = 32776,
    ID_CONNECT_TO_SERVER = 32893,

    ID_VIEW_CONFIG_TOOLBAR = 32853,

    // The framework's standard commands.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_PRINT_SETUP = 57606,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_HELP = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // The status-bar pane that shows the server.
    ID_INDICATOR_SERVER = 103,
};

// Resources of the main frame. 120 is at once the frame's icon, its
// Administration Tools toolbar, its accelerator table and the menu of the
// top administrators; 236 and 216 are the menus of the lower levels.
enum FrameResourceId : int {
    IDR_MAINFRAME = 120,
    IDR_MENU_ADMINISTRATOR = 236,
    IDR_MENU_DEPARTMENT = 216,
    IDR_CONFIG_TOOLBAR = 191,
};
