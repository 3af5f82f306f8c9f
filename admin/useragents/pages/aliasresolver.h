// The applications a page offers for a chain or a menu key: the server's
// user applications, then the aliases that lead to one of them. The server
// is asked for its alias names, then for every alias at once in one script
// in which each name is data, never code. An alias is offered only when its
// target is a user application or an alias offered before it (compared
// without regard to letter case); aliases that lead nowhere, in a circle or
// to themselves are left out, and each is offered once.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CServerCommandChannel;

class CAliasResolver {
public:
    struct Alias {
        QString name;
        QString target;
    };

    // The script that reads the aliases `names` in one command.
    static QString BatchScript(const QStringList &names);
    // The aliases of the batch's reply; elements that are no alias record
    // (a refusal caught in the script) are left out.
    static QList<Alias> ParseBatchReply(const QString &reply);
    // The names of the aliases to offer, in the order they resolve.
    static QStringList Resolve(const QStringList &userApps, const QList<Alias> &aliases);
    // Asks the server through `channel` (none: no aliases); the user
    // applications followed by the aliases that resolve.
    static QStringList Applications(const QStringList &userApps, CServerCommandChannel *channel);
};
