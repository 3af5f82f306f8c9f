// The About box; see aboutdlg.h. The program's company and version are the
// application's own (set by main), as the version block of the program file
// they stand for.
#include "admin/app/aboutdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(CServerCommandChannel *server, QWidget *parent)
    : CDialog(IDD, tr("About Admin"), parent), m_server(server)
{
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon, nullptr, this).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    for (int id : {IDC_PRODUCT_VERSION, IDC_COMPANY, IDC_SERVER_VERSION}) {
        auto *label = SetDlgCtrlID(new QLabel(this), id);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texts->addWidget(label);
    }
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const QString version = QCoreApplication::applicationVersion();
    SetDlgItemText(IDC_PRODUCT_VERSION, version.isEmpty()
                                            ? QString()
                                            : tr("%1 Version %2").arg(QLatin1String(ProductName), version));
    SetDlgItemText(IDC_COMPANY, QCoreApplication::organizationName());
    SetDlgItemText(IDC_SERVER_VERSION, QString());
    if (m_server) {
        try {
            const QString reply = m_server->Execute(QStringLiteral("set version_string"));
            if (!IsErrorReply(reply))
                SetDlgItemText(IDC_SERVER_VERSION, reply);
        } catch (const CZltException &) {
            // The server's line stays empty; the box is still worth showing.
        }
    }
    return true;
}
