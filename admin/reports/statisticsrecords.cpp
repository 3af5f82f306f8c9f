// See statisticsrecords.h. A record's values are looked up in its own
// elements without building a map: records hold a handful of pairs, and a
// report can hold a hundred thousand records.
#include "admin/reports/statisticsrecords.h"

#include "admin/reports/db/allportlogtable.h"
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxcalltable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxmessagetable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/session/tcllist.h"

#include <QHash>

#include <functional>
#include <vector>

namespace {

// One record of a reply: names and values in pairs. A record with an odd
// count has no values.
class Record {
public:
    explicit Record(QByteArrayView element) : m_elements(CTclList().Split(element.toByteArray()))
    {
        if (m_elements.size() % 2 != 0)
            m_elements = CTclElements();
    }
    QByteArrayView value(QByteArrayView name) const
    {
        for (qsizetype i = 0; i + 1 < m_elements.size(); i += 2)
            if (m_elements.at(i) == name)
                return m_elements.at(i + 1);
        return QByteArrayView();
    }
    QString text(const char *name) const { return QString::fromUtf8(value(name)); }
    // The value, else `fill` when it is empty.
    QByteArrayView valueOr(const char *name, QByteArrayView fill) const
    {
        const QByteArrayView found = value(name);
        return found.isEmpty() ? fill : found;
    }
    // "text, else ." : an empty value is stored as the fill.
    QString textOr(const char *name, const QString &fill) const
    {
        const QString value = text(name);
        return value.isEmpty() ? fill : value;
    }
    qint64 number(const char *name) const { return CReportsDatabase::LeadingNumber(text(name)); }

private:
    CTclElements m_elements;
};

const QString kDot = QStringLiteral(".");
const QString kNone = QStringLiteral("None");

// The records of a reply; false when the reply is no list.
bool Records(const QString &reply, CTclElements &out, ReportFill &fill)
{
    const QByteArray bytes = reply.toUtf8();
    out = CTclList().Split(bytes);
    if (out.isEmpty() && !bytes.trimmed().isEmpty()) {
        fill.error = QStringLiteral("The server's reply cannot be read as a list of records.");
        return false;
    }
    return true;
}

// Empties the table and stores the rows in one transaction.
bool Refill(CReportsDatabase &table, qsizetype count, const std::function<bool(qsizetype)> &store, ReportFill &fill)
{
    if (!table.BeginRun()) {
        fill.error = table.LastError();
        return false;
    }
    if (!table.PurgeTable()) {
        fill.error = table.LastError();
        table.EndRun(false);
        return false;
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (store(i))
            ++fill.stored;
        else
            ++fill.failed;
    }
    if (!table.EndRun(true)) {
        fill.error = table.LastError();
        fill.stored = 0;
        return false;
    }
    return true;
}

// Refill for a reply of one record a row: `store` stores one record.
bool RefillRecords(CReportsDatabase &table, const QString &reply, ReportFill &fill,
                   const std::function<bool(const Record &)> &store)
{
    CTclElements records;
    if (!Records(reply, records, fill))
        return false;
    return Refill(table, records.size(), [&](qsizetype i) { return store(Record(records.at(i))); }, fill);
}

} // namespace

bool CStatisticsRecords::PortStatistics(CPortLogTable &table, const QString &reply, const ReportDateRange &range,
                                        ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        return table.AddRecord(range.fromText, range.toText, record.number("Port"), record.number("p_cnt_in"),
                               record.number("p_cnt_out"), record.number("p_t_busy"), record.number("p_c_outofsvc"));
    });
}

bool CStatisticsRecords::PortGroupStatistics(CGroupLogTable &table, const QString &reply,
                                             const ReportDateRange &range, ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        return table.AddRecord(range.fromText, range.toText, record.textOr("Group", kDot),
                               record.textOr("port_id", kDot), record.number("tot_in"), record.number("tot_out"),
                               record.text("s_t_simbsy"));
    });
}

bool CStatisticsRecords::AllPortStatistics(CAllPortLogTable &table, const QString &reply,
                                           const ReportDateRange &range, ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        return table.AddRecord(range.fromText, range.toText, record.textOr("Group", kDot), record.number("tot_in"),
                               record.number("tot_out"), record.number("tot_out_failures"),
                               record.text("s_t_simbsy"));
    });
}

bool CStatisticsRecords::MailboxInfo(CMailboxInfoTable &table, const QString &info, const QString &logons,
                                     ReportFill &fill)
{
    CTclElements boxes;
    CTclElements logonRecords;
    if (!Records(info, boxes, fill) || !Records(logons, logonRecords, fill))
        return false;
    // Paired by the mailbox's bytes, blanks around them aside. The log-on
    // records stay split for the whole run, so the keys are views into them
    // and nothing is copied or converted to pair ten thousand boxes.
    std::vector<Record> logonList;
    logonList.reserve(size_t(logonRecords.size()));
    QHash<QByteArrayView, qint64> lastLogon;
    lastLogon.reserve(logonRecords.size());
    for (qsizetype i = 0; i < logonRecords.size(); ++i) {
        const Record &record = logonList.emplace_back(logonRecords.at(i));
        lastLogon.insert(record.value("Mailbox").trimmed(),
                         CReportsDatabase::LeadingNumberOfUtf8(record.value("Last_Logon")));
    }
    return Refill(table, boxes.size(), [&](qsizetype i) {
        const Record record(boxes.at(i));
        const QByteArrayView mailbox = record.value("Mailbox");
        // A box missing from the log-ons has never logged on.
        const qint64 logon = lastLogon.value(mailbox.trimmed(), 0);
        const QByteArrayView dot(".");
        return table.AddRecord(mailbox, record.valueOr("&Name1", dot), record.valueOr("&Name2", dot),
                               record.valueOr("m_cos", dot), record.valueOr("m_namerec", dot),
                               record.valueOr("&SAC_was_not_changed", dot), record.valueOr("Creation_Time", dot),
                               CReportDate::LogonText(logon, CReportDate::MidnightHour::Twelve).toLatin1(), record.valueOr("&Comment", dot));
    }, fill);
}

bool CStatisticsRecords::MailboxCalling(CMailboxCallTable &table, const QString &reply,
                                        const ReportDateRange &range, ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        return table.AddRecord(range.fromText, range.toText, record.text("Mailbox"), record.number("m_c_noans"),
                               record.number("m_c_busy"), record.number("m_c_tro"), record.number("m_c_tre"),
                               record.number("m_c_ab"));
    });
}

bool CStatisticsRecords::MessageStatistics(CMailboxMessageTable &table, const QString &reply, ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        return table.AddRecord(record.textOr("Mailbox", kDot), record.number("m_n_msgcnt"),
                               record.number("m_c_pfldmsg"), record.number("m_t_msgcnt"), record.number("m_a_msglen"),
                               record.number("m_t_msglen"), record.textOr("m_t_oldmsgdat", kDot),
                               record.number("m_c_fax"), record.number("m_t_fax"));
    });
}

bool CStatisticsRecords::MailboxUsage(CMailboxUsageTable &table, const QString &reply, const ReportDateRange &range,
                                      ReportFill &fill)
{
    return RefillRecords(table, reply, fill, [&](const Record &record) {
        // Log-on time in whole minutes; the access count as the server counts it.
        return table.AddRecord(range.fromText, range.toText, record.textOr("Mailbox", kDot),
                               record.textOr("&Ext", kDot), record.number("m_t_login") / 60,
                               record.number("m_c_accessed"));
    });
}

bool CStatisticsRecords::SystemInformation(CSystemInfoTable &table, const QString &system,
                                           const QString &distributionLists, const QString &amisBoxes,
                                           const QString &mailboxes, ReportFill &fill)
{
    CTclElements systemRecords;
    CTclElements lists;
    CTclElements amis;
    CTclElements boxes;
    if (!Records(system, systemRecords, fill) || !Records(distributionLists, lists, fill) ||
        !Records(amisBoxes, amis, fill) || !Records(mailboxes, boxes, fill))
        return false;
    const Record record(systemRecords.isEmpty() ? QByteArrayView() : systemRecords.at(0));
    return Refill(table, 1, [&](qsizetype) {
        return table.AddRecord(record.textOr("m_version", kDot), record.textOr("m_pbx", kNone),
                               record.textOr("m_dspace", kDot), record.number("m_nvports"), boxes.size(),
                               amis.size(), QString::number(lists.size()), record.textOr("m_dtime", kDot),
                               record.textOr("m_starttime", kDot), record.textOr("m_stime", kNone));
    }, fill);
}
