// The voice ports as the configuration window's Voice Ports page and the
// wizard's voice-port step edit them: one record a port, each from the
// depot's line of that port. Record n is port n (grid row n); record 0 is
// blank.
//
// A line is a Tcl list {extension answer-method further...}: the elements
// after the answer method are kept as they came. A port whose parts are
// still those of its line goes back as the line came, in the server's own
// spelling; a changed one is written with every element quoted as needed
// ("{}" for an empty one).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct VoicePortRecord {
    QString label;
    QString extension;
    QString answerMethod;
    // The line's elements after the answer method, kept as they came.
    QStringList rest;
    // The line the record was read from, as the server holds it.
    std::optional<QString> serverLine;
};

class CVoicePortList {
public:
    CVoicePortList() : m_records(1) {}

    // Replaces the records by ports 1 to `count`, port n from lines[n - 1]
    // (empty when there is no such line) and labelled n.
    void Load(const QStringList &lines, int count);
    // Writes every port back over its line; no line is added.
    void Store(QStringList &lines) const;

    int Count() const { return int(m_records.size()) - 1; }
    VoicePortRecord &Record(int n) { return m_records[n]; }
    const VoicePortRecord &Record(int n) const { return m_records[n]; }

    bool IsAnswerMethodUsed(const QString &name) const;
    // Every port of method `oldName` (exact comparison) takes `newName`;
    // true when one did.
    bool ReplaceAnswerMethod(const QString &oldName, const QString &newName);
    // A port whose method is one of `names` (methods that no longer exist)
    // is left without one; a method the ports name but the list never had
    // stays as the server holds it.
    void DropAnswerMethods(const QStringList &names);

    static QString FormatLine(const VoicePortRecord &record);
    static VoicePortRecord ParseLine(const QString &line);

private:
    static VoicePortRecord splitLine(const QString &line);
    static bool hasSameParts(const VoicePortRecord &a, const VoicePortRecord &b);

    QList<VoicePortRecord> m_records;
};
