// The layout of the main frame's menus; see menuresource.h. The Edit,
// Configuration and Reports menus keep their places (1, 2 and 3) in every
// variant, because the frame greys the Configuration menu and the Report
// Option2 popup by position.
#include "admin/app/menuresource.h"

#include "admin/app/commandids.h"

#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

enum MenuMask : unsigned {
    InTop = 1,           // 120
    InAdministrator = 2, // 236
    InDepartment = 4,    // 216
    InAll = InTop | InAdministrator | InDepartment,
};

// A command (id set), a popup (items set) or a separator (neither).
struct MenuItem {
    const char *text = nullptr;
    int id = 0;
    std::vector<MenuItem> items;
    unsigned menus = InAll;
};

MenuItem command(int id, unsigned menus = InAll)
{
    return MenuItem{nullptr, id, {}, menus};
}

MenuItem popup(const char *text, std::vector<MenuItem> items)
{
    return MenuItem{text, 0, std::move(items), InAll};
}

MenuItem separator()
{
    return MenuItem{};
}

const std::vector<MenuItem> &layout()
{
    static const std::vector<MenuItem> menus = {
        popup("&File", {command(ID_FILE_NEW), command(ID_FILE_OPEN), command(ID_FILE_CLOSE), separator(),
                        command(ID_CONNECT_TO_SERVER), separator(), command(ID_FILE_PRINT_SETUP), separator(),
                        command(ID_APP_EXIT)}),
        popup("&Edit",
              {popup("Edit &User Agents",
                     {command(ID_EDIT_UA_MAILBOX), command(ID_EDIT_UA_DISTLIST), command(ID_EDIT_UA_IVR),
                      command(ID_EDIT_UA_AMIS_GATEWAY), command(ID_EDIT_UA_AMIS_PROXY),
                      command(ID_EDIT_UA_DS_VOICE), command(ID_EDIT_UA_DS_FAX),
                      command(ID_EDIT_UA_VPIM_GATEWAY), command(ID_EDIT_UA_VPIM_PROXY)}),
               popup("Edit CO&S", {command(ID_EDIT_COS_MAILBOX)}), separator(),
               popup("&Create User Agents", {command(ID_CREATE_UA_MAILBOX), command(ID_CREATE_UA_DISTLIST),
                                             command(ID_CREATE_UA_IVR), command(ID_CREATE_UA_AMIS_GATEWAY),
                                             command(ID_CREATE_UA_AMIS_PROXY), command(ID_CREATE_UA_DS_VOICE),
                                             command(ID_CREATE_UA_DS_FAX), command(ID_CREATE_UA_VPIM_GATEWAY),
                                             command(ID_CREATE_UA_VPIM_PROXY)}),
               popup("Create C&OS", {command(ID_CREATE_COS_MAILBOX)}), separator(), command(ID_COPY_UA),
               command(ID_DELETE_UAS), separator(), command(ID_PROPERTY_EDITOR)}),
        popup("&Configuration", {command(ID_CONFIG_WIZARD), separator(), command(ID_CONFIG_INTEGRATION),
                                 command(ID_CONFIG_ANSWER_METHODS), command(ID_CONFIG_VOICE_PORTS),
                                 command(ID_CONFIG_SERIAL_PORTS), command(ID_CONFIG_NOTIFY_GROUPS),
                                 command(ID_CONFIG_STAT_GROUPS), command(ID_CONFIG_IVR_HOSTS),
                                 command(ID_CONFIG_HOLIDAYS), command(ID_CONFIG_SCHEDULER),
                                 command(ID_CONFIG_LANGUAGE), separator(), command(ID_SYSTEM_PARAMETERS)}),
        popup("&Reports",
              {command(ID_REPORT_OPTION1),
               popup("Report Option&2", {popup("&Edit Template", {command(ID_EDIT_TEMPLATE_MAILBOX),
                                                                  command(ID_EDIT_TEMPLATE_AMIS),
                                                                  command(ID_EDIT_TEMPLATE_VPIM)})}),
               separator(), command(ID_RUN_REPORT)}),
        popup("&Tools",
              {command(ID_VOICE_PORT_STATUS), separator(), command(ID_MANAGE_ADMINS),
               command(ID_EDIT_IVR_ALIAS), command(ID_RUN_IVR_ALIAS), command(ID_ASR_SYNC), separator(),
               command(ID_TCL_SESSION, InTop), command(ID_DATE_TIME), separator(), command(ID_SHUTDOWN)}),
        popup("&View", {command(ID_VIEW_TOOLBAR), command(ID_VIEW_CONFIG_TOOLBAR, InTop | InAdministrator),
                        command(ID_VIEW_STATUS_BAR)}),
        popup("&Window",
              {command(ID_WINDOW_CASCADE), command(ID_WINDOW_TILE_HORZ), command(ID_WINDOW_ARRANGE)}),
        popup("&Help", {command(ID_HELP_FINDER), separator(), command(ID_APP_ABOUT)}),
    };
    return menus;
}

unsigned maskOf(int menuId)
{
    switch (menuId) {
    case IDR_MAINFRAME:
        return InTop;
    case IDR_MENU_ADMINISTRATOR:
        return InAdministrator;
    case IDR_MENU_DEPARTMENT:
        return InDepartment;
    default:
        return 0;
    }
}

void fill(QMenu *menu, const std::vector<MenuItem> &items, unsigned mask,
          const std::function<QAction *(int)> &actionFor)
{
    for (const MenuItem &item : items) {
        if (!(item.menus & mask))
            continue;
        if (item.id != 0) {
            QAction *action = actionFor(item.id);
            Q_ASSERT(action);
            menu->addAction(action);
        } else if (!item.items.empty()) {
            fill(menu->addMenu(QString::fromUtf8(item.text)), item.items, mask, actionFor);
        } else {
            menu->addSeparator();
        }
    }
}

} // namespace

bool CMenuResource::Exists(int menuId)
{
    return maskOf(menuId) != 0;
}

bool CMenuResource::Load(int menuId, QMenuBar *bar, const std::function<QAction *(int)> &actionFor)
{
    const unsigned mask = maskOf(menuId);
    if (!mask)
        return false;
    // The old popups go with their menus; the actions belong to the frame.
    for (QAction *old : bar->actions()) {
        bar->removeAction(old);
        if (QMenu *menu = old->menu())
            menu->deleteLater();
    }
    for (const MenuItem &top : layout()) {
        Q_ASSERT(!top.items.empty());
        fill(bar->addMenu(QString::fromUtf8(top.text)), top.items, mask, actionFor);
    }
    return true;
}
