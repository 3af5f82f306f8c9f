// The document of a distribution-list editor window: an editor document
// (own session, the command filter of the editors) over distribution lists
// instead of mailboxes. It reads no mailbox list when it opens; the view
// asks the server for the lists itself.
#pragma once

#include "admin/useragents/admindoc.h"

class CDistListDoc : public CAdminDoc {
public:
    explicit CDistListDoc(Account account) : CAdminDoc(std::move(account)) {}

    // The session step; the window is titled "Distribution List Editor".
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
};
