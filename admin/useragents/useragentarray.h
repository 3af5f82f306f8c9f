// The user agents a mailbox editor's list shows, filled from one list reply
// (one GetUA-shaped record per box: header, names, name/value pairs). An
// editor may list a hundred thousand boxes, so a row keeps only what the
// list shows - number, class of service, comment, extension and name - with
// all texts packed into one buffer, instead of a full user-agent record
// with its maps for every row; the sheet reads the full record of the one
// box it shows with GetUA.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CUserAgentArray {
public:
    // Whether the editor may show a box; the editor document's filter.
    using AllowedFilter = std::function<bool(long number)>;

    explicit CUserAgentArray(AllowedFilter allowed = {});

    // Replaces the content with the boxes of `reply`. Boxes above the tops of
    // the class-of-service tree (0x40000000, except the mailbox root
    // 0x7fffffff) and boxes the filter refuses are
    // left out. An element that is not a readable record is left out too and
    // counted; `firstMalformed` gets the first one.
    struct FillResult {
        int malformed = 0;
        QString firstMalformed;
    };
    FillResult FillFromReply(const QByteArray &reply);
    void RemoveAll();

    int GetSize() const { return int(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }
    long GetNumber(int i) const { return m_records[i].number; }
    long GetParent(int i) const { return m_records[i].parent; }
    QString GetComment(int i) const
    {
        return text(m_records[i], m_records[i].comment, m_records[i].extension);
    }
    QString GetExtension(int i) const
    {
        return text(m_records[i], m_records[i].extension, m_records[i].name);
    }
    // First and second name joined by one blank.
    QString GetName(int i) const { return text(m_records[i], m_records[i].name, m_records[i].end); }

private:
    // A record's texts lie in one block of m_texts, each running up to the
    // next one's start.
    struct Record {
        std::int32_t number;
        std::int32_t parent;
        std::uint32_t block;
        std::uint32_t comment;
        std::uint32_t extension;
        std::uint32_t name;
        std::uint32_t end;
    };

    bool appendRecord(QByteArrayView element);
    // The block that takes the next `size` bytes.
    QByteArray &blockFor(qsizetype size);
    QString text(const Record &record, std::uint32_t begin, std::uint32_t end) const;

    AllowedFilter m_allowed;
    std::vector<Record> m_records;
    // Texts in blocks of fixed capacity: filling never copies what it has
    // already stored, and the most it holds unused is one block.
    std::vector<QByteArray> m_texts;
};
