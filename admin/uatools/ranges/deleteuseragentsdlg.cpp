// The Delete dialog; see deleteuseragentsdlg.h.
#include "admin/uatools/ranges/deleteuseragentsdlg.h"

#include "admin/uatools/ranges/deleteprogressdlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDeleteUserAgentsDlg::CDeleteUserAgentsDlg(CServerCommandChannel &channel, CRangeBox::AllowedCheck allowed,
                                           QWidget *parent)
    : CDialog(IDD, parent), m_channel(channel), m_allowed(std::move(allowed)),
      m_range(SetDlgCtrlID(new QLineEdit(this), IDC_RANGE))
{
    m_range->setMinimumWidth(240);
    auto *fields = new QFormLayout;
    fields->addRow(tr("Range"), m_range);
    auto *example = new QLabel(tr("For example: 100-199, 205 300-310"), this);
    example->setEnabled(false);
    fields->addRow(QString(), example);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CDeleteUserAgentsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_range->setFocus(Qt::OtherFocusReason);
    return false;
}

void CDeleteUserAgentsDlg::OnOK()
{
    const std::optional<CParsedRangeList> list = CRangeBox::Parse(m_range->text());
    if (!list)
        return;
    if (!CRangeBox::CheckAllowed(*list, m_allowed, CRangeBox::Delete, false, GetSafeHwnd(), m_range))
        return;
    // Deleting cannot be taken back: one question, with the count, and No
    // unless the administrator says otherwise.
    const uint64_t count = list->Count();
    const QString question =
        count == 1 ? tr("Delete one user agent?") : tr("Delete %1 user agents?").arg(count);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;

    CDeleteProgressDlg progress(m_channel, *list, this);
    progress.DoModalInPlaceOfOpener();
    EndDialog(IDOK);
}
