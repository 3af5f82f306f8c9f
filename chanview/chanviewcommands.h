// The "TclCommands" text Chanview uploads after its login: ASCII, lines
// ended by CR LF, no trailing NUL in the returned bytes.
#pragma once

#include <QByteArray>

QByteArray ChanviewCommandsText();
