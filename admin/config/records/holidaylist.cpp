// See holidaylist.h.
#include "admin/config/records/holidaylist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

namespace {

// A holiday compared with another: a yearly one against a fixed-date one
// takes that one's year, so the holidays of one year interleave by date.
quint32 comparable(HolidayRecord holiday, HolidayRecord other)
{
    if (holiday.IsYearly() != other.IsYearly() && holiday.IsYearly())
        return holiday.value | (quint32(other.Year()) << 16);
    return holiday.value;
}

QStringView leftTrimmed(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

// The number written by the leading digits, held below 1000000 so that a
// long run of digits cannot overflow; -1 when the text starts otherwise.
int leadingNumber(QStringView text)
{
    if (text.isEmpty() || !text.front().isDigit() || text.front().unicode() > '9')
        return -1;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = qMin(value * 10 + (c.unicode() - '0'), 1000000);
    }
    return value;
}

} // namespace

bool CHolidayList::Insert(HolidayRecord holiday)
{
    if (m_items.contains(holiday))
        return false;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (comparable(m_items[i], holiday) > comparable(holiday, m_items[i])) {
            m_items.insert(i, holiday);
            return true;
        }
    }
    m_items.append(holiday);
    return true;
}

bool CHolidayList::Remove(HolidayRecord holiday)
{
    return m_items.removeOne(holiday);
}

namespace HolidayText {

bool ParseWord(const QString &word, HolidayRecord &holiday)
{
    const QStringView text = leftTrimmed(word);
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 1)
        return false;
    const int month = leadingNumber(text);
    if (month < 1 || month > 12)
        return false;
    const QStringView rest = leftTrimmed(text.mid(slash + 1));
    const int day = leadingNumber(rest);
    if (day < 1 || day > 31)
        return false;
    int year = 0;
    const qsizetype second = rest.indexOf(QLatin1Char('/'));
    if (second >= 1) {
        const QStringView yearText = leftTrimmed(rest.mid(second + 1));
        if (!yearText.isEmpty()) {
            year = leadingNumber(yearText);
            // The record keeps the year in 16 bits.
            if (year < FirstValidYear || year > 0xffff)
                return false;
        }
    }
    holiday = HolidayRecord::Make(day, month, year);
    return true;
}

void Parse(const QString &text, CHolidayList &fixed, CHolidayList &yearly, QStringList &unreadable)
{
    fixed.Clear();
    yearly.Clear();
    unreadable.clear();
    QStringList words;
    CTclList().SplitList(text, words);
    if (words.isEmpty() && !text.trimmed().isEmpty()) {
        unreadable << text;
        return;
    }
    for (const QString &word : std::as_const(words)) {
        HolidayRecord holiday;
        if (ParseWord(word, holiday))
            (holiday.IsYearly() ? yearly : fixed).Insert(holiday);
        else if (!word.isEmpty())
            unreadable << TclBareWord(word);
    }
}

QString FormatWord(HolidayRecord holiday)
{
    QString word = QStringLiteral("%1/%2").arg(holiday.Month()).arg(holiday.Day());
    if (!holiday.IsYearly())
        word += QStringLiteral("/%1").arg(holiday.Year());
    return word;
}

QString Format(const CHolidayList &fixed, const CHolidayList &yearly, const QStringList &unreadable)
{
    QStringList words;
    for (HolidayRecord holiday : fixed.Items())
        words << FormatWord(holiday);
    for (HolidayRecord holiday : yearly.Items())
        words << FormatWord(holiday);
    words << unreadable;
    return words.join(QLatin1Char(' '));
}

QString FormatKeeping(const QString &serverText, const CHolidayList &fixed, const CHolidayList &yearly)
{
    CHolidayList serverFixed;
    CHolidayList serverYearly;
    QStringList unreadable;
    Parse(serverText, serverFixed, serverYearly, unreadable);
    if (serverFixed.Items() == fixed.Items() && serverYearly.Items() == yearly.Items())
        return serverText;
    QStringList words;
    CTclList().SplitList(serverText, words);
    QStringList kept;
    if (words.isEmpty() && !serverText.trimmed().isEmpty())
        kept << serverText;
    for (const QString &word : std::as_const(words)) {
        HolidayRecord holiday;
        if (!ParseWord(word, holiday) || fixed.Contains(holiday) || yearly.Contains(holiday))
            kept << TclBareWord(word);
    }
    CHolidayList addedFixed;
    CHolidayList addedYearly;
    for (HolidayRecord holiday : fixed.Items())
        if (!serverFixed.Contains(holiday))
            addedFixed.Insert(holiday);
    for (HolidayRecord holiday : yearly.Items())
        if (!serverYearly.Contains(holiday))
            addedYearly.Insert(holiday);
    const QString added = Format(addedFixed, addedYearly, {});
    if (!added.isEmpty())
        kept << added;
    return kept.join(QLatin1Char(' '));
}

} // namespace HolidayText
