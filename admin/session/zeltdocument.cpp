// The session document; see zeltdocument.h.
#include "admin/session/zeltdocument.h"

#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"

CZELTDocument::CZELTDocument() = default;

CZELTDocument::~CZELTDocument()
{
    if (!m_session)
        return;
    try {
        m_session->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor answers whatever is still pending.
    }
}

bool CZELTDocument::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    m_session = std::make_unique<CZELTSession>(parent);
    try {
        m_session->Connect(login);
    } catch (const CZltException &e) {
        e.ReportError();
        return false;
    }
    m_commandChannel = m_session->CommandChannel();
    m_subscriptionSink = m_session->SubscriptionSink();
    return true;
}
