// The configuration document; see configdoc.h.
#include "admin/config/configdoc.h"

bool CConfigDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    m_title = QStringLiteral("Configuration Properties");
    return CZELTDocument::OnNewDocument(parent, login);
}
