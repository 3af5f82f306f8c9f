// The in-memory record of one user agent (a mailbox, a class of service, a
// list, an AMIS, VPIM or IVR agent). It is read with "GetUA", edited by the
// pages and dialogs, and written back with "UpdateUA" carrying only what
// changed. Beside the values as edited it keeps the values as received, the
// names the server listed as the box's own, the lock wishes of the pages and
// the class-of-service values shown for inherited fields.
//
// Every editor of user agents works on this record or on its descendant
// CScenarioUserAgent. The record owns all its strings and maps; it talks to
// the server only through the command channel handed to each call.
#pragma once

#include <QMap>
#include <QSet>
#include <QString>

#include <optional>

class CPageValue;
class CServerCommandChannel;
class CTclList;

// The two inheritance markers: a current value equal to one of them means the
// box has no value of its own and shows the class of service's. The server
// simulator knows them too and refuses them as data, so a marker that leaks
// into a command shows up at once.
inline constexpr char kListedInheritanceMarker[] = "{5D0C8E2A-3F61-4B7D-9A15-C2E47B90D3F8}";
inline constexpr char kNewInheritanceMarker[] = "{A94F1B06-7C2E-48D5-B3A0-6E18D5F2C917}";

// Numbers of fixed user agents.
qint32 GetDefaultUANumber();     // 997: the box editors fall back to
qint32 GetSystemAdminUANumber(); // 999: the system administrator's mailbox
qint32 GetNoUANumber();          // -1: no user agent

// A decimal 32-bit number, blanks around it allowed; nothing when the text is
// not one (junk, or out of range rather than wrapped).
std::optional<qint32> ParseUANumber(QStringView text);

class CUserAgent {
public:
    using PropertyMap = QMap<QString, QString>;

    // A place in the iteration over the current values; false past the end.
    class PropertyPosition {
    public:
        explicit operator bool() const { return m_at != m_end; }

    private:
        friend class CUserAgent;
        PropertyMap::const_iterator m_at;
        PropertyMap::const_iterator m_end;
    };

    // Results of CommitChanges.
    enum CommitResult { CommitRefused = 0, CommitSent = 1, CommitNothingToSend = 2 };

    CUserAgent() = default;
    // The empty record, then Parse.
    CUserAgent(const QString &reply, const CTclList &splitter);
    CUserAgent(const QByteArray &reply, const CTclList &splitter);
    virtual ~CUserAgent() = default;
    CUserAgent(const CUserAgent &) = default;
    CUserAgent &operator=(const CUserAgent &) = default;

    // Fills the record from a "GetUA" reply (the reply word stripped). On
    // failure the user is told why (except for a short header) and the
    // record is left exactly as it was.
    virtual bool Parse(const QString &reply, const CTclList &splitter);
    // The same from the reply's UTF-8 bytes, for callers that split long
    // replies without converting them first.
    bool ParseUtf8(const QByteArray &reply, const CTclList &splitter);
    // Sends "UpdateUA" with what changed. CommitRefused: the server's reason
    // is in `reply`; the stamp is kept. CommitSent: accepted, the stamp is
    // the server's new one. CommitNothingToSend: nothing was sent.
    virtual int CommitChanges(QString &reply, CServerCommandChannel &channel, bool withForce);
    // The parent box's value of one property; empty when there is no parent,
    // the server refused, or the parent has no such property.
    virtual QString Fetch(const QString &name, CServerCommandChannel &channel);

    // The current value; the inherited one for a field set to inherit.
    QString GetProperty(const QString &name) const;
    // Loads one property and its flags into a page's tracker.
    void GetPropertyText(const QString &name, CPageValue &value) const;
    // Stores a page's tracker back into the record.
    void SetProperty(const QString &name, const CPageValue &value);
    // Neither listed by the server nor given a value since the last parse.
    bool IsPropertyUnlisted(const QString &name) const;

    PropertyPosition GetFirstPropertyPosition() const;
    // Reads the property at `position` and moves to the next.
    void GetNextProperty(PropertyPosition &position, QString &name, QString &value) const;

    qint32 GetUANumber() const { return m_number; }
    qint32 GetParentNumber() const { return m_parent; }
    int GetChangeStamp() const { return m_changeStamp; }
    int GetScenarioNumber() const { return m_scenario; }
    int GetHeaderElement4() const { return m_headerElement4; }
    QString GetComment() const { return m_comment; }
    QString GetName1() const { return m_name1; }
    QString GetName2() const { return m_name2; }
    QString GetExtension() const { return m_extension; }
    // Above 0x40000000: a top of the class-of-service tree.
    bool IsOverHighMark() const;

    // Moves the per-notification properties to another notification name, or
    // drops them when `newName` is empty.
    void RenameNotification(const QString &oldName, const QString &newName);
    // "SetUASAC"; a refusal is shown and gives false.
    bool SetSecurityCode(const QString &code, CServerCommandChannel &channel);
    // "SetUAParent"; a refusal is shown and gives false.
    bool SetParent(qint32 parent, CServerCommandChannel &channel);

    // "Lock_" + name: the companion property that locks a field.
    static QString LockName(const QString &name);
    // A property name as a Tcl word: as it stands when it is a plain word,
    // quoted by the session's helper otherwise.
    static QString NameWord(const QString &name);

protected:
    // A reply that is not a number refuses nothing but changes no stamp.
    void TakeChangeStamp(const QString &reply);
    void ShowCantParse(const QString &reply) const;

    qint32 m_number = -1;
    qint32 m_parent = -1;
    int m_scenario = -1;
    int m_headerElement4 = 0;
    int m_changeStamp = 0;
    QString m_comment;
    QString m_name1;
    QString m_name2;
    QString m_extension;
    PropertyMap m_current;
    PropertyMap m_received;
    QSet<QString> m_listed;
    QMap<QString, bool> m_lockStates;
    QSet<QString> m_added;
    PropertyMap m_inherited;
    PropertyMap m_setAside;
};
