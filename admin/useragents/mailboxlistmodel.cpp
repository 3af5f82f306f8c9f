// Column texts of the mailbox list, made on demand from the packed array.
// The number is right-aligned in eight places and the COS left-aligned, so
// sorting the texts as bytes orders numbers numerically in the first column.
#include "admin/useragents/mailboxlistmodel.h"

#include "admin/res/adminstrings.h"
#include "admin/useragents/useragentarray.h"

#include <algorithm>

namespace {

// The root of the mailboxes, which also stands for "no class of service".
constexpr long NoCos = 0x7fffffff;

const QString NotAvailable = QStringLiteral("N/A");

} // namespace

CMailboxListModel::CMailboxListModel(const CUserAgentArray &array, QObject *parent)
    : QAbstractTableModel(parent), m_array(array),
      m_headings({QStringLiteral("Mailbox number"), QStringLiteral("COS"), QStringLiteral("Comment"),
                  QStringLiteral("Extension"), QStringLiteral("Name"), QStringLiteral("Messages"),
                  QStringLiteral("Seconds")})
{
}

void CMailboxListModel::Reload()
{
    beginResetModel();
    m_rows.clear();
    m_statistics.clear();
    m_rows.reserve(m_array.GetSize());
    for (int i = 0; i < m_array.GetSize(); ++i) {
        if (m_array.GetNumber(i) != NoCos)
            m_rows.push_back(Row{std::uint32_t(i)});
    }
    endResetModel();
}

void CMailboxListModel::SetStatistics(int row, QByteArrayView messages, QByteArrayView seconds)
{
    Q_ASSERT(row >= 0 && row < rowCount());
    Row &entry = m_rows[row];
    entry.messages = std::uint32_t(m_statistics.size());
    m_statistics.append(messages);
    entry.seconds = std::uint32_t(m_statistics.size());
    m_statistics.append(seconds);
    entry.end = std::uint32_t(m_statistics.size());
    emit dataChanged(index(row, MessagesColumn), index(row, SecondsColumn));
}

QString CMailboxListModel::Text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const Row &entry = m_rows[row];
    const int i = int(entry.record);
    switch (column) {
    case NumberColumn:
        return QString::asprintf("%8ld", m_array.GetNumber(i));
    case CosColumn:
        return m_array.GetParent(i) == NoCos ? AdminString(IDS_NO_COS)
                                             : QString::asprintf("%-8ld", m_array.GetParent(i));
    case CommentColumn:
        return m_array.GetComment(i);
    case ExtensionColumn:
        return m_array.GetExtension(i);
    case NameColumn:
        return m_array.GetName(i);
    case MessagesColumn:
        return entry.messages == NoStatistics ? NotAvailable : statistic(entry.messages, entry.seconds);
    case SecondsColumn:
        return entry.messages == NoStatistics ? NotAvailable : statistic(entry.seconds, entry.end);
    default:
        return {};
    }
}

void CMailboxListModel::Sort(int column, bool descending)
{
    // Each row's key is made once; the comparison runs on bytes.
    std::vector<std::pair<QByteArray, Row>> keyed;
    keyed.reserve(m_rows.size());
    for (int row = 0; row < rowCount(); ++row)
        keyed.emplace_back(Text(row, column).toUtf8(), m_rows[row]);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto &a, const auto &b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    beginResetModel();
    for (std::size_t row = 0; row < keyed.size(); ++row)
        m_rows[row] = keyed[row].second;
    endResetModel();
}

void CMailboxListModel::SetHeading(int column, const QString &heading)
{
    if (column < 0 || column >= ColumnCount || m_headings[column] == heading)
        return;
    m_headings[column] = heading;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int CMailboxListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CMailboxListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CMailboxListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return Text(index.row(), index.column());
    if (role == ArrayIndexRole)
        return ArrayIndex(index.row());
    return {};
}

QVariant CMailboxListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_headings[section];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QString CMailboxListModel::statistic(std::uint32_t begin, std::uint32_t end) const
{
    return QString::fromUtf8(m_statistics.constData() + begin, qsizetype(end - begin));
}
