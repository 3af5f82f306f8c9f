// The voice-port status document; see portstatusdoc.h. The one-window rule
// is kept by a flag that the open document holds and gives back when it
// closes or goes, whichever comes first. Opening connects the session and
// nothing more: the editor's list of boxes is no business of this window.
#include "admin/ports/portstatusdoc.h"

#include "admin/res/adminstrings.h"

#include <atomic>

namespace {

std::atomic<bool> g_statusWindowOpen{false};

} // namespace

CPortStatusDoc::CPortStatusDoc(Account account) : CAdminDoc(std::move(account)) {}

CPortStatusDoc::~CPortStatusDoc()
{
    release();
}

bool CPortStatusDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    bool expected = false;
    if (!g_statusWindowOpen.compare_exchange_strong(expected, true))
        return false;
    m_holdsTheWindow = true;
    // The window shows ports, not boxes: it needs the session alone, so an
    // account that administers no mailbox still sees the voice ports.
    if (!CZELTDocument::OnNewDocument(parent, login)) {
        release();
        return false;
    }
    SetSessionChannel(CommandChannel());
    SetTitle(AdminString(IDS_VOICE_PORTS_STATUS));
    return true;
}

void CPortStatusDoc::OnCloseDocument()
{
    CAdminDoc::OnCloseDocument();
    release();
}

bool CPortStatusDoc::IsStatusWindowOpen()
{
    return g_statusWindowOpen.load();
}

void CPortStatusDoc::release()
{
    if (m_holdsTheWindow)
        g_statusWindowOpen = false;
    m_holdsTheWindow = false;
}
