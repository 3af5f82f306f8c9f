// The pages of the mailbox sheet, made for one sheet in the order the sheet
// shows them: User Mode Options, Auto Attendant Options, Chains/Groups/Fax,
// Menus, Info (mailbox editors only), Auto, Notify, Unified Messaging, ASR
// Auto Attendant.
#pragma once

#include "admin/useragents/pages/mailboxpageservices.h"

#include <memory>
#include <vector>

class CMailboxPps;
class CPropertyPage;

class CMailboxPages {
public:
    static std::vector<std::unique_ptr<CPropertyPage>> Make(CMailboxPps &sheet,
                                                            const CMailboxPageServices &services);
};
