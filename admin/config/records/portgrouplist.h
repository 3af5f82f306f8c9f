// The named groups of voice ports of the server variables `jobq`
// (notification groups: {ID {ports} limit}) and `statistical_groups`
// ({ID {ports}}). Both texts are read and written as Tcl lists, so an ID that
// holds a blank or a brace comes back as it went. Port numbers and limits are
// read in full and checked against their ranges: a number that does not fit
// is dropped, never wrapped into range.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct PortGroupRecord {
    QString id;
    // Voice-port numbers 1 to the port count, without repetition, in order.
    QList<int> ports;
    // Percent, 1 to 100 (notification groups only).
    int limit = 100;

    bool operator==(const PortGroupRecord &) const = default;
};

class CPortGroupList {
public:
    enum Kind { Notification, Statistical };
    static constexpr int DefaultLimit = 100;

    explicit CPortGroupList(Kind kind) : m_kind(kind) {}
    Kind GetKind() const { return m_kind; }

    // One group per element of `text`; ports outside 1 to `voicePortCount`
    // or repeated, and limits outside 1 to 100, are dropped.
    void Load(const QString &text, int voicePortCount);
    // The variable's text; a notification group without ID is left out.
    QString Save() const;

    int Count() const { return int(m_groups.size()); }
    PortGroupRecord &At(int i) { return m_groups[i]; }
    const PortGroupRecord &At(int i) const { return m_groups.at(i); }
    void Append(const PortGroupRecord &group) { m_groups.append(group); }
    void RemoveAt(int i) { m_groups.removeAt(i); }
    // The index of the group with this ID (exact), or -1.
    int IndexOf(const QString &id) const;

    // The IDs of the groups that hold the port, in group order; none for a
    // port outside 1 to the voice-port count.
    QStringList GroupIdsOfPort(int port, int voicePortCount) const;
    // The same joined by ", ".
    QString GetGroupsOfPort(int port, int voicePortCount) const;
    // The lowest number that no group's ID reads as (see the page).
    QString NextStatisticalId() const;
    // "1-n" (or "1"), then every group's shown port list not yet offered.
    QStringList PortListChoices(int voicePortCount) const;

    // Runs of consecutive ports as "first-last", joined by ", ".
    static QString FormatPortRanges(const QList<int> &ports);
    // Reads a typed port list ("8-6, 1"); false when any part is wrong.
    static bool ParseVoicePortList(const QString &text, int voicePortCount, QList<int> &ports);
    // A typed limit: a whole number 1 to 100.
    static bool ParseLimit(const QString &text, int &limit);

private:
    Kind m_kind;
    QList<PortGroupRecord> m_groups;
};
