// The distribution-list editor's document; see distlistdoc.h.
#include "admin/uatools/distlist/distlistdoc.h"

bool CDistListDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    if (!CZELTDocument::OnNewDocument(parent, login))
        return false;
    SetSessionChannel(CommandChannel());
    SetTitle(QStringLiteral("Distribution List Editor"));
    return true;
}
