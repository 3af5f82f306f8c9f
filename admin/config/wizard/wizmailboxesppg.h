// The wizard's step that creates mailboxes; its parent list is the
// class-of-service step's.
#pragma once

#include "admin/config/wizard/wizcreateppg.h"

class CWizMailboxesPpg : public CWizCreatePpg {
public:
    explicit CWizMailboxesPpg(CConfigDepot *depot)
        : CWizCreatePpg({QStringLiteral("Configuration Wizard - Create Mailboxes"),
                         QStringLiteral("Single Mailbox or Range From"), QStringLiteral("mailboxes")},
                        false, depot)
    {
    }
};
