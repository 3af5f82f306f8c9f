// The "type it twice" dialog design; see changepassworddlg.h.
#include "admin/app/changepassworddlg.h"

#include "admin/app/lostserverexit.h"
#include "admin/session/serverexitnotice.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChangePasswordDlg::CChangePasswordDlg(int dialogId, const Texts &texts, QWidget *parent)
    : CDialog(dialogId, texts.caption, parent), m_texts(texts),
      m_newValue(SetDlgCtrlID(new QLineEdit(this), IDC_NEW_VALUE)),
      m_confirmValue(SetDlgCtrlID(new QLineEdit(this), IDC_CONFIRM_VALUE))
{
    for (QLineEdit *edit : {m_newValue, m_confirmValue}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(ValueLimit);
    }
    auto *fields = new QFormLayout;
    fields->addRow(texts.newLabel, m_newValue);
    fields->addRow(texts.confirmLabel, m_confirmValue);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    if (!texts.note.isEmpty()) {
        auto *note = new QLabel(texts.note, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CChangePasswordDlg::DoModal()
{
    m_unusable = false;
    initialise();
    if (m_unusable) {
        endIfServerLost();
        Finish();
        return IDCANCEL;
    }
    return exec();
}

void CChangePasswordDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_NEW_VALUE, m_strNewValue);
    DDV_MaxChars(dx, m_strNewValue, ValueLimit);
    DDX_Text(dx, IDC_CONFIRM_VALUE, m_strConfirmValue);
    DDV_MaxChars(dx, m_strConfirmValue, ValueLimit);
}

bool CChangePasswordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    bool focusPlaced = false;
    if (!Prepare(focusPlaced))
        m_unusable = true;
    return !focusPlaced;
}

void CChangePasswordDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_strNewValue.isEmpty()) {
        AfxMessageBox(m_texts.emptyNew);
        GotoDlgCtrl(m_newValue);
        return;
    }
    if (m_strConfirmValue.isEmpty()) {
        AfxMessageBox(m_texts.emptyConfirm);
        return;
    }
    if (m_strNewValue != m_strConfirmValue) {
        AfxMessageBox(m_texts.mismatch);
        clearValues();
        return;
    }
    endIfServerLost();
    if (!Validate() || !Apply())
        return;
    endIfServerLost();
    Finish();
    EndDialog(IDOK);
}

void CChangePasswordDlg::OnCancel()
{
    endIfServerLost();
    Finish();
    EndDialog(IDCANCEL);
}

// A value typed for a server that is gone can go nowhere: the program ends
// as the main frame ends it when the server is lost.
void CChangePasswordDlg::endIfServerLost()
{
    if (!CServerExitNotice::IsServerLost())
        return;
    EndAdminForLostServer(tr("Server Shutdown occured, Admin will be closed"));
}

void CChangePasswordDlg::clearValues()
{
    m_strNewValue.clear();
    m_strConfirmValue.clear();
    UpdateData(false);
}
