// The session's quoting helper; see tclword.h.
//
// Between braces Tcl substitutes nothing except one thing: a backslash
// followed by a newline still becomes a blank. Braces must balance, counting
// only those not escaped by a backslash, and a backslash must not escape the
// closing brace that ends the word. We are stricter than Tcl (any backslash
// before a closing brace, or at the end, sends the value to the quoting path):
// a value sent there still arrives intact, only in another spelling.
#include "admin/session/tclword.h"

#include <tcl.h>

bool IsSafeBetweenBraces(const QByteArray &value)
{
    int depth = 0;
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = value[i];
        if (c == '\0')
            return false;
        if (c == '\\') {
            if (i + 1 == n)
                return false;
            const char next = value[i + 1];
            if (next == '}' || next == '\n')
                return false;
            ++i; // an escaped character counts for nothing
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return false;
        }
    }
    return depth == 0;
}

static QByteArray convertElement(const QByteArray &text, bool backslashesOnly)
{
    if (text.isEmpty())
        return backslashesOnly ? QByteArray() : QByteArrayLiteral("{}");
    int flags = backslashesOnly ? TCL_DONT_USE_BRACES : 0;
    const int room = Tcl_ScanElement(text.constData(), &flags);
    if (backslashesOnly)
        flags |= TCL_DONT_USE_BRACES;
    QByteArray word(room, Qt::Uninitialized);
    word.truncate(Tcl_ConvertElement(text.constData(), word.data(), flags));
    return word;
}

// The Tcl library's list-element form of `value`. Tcl_ScanElement reads
// NUL-terminated text, so a value holding NULs is converted piece by piece
// in backslash form and the NULs go as "\\000".
static QByteArray listElement(const QByteArray &value)
{
    QByteArray word;
    const QList<QByteArray> pieces = value.split('\0');
    for (qsizetype p = 0; p < pieces.size(); ++p) {
        if (p > 0)
            word += "\\000";
        word += convertElement(pieces[p], pieces.size() > 1);
    }
    return word;
}

QByteArray TclWord(const QByteArray &value)
{
    if (IsSafeBetweenBraces(value))
        return '{' + value + '}';
    return listElement(value);
}

// The list-element form leaves a word alone exactly when it needs no quoting.
QByteArray TclBareWord(const QByteArray &value)
{
    return listElement(value);
}

QString TclBareWord(const QString &value)
{
    return QString::fromUtf8(TclBareWord(value.toUtf8()));
}

QString TclWord(const QString &value)
{
    return QString::fromUtf8(TclWord(value.toUtf8()));
}
