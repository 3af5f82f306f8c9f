// The Create Greeting User Agent dialog; see creategreetinguadlg.h. The
// number is the one typed into the page's grid and is shown read-only: the
// page creates exactly the user agent it asked for.
#include "admin/config/dialogs/creategreetinguadlg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/session/tcllist.h"
#include "platform/mfc/dataexchange.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kNone = QStringLiteral("None");
}

CCreateGreetingUADlg::CCreateGreetingUADlg(const QString &number, const CConfigDepot &depot, QWidget *parent)
    : CDialog(IDD, tr("Create Greeting User Agent"), parent), m_number(number), m_depot(depot)
{
    auto *numberEdit = SetDlgCtrlID(new QLineEdit(this), IDC_NUMBER);
    numberEdit->setReadOnly(true);
    auto *cos = SetDlgCtrlID(new QComboBox(this), IDC_PARENT_COS);
    cos->setMinimumWidth(160);

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK")), IDOK);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *explanation = new QLabel(tr("The Greeting User Agent does not exist. Choose its Class of Service, "
                                      "then press OK to create it."),
                                   this);
    explanation->setWordWrap(true);
    auto *layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr("User Agent:"), this), 1, 0);
    layout->addWidget(numberEdit, 1, 1);
    layout->addWidget(new QLabel(tr("Parent COS:"), this), 2, 0);
    layout->addWidget(cos, 2, 1);
    layout->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
}

bool CCreateGreetingUADlg::OnInitDialog()
{
    auto *cos = GetDlgItem<QComboBox>(IDC_PARENT_COS);
    cos->clear();
    cos->addItem(kNone);
    QStringList classes;
    CTclList().SplitList(m_depot.m_cosList, classes);
    for (const QString &entry : classes) {
        bool ok = false;
        const qint64 number = entry.toLongLong(&ok);
        if (ok && number != kNoCos)
            cos->addItem(entry);
    }
    m_parentCos = kNone;
    return CDialog::OnInitDialog();
}

void CCreateGreetingUADlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_NUMBER, m_number);
    DDX_CBString(dx, IDC_PARENT_COS, m_parentCos);
}

qint32 CCreateGreetingUADlg::ParentCos() const
{
    bool ok = false;
    const qint64 number = m_parentCos.toLongLong(&ok);
    return m_parentCos == kNone || !ok || number < 0 || number > kNoCos ? kNoCos : qint32(number);
}
