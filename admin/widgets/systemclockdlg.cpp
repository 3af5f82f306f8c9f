// The clock dialog. The date picker stops at 2038-01-18, the last whole day a
// 32-bit time stamp can hold on the server.
#include "admin/widgets/systemclockdlg.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QDate FirstDate(1998, 1, 1);
const QDate LastDate(2038, 1, 18);
} // namespace

CSystemClockDlg::CSystemClockDlg(QWidget *parent)
    : CDialog(IDD, tr("Change system clock"), parent),
      m_datePicker(SetDlgCtrlID(new QDateEdit(this), IDC_DATE)),
      m_timePicker(SetDlgCtrlID(new QTimeEdit(this), IDC_TIME))
{
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    // The two pickers stand alone, one above the other, under the names of
    // the dialog's date and time controls.
    m_datePicker->setAccessibleName(QStringLiteral("Date Control"));
    m_timePicker->setAccessibleName(QStringLiteral("Time Control"));

    auto *fields = new QVBoxLayout;
    fields->addWidget(m_datePicker);
    fields->addWidget(m_timePicker);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CSystemClockDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_datePicker->setDateRange(FirstDate, LastDate);
    const QDateTime local = m_time.toLocalTime();
    m_datePicker->setDate(local.date());
    m_timePicker->setTime(local.time());
    return true;
}

void CSystemClockDlg::OnOK()
{
    // Which offset applies (daylight saving or not) is the system's to decide.
    m_time = QDateTime(m_datePicker->date(), m_timePicker->time(), Qt::LocalTime);
    EndDialog(IDOK);
}
