// The New Notification dialog; see newnotificationdlg.h.
#include "admin/useragents/pages/newnotificationdlg.h"

#include "platform/msgbox/msgbox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox *sortedCombo(const QStringList &entries, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumWidth(200);
    QStringList sorted = entries;
    sorted.sort(Qt::CaseInsensitive);
    combo->addItems(sorted);
    combo->setCurrentIndex(-1);
    return combo;
}

} // namespace

CNewNotificationDlg::CNewNotificationDlg(const QStringList &titles, const QStringList &events, QWidget *parent)
    : CDialog(IDD, tr("New Notification"), parent), m_titles(titles), m_events(events),
      m_titleBox(SetDlgCtrlID(sortedCombo(titles, this), IDC_TITLE)),
      m_eventBox(SetDlgCtrlID(sortedCombo(events, this), IDC_EVENT))
{
    auto *form = new QFormLayout;
    form->addRow(tr("Title:"), m_titleBox);
    form->addRow(tr("Event:"), m_eventBox);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CNewNotificationDlg::OnOK()
{
    m_title = m_titleBox->currentText().trimmed();
    m_event = m_eventBox->currentText().trimmed();
    if (m_title.isEmpty() || !m_titles.contains(m_title)) {
        AfxMessageBox(tr("Please choose an application."));
        GotoDlgCtrl(m_titleBox);
        return;
    }
    if (m_event.isEmpty() || !m_events.contains(m_event)) {
        AfxMessageBox(tr("Please choose an event."));
        GotoDlgCtrl(m_eventBox);
        return;
    }
    EndDialog(IDOK);
}
