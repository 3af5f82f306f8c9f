// See integrationgrouprecord.h.
#include "admin/config/integrationgrouprecord.h"

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
