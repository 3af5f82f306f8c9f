// See messagetext.h. The text is cut line by line, so the words of the
// message around a quoted server text stay in sight, and in time linear in
// the text: a reply of megabytes is looked at once.
#include "messagetext.h"

#include <QStringList>

#include <algorithm>

namespace MessageText {

namespace {

// The first `room` characters of `line`, never half of a surrogate pair.
QString cutLine(const QString &line, qsizetype room)
{
    if (line.size() <= room)
        return line;
    qsizetype end = room;
    if (end > 0 && line.at(end - 1).isHighSurrogate())
        --end;
    return line.left(end) + QStringLiteral("… (%1 characters)").arg(line.size());
}

} // namespace

QString Bounded(const QString &text)
{
    if (text.size() <= kLongestLine && text.count(QLatin1Char('\n')) < kMostLines)
        return text;
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString shown;
    qsizetype taken = 0;
    for (; taken < lines.size(); ++taken) {
        if (taken == kMostLines || shown.size() >= kLongestText)
            break;
        if (taken > 0)
            shown += QLatin1Char('\n');
        shown += cutLine(lines.at(taken), std::min(kLongestLine, kLongestText - shown.size()));
    }
    if (taken < lines.size())
        shown += QStringLiteral("\n… (%1 more lines)").arg(lines.size() - taken);
    return shown;
}

} // namespace MessageText
