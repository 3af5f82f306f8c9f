// The same-time-zone question; see sametimezonedlg.h.
#include "admin/useragents/pages/sametimezonedlg.h"

#include "admin/useragents/pages/timezonetable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSameTimeZoneDlg::CSameTimeZoneDlg(int first, int last, QWidget *parent)
    : CDialog(IDD, QStringLiteral("The same time zone"), parent), m_first(first), m_last(last), m_chosen(first)
{
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral("Because there are multiple zones fall in the same time zone. Please "
                                           "select one from the list for your area."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(SetDlgCtrlID(new QComboBox(this), IDC_ZONES));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("OK"), this), IDOK),
                       QDialogButtonBox::AcceptRole);
    layout->addWidget(buttons);
    resize(420, 130);
}

bool CSameTimeZoneDlg::OnInitDialog()
{
    auto *zones = GetDlgItem<QComboBox>(IDC_ZONES);
    zones->clear();
    for (int row = m_first; row <= m_last; ++row)
        zones->addItem(CTimeZoneTable::Name(row));
    zones->setCurrentIndex(0);
    return true;
}

void CSameTimeZoneDlg::OnOK()
{
    m_chosen = m_first + std::max(0, GetDlgItem<QComboBox>(IDC_ZONES)->currentIndex());
    CDialog::OnOK();
}
