// admin's own icon, drawn by admin/res/icons/drawicons.py: the main frame
// and the windows inside it show it, so every window of the program is
// recognisably admin's.
#pragma once

#include <QIcon>

// Both pictures (16 and 32 pixels), for a window that shows either.
QIcon ApplicationIcon();
// The 16-pixel picture alone: the small icon of a window's title bar.
QIcon ApplicationSmallIcon();
