// A window's own session; see ownsession.h.
#include "admin/session/ownsession.h"

#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "platform/msgbox/msgbox.h"

COwnSession::COwnSession(CZELTSession &applicationSession, const CLoginCredentials &login)
    : m_applicationSession(applicationSession), m_login(login)
{
}

COwnSession::~COwnSession()
{
    Close();
}

bool COwnSession::Open()
{
    m_session = std::make_unique<CZELTSession>(m_applicationSession);
    try {
        m_session->Connect(m_login);
    } catch (const CZltException &e) {
        m_session.reset();
        AfxMessageBox(e.text());
        return false;
    }
    return true;
}

void COwnSession::Close()
{
    if (!m_session)
        return;
    try {
        m_session->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor ends the link in any case.
    }
    m_session.reset();
}
