// The document of an editor window that talks to the server: it owns one
// session of its own, made on the application's session, connected when the
// document opens and disconnected when it goes. The configuration window's
// and the user-agent editors' documents derive from it.
#pragma once

#include "admin/session/logincredentials.h"

#include <memory>

class CServerCommandChannel;
class CZELTSession;
class CZELTSubscriptionSink;

class CZELTDocument {
public:
    CZELTDocument();
    // Disconnects and deletes the session.
    virtual ~CZELTDocument();
    CZELTDocument(const CZELTDocument &) = delete;
    CZELTDocument &operator=(const CZELTDocument &) = delete;

    // Makes the session on `parent` and logs it in. A failure is shown in a
    // message box and the document is not opened (false); the session stays
    // with the document and goes with it.
    virtual bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login);

    CZELTSession *Session() const { return m_session.get(); }
    // Null until the session is connected.
    CServerCommandChannel *CommandChannel() const { return m_commandChannel; }
    CZELTSubscriptionSink *SubscriptionSink() const { return m_subscriptionSink; }

private:
    std::unique_ptr<CZELTSession> m_session;
    CServerCommandChannel *m_commandChannel = nullptr;
    CZELTSubscriptionSink *m_subscriptionSink = nullptr;
};
