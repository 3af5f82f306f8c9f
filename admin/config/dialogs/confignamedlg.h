// The base of the two dialogs that ask for the name of a new configuration
// item (an answer method, an integration group). They only collect the
// text, at most 60 characters, and note whether the user changed it; the
// calling page checks and uses the name.
#pragma once

#include "platform/mfc/dialog.h"

class CConfigNameDlg : public CDialog {
    Q_OBJECT
public:
    // The name the dialog opens with (empty unless the caller sets one) and,
    // after OK, the name typed.
    QString m_strName;
    // 1 once the user has changed the text since the dialog opened.
    int m_bChanged = 0;

    int EditId() const { return m_editId; }

protected:
    CConfigNameDlg(int dialogId, const QString &caption, int editId, const QString &label,
                   const QStringList &explanations, QWidget *parent);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_editId;
};
