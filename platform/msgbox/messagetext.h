// What a message box shows of the text it was given. The texts of a box
// often quote the server (a refusal, a reply that could not be read), and
// a server may answer with megabytes: laid out whole, such a text froze
// the interface for seconds and pushed the box's buttons off the screen.
// Every box therefore shows at most a few hundred characters of a line and
// a few lines, saying what it left out; a short text is shown as it is.
#pragma once

#include <QString>

namespace MessageText {

// Characters of one line, and of the whole text, a box shows at most.
constexpr qsizetype kLongestLine = 300;
constexpr qsizetype kLongestText = 900;
constexpr qsizetype kMostLines = 15;

// `text` within the bounds above: a cut line ends with "…" and its full
// length, and lines left out are counted on a last line of their own.
QString Bounded(const QString &text);

} // namespace MessageText
