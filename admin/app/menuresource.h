// The menus of admin's main frame. Three menu resources share one layout:
// 120 for the top administrators, 236 for the other administrators above
// department level and 216 for department administrators. The lower menus
// leave out what never works for them (the Tcl console, and at department
// level the Configuration Tools toolbar, which is never made there); every
// other command stays, enabled or not by the frame's rights tests. Items
// name commands by id; the frame supplies the action of each id, so a
// command has one action however many places show it.
#pragma once

#include <functional>

class QAction;
class QMenuBar;

class CMenuResource {
public:
    // Places of the top-level menus; the frame greys some by position.
    enum TopMenu {
        FileMenu = 0,
        EditMenu = 1,
        ConfigurationMenu = 2,
        ReportsMenu = 3,
        ToolsMenu = 4,
        ViewMenu = 5,
        WindowMenu = 6,
        HelpMenu = 7,
    };
    // The place of the "Report Option2" popup in the Reports menu.
    static constexpr int ReportOption2Position = 1;

    static bool Exists(int menuId);
    // Replaces the bar's menus with those of `menuId`. `actionFor` gives the
    // action of a command id. False for an unknown menu id (the bar is then
    // left as it was).
    static bool Load(int menuId, QMenuBar *bar, const std::function<QAction *(int)> &actionFor);
};
