// The document of the voice-port status window: an editor document with a
// session of its own, of which only one may be open at a time. It reads no
// list of boxes, so it opens whatever mailboxes the account administers.
#pragma once

#include "admin/useragents/admindoc.h"

class CPortStatusDoc : public CAdminDoc {
public:
    explicit CPortStatusDoc(Account account);
    ~CPortStatusDoc() override;

    // Connects the document's own session. False, silently, while another
    // voice-port status document is open; false after saying why when the
    // session cannot log in.
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    void OnCloseDocument() override;

    static bool IsStatusWindowOpen();

private:
    void release();

    bool m_holdsTheWindow = false;
};
