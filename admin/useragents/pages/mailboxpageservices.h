// What the mailbox pages need of the application beyond the sheet: the
// server's texts and lists read at login, the application's own session,
// and the dialogs that live with the application. The main frame fills it
// for every editor; tests fill what they use. An empty function or list
// means the service is not offered.
#pragma once

#include "platform/registry/profile.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CServerCommandChannel;
class QWidget;

struct CMailboxPageServices {
    // The applications the server runs for users ("User_Apps").
    QStringList userApps;
    // The application's session: the alias list and the aliases are asked there.
    CServerCommandChannel *applicationChannel = nullptr;
    // The mailbox root's text ("MB"): the classes of service of mailboxes hold it.
    QString mailboxRootText;
    // The time-zone text of the server's greeting, as the application's session received it.
    QByteArray serverTimeZone;
    // The application's profile: the Info page keeps its history start date there.
    std::optional<CProfile> profile;
    // The mailbox the administrator logged in with; -1: none.
    long loginMailbox = -1;
    // Asks for a new security code, starting from `typed`; nothing when cancelled.
    std::function<std::optional<QString>(QWidget *parent, const QString &typed)> askSecurityCode;
    // The administrator's own mailbox got a new code: the login remembers it.
    std::function<void(const QString &code)> rememberSecurityCode;
    // Lets the administrator pick a class of service below `root`, starting
    // at `current`; the chosen number (`root` for none), nothing when cancelled.
    std::function<std::optional<long>(QWidget *parent, CServerCommandChannel &channel, long root, long current)>
        selectCos;
    // The server's notification events (id and name), its notification
    // applications and those whose telephone user interface is disabled,
    // as read at login; and the administrator's rights word.
    QList<QPair<int, QString>> notificationEvents;
    QStringList notificationApps;
    QStringList tuiDisabledApps;
    quint32 rights = 0;
    // Runs the notification template editor.
    std::function<void(QWidget *parent)> openTemplateEditor;
};
