// The two toolbars of the main frame; see toolbarresource.h. The images are
// drawn by admin/res/icons/drawicons.py.
#include "admin/app/toolbarresource.h"

#include "admin/app/commandids.h"

std::optional<CToolBarResource> CToolBarResource::Find(int toolbarId)
{
    const QSize buttonSize(16, 15);
    switch (toolbarId) {
    case IDR_MAINFRAME:
        return CToolBarResource{IDR_MAINFRAME,
                                QStringLiteral(":/admin/icons/toolbar120.png"),
                                buttonSize,
                                {ID_EDIT_UA_MAILBOX, 0, ID_VOICE_PORT_STATUS}};
    case IDR_CONFIG_TOOLBAR:
        return CToolBarResource{IDR_CONFIG_TOOLBAR,
                                QStringLiteral(":/admin/icons/toolbar191.png"),
                                buttonSize,
                                {ID_CONFIG_WIZARD, 0, ID_CONFIG_INTEGRATION, ID_CONFIG_ANSWER_METHODS,
                                 ID_CONFIG_VOICE_PORTS, ID_CONFIG_SERIAL_PORTS, ID_CONFIG_NOTIFY_GROUPS,
                                 ID_CONFIG_STAT_GROUPS, ID_CONFIG_IVR_HOSTS, ID_CONFIG_HOLIDAYS,
                                 ID_CONFIG_SCHEDULER, ID_CONFIG_LANGUAGE, 0, ID_SYSTEM_PARAMETERS}};
    default:
        return std::nullopt;
    }
}
