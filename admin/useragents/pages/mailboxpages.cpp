// The sheet's pages; see mailboxpages.h.
#include "admin/useragents/pages/mailboxpages.h"

#include "admin/useragents/pages/asrppg.h"
#include "admin/useragents/pages/attendantppg.h"
#include "admin/useragents/pages/groupsppg.h"
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/useragents/pages/menusppg.h"

std::vector<std::unique_ptr<CPropertyPage>> CMailboxPages::Make(CMailboxPps &sheet,
                                                               const CMailboxPageServices &services)
{
    std::vector<std::unique_ptr<CPropertyPage>> pages;
    pages.push_back(std::make_unique<CMailboxOptionsPpg>(sheet, services));
    pages.push_back(std::make_unique<CAttendantPpg>(sheet, services));
    pages.push_back(std::make_unique<CGroupsPpg>(sheet, services));
    pages.push_back(std::make_unique<CMenusPpg>(sheet, services));
    pages.push_back(std::make_unique<CAsrPpg>(sheet, services));
    return pages;
}
