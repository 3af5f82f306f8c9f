// The reply-list splitter; see tcllist.h. The splitter is called without an
// interpreter so a malformed list leaves no error text anywhere and simply
// yields no elements.
#include "admin/session/tcllist.h"

#include <tcl.h>

bool IsErrorReply(const char *text)
{
    return text != nullptr && text[0] == '!';
}

bool IsErrorReply(const QString &text)
{
    return text.startsWith(QLatin1Char('!'));
}

CTclElements CTclList::Split(const QByteArray &list) const
{
    int count = 0;
    const char **vector = nullptr;
    // QByteArray keeps a NUL after its data, as the splitter needs.
    if (Tcl_SplitList(nullptr, list.constData(), &count, &vector) != TCL_OK) {
        Q_ASSERT(vector == nullptr);
        return CTclElements();
    }
    return CTclElements(vector, count);
}

void CTclList::SplitList(const QString &list, QStringList &out) const
{
    out = Split(list.toUtf8()).toStringList();
}

void CTclList::SplitListToKeys(const QString &list, QSet<QString> &out) const
{
    const CTclElements elements = Split(list.toUtf8());
    out.clear();
    out.reserve(elements.size());
    for (qsizetype i = 0; i < elements.size(); ++i)
        out.insert(elements.text(i));
}

bool CTclList::SplitPairs(const QString &list, QHash<QString, QString> &out) const
{
    const CTclElements elements = Split(list.toUtf8());
    out.clear();
    if (elements.size() % 2 != 0)
        return false;
    out.reserve(elements.size() / 2);
    for (qsizetype i = 0; i < elements.size(); i += 2)
        out.insert(elements.text(i), elements.text(i + 1));
    return true;
}
