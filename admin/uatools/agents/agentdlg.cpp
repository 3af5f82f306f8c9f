// The agent dialogs' common part; see agentdlg.h.
#include "admin/uatools/agents/agentdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/useragent.h"
#include "admin/widgets/htmlhelp.h"
#include "platform/msgbox/msgbox.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CAgentDlg::CAgentDlg(int dialogId, const QString &caption, CServerCommandChannel &channel, qint32 number,
                     int helpButtonId, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_channel(channel), m_number(number), m_helpButtonId(helpButtonId)
{
}

void CAgentDlg::SetForm(QLayout *form)
{
    auto *buttons = new QDialogButtonBox(this);
    SetDlgCtrlID(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    SetDlgCtrlID(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    SetDlgCtrlID(buttons->addButton(QDialogButtonBox::Help), m_helpButtonId);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CAgentDlg::Run(const QString &command) const
{
    try {
        CPendingCommand pending = m_channel.BeginCommand(command, true, 1);
        return m_channel.WaitReply(pending);
    } catch (const CZltException &e) {
        return QStringLiteral("!") + e.text();
    }
}

bool CAgentDlg::GetAgent(const QStringList &names, CUserAgent &agent)
{
    QStringList words;
    for (const QString &name : names)
        words.append(CUserAgent::NameWord(name));
    const QString reply = Run(QStringLiteral("GetUA %1 %2").arg(m_number).arg(words.join(QLatin1Char(' '))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return false;
    }
    return agent.Parse(reply, CTclList());
}

void CAgentDlg::ShowRefusal(const QString &text, QWidget *field)
{
    MessageBox(GetSafeHwnd(), text, windowTitle(), MB_OK | MB_ICONERROR);
    if (field)
        GotoDlgCtrl(field);
}

void CAgentDlg::showHelp()
{
    CallHtmlHelp(GetSafeHwnd(), QStringLiteral("admin.chm"), HH_HELP_CONTEXT, uintptr_t(GetDialogId()));
}

bool CAgentDlg::OnCommand(int id)
{
    if (id != m_helpButtonId)
        return CDialog::OnCommand(id);
    showHelp();
    return true;
}

LRESULT CAgentDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_HELP)
        return CDialog::WindowProc(message, wParam, lParam);
    showHelp();
    return 1;
}
