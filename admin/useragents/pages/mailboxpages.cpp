// The sheet's pages; see mailboxpages.h.
#include "admin/useragents/pages/mailboxpages.h"

#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/asrppg.h"
#include "admin/useragents/pages/attendantppg.h"
#include "admin/useragents/pages/autoppg.h"
#include "admin/useragents/pages/groupsppg.h"
#include "admin/useragents/pages/infoppg.h"
#include "admin/useragents/pages/integratedmsg.h"
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/useragents/pages/menusppg.h"
#include "admin/useragents/pages/notifyppg.h"

std::vector<std::unique_ptr<CPropertyPage>> CMailboxPages::Make(CMailboxPps &sheet,
                                                               const CMailboxPageServices &services)
{
    std::vector<std::unique_ptr<CPropertyPage>> pages;
    pages.push_back(std::make_unique<CMailboxOptionsPpg>(sheet, services));
    pages.push_back(std::make_unique<CAttendantPpg>(sheet, services));
    pages.push_back(std::make_unique<CGroupsPpg>(sheet, services));
    pages.push_back(std::make_unique<CMenusPpg>(sheet, services));
    // A class of service has no statistics of its own.
    if (!sheet.IsCOSEditor())
        pages.push_back(std::make_unique<CInfoPpg>(sheet, services));
    pages.push_back(std::make_unique<CAutoPpg>(sheet, services));
    pages.push_back(std::make_unique<CNotifyPpg>(sheet, services));
    pages.push_back(std::make_unique<CIntegratedMsg>(sheet, services));
    pages.push_back(std::make_unique<CAsrPpg>(sheet, services));
    return pages;
}
