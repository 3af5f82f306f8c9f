// See integrationgrouprecord.h.
#include "admin/config/records/integrationgrouprecord.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <algorithm>
#include <limits>

namespace IntegrationValues {

namespace {
const QString kKindLetters = QStringLiteral("rbesi");
}

int PatternKind(const QString &pattern)
{
    for (QChar c : pattern) {
        const qsizetype kind = kKindLetters.indexOf(c);
        if (kind >= 0)
            return int(kind);
    }
    return EmptyPatternKind;
}

bool IsAcceptablePattern(const QString &pattern, int kind)
{
    if (kind < 0 || kind >= EmptyPatternKind || pattern.contains(QLatin1Char(' ')))
        return false;
    return pattern.contains(kKindLetters.at(kind));
}

bool IsAcceptableStoredPattern(const QString &pattern)
{
    return pattern.isEmpty() || IsAcceptablePattern(pattern, PatternKind(pattern));
}

int LeadingInteger(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            value = qint64(std::numeric_limits<int>::max()) + 1;
    }
    if (negative)
        value = -value;
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool IsValidMaxExtensionLength(const QString &text)
{
    const int length = LeadingInteger(text);
    return length >= 1 && length <= 10;
}

} // namespace IntegrationValues

namespace IntegrationValues {

namespace {

enum ServerValue {
    SwitchType = 1,
    IntegrationType,
    DtiProtocol,
    SupportTransfer,
    IntegrationTimeout,
    IntegrationPatterns,
    SmdiIntegrationPatterns,
    SmdiPort,
    SmdiLength,
    FirstDialCode, // pbx_dl_dtwait, dial code 1; 18 in a row up to pbx_spike
    LampOn = 28,   // dial code 20; dial code 19 has no variable
};

// The server value that holds dial code `code` (1 to 25), or 0 for code 19.
int dialCodeValue(int code)
{
    if (code <= 18)
        return FirstDialCode + code - 1;
    return code == 19 ? 0 : LampOn + code - 20;
}

void loadPatterns(const QString &list, std::array<QString, IntegrationGroupRecord::PatternCount> &rows,
                  QStringList &more)
{
    QStringList patterns;
    CTclList().SplitList(list, patterns);
    if (patterns.isEmpty())
        return;
    for (int i = 0; i < IntegrationGroupRecord::PatternCount; ++i)
        rows[size_t(i)] = patterns.value(i);
    more = patterns.mid(IntegrationGroupRecord::PatternCount);
}

// Every non-empty pattern after one blank, so the text begins with a blank
// when there is any (as the server has always been given it).
QString savePatterns(const std::array<QString, IntegrationGroupRecord::PatternCount> &rows,
                     const QStringList &more)
{
    QString list;
    for (const QString &pattern : rows)
        if (!pattern.isEmpty())
            list += QLatin1Char(' ') + TclBareWord(pattern);
    for (const QString &pattern : more)
        if (!pattern.isEmpty())
            list += QLatin1Char(' ') + TclBareWord(pattern);
    return list;
}

} // namespace

namespace {

IntegrationGroupRecord readServerValues(const QString &groupName, const QStringList &values)
{
    using namespace SerialSettings;
    const auto value = [&values](int k) { return values.value(k - 1); };
    IntegrationGroupRecord record;
    record.groupName = groupName;
    record.switchType = value(SwitchType);
    // A group without an integration type is a DTMF group.
    record.integrationType = value(IntegrationType).isEmpty() ? QStringLiteral("0") : value(IntegrationType);
    const QString dti = value(DtiProtocol);
    if (dti.isEmpty() || dti == QLatin1String("None")) {
        record.lineProtocol = QStringLiteral("None");
    } else if (dti == QLatin1String("ISDN")) {
        record.lineProtocol = QStringLiteral("ISDN");
    } else {
        record.lineProtocol = QStringLiteral("T1");
        record.t1Protocol = dti;
    }
    const QString transfer = value(SupportTransfer);
    record.transferSupport =
        transfer.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || transfer == QLatin1String("1")
            ? 1
            : 0;
    record.integrationTimeout = value(IntegrationTimeout);
    loadPatterns(value(IntegrationPatterns), record.integrationPatterns, record.moreIntegrationPatterns);
    loadPatterns(value(SmdiIntegrationPatterns), record.smdiPatterns, record.moreSmdiPatterns);
    QStringList port;
    CTclList().SplitList(value(SmdiPort), port);
    record.smdiPortName = port.value(0);
    if (port.size() > 1)
        record.baudIndex = Lookup(BaudRates(), port.at(1), DefaultBaud);
    if (port.size() > 2)
        record.dataBitsIndex = Lookup(DataBits(), port.at(2), DefaultDataBits);
    if (port.size() > 3)
        record.parityIndex = Lookup(ParityNames(), port.at(3), DefaultParity);
    if (port.size() > 4)
        record.stopBitsIndex = Lookup(StopBitNames(), port.at(4), DefaultStopBits);
    record.maxExtensionLength = value(SmdiLength);
    for (int code = 1; code <= IntegrationGroupRecord::DialCodeCount; ++code)
        if (const int k = dialCodeValue(code))
            record.dialCodes[size_t(code - 1)] = value(k);
    return record;
}

QStringList formServerValues(const IntegrationGroupRecord &record)
{
    using namespace SerialSettings;
    QStringList values(ServerValueCount);
    const auto set = [&values](int k, const QString &text) { values[k - 1] = text; };
    set(SwitchType, record.switchType);
    set(IntegrationType, record.integrationType);
    const bool t1 = !record.lineProtocol.isEmpty() && record.lineProtocol != QLatin1String("None") &&
                    record.lineProtocol != QLatin1String("ISDN");
    set(DtiProtocol, t1 ? record.t1Protocol : record.lineProtocol);
    set(SupportTransfer, record.transferSupport ? QStringLiteral("True") : QStringLiteral("False"));
    set(IntegrationTimeout, record.integrationTimeout);
    set(IntegrationPatterns, savePatterns(record.integrationPatterns, record.moreIntegrationPatterns));
    set(SmdiIntegrationPatterns, savePatterns(record.smdiPatterns, record.moreSmdiPatterns));
    set(SmdiPort,
        QStringList{TclBareWord(record.smdiPortName), TextAt(BaudRates(), record.baudIndex, DefaultBaud),
                    TextAt(DataBits(), record.dataBitsIndex, DefaultDataBits),
                    TextAt(ParityNames(), record.parityIndex, DefaultParity),
                    TextAt(StopBitNames(), record.stopBitsIndex, DefaultStopBits)}
            .join(QLatin1Char(' ')));
    set(SmdiLength, record.maxExtensionLength);
    for (int code = 1; code <= IntegrationGroupRecord::DialCodeCount; ++code)
        if (const int k = dialCodeValue(code))
            set(k, record.dialCodes[size_t(code - 1)]);
    return values;
}

} // namespace

IntegrationGroupRecord FromServerValues(const QString &groupName, const QStringList &values)
{
    IntegrationGroupRecord record = readServerValues(groupName, values);
    record.serverValues = values;
    record.loadedValues = ToServerValues(record);
    return record;
}

QStringList ToServerValues(const IntegrationGroupRecord &record)
{
    QStringList values = formServerValues(record);
    if (record.loadedValues.size() == values.size() && record.serverValues.size() == values.size())
        for (qsizetype k = 0; k < values.size(); ++k)
            if (values[k] == record.loadedValues[k])
                values[k] = record.serverValues[k];
    return values;
}

} // namespace IntegrationValues
