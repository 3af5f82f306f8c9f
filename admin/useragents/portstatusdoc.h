// The document of the voice-port status window: an editor document with a
// session of its own, of which only one may be open at a time.
#pragma once

#include "admin/useragents/admindoc.h"

class CPortStatusDoc : public CAdminDoc {
public:
    explicit CPortStatusDoc(Account account);
    ~CPortStatusDoc() override;

    // False, silently, while another voice-port status document is open.
    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    void OnCloseDocument() override;

    static bool IsStatusWindowOpen();

private:
    void release();

    bool m_holdsTheWindow = false;
};
