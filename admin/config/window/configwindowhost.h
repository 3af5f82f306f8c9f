// What the configuration window needs of the main frame, and the two
// messages they exchange. The main frame keeps whether the window is open;
// the window tells it which page it shows, so that the Configuration Tools
// toolbar presses that page's button.
#pragma once

#include "admin/config/window/configmessages.h"
#include "admin/session/logincredentials.h"
#include "platform/messages/messages.h"

#include <QString>
#include <QStringList>

class CConfigPropFrame;
class CZELTSession;
class QMdiArea;

class CConfigWindowHost {
public:
    virtual bool IsConfigWindowOpen() const = 0;
    // The window has opened (it was not open before).
    virtual void OnConfigWindowOpened(CConfigPropFrame *frame) = 0;
    // Where the window is shown, and the window told of its pages.
    virtual QMdiArea *ConfigMdiArea() const = 0;
    virtual HWND ConfigMainWindow() const = 0;

protected:
    ~CConfigWindowHost() = default;
};

// What the window's session and depot take from the login.
struct CConfigLogin {
    // The session the window's own session is made on.
    CZELTSession *applicationSession = nullptr;
    CLoginCredentials credentials;
    // The T1 protocol names read at login.
    QStringList t1Protocols;
    // The type value of the depot's class-of-service query: the mailbox root.
    QString cosTypeValue;
};
