// The property editor's document; see propeditdoc.h.
#include "admin/uatools/propedit/propeditdoc.h"

#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"

bool CPropEditDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    if (!CZELTDocument::OnNewDocument(parent, login))
        return false;
    m_title = QStringLiteral("Property Editor");
    return true;
}

void CPropEditDoc::OnCloseDocument()
{
    if (!Session())
        return;
    try {
        Session()->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor answers whatever is still pending.
    }
}
