// The answer methods of the server's `answer_method_list` as the Answer
// Methods page edits them: how a call is answered (which greeting user agent
// plays, after how many rings, for which integration group), one record a
// method. The page's grid shows record n in row n; record 0 is the blank
// record that stands for the header row.
//
// The text is a Tcl list of {name {greeting rings group}}. It is read with
// the Tcl library's list rules. A list whose methods are all as read goes
// back as the server sent it, and an unchanged method keeps its element;
// a changed one is written with the session's quoting, so a name with
// braces or backslashes still arrives as the same string, and with the
// elements the server added after the four that are edited here.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct AnswerMethodRecord {
    QString name;
    // The greeting user agent's number, as typed.
    QString greeting;
    QString rings = QStringLiteral("1");
    // The telephone-system integration group.
    QString group;
    // What the server holds after the group, and after the values list.
    QStringList moreValues = {};
    QStringList moreElements = {};
    // The element the method was read from.
    std::optional<QString> serverEntry = std::nullopt;

    bool operator==(const AnswerMethodRecord &) const = default;
};

class CAnswerMethodList {
public:
    // Why a name is refused.
    enum NameFault { NameAccepted, NameEmpty, NameTaken };

    CAnswerMethodList();

    // Replaces the records by those of `text`; a text that is not a Tcl list
    // gives no methods.
    void Parse(const QString &text);
    // The list text of every record with a name, in record order.
    QString Format() const;

    int Count() const { return int(m_records.size()) - 1; }
    // Record n (1 to Count); record 0 is the blank header record.
    AnswerMethodRecord &Record(int n) { return m_records[n]; }
    const AnswerMethodRecord &Record(int n) const { return m_records[n]; }
    void Append(const AnswerMethodRecord &record) { m_records.append(record); }
    void Remove(int n) { m_records.removeAt(n); }

    // The non-empty names, tab-separated (the Voice Ports page's list).
    QString NamesText() const;
    // The distinct greeting numbers in ascending order, written "%u".
    QStringList GreetingNumbers() const;
    // Every method of integration group `oldName` moves to `newName`;
    // true when one did.
    bool RenameGroup(const QString &oldName, const QString &newName);

    // Checks a name for record `row` (0 for a new method): empty names and
    // names of the other records are refused.
    NameFault CheckName(const QString &name, int row) const;

    // Rings to answer, 1 to 15; nothing for anything else.
    static std::optional<int> ParseRings(const QString &typed);
    // A greeting user agent: a decimal user-agent number of 31 bits.
    static std::optional<quint32> ParseGreeting(const QString &typed);

private:
    static AnswerMethodRecord parseEntry(const QString &entry);
    static QString formatEntry(const AnswerMethodRecord &record);

    QList<AnswerMethodRecord> m_records;
    // The text read and the records it gave.
    QString m_serverText;
    QList<AnswerMethodRecord> m_serverRecords;
};
