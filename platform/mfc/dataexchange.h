// Dialog data exchange: moving values between a dialog's controls and its
// members, in one function per dialog (DoDataExchange) that runs both ways.
// Saving also validates: the first field refused shows the standard message,
// gets the focus (an edit's text selected) and ends the exchange, so
// UpdateData returns false and the dialog stays open.
//
// DDX_ functions exchange one control's value; a DDV_ function right after
// checks the value just exchanged and names that control when it refuses.
#pragma once

#include <QString>

class CDialog;
class QWidget;

class CDataExchange {
public:
    // Thrown by Fail and caught by CDialog::UpdateData; never escapes it.
    struct Refusal {};

    CDataExchange(CDialog *dialog, bool saveAndValidate);

    bool m_bSaveAndValidate;
    CDialog *m_pDlgWnd;

    // The control with this id, remembered as the one a DDV_ check refers to.
    // A missing control is a fault of the dialog's code.
    QWidget *PrepareCtrl(int id);
    QWidget *LastControl() const { return m_lastControl; }
    // Shows `message` as a refusal, then Fail.
    [[noreturn]] void Refuse(const QString &message);
    // Focus to the last prepared control and end the exchange.
    [[noreturn]] void Fail();

private:
    QWidget *m_lastControl = nullptr;
};

// Text of an edit, combo box (its edit field or selected text), label or button.
void DDX_Text(CDataExchange *dx, int id, QString &value);
// A number typed in an edit; anything else is refused.
void DDX_Text(CDataExchange *dx, int id, int &value);
void DDX_Text(CDataExchange *dx, int id, unsigned &value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange *dx, int id, int &value);
// Index of a combo box's selected item, -1 for none.
void DDX_CBIndex(CDataExchange *dx, int id, int &value);
// Loading selects the first item that begins with the text (ignoring case);
// an editable combo shows the text itself when no item does. Saving reads the
// combo's text.
void DDX_CBString(CDataExchange *dx, int id, QString &value);

// Loading limits the control to `count` characters; saving refuses a longer text.
void DDV_MaxChars(CDataExchange *dx, const QString &value, int count);
void DDV_MinMaxInt(CDataExchange *dx, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange *dx, unsigned value, unsigned minimum, unsigned maximum);
