// One rule for the Configuration menu of admin's main frame: administrators
// of level 0x20 without the configuration permission see it greyed. The main
// frame applies it whenever it brings its commands up to date; the editor and
// the port status windows apply it again each time one of them is activated,
// so activating a window never leaves the menu usable for such an account.
#pragma once

#include <cstdint>

class QWidget;

// True when an account with this rights word gets the Configuration menu greyed.
bool IsConfigurationMenuGreyed(uint32_t rights);
// Greys the Configuration menu (the third top-level menu, by position) of the
// main window that holds `window`, when `rights` say so, and redraws the bar.
// Never enables it. Nothing happens outside a main window with such a menu.
void GreyConfigurationMenu(QWidget *window, uint32_t rights);
