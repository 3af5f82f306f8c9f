// The configuration document; see configdoc.h.
#include "admin/config/window/configdoc.h"

bool CConfigDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    m_title = QStringLiteral("Configuration Properties");
    return CZELTDocument::OnNewDocument(parent, login);
}
