// The class-of-service editor's document: the mailbox editor's document for
// the boxes that own the class-of-service property, falling back to the
// default box when it has no list, with its own title and list query.
#pragma once

#include "admin/useragents/admindoc.h"

class CCOSDoc : public CAdminDoc {
public:
    explicit CCOSDoc(Account account);

    bool OnNewDocument(CZELTSession &parent, const CLoginCredentials &login) override;
    long GetCurrentUANumber() const override;
    QString GetParmsCommand() const override;
};
