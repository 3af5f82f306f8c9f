// The rows of the mailbox list as a table model over the editor's user-agent
// array: row texts are made when the view asks for them, so a list of a
// hundred thousand boxes costs one small entry per row. A box numbered
// 0x7fffffff (the "no COS" root) stays in the array but gets no row.
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <vector>

class CUserAgentArray;

class CMailboxListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NumberColumn,
        CosColumn,
        CommentColumn,
        ExtensionColumn,
        NameColumn,
        MessagesColumn,
        SecondsColumn,
        ColumnCount
    };
    // The row's position in the array (the list's item data).
    static constexpr int ArrayIndexRole = Qt::UserRole;

    explicit CMailboxListModel(const CUserAgentArray &array, QObject *parent = nullptr);

    // Rebuilds the rows from the array, in array order, without statistics.
    void Reload();
    // The statistics of a row: message count and total length, as received.
    void SetStatistics(int row, QByteArrayView messages, QByteArrayView seconds);

    QString Text(int row, int column) const;
    int ArrayIndex(int row) const { return int(m_rows[row].record); }
    // Rows reordered by the texts of `column`, compared as plain bytes.
    void Sort(int column, bool descending);

    void SetHeading(int column, const QString &heading);
    QString Heading(int column) const { return m_headings.value(column); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    static constexpr std::uint32_t NoStatistics = UINT32_MAX;
    struct Row {
        std::uint32_t record;
        // Offsets into m_statistics: messages from `messages` to `seconds`,
        // seconds from there to `end`; NoStatistics shows "N/A".
        std::uint32_t messages = NoStatistics;
        std::uint32_t seconds = 0;
        std::uint32_t end = 0;
    };

    QString statistic(std::uint32_t begin, std::uint32_t end) const;

    const CUserAgentArray &m_array;
    std::vector<Row> m_rows;
    QByteArray m_statistics;
    QStringList m_headings;
};
