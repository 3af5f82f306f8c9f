// The schedule record; see autoschedrecord.h.
#include "admin/useragents/pages/autoschedrecord.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <QDateTime>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";
const QString kNotAvailable = QStringLiteral("N/A");

bool isHeader(const QString &text)
{
    if (text.size() < CAutoSchedRecord::HeaderLength)
        return false;
    for (int i = 0; i < CAutoSchedRecord::HeaderLength; ++i) {
        const QChar c = text.at(i);
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

int triFrom(const QString &value)
{
    return value == QLatin1String("1") ? CAutoSchedRecord::On : CAutoSchedRecord::Off;
}

// The extension between double quotes, as the server has always read it,
// up to its first double quote. Inside quotes a list reader still takes a
// backslash as an escape; such an extension goes as a list element instead.
// The extension the server sent goes back whole when the record is written
// for another change: one that holds a double quote goes as a list element
// too, never cut.
QString extensionWord(const QString &extension, bool asReceived)
{
    if (asReceived && extension.contains(QLatin1Char('"')))
        return TclBareWord(extension);
    const QString cut = extension.left(extension.indexOf(QLatin1Char('"')));
    if (cut.contains(QLatin1Char('\\')))
        return TclBareWord(cut);
    return QLatin1Char('"') + cut + QLatin1Char('"');
}

} // namespace

const std::array<CAutoSchedRecord::Unit, 7> CAutoSchedRecord::Units = {
    {{"None", 0}, {"Mins", 1}, {"Hours", 2}, {"Days", 4}, {"Weeks", 8}, {"Mons", 16}, {"Years", 32}}};

QString CAutoSchedRecord::UnitName(int code)
{
    for (const Unit &unit : Units) {
        if (unit.code == code)
            return QString::fromLatin1(unit.name);
    }
    return QString::fromLatin1(Units[0].name);
}

int CAutoSchedRecord::UnitCode(const QString &name)
{
    for (const Unit &unit : Units) {
        if (name == QLatin1String(unit.name))
            return unit.code;
    }
    return 0;
}

CAutoSchedRecord::CAutoSchedRecord(CServerCommandChannel *channel) : m_channel(channel)
{
    m_header[0] = EveryDay;
    // Bits 2 to 7: a new record is enabled, with the bits the server sets.
    m_header[1] = 0xfc;
    SetChangeTime(QDateTime::currentSecsSinceEpoch());
}

CAutoSchedRecord::CAutoSchedRecord(CServerCommandChannel *channel, const QString &text, bool *propertyError)
    : CAutoSchedRecord(channel)
{
    m_original = text;
    if (!SetHeaderText(text))
        m_unreadable = true;
    const bool readable = parseProperties(text.mid(HeaderLength).trimmed());
    if (!readable)
        m_unreadable = true;
    if (propertyError)
        *propertyError = !readable;
    m_receivedExtension = m_extension;
    m_originalBuilt = build();
}

QString CAutoSchedRecord::GetHeaderText() const
{
    QString text;
    text.reserve(HeaderLength);
    for (const uint8_t byte : m_header) {
        text += QLatin1Char(kHexDigits[byte >> 4]);
        text += QLatin1Char(kHexDigits[byte & 0x0f]);
    }
    return text;
}

bool CAutoSchedRecord::SetHeaderText(const QString &text)
{
    if (!isHeader(text))
        return false;
    for (int i = 0; i < int(m_header.size()); ++i)
        m_header[i] = uint8_t(text.mid(2 * i, 2).toUInt(nullptr, 16));
    return true;
}

bool CAutoSchedRecord::parseProperties(const QString &rest)
{
    m_extension.clear();
    m_rings.clear();
    m_greeting.clear();
    m_voiceMenu.clear();
    m_dnd = Unchanged;
    m_callScreening = Unchanged;
    m_otherPairs.clear();
    if (rest.isEmpty())
        return true;
    QStringList elements;
    CTclList().SplitList(rest, elements);
    if (elements.isEmpty() || elements.size() % 2 != 0)
        return false;
    for (int i = 0; i < elements.size(); i += 2) {
        const QString &name = elements.at(i);
        const QString &value = elements.at(i + 1);
        if (name == QLatin1String("Num_RNA"))
            m_rings = value;
        else if (name == QLatin1String("DND"))
            m_dnd = triFrom(value);
        else if (name == QLatin1String("Call_Screening_Flag"))
            m_callScreening = triFrom(value);
        else if (name == QLatin1String("Current_Greeting"))
            m_greeting = value;
        else if (name == QLatin1String("Current_Menu"))
            m_voiceMenu = value;
        else if (name == QLatin1String("&Ext"))
            m_extension = value;
        else
            m_otherPairs.append({name, value});
    }
    return true;
}

QString CAutoSchedRecord::build() const
{
    QString text = GetHeaderText();
    if (!m_rings.isEmpty())
        text += QStringLiteral(" Num_RNA ") + TclBareWord(m_rings);
    if (m_dnd != Unchanged)
        text += QStringLiteral(" DND ") + (m_dnd == On ? QLatin1Char('1') : QLatin1Char('0'));
    if (m_callScreening != Unchanged)
        text += QStringLiteral(" Call_Screening_Flag ") +
                (m_callScreening == On ? QLatin1Char('1') : QLatin1Char('0'));
    if (!m_greeting.isEmpty())
        text += QStringLiteral(" Current_Greeting ") + TclBareWord(m_greeting);
    if (!m_voiceMenu.isEmpty())
        text += QStringLiteral(" Current_Menu ") + TclBareWord(m_voiceMenu);
    if (!m_extension.isEmpty())
        text += QStringLiteral(" &Ext ") + extensionWord(m_extension, m_extension == m_receivedExtension);
    for (const auto &[name, value] : m_otherPairs)
        text += QLatin1Char(' ') + TclBareWord(name) + QLatin1Char(' ') + TclBareWord(value);
    return text;
}

QString CAutoSchedRecord::ToString() const
{
    if (m_unreadable)
        return m_original;
    const QString built = build();
    return !m_original.isNull() && built == m_originalBuilt ? m_original : built;
}

int CAutoSchedRecord::GetHolidays() const
{
    if (m_header[1] & 0x01)
        return HolidaysActive;
    if (m_header[1] & 0x02)
        return HolidaysInactive;
    return HolidaysIgnored;
}

void CAutoSchedRecord::SetHolidays(int mode)
{
    // A header with both bits reads as active; it keeps them both until
    // the administrator picks another mode.
    if (mode == GetHolidays())
        return;
    uint8_t byte = m_header[1] & uint8_t(~0x03);
    if (mode == HolidaysActive)
        byte |= 0x01;
    else if (mode == HolidaysInactive)
        byte |= 0x02;
    m_header[1] = byte;
}

void CAutoSchedRecord::SetRepetition(const QString &unitName, int count)
{
    m_header[2] = uint8_t(UnitCode(unitName));
    m_header[3] = uint8_t(count);
}

qint64 CAutoSchedRecord::ChangeTime() const
{
    return qint64(m_header[8]) | qint64(m_header[9]) << 8 | qint64(m_header[10]) << 16 |
           qint64(m_header[11]) << 24;
}

void CAutoSchedRecord::SetChangeTime(qint64 seconds)
{
    const auto value = quint32(seconds);
    for (int i = 0; i < 4; ++i)
        m_header[8 + i] = uint8_t(value >> (8 * i));
}

QString CAutoSchedRecord::TriText(int value)
{
    switch (value) {
    case Off:
        return QStringLiteral("OFF");
    case On:
        return QStringLiteral("ON");
    default:
        return QStringLiteral("---");
    }
}

qint64 CAutoSchedRecord::GetNextChange() const
{
    if (!IsEnabled() || m_unreadable || !m_channel)
        return -1;
    const QString reply = m_channel->Execute(QStringLiteral("ValidateASR %1").arg(GetHeaderText()));
    if (IsErrorReply(reply))
        return -1;
    bool ok = false;
    const qint64 seconds = reply.trimmed().toLongLong(&ok);
    return ok && seconds >= 0 ? seconds : -1;
}

QString CAutoSchedRecord::GetNextChangeText() const
{
    const qint64 next = GetNextChange();
    if (next == -1)
        return kNotAvailable;
    const QString reply = m_channel->Execute(QStringLiteral("clock format %1 -format {%D %R}").arg(next));
    return IsErrorReply(reply) ? kNotAvailable : reply;
}

void CAutoSchedRecord::GetNextChangeDateTime(QString &date, QString &time) const
{
    const QString text = GetNextChangeText();
    if (text == kNotAvailable) {
        date = time = kNotAvailable;
        return;
    }
    // The date is the words before the time, whatever width the server's
    // clock gives the year; the time is the last five characters.
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    date = blank < 0 ? text.left(8) : text.left(blank);
    time = text.right(5);
}
