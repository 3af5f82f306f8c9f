// The named groups of voice ports of the server variables `jobq`
// (notification groups: {ID {ports} limit}) and `statistical_groups`
// ({ID {ports}}). Both texts are read and written as Tcl lists, so an ID that
// holds a blank or a brace comes back as it went. Port numbers and limits are
// read in full and checked against their ranges: a number that does not fit
// is dropped, never wrapped into range.
//
// What the administrator did not edit goes back as the server holds it: a
// list whose groups are all as read is written as it was read, an unedited
// group as its element, and in an edited group the ports and the limit not
// edited keep their elements, and the elements after them stay. The page
// shows the held elements, so a limit of 150 shows as 150 until the
// administrator edits its group and the limits of the pages apply.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct PortGroupRecord {
    QString id;
    // Voice-port numbers 1 to the port count, without repetition, in order.
    QList<int> ports;
    // Percent, 1 to 100 (notification groups only).
    int limit = 100;
    // While not edited: the ports and the limit elements the server holds.
    std::optional<QString> heldPorts = std::nullopt;
    std::optional<QString> heldLimit = std::nullopt;
    // The elements the server holds after those the pages edit.
    QStringList moreElements = {};
    // The element the group was read from, while nothing of it is edited.
    std::optional<QString> serverEntry = std::nullopt;

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
    // The variable's text; a new or edited notification group without ID is
    // left out.
    QString Save() const;

    int Count() const { return int(m_groups.size()); }
    const PortGroupRecord &At(int i) const { return m_groups.at(i); }
    // The edits of group `i`: each lets go of what the server held for it.
    void SetId(int i, const QString &id);
    void SetPorts(int i, const QList<int> &ports);
    void SetLimit(int i, int limit);
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

    // The ports and the limit as the grid shows them: what the server holds
    // while they are not edited.
    static QString ShownPorts(const PortGroupRecord &group);
    static QString ShownLimit(const PortGroupRecord &group);
    // False while the held ports hold a word that is no voice port or a
    // port twice, or the held limit is no limit of 1 to 100.
    static bool PortsFit(const PortGroupRecord &group);
    static bool LimitFits(const PortGroupRecord &group);

    // Runs of consecutive ports as "first-last", joined by ", ".
    static QString FormatPortRanges(const QList<int> &ports);
    // Reads a typed port list ("8-6, 1"); false when any part is wrong.
    static bool ParseVoicePortList(const QString &text, int voicePortCount, QList<int> &ports);
    // A typed limit: a whole number 1 to 100.
    static bool ParseLimit(const QString &text, int &limit);

private:
    PortGroupRecord parseEntry(const QString &entry, int voicePortCount) const;
    QString formatEntry(const PortGroupRecord &group) const;

    Kind m_kind;
    QList<PortGroupRecord> m_groups;
    // The text read and the groups it gave.
    QString m_serverText;
    QList<PortGroupRecord> m_serverGroups;
};
