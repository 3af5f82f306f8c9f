// One automatic schedule record of a mailbox: when it falls due (a date and
// time, then a repetition), on which days and holidays it acts, and what it
// changes (extension, rings, do-not-disturb, call screening, greeting, voice
// menu). The box holds its records as one property, "/AutoSchedRec", a Tcl
// list of record texts: 24 hexadecimal digits of header, then name/value
// pairs of the settings it changes.
//
// A record text comes back exactly as it was read until one of its values
// changes, so a save never rewrites records nobody touched. A text whose
// header or pairs cannot be read is kept verbatim and marked unreadable: the
// page shows it read-only. Pairs of names this program does not know are
// kept and written back after the known ones. Values go as Tcl list
// elements, so a greeting with a blank or an extension with a backslash
// reads back as it was typed; a typed extension ends before its first
// double quote, but one the server sent goes back whole.
//
// The record asks the server when it next falls due ("ValidateASR") and
// formats that time with the server's clock ("clock format") through the
// application session's channel; without one it answers "N/A".
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <array>
#include <cstdint>

class CServerCommandChannel;

class CAutoSchedRecord {
public:
    enum Tri : int { Off = 0, On = 1, Unchanged = 2 };
    enum Holidays : int { HolidaysIgnored = 0, HolidaysActive = 1, HolidaysInactive = 2 };
    static constexpr int HeaderLength = 24;
    static constexpr int EveryDay = 0x7f;
    // Day of month that stands for the last day of the month.
    static constexpr int LastDayOfMonth = 32;

    struct Unit {
        const char *name;
        int code;
    };
    // The repetition units, in the order the unit list shows them.
    static const std::array<Unit, 7> Units;
    // The header holds the repetition count in one byte.
    static constexpr int MaxCount = 255;
    // "None" for a code not in the table.
    static QString UnitName(int code);
    // 0 for a name not in the table.
    static int UnitCode(const QString &name);

    // A new record: every day, enabled, due now, changing nothing.
    explicit CAutoSchedRecord(CServerCommandChannel *channel);
    // A record read from its text; `propertyError` is set when the pairs
    // after the header could not be read (the caller shows why).
    CAutoSchedRecord(CServerCommandChannel *channel, const QString &text, bool *propertyError = nullptr);
    virtual ~CAutoSchedRecord() = default;

    // The 24 upper-case hexadecimal digits of the header.
    QString GetHeaderText() const;
    // False, with the header unchanged, unless `text` is 24 such digits.
    bool SetHeaderText(const QString &text);
    // The record's text for the property.
    QString ToString() const;
    // The text could not be read in full; it is written back as it came.
    bool IsUnreadable() const { return m_unreadable; }
    QString OriginalText() const { return m_original; }

    int Days() const { return m_header[0] & EveryDay; }
    void SetDays(int mask) { m_header[0] = uint8_t((m_header[0] & 0x80) | (mask & EveryDay)); }
    // The header's day byte as read, bit 7 included.
    int DayByte() const { return m_header[0]; }
    int GetHolidays() const;
    void SetHolidays(int mode);
    bool IsEnabled() const { return (m_header[1] & 0x80) != 0; }
    void SetEnabled(bool on) { m_header[1] = uint8_t(on ? m_header[1] | 0x80 : m_header[1] & 0x7f); }
    int UnitCodeValue() const { return m_header[2]; }
    int Count() const { return m_header[3]; }
    // A name not in the unit table gives code 0 with the given count.
    void SetRepetition(const QString &unitName, int count);
    bool IsMonthEnd() const { return m_header[4] != 0; }
    void SetMonthEnd() { m_header[4] = 1; }
    int DayOfMonth() const { return m_header[5]; }
    void SetDayOfMonth(int day) { m_header[5] = uint8_t(day); }
    // Seconds since 1970.
    qint64 ChangeTime() const;
    void SetChangeTime(qint64 seconds);

    QString Extension() const { return m_extension; }
    void SetExtension(const QString &text) { m_extension = text; }
    QString Rings() const { return m_rings; }
    void SetRings(const QString &text) { m_rings = text; }
    QString Greeting() const { return m_greeting; }
    void SetGreeting(const QString &text) { m_greeting = text; }
    QString VoiceMenu() const { return m_voiceMenu; }
    void SetVoiceMenu(const QString &text) { m_voiceMenu = text; }
    int Dnd() const { return m_dnd; }
    void SetDnd(int value) { m_dnd = value; }
    int CallScreening() const { return m_callScreening; }
    void SetCallScreening(int value) { m_callScreening = value; }
    // "OFF", "ON" or "---".
    static QString TriText(int value);

    // Seconds since 1970 of the next change; -1 when disabled, unreadable,
    // without a channel, or refused by the server.
    qint64 GetNextChange() const;
    // The next change as the server's clock writes it; "N/A" when none.
    QString GetNextChangeText() const;
    // The date and the time of the next change, each "N/A" when none.
    void GetNextChangeDateTime(QString &date, QString &time) const;

private:
    QString build() const;
    bool parseProperties(const QString &rest);

    CServerCommandChannel *m_channel;
    std::array<uint8_t, 12> m_header{};
    QString m_extension;
    QString m_rings;
    QString m_greeting;
    QString m_voiceMenu;
    int m_dnd = Unchanged;
    int m_callScreening = Unchanged;
    // Pairs of names the record does not edit, in the order they came.
    QList<QPair<QString, QString>> m_otherPairs;
    // The text as read, and what build() gave for it then: while build()
    // still gives that, nothing was changed and the text goes back as read.
    QString m_original;
    QString m_originalBuilt;
    // The extension as read: while it stands, it is written whole.
    QString m_receivedExtension;
    bool m_unreadable = false;
};
