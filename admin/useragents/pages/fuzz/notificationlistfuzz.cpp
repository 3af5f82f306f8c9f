// Feeds arbitrary "GetNotifications" replies to the notifications page's
// list. What holds for every reply: no more rows than the reply has
// notifications, each with a title the page knows and its days shown
// in the week's seven places.
#include "admin/useragents/pages/mailboxpageservices.h"
#include "admin/useragents/pages/notificationlistctrl.h"
#include "admin/useragents/pages/notificationowner.h"
#include "platform/msgbox/messageboxscript.h"
#include "testsupport/fuzzsupport.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

namespace {

class Box : public INotificationOwner {
public:
    QString GetProperty(const QString &name) const override
    {
        if (name.endsWith(QLatin1String("_DayOfWeek")))
            return QStringLiteral("127");
        if (name.endsWith(QLatin1String("_From")))
            return QStringLiteral("480");
        return {};
    }
    int GetScenarioNumber() const override { return 2; }
    bool IsResetting() const override { return false; }
};

struct Page {
    Box box;
    CMailboxPageServices services;
    CNotificationListCtrl *list = nullptr;
};

Page *page;

} // namespace

// The font library keeps a few blocks until the process ends; they are not
// the list's.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    page = new Page;
    page->services.notificationEvents = {{1, QStringLiteral("NewMessage")}, {2, QStringLiteral("UrgentMessage")}};
    page->services.notificationApps = {QStringLiteral("Pager"), QStringLiteral("EmailNotify")};
    page->list = new CNotificationListCtrl(page->box, page->services, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString reply = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    MessageBoxScript boxes;
    boxes.answer(IDOK);
    CNotificationListCtrl &list = *page->list;
    list.FillFromReply(reply);
    const int rows = list.GetItemCount();
    REQUIRE(rows <= list.LastReplyCount());
    for (int row = 0; row < rows; ++row) {
        REQUIRE(page->services.notificationApps.contains(list.GetItemText(row, CNotificationListCtrl::Title)));
        REQUIRE(list.GetItemText(row, CNotificationListCtrl::Days).size() == 7);
    }
    return 0;
}
