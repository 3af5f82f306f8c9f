// The kind and column tables; see reporttemplatekind.h. Captions and keys are
// written into the files exactly as they stand here, spelling, line feed
// ("Max\nRing") and placeholders ("Nf_%d_Variable") included, because the
// files of earlier versions carry them so and are read back by position and
// key.
#include "admin/reports/templates/reporttemplatekind.h"

namespace {

constexpr ReportTemplateKind kKinds[] = {
    {1, "Voice Mailbox", "vmb"}, {2, "Amis Gateway", "ams"}, {5, "Amis Proxy", "ams"},
    {6, "Vpim Gateway", "vpm"},  {7, "Vpim Proxy", "vpm"},
};

constexpr ReportTemplateColumn kMailboxColumns[] = {
    {"Mailbox Number", "Mailbox", "Mailbox", "Mailbox Number"},
    {"Comment", "&Comment", "Mailbox", "Comment"},
    {"Ext", "&Ext", "Mailbox", "Ext"},
    {"Name1", "&Name1", "Mailbox", "Name1"},
    {"Name2", "&Name2", "Mailbox", "Name2"},
    {"COS", "COS", "Mailbox", "COS"},
    {"Max\nRing", "Num_RNA", "Mailbox", "Max Ring"},
    {"DND", "DND", "Mailbox", "DND"},
    {"Call Screening", "Call_Screening_Flag", "Mailbox", "Call Screening"},
    {"Store Message", "Store_Message", "Mailbox", "Store Message"},
    {"Msg Max Length", "Max_Msg_Length", "Mailbox", "Msg Max Length"},
    {"ID Calls", "Callee_Identification_Flag", "Mailbox", "ID Calls"},
    {"Message Copy To", "Nf_%d_Variable", "Mailbox", "Message Copy To"},
    {"Msg Copy Delay", "Nf_%d_InitDial", "Mailbox", "Msg Copy Delay"},
    {"Date/Time", "Play_DateTime", "Mailbox", "Date/Time"},
    {"Guests", "Max_Guests", "Mailbox", "Guests"},
    {"Busy Greeting", "Busy_Greeting", "Mailbox", "Busy Greeting"},
    {"MaxBusyMsg", "Max_Busy_Length", "Mailbox", "MaxBusyMsg"},
    {"Name Recording", "Record_Name", "Mailbox", "Name Recording"},
    {"Current Greeting", "Current_Greeting", "Mailbox", "Current Greeting"},
    {"Greeting Max Len", "Max_Def_Length", "Mailbox", "Greeting Max Len"},
    {"Alternate Rate", "Alternate_Rate", "Mailbox", "Alternate Rate"},
    {"Use Alt at Login", "Use_Alt_Rate", "Mailbox", "Use Alt at Login"},
    {"Slow Menu", "Slow_Menu", "Mailbox", "Slow Menu"},
    {"Saved Msg Queue", "Save_Msg_Queue", "Mailbox", "Saved Msg Queue"},
    {"Saved Msg Folder", "Save_Msg_Queue", "hidden", "Saved Msg Folder"},
    {"Multiple Folders", "Multiple_Queue", "hidden", "Multiple Folders"},
    {"Message Order", "Message_Order", "Mailbox", "Message Order"},
    {"Done Chain", "DONE", "Chain", "Done Chain"},
    {"Chain RNA", "RNA", "Chain", "Chain RNA"},
    {"Chain Busy", "BUSY", "Chain", "Chain Busy"},
    {"Chain Delay", "chain_delay", "Chain", "Chain Delay"},
    {"Group List", "Group_List", "Mailbox", "Group List"},
    {"Message Volume", "gain", "Mailbox", "Message Volume"},
    {"Busy Hold", "Allow_Busy_Hold", "Mailbox", "Busy Hold"},
    {"Caller Menu", "Caller_menu", "Mailbox", "Caller Menu"},
    {"Menu 1", "MENU1", "Menus", "Menu 1"},
    {"Menu 2", "MENU2", "Menus", "Menu 2"},
    {"Menu 3", "MENU3", "Menus", "Menu 3"},
    {"Menu 4", "MENU4", "Menus", "Menu 4"},
    {"Menu 5", "MENU5", "Menus", "Menu 5"},
    {"Menu 6", "MENU6", "Menus", "Menu 6"},
    {"Menu 7", "MENU7", "Menus", "Menu 7"},
    {"Menu 8", "MENU8", "Menus", "Menu 8"},
    {"Menu 9", "MENU9", "Menus", "Menu 9"},
    {"Menu 0", "MENU0", "Menus", "Menu 0"},
    {"Please Hold", "Please_Hold_Flag", "Mailbox", "Please Hold"},
    {"Total Faxes", "m_s_fax", "Messages", "Total Faxes"},
    {"Transfer Suffix", "Ext_Suffix", "hidden", "Transfer Suffix"},
    {"Current Message", "m_t_msgcnt", "Messages", "Current Message"},
    {"New Message", "m_n_msgcnt", "Messages", "New Message"},
    {"Message Length", "m_t_msglen", "Messages", "Message Length"},
    {"Max Messages", "m_max_count", "Messages", "Max Messages"},
    {"Total Messages", "m_t_messages", "Messages", "Total Messages"},
    {"Fax Messages", "m_c_fax", "Messages", "Fax Messages"},
    {"Message Created", "Creation_Time", "Statistics", "Message Created"},
    {"Saved Messages", "m_t_msgcnt", "Statistics", "Saved Messages"},
    {"Time Connected", "m_c_accessed", "Statistics", "Time Connected"},
    {"Time Used", "m_t_login", "Statistics", "Time Used"},
    {"Calls", "m_c_called", "Statistics", "Calls"},
    {"Transfer", "m_c_tre", "Statistics", "Transfer"},
    {"Logins", "m_c_login", "Statistics", "Logins"},
    {"Notifies", "m_c_notification", "Statistics", "Notifies"},
    {"Last Called", "m_l_called", "Statistics", "Last Called"},
    {"Last Transfer", "m_l_transfered", "Statistics", "Last Transfer"},
    {"Last Login", "Last_Logon", "Statistics", "Last Login"},
    {"Last Notified", "m_l_notified", "Statistics", "Last Notified"},
    {"Cancel Transfer", "m_c_transfers", "hidden", "Cancel Transfer"},
    {"Purge Messages", "Protect_From_Purge", "Mailbox", "Purge Messages"},
    {"Chain Fax", "FAX", "Chain", "Chain Fax"},
    {"Chain Modem", "MODEM", "Chain", "Chain Modem"},
    {"Message Pending", "Msg_Pending", "Mailbox", "Message Pending"},
    {"Busy Detect", "Busy_Detect_Enabled", "Mailbox", "Busy Detect"},
};

constexpr ReportTemplateColumn kAmisColumns[] = {
    {"User Agent Number", "Mailbox", "", "User Agent Number"},
    {"Classs Of Service", "COS", "", "Class Of Service"},
    {"Comments", "&Comment", "", "Comments"},
    {"Enable", "AmisGatewayEnable", "", "Enable"},
    {"Notify Every Min", "AmisNotifyContinueEveryMin", "", "Notify Every Min"},
    {"Destination Dial", "AmisDestinationDial", "", "Destination Dial"},
    {"Notify Max Time", "AmisNotifyMaxTime", "", "Notify Max Time"},
    {"Dest System Number", "AmisDestinationSystemNumber", "", "Dest System Number"},
    {"Disk Full", "AmisDiskFull", "", "Disk Full"},
    {"Notify After Min", "AmisNotifyAfterMin", "", "Notify After Min"},
};

constexpr ReportTemplateColumn kVpimColumns[] = {
    {"User Agent Number", "Mailbox", "", "User Agent Number"},
    {"Classs Of Service", "COS", "", "Class Of Service"},
    {"Comments", "&Comment", "", "Comments"},
    {"Enable", "VpimEnable", "", "Enable"},
    {"Notify Every Min", "VpimNotifyContinueEveryMin", "", "Notify Every Min"},
    {"Destination Domain", "VpimDestinationDomain", "", "Destination Domain"},
    {"Notify Max Time", "VpimNotifyMaxTime", "", "Notify Max Time"},
    {"Dest MBox Number", "VpimDestinationMBox", "", "Dest. Mbox Number"},
    {"Disk Full", "AmisDiskFull", "", "Disk Full"},
    {"Notify After Min", "VpimNotifyAfterMin", "", "Notify After Min"},
};
} // namespace

std::span<const ReportTemplateKind> CReportTemplateKinds::Kinds()
{
    return kKinds;
}

const ReportTemplateKind *CReportTemplateKinds::FindByName(const QString &name)
{
    for (const ReportTemplateKind &kind : kKinds)
        if (name == QLatin1String(kind.name))
            return &kind;
    return nullptr;
}

QString CReportTemplateKinds::ExtensionOf(int typeId)
{
    for (const ReportTemplateKind &kind : kKinds)
        if (kind.typeId == typeId)
            return QString::fromLatin1(kind.extension);
    return QString();
}

std::span<const ReportTemplateColumn> CReportTemplateKinds::ColumnsOf(const QString &extension)
{
    if (extension == QLatin1String("vmb"))
        return kMailboxColumns;
    if (extension == QLatin1String("ams"))
        return kAmisColumns;
    if (extension == QLatin1String("vpm"))
        return kVpimColumns;
    return {};
}
