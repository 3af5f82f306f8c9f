// Message boxes: the MB_ styles in, the ID answers out. A box is a
// QMessageBox with the application's name as caption, shown on the
// user-interface thread whichever thread asks; while a MessageBoxScript is
// installed (tests), no box is shown and the script answers instead.
// Either way the text is first bounded as messagetext.h tells.
#pragma once

#include "platform/messages/messages.h"

#include <QString>

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON2 = 0x100;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// `helpId` is the help context of the box (kept in the transcript).
int AfxMessageBox(const QString &text, UINT type = MB_OK, UINT helpId = 0);
// The text of string `stringId`; its help context is the string id unless
// one is given.
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = UINT(-1));
// A box with a caption of its own, in front of `owner` (a window whose
// message object is a widget) when there is one.
int MessageBox(HWND owner, const QString &text, const QString &caption, UINT type = MB_OK);
// The system sound of the given MB_ICON kind.
void MessageBeep(UINT type);
