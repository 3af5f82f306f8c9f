// The command ids and messages of dialogs and property sheets, as the Parts
// number them (IDOK and IDCANCEL are the message box's), and the packing of
// a WM_COMMAND's first parameter: the control's id in the low word, the
// notification code in the high word.
#pragma once

#include "platform/messages/messages.h"
#include "platform/msgbox/msgbox.h"

enum : int {
    IDHELP = 9,
    ID_APPLY_NOW = 0x3021,
    ID_WIZBACK = 0x3023,
    ID_WIZNEXT = 0x3024,
    ID_WIZFINISH = 0x3025,
};

// The buttons a wizard page offers (CPropertySheet::SetWizardButtons); a
// disabled Finish shows in place of Next, greyed.
constexpr UINT PSWIZB_BACK = 0x1;
constexpr UINT PSWIZB_NEXT = 0x2;
constexpr UINT PSWIZB_FINISH = 0x4;
constexpr UINT PSWIZB_DISABLEDFINISH = 0x8;

// Window styles of CDialog::Create.
constexpr UINT WS_CHILD = 0x40000000;
constexpr UINT WS_POPUP = 0x80000000;

// Notification codes in a WM_COMMAND's high word: a button was clicked; an
// edit gained the focus, lost it, or its text changed (also when set by code).
constexpr UINT BN_CLICKED = 0;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
// A page tells its sheet it holds changes (PSM_CHANGED) or none (PSM_UNCHANGED);
// the first parameter is the page's window.
constexpr UINT PSM_CHANGED = WM_USER + 104;
constexpr UINT PSM_UNCHANGED = WM_USER + 109;

constexpr WPARAM MAKEWPARAM(UINT low, UINT high)
{
    return WPARAM((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr UINT LOWORD(WPARAM value)
{
    return UINT(value & 0xFFFF);
}
constexpr UINT HIWORD(WPARAM value)
{
    return UINT((value >> 16) & 0xFFFF);
}
