// The Tcl procedures admin uploads to the server on every session right
// after its login; the windows then call them by name like server commands.
#pragma once

#include <QByteArray>

// The "TclCommands" text: ASCII, lines ended by CR LF, no trailing NUL in the
// text itself (QByteArray adds one after it).
QByteArray TclCommandsText();
