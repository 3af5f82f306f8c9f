// One telephone system integration group as the integration page edits it:
// the values of the group's server variables in page form, and the fields
// that live only on the page (the line protocol, the nineteenth dial code).
// A switch-type file is read into and written from this record. An absent
// value is the empty string.
#pragma once

#include "admin/config/records/serialsettings.h"

#include <QString>
#include <QStringList>

#include <array>

struct IntegrationGroupRecord {
    static constexpr int PatternCount = 24;
    static constexpr int DialCodeCount = 25;

    QString groupName;
    QString switchType;
    // "0" DTMF, "1" SMDI, "2" VLM Proprietary, "3" IP Integration.
    QString integrationType;
    // "None", "T1" or "ISDN"; `pbx_dti_protocol` is derived from it.
    QString lineProtocol;
    QString integrationTimeout;
    std::array<QString, PatternCount> integrationPatterns;
    std::array<QString, PatternCount> smdiPatterns;
    QString smdiPortName;
    QString maxExtensionLength;
    int baudIndex = SerialSettings::DefaultBaud;
    int dataBitsIndex = SerialSettings::DefaultDataBits;
    int parityIndex = SerialSettings::DefaultParity;
    int stopBitsIndex = SerialSettings::DefaultStopBits;
    // Dial code n is element n-1; dial code 19 is kept only in switch-type files.
    std::array<QString, DialCodeCount> dialCodes;
    QString t1Protocol;
    // 1 on, 0 off.
    int transferSupport = 1;
    // Patterns the server holds beyond the page's 24 rows: not shown, but
    // written back behind the rows so that saving loses none.
    QStringList moreIntegrationPatterns;
    QStringList moreSmdiPatterns;
    // The group's 33 values as the server holds them, and as the page would
    // write them unedited: a value the page has not changed goes back in
    // the server's own spelling, so an untouched group writes nothing.
    QStringList serverValues;
    QStringList loadedValues;

    bool operator==(const IntegrationGroupRecord &) const = default;
};

namespace IntegrationValues {

// Pattern kinds of the integration page, with the letter a pattern of that
// kind must hold: r, b, e, s, i; kind 5 is "<Empty>".
inline constexpr int EmptyPatternKind = 5;
// The kind of a stored pattern: that of the first of r, b, e, s, i that it
// holds, or EmptyPatternKind.
int PatternKind(const QString &pattern);
// The check of a typed pattern: no blank, and the letter of `kind`.
bool IsAcceptablePattern(const QString &pattern, int kind);
// The check of a pattern read from elsewhere: empty, or acceptable for its
// own kind.
bool IsAcceptableStoredPattern(const QString &pattern);

// The integer reading of a text as the C library's atoi gives it (leading
// blanks, a sign, digits, the rest ignored; 0 without digits), held within
// the range of int instead of overflowing.
int LeadingInteger(const QString &text);
// 1 to 10 by its integer reading.
bool IsValidMaxExtensionLength(const QString &text);

// The number of a group's server variables, in the depot's order: 1
// `pbx_switch_type` ... 33 `pbx_snmp_community` (element k-1 of the lists
// below is variable k).
inline constexpr int ServerValueCount = 33;
// The record of a group from its server values (missing values read empty).
IntegrationGroupRecord FromServerValues(const QString &groupName, const QStringList &values);
// The group's 33 server values; lists are written as Tcl lists.
QStringList ToServerValues(const IntegrationGroupRecord &record);

} // namespace IntegrationValues
