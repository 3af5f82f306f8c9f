// The tables of the report database; see reporttableschema.h. Column
// names, including their spelling ("Abandones", "Out_of_service"), are what
// the layouts read and must not change.
#include "admin/reports/db/reporttableschema.h"

namespace {

using T = ReportColumnType;

constexpr ReportColumn kPortLog[] = {
    {"Port Number", T::Long},
    {"Number of Incoming Calls", T::Long},
    {"Number of Outgoing Calls", T::Long},
    {"Number of Busy in Seconds", T::Long},
    {"Number of Times Out_of_service", T::Long},
    {"From", T::Text},
    {"To", T::Text},
};

constexpr ReportColumn kGroupLog[] = {
    {"Group Name", T::Text},
    {"Ports", T::Text},
    {"Number of Incoming Calls", T::Long},
    {"Number of Outgoing Calls", T::Long},
    {"From", T::Text},
    {"To", T::Text},
};

constexpr ReportColumn kAllPortLog[] = {
    {"Group Name", T::Text},
    {"Number of Incoming Calls", T::Long},
    {"Number of Outgoing Calls", T::Long},
    {"Number of No Outgoing Calls", T::Long},
    {"From", T::Text},
    {"To", T::Text},
};

constexpr ReportColumn kBusyLog[] = {
    {"Number of Busy in Seconds", T::Long},
    {"Group Name", T::Text},
    {"Number of Ports", T::Long},
};

constexpr ReportColumn kMailboxInfo[] = {
    {"Mailbox", T::Long},
    {"Name1", T::Text},
    {"Name2", T::Text},
    {"COS", T::Text},
    {"Name Record", T::Text},
    {"Default Security Code", T::Text},
    {"Mailbox Creation", T::Text},
    {"Last Log On", T::Text},
    {"Mailbox Comment", T::Text},
};

constexpr ReportColumn kSystemInfo[] = {
    {"Software Version", T::Text},
    {"PBX's ID", T::Text},
    {"Total Mailboxes", T::Long},
    {"Disk Space", T::Text},
    {"Voice Ports", T::Text},
    {"Amis Boxes", T::Text},
    {"Distribution List", T::Text},
    {"Date Time", T::Text},
    {"Startup Time", T::Text},
    {"Scheduled Shutdown", T::Text},
};

constexpr ReportColumn kMailboxCall[] = {
    {"Mailbox", T::Long},
    {"No Answer", T::Long},
    {"Busy", T::Long},
    {"Transfer to Operator", T::Long},
    {"Transfer to Extension", T::Long},
    {"Abandones", T::Long},
    {"From", T::Text},
    {"To", T::Text},
};

constexpr ReportColumn kMailboxMessage[] = {
    {"Mailbox", T::Long},
    {"New Messages", T::Long},
    {"Folder Messages", T::Long},
    {"Total Messages", T::Long},
    {"Average Message Length", T::Long},
    {"Total Message Time", T::Long},
    {"Oldest Message Date", T::Text},
    {"Fax Count", T::Long},
    {"Total Fax Pages", T::Long},
};

constexpr ReportColumn kMailboxUsage[] = {
    {"Mailbox", T::Long},
    {"Extension", T::Text},
    {"Logon Time", T::Long},
    {"Accessed Times", T::Long},
    {"From", T::Text},
    {"To", T::Text},
};

constexpr ReportColumn kOption2Log[] = {
    {"Field1", T::Text}, {"Field2", T::Text}, {"Field3", T::Text}, {"Field4", T::Text},
    {"Field5", T::Text}, {"Field6", T::Text}, {"Field7", T::Text}, {"Field8", T::Text},
    {"Field9", T::Text}, {"Field10", T::Text}, {"FieldName", T::Text},
};

constexpr ReportColumn kFieldNameLog[] = {
    {"Name1", T::Text}, {"Name2", T::Text}, {"Name3", T::Text}, {"Name4", T::Text},
    {"Name5", T::Text}, {"Name6", T::Text}, {"Name7", T::Text}, {"Name8", T::Text},
    {"Name9", T::Text}, {"Name10", T::Text}, {"FieldName", T::Text},
};

constexpr ReportTableSchema kTables[] = {
    {"PORTLOG", kPortLog, "Port Number"},
    {"GROUPLOG", kGroupLog, "Group Name"},
    {"GROUPBUSYLOG", kBusyLog, "Group Name"},
    {"ALLPORTLOG", kAllPortLog, "Group Name"},
    {"BUSYLOG", kBusyLog, "Group Name"},
    {"MAILBOXINFO", kMailboxInfo, "Mailbox"},
    {"SYSTEMINFO", kSystemInfo, "Software Version"},
    {"MAILBOXCALL", kMailboxCall, "Mailbox"},
    {"MAILBOXMESSAGE", kMailboxMessage, "Mailbox"},
    {"MAILBOXUSAGE", kMailboxUsage, "Mailbox"},
    {"OPTION2LOG", kOption2Log, "FieldName"},
    {"FIELDNAMELOG", kFieldNameLog, "FieldName"},
};

} // namespace

int ReportTableSchema::ColumnIndex(const QString &column) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (column == QLatin1String(columns[i].name))
            return int(i);
    return -1;
}

QString ReportTableSchema::IndexName() const
{
    return QStringLiteral("%1.%2").arg(QLatin1String(name), QLatin1String(indexColumn));
}

std::span<const ReportTableSchema> CReportTableSchemas::All()
{
    return kTables;
}

const ReportTableSchema *CReportTableSchemas::Find(const QString &table)
{
    for (const ReportTableSchema &schema : kTables)
        if (table == QLatin1String(schema.name))
            return &schema;
    return nullptr;
}
