// The shared design of the small "type it twice" dialogs: a new value and
// its confirmation, at most 16 characters each, checked in a fixed order
// (empty, empty confirmation, different, then the dialog's own rules) before
// the dialog applies it. A dialog that cannot apply its value stays open;
// nothing is reported as done that was not.
//
// A derived dialog supplies, in this order: Prepare (before it shows; false
// when it cannot be used), Apply (carries out the change; false keeps the
// dialog open), Validate (its own rules, after its own message) and Finish
// (whenever the dialog ends). Before Validate and before Finish, a server
// lost meanwhile ends the program, with the main frame's message.
#pragma once

#include "platform/mfc/dialog.h"

class QLabel;
class QLineEdit;

class CChangePasswordDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDC_NEW_VALUE = 1635, IDC_CONFIRM_VALUE = 1501 };
    static constexpr int ValueLimit = 16;

    // The words a dialog of this design uses.
    struct Texts {
        QString caption;
        QString newLabel;
        QString confirmLabel;
        QString note; // shown under the fields when not empty
        QString emptyNew;
        QString emptyConfirm;
        QString mismatch;
    };

    // Prepare runs inside; a dialog that cannot be used ends with IDCANCEL
    // without showing.
    int DoModal() override;

    QString NewValue() const { return m_strNewValue; }

protected:
    CChangePasswordDlg(int dialogId, const Texts &texts, QWidget *parent);

    virtual bool Prepare(bool &focusPlaced) = 0;
    virtual bool Apply() = 0;
    virtual bool Validate() = 0;
    virtual void Finish() = 0;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange *dx) override;

    // Empties both fields and shows them empty.
    void clearValues();
    QLineEdit *newValueEdit() const { return m_newValue; }
    QLineEdit *confirmValueEdit() const { return m_confirmValue; }

    QString m_strNewValue;
    QString m_strConfirmValue;

private:
    // Ends the program when the server was lost while the dialog was open.
    static void endIfServerLost();

    const Texts m_texts;
    QLineEdit *m_newValue;
    QLineEdit *m_confirmValue;
    bool m_unusable = false;
};
