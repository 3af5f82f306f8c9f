// See configurationmenu.h. The menu is found by its place in the menu bar,
// not by its title, as the menu resources of every rights level keep it there.
#include "admin/widgets/configurationmenu.h"

#include "admin/app/menuresource.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

namespace {

constexpr uint32_t kRestrictedLevel = 0x20;
constexpr uint32_t kConfigurationPermission = 0x1;

} // namespace

bool IsConfigurationMenuGreyed(uint32_t rights)
{
    return (rights >> 24) == kRestrictedLevel && (rights & kConfigurationPermission) == 0;
}

void GreyConfigurationMenu(QWidget *window, uint32_t rights)
{
    if (!window || !IsConfigurationMenuGreyed(rights))
        return;
    auto *mainWindow = qobject_cast<QMainWindow *>(window->window());
    auto *bar = mainWindow ? qobject_cast<QMenuBar *>(mainWindow->menuWidget()) : nullptr;
    if (!bar)
        return;
    const QList<QAction *> menus = bar->actions();
    if (menus.size() <= CMenuResource::ConfigurationMenu)
        return;
    menus[CMenuResource::ConfigurationMenu]->setEnabled(false);
    bar->update();
}
