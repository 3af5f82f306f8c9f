// A session of a window's own: made on the application's session when the
// window opens, ended when the window closes, however it closes. The agent
// list windows and the alias and template editors each hold one, so their
// commands never wait behind the application's. Its end is the window's own
// doing, never a lost server: Close disconnects it as expected.
#pragma once

#include "admin/session/logincredentials.h"

#include <memory>

class CZELTSession;

class COwnSession {
public:
    // `applicationSession` outlives this object; `login` logs the own
    // session in.
    COwnSession(CZELTSession &applicationSession, const CLoginCredentials &login);
    // Closes the session if it is still open.
    ~COwnSession();
    COwnSession(const COwnSession &) = delete;
    COwnSession &operator=(const COwnSession &) = delete;

    // Makes the session and connects it. When it cannot connect, the reason
    // is shown and no session is held; returns whether it connected.
    bool Open();
    // Disconnects and deletes the session, if there is one.
    void Close();

    // The own session, owned here; none before Open, after Close, or when
    // it could not connect.
    CZELTSession *Get() const { return m_session.get(); }
    CZELTSession &ApplicationSession() const { return m_applicationSession; }

private:
    CZELTSession &m_applicationSession;
    const CLoginCredentials m_login;
    std::unique_ptr<CZELTSession> m_session;
};
