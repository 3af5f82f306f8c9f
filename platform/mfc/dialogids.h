// The command ids that dialogs and property sheets give their standard
// buttons, as the Parts number them (IDOK and IDCANCEL are the message box's).
#pragma once

#include "platform/msgbox/msgbox.h"

enum : int {
    IDHELP = 9,
    ID_APPLY_NOW = 0x3021,
};
