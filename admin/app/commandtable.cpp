// The texts of the command table; see commandtable.h. Menu texts are those of
// the program's menus, each command under its menu (a command shown as
// "Edit User Agents" > "Mailbox" has the text "&Mailbox").
#include "admin/app/commandtable.h"

#include "admin/app/commandids.h"

#include <QAction>
#include <QVariant>

namespace {

constexpr CommandEntry kCommands[] = {
    {ID_EDIT_UA_MAILBOX, "&Mailbox", "Edit mailboxes"},
    {ID_EDIT_UA_DISTLIST, "&Distribution List", "Edit distribution lists"},
    {ID_EDIT_UA_IVR, "&IVR", "Edit IVR user agents"},
    {ID_EDIT_UA_AMIS_GATEWAY, "AMIS &Gateway", "Edit AMIS gateway user agents"},
    {ID_EDIT_UA_AMIS_PROXY, "AMIS &Proxy", "Edit AMIS proxy user agents"},
    {ID_EDIT_UA_DS_VOICE, "Direct Send &Voice", "Edit direct-send voice user agents"},
    {ID_EDIT_UA_DS_FAX, "Direct Send &FAX", "Edit direct-send fax user agents"},
    {ID_EDIT_UA_VPIM_GATEWAY, "VPIM G&ateway", "Edit VPIM gateway user agents"},
    {ID_EDIT_UA_VPIM_PROXY, "VPIM P&roxy", "Edit VPIM proxy user agents"},
    {ID_EDIT_COS_MAILBOX, "&Mailbox", "Edit the classes of service of mailboxes"},

    {ID_CREATE_UA_MAILBOX, "&Mailboxes...", "Create mailboxes"},
    {ID_CREATE_UA_DISTLIST, "&Distribution List...", "Create distribution lists"},
    {ID_CREATE_UA_IVR, "&IVR...", "Create IVR user agents"},
    {ID_CREATE_UA_AMIS_GATEWAY, "AMIS &Gateway...", "Create AMIS gateway user agents"},
    {ID_CREATE_UA_AMIS_PROXY, "AMIS &Proxy...", "Create AMIS proxy user agents"},
    {ID_CREATE_UA_DS_VOICE, "Direct Send &Voice...", "Create direct-send voice user agents"},
    {ID_CREATE_UA_DS_FAX, "Direct Send &FAX...", "Create direct-send fax user agents"},
    {ID_CREATE_UA_VPIM_GATEWAY, "VPIM G&ateway...", "Create VPIM gateway user agents"},
    {ID_CREATE_UA_VPIM_PROXY, "VPIM P&roxy...", "Create VPIM proxy user agents"},
    {ID_CREATE_COS_MAILBOX, "&Mailbox...", "Create a class of service for mailboxes"},

    {ID_COPY_UA, "Co&py User Agent...", "Copy a user agent to new numbers"},
    {ID_DELETE_UAS, "De&lete User Agents...", "Delete a range of user agents"},
    {ID_PROPERTY_EDITOR, "P&roperty Editor...", "Edit the properties of user agents directly"},

    {ID_CONFIG_WIZARD, "Configuration &Wizard...", "Set up the server step by step"},
    {ID_CONFIG_INTEGRATION, "&Telephone System Integration", "Configure the telephone system integration"},
    {ID_CONFIG_ANSWER_METHODS, "&Answer Methods", "Configure the answer methods"},
    {ID_CONFIG_VOICE_PORTS, "&Voice Ports", "Configure the voice ports"},
    {ID_CONFIG_SERIAL_PORTS, "S&erial Ports", "Configure the serial ports"},
    {ID_CONFIG_NOTIFY_GROUPS, "&Notification Port Groups", "Configure the notification port groups"},
    {ID_CONFIG_STAT_GROUPS, "Statistical Port &Groups", "Configure the statistical port groups"},
    {ID_CONFIG_IVR_HOSTS, "&IVR Hosts", "Configure the IVR hosts"},
    {ID_CONFIG_HOLIDAYS, "&Holidays", "Configure the holidays"},
    {ID_CONFIG_SCHEDULER, "&Scheduler", "Configure the scheduler"},
    {ID_CONFIG_LANGUAGE, "&Language", "Configure the language"},
    {ID_SYSTEM_PARAMETERS, "System &Parameters", "Edit the system parameters"},

    {ID_REPORT_OPTION1, "Report Option&1...", "Choose a report and its time period"},
    {ID_EDIT_TEMPLATE_MAILBOX, "&Mailbox...", "Edit the report templates of mailboxes"},
    {ID_EDIT_TEMPLATE_AMIS, "&Amis...", "Edit the report templates of AMIS gateways"},
    {ID_EDIT_TEMPLATE_VPIM, "&Vpim...", "Edit the report templates of VPIM gateways"},
    {ID_RUN_REPORT, "&Run Report...", "Generate reports"},

    {ID_VOICE_PORT_STATUS, "&Voice Port Status", "Show the status of the voice ports"},
    {ID_MANAGE_ADMINS, "Manage &Administrators...", "Add, change and delete administrator accounts"},
    {ID_EDIT_IVR_ALIAS, "&Edit IVR Alias...", "Edit the IVR aliases"},
    {ID_RUN_IVR_ALIAS, "R&un IVR Alias...", "Choose the applications the server runs when it starts"},
    {ID_ASR_SYNC, "A&SR Sync", "Synchronize the directories of the ASR auto attendant"},
    {ID_TCL_SESSION, "&TCL Session...", "Open a Tcl console on the server"},
    {ID_DATE_TIME, "&Date/Time...", "Read and set the server's clock"},
    {ID_SHUTDOWN, "S&hutdown...", "Shut the server down"},
    {ID_CONNECT_TO_SERVER, "Connect to &Server...", "Log in to a server again"},

    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the Administration Tools toolbar"},
    {ID_VIEW_CONFIG_TOOLBAR, "&Configuration Toolbar", "Show or hide the Configuration Tools toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar"},

    {ID_FILE_NEW, "&New", "Open a new window"},
    {ID_FILE_OPEN, "&Open...", "Open a file"},
    {ID_FILE_CLOSE, "&Close", "Close the active window"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Choose the printer and its options"},
    {ID_APP_EXIT, "E&xit", "Quit the program"},
    {ID_WINDOW_CASCADE, "&Cascade", "Arrange the windows so that they overlap"},
    {ID_WINDOW_TILE_HORZ, "&Tile", "Arrange the windows side by side"},
    {ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange the minimized windows"},
    {ID_HELP_FINDER, "&Help Topics", "Show the help topics"},
    {ID_HELP, "&Help", "Show the help of the active window"},
    {ID_APP_ABOUT, "&About Admin...", "Show the program's version"},
};

constexpr const char *kCommandIdProperty = "commandId";

} // namespace

std::span<const CommandEntry> CCommandTable::Entries()
{
    return kCommands;
}

const CommandEntry *CCommandTable::Find(int id)
{
    for (const CommandEntry &entry : kCommands)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

void SetCommandId(QAction *action, int id)
{
    action->setProperty(kCommandIdProperty, id);
}

int CommandIdOf(const QAction *action)
{
    return action->property(kCommandIdProperty).toInt();
}
