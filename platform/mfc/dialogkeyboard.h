// The keys a dialog takes before the window around it, as dialogs do on the
// platform the programs were written for:
// - Alt with a letter presses the button of that mnemonic in the dialog that
//   holds the focus (a page first, then the sheet it sits in), before the
//   menu bar of the main window, whose mnemonic works only when the dialog
//   has no such button (an enabled, visible one);
// - Ctrl+PgDn and Ctrl+PgUp, and Ctrl+Tab and Ctrl+Shift+Tab, turn the pages
//   of the property sheet that holds the focus, before the MDI area that
//   would switch windows with them;
// - Enter on a push button that holds the focus presses that button, as
//   Space does, also where the button is no default one (most of the
//   suite's buttons are not, so that Enter elsewhere in their window still
//   reaches the window's default button).
// One filter for the whole application, in front of the application's other
// event filters: it sees a key before any shortcut or window does.
#pragma once

#include <QObject>

class CDialogKeyboard : public QObject {
    Q_OBJECT
public:
    // Puts the filter in front of the application's event filters; called
    // again when a window that needs the keys shows, after filters that were
    // installed meanwhile (an MDI area installs its own when it shows).
    static void TakeKeysFirst();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
