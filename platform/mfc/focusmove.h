// Where the focus went when a control lost it. The stand-in layer reports a
// control's EN_KILLFOCUS from Qt's focus-out event, which Qt sends after it
// has given the focus to its new widget (or to none, when the window was
// deactivated), so a handler can ask where the focus is now.
//
// A field that is checked when it is left is checked only when the
// administrator moves on to another control of the same window: leaving for
// another window, or for a message box (the check's own, too), is no time to
// check, for the field keeps its text and the focus comes back to it. The
// buttons passed as `except` do not count: a button that takes the field
// itself (OK, which checks or reads it) would otherwise have it checked
// twice, or refused and then used all the same, for one click; and one that
// throws the field away (Cancel) needs no check.
#pragma once

#include <initializer_list>

class CPropertyPage;
class QWidget;

// True when the focus is now on a control inside `window` (not `window`
// itself) that is none of `except`; null entries of `except` are ignored.
bool FocusMovedWithin(const QWidget *window, std::initializer_list<const QWidget *> except = {});

// For a field of a property page whose leaving does something that the
// sheet's buttons do not do for it (asks for a new value, stores a setting
// outside the page's record): every control of the sheet counts, the other
// pages' fields, the tabs, OK and Apply among them, but not Cancel, which
// throws the page's edits away. False for a page outside a sheet.
bool FocusMovedWithinSheet(const CPropertyPage *page);
