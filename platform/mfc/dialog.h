// The dialog base of the programs' windows: a QDialog that behaves as the
// Parts expect a dialog to. It is made with its resource id and caption, its
// subclass builds the controls (each with its id, see dlgitem.h), and then:
// DoModal runs it in a nested event loop and returns the id it ended with;
// Create shows it modeless (or as a child inside another window);
// OnInitDialog runs each time before it shows; UpdateData moves values
// between controls and members through DoDataExchange and stops at the first
// refused field.
//
// A dialog is a window of the message layer: posted and sent messages reach
// WindowProc, which subclasses override for their own messages (0x800 ...)
// and pass the rest on. Clicks reach it as WM_COMMAND with the button's id
// (Enter and Escape as IDOK and IDCANCEL), and the close box as WM_CLOSE,
// which ends in IDCANCEL unless the dialog handles it. The base's WM_COMMAND
// calls OnCommand for clicks, whose IDOK and IDCANCEL call OnOK and OnCancel.
// Edits with an id report EN_SETFOCUS, EN_KILLFOCUS and EN_CHANGE as
// WM_COMMAND too, for windows that handle them in WindowProc. F1 sends
// WM_HELP to the dialog; a dialog that does not handle it passes it on to
// the dialog it sits in (a page to its sheet). Alt with a button's mnemonic
// presses that button before the main window's menu bar takes the key, and
// Enter presses the push button that holds the focus (dialogkeyboard.h).
#pragma once

#include "platform/messages/messagetarget.h"
#include "platform/mfc/dialogdefs.h"
#include "platform/mfc/dlgitem.h"

#include <QDialog>

class CDataExchange;
class QAbstractButton;
class QHBoxLayout;
class QKeySequence;

class CDialog : public QDialog, public CMessageTarget {
    Q_OBJECT
public:
    explicit CDialog(int dialogId, QWidget *parent = nullptr);
    CDialog(int dialogId, const QString &caption, QWidget *parent = nullptr);
    ~CDialog() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The dialog's resource id; help uses it as the context number.
    int GetDialogId() const { return m_dialogId; }

    // Runs the dialog modally; returns the result given to EndDialog (IDOK,
    // IDCANCEL or the dialog's own).
    virtual int DoModal();
    // Shows the dialog modeless: with WS_POPUP a window of its own, owned by
    // `parent` when given; with WS_CHILD a part of `parent`'s window.
    bool Create(QWidget *parent = nullptr, UINT style = WS_POPUP);
    bool IsChildWindow() const { return !isWindow(); }
    void EndDialog(int result);
    // Ends a modeless dialog: hides it, retires its handle (no message
    // reaches it any more) and calls PostNcDestroy, where a dialog that owns
    // itself deletes itself (deleteLater).
    virtual bool DestroyWindow();

    // True: controls to members, with validation; false: members to controls.
    // Returns false when a field was refused (its message was shown and the
    // focus put on it).
    bool UpdateData(bool saveAndValidate = true);

    // The control with this id that belongs to this dialog (not to a page or
    // dialog nested inside it), or nullptr.
    QWidget *GetDlgItem(int id) const;
    template <class Control> Control *GetDlgItem(int id) const
    {
        return qobject_cast<Control *>(GetDlgItem(id));
    }
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString &text);
    // Moves the focus to a control, selecting the text of an edit.
    void GotoDlgCtrl(QWidget *control);
    // The enabled, visible button of this dialog (not of a dialog nested in
    // it) whose mnemonic is `key` ("&Refresh": Alt+R), or nullptr.
    QAbstractButton *MnemonicButton(const QKeySequence &key) const;

protected:
    // The OK (the default button) and Cancel buttons, made with their ids and
    // set to the right of a row for the subclass's layout.
    QHBoxLayout *OkCancelRow();
    // Before the dialog first shows. True: the focus goes to the first control
    // of the tab order; false: the override has placed the focus itself.
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // A button of this dialog was clicked; true when handled. The base
    // handles IDOK and IDCANCEL.
    virtual bool OnCommand(int id);
    virtual void DoDataExchange(CDataExchange *dx);
    virtual void PostNcDestroy() {}

    // Qt's accept, reject and close paths become WM_COMMAND IDOK, IDCANCEL
    // and WM_CLOSE.
    void accept() override;
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // The dialog's part of the window: controls under a nested dialog (a
    // property page) belong to that dialog.
    bool ownsControl(const QWidget *control) const;
    // OnInitDialog, the focus it asks for, and the controls' notifications.
    void initialise();

private:
    LRESULT forwardHelp(WPARAM wParam, LPARAM lParam);
    void connectControls();
    void buttonClicked();
    void editChanged();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void notify(const QWidget *control, UINT code);
    void focusFirstControl();

    int m_dialogId;
};
