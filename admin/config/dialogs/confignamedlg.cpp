// The configuration name dialogs' base; see confignamedlg.h.
#include "admin/config/dialogs/confignamedlg.h"

#include "platform/mfc/dataexchange.h"
#include "platform/mfc/dlgitem.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kMaxNameLength = 60;
}

CConfigNameDlg::CConfigNameDlg(int dialogId, const QString &caption, int editId, const QString &label,
                               const QStringList &explanations, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_editId(editId)
{
    auto *layout = new QVBoxLayout(this);
    for (const QString &text : explanations) {
        auto *explanation = new QLabel(text, this);
        explanation->setWordWrap(true);
        layout->addWidget(explanation);
    }
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(label, this));
    row->addWidget(SetDlgCtrlID(new QLineEdit(this), editId), 1);
    layout->addLayout(row);
    layout->addLayout(OkCancelRow());
    setMinimumWidth(420);
}

bool CConfigNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bChanged = 0;
    return true;
}

void CConfigNameDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, m_editId, m_strName);
    DDV_MaxChars(dx, m_strName, kMaxNameLength);
}

LRESULT CConfigNameDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && int(wParam & 0xFFFF) == m_editId && (wParam >> 16) == EN_CHANGE)
        m_bChanged = 1;
    return CDialog::WindowProc(message, wParam, lParam);
}
