// The applications with their aliases; see aliasresolver.h.
#include "admin/useragents/pages/aliasresolver.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/useragent.h"

#include <QSet>

namespace {

QString folded(const QString &name)
{
    return name.toCaseFolded();
}

} // namespace

QString CAliasResolver::BatchScript(const QStringList &names)
{
    // Each item is one command held as a list element, the alias name a
    // word of its own in it: "catch $i" runs the command and nothing the
    // name holds.
    QStringList items;
    for (const QString &name : names)
        items.append(TclWord(QStringLiteral("GetAlias %1\r\n").arg(CUserAgent::NameWord(name))));
    return QStringLiteral("set _plist {%1}\r\nset _vlist \"\"\r\n").arg(items.join(QLatin1Char(' '))) +
           QStringLiteral("foreach i $_plist {\r\ncatch $i _tempv\r\nlappend _vlist $_tempv\r\n}\r\n") +
           QStringLiteral("set _vlist\r\n");
}

QList<CAliasResolver::Alias> CAliasResolver::ParseBatchReply(const QString &reply)
{
    QList<Alias> aliases;
    if (IsErrorReply(reply))
        return aliases;
    const CTclList splitter;
    QStringList elements;
    splitter.SplitList(reply, elements);
    for (const QString &element : std::as_const(elements)) {
        QStringList items;
        splitter.SplitList(element, items);
        // An alias record is "GetAlias NAME TARGET ?PARAM?"; a refusal caught
        // in the script reads "GetAlias !ERROR ...".
        if (items.size() < 3 || items.at(0) != QLatin1String("GetAlias") || IsErrorReply(items.at(1)))
            continue;
        aliases.append({items.at(1), items.at(2)});
    }
    return aliases;
}

QStringList CAliasResolver::Resolve(const QStringList &userApps, const QList<Alias> &aliases)
{
    QSet<QString> known;
    for (const QString &app : userApps)
        known.insert(folded(app));
    QStringList ordered;
    QSet<QString> offered;
    QList<Alias> waiting;
    for (const Alias &alias : aliases) {
        // An alias named like a user application or like an alias seen
        // before would be offered twice.
        if (known.contains(folded(alias.name)) || offered.contains(folded(alias.name)))
            continue;
        offered.insert(folded(alias.name));
        waiting.append(alias);
    }
    // First the aliases of user applications, in the server's order; then,
    // pass by pass, the aliases of aliases already offered. An alias whose
    // target never becomes known (unknown, itself, a circle) stays out.
    bool added = true;
    while (added && !waiting.isEmpty()) {
        added = false;
        QList<Alias> still;
        QSet<QString> newlyKnown;
        for (const Alias &alias : std::as_const(waiting)) {
            if (known.contains(folded(alias.target))) {
                ordered.append(alias.name);
                newlyKnown.insert(folded(alias.name));
                added = true;
            } else {
                still.append(alias);
            }
        }
        known.unite(newlyKnown);
        waiting = still;
    }
    return ordered;
}

QStringList CAliasResolver::Applications(const QStringList &userApps, CServerCommandChannel *channel)
{
    QStringList applications = userApps;
    if (!channel)
        return applications;
    const QString list = channel->Execute(PageString(IDS_GETALIASLIST));
    if (IsErrorReply(list))
        return applications;
    QStringList names;
    CTclList().SplitList(list, names);
    if (names.isEmpty())
        return applications;
    const QList<Alias> aliases = ParseBatchReply(channel->Execute(BatchScript(names)));
    applications.append(Resolve(userApps, aliases));
    return applications;
}
