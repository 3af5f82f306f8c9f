// The Tcl console; see tclsessiondlg.h. Commands go with the reply check off,
// so the response shows exactly what the server answered, error replies
// ("!...") included. The console's window leaves the message table before its
// session disconnects, so the disconnection's answer to a command still on its
// way is dropped instead of reaching a console that is going.
#include "admin/app/tclsessiondlg.h"

#include "admin/app/mainframe.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "platform/mfc/dataexchange.h"
#include "platform/msgbox/msgbox.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTclSessionDlg::CTclSessionDlg(CMainFrame *frame, std::unique_ptr<CZELTSession> session)
    : CDialog(IDD, tr("TCL Session"), frame), m_commandEdit(SetDlgCtrlID(new QLineEdit(this), IDC_COMMAND)),
      m_responseEdit(SetDlgCtrlID(new QPlainTextEdit(this), IDC_RESPONSE)), m_session(std::move(session)),
      m_frame(frame)
{
    Q_ASSERT(m_session);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_commandEdit->setFont(fixed);
    m_responseEdit->setFont(fixed);
    m_responseEdit->setReadOnly(true);
    m_responseEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto *commandLabel = new QLabel(tr("&Command:"), this);
    commandLabel->setBuddy(m_commandEdit);
    auto *responseLabel = new QLabel(tr("&Response:"), this);
    responseLabel->setBuddy(m_responseEdit);
    auto *previous = SetDlgCtrlID(new QPushButton(tr("&Previous"), this), IDC_PREVIOUS);
    auto *next = SetDlgCtrlID(new QPushButton(tr("&Next"), this), IDC_NEXT);
    auto *send = SetDlgCtrlID(new QPushButton(tr("&Send"), this), IDOK);
    auto *done = SetDlgCtrlID(new QPushButton(tr("&Done"), this), IDCANCEL);
    send->setDefault(true);
    for (QPushButton *button : {previous, next, send, done})
        button->setAutoDefault(false);

    auto *commandRow = new QGridLayout;
    commandRow->addWidget(commandLabel, 0, 0, 1, 3);
    commandRow->addWidget(m_commandEdit, 1, 0);
    commandRow->addWidget(previous, 1, 1);
    commandRow->addWidget(next, 1, 2);
    commandRow->setColumnStretch(0, 1);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(send, QDialogButtonBox::AcceptRole);
    buttons->addButton(done, QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(commandRow);
    layout->addWidget(responseLabel);
    layout->addWidget(m_responseEdit, 1);
    layout->addWidget(buttons);
    resize(560, 380);
}

CTclSessionDlg::~CTclSessionDlg()
{
    unregisterWindow();
    setWaiting(false);
}

void CTclSessionDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_COMMAND, m_strCommand);
}

void CTclSessionDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    try {
        m_session->SendAsync(this, WM_SERVER_REPLY, 0, m_strCommand, false, 1);
    } catch (const CZltException &failure) {
        AfxMessageBox(failure.text(), MB_OK | MB_ICONERROR);
        return;
    }
    m_history[m_historyIndex] = m_strCommand;
    m_historyIndex = (m_historyIndex + 1) % HistorySlots;
    setWaiting(true);
}

void CTclSessionDlg::OnCancel()
{
    DestroyWindow();
}

bool CTclSessionDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_PREVIOUS:
        showHistoryEntry(HistorySlots - 1);
        return true;
    case IDC_NEXT:
        showHistoryEntry(1);
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

LRESULT CTclSessionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SERVER_REPLY: {
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        m_responseEdit->setPlainText(reply);
        setWaiting(false);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

bool CTclSessionDlg::DestroyWindow()
{
    if (m_destroyed)
        return false;
    m_destroyed = true;
    const HWND handle = GetSafeHwnd();
    unregisterWindow();
    try {
        m_session->Disconnect();
    } catch (const CZltException &failure) {
        AfxMessageBox(failure.text(), MB_OK | MB_ICONERROR);
    }
    if (m_frame)
        m_frame->RemoveSession(handle);
    CDialog::DestroyWindow();
    deleteLater();
    return true;
}

QString CTclSessionDlg::CommandText() const
{
    return m_commandEdit->text();
}

QString CTclSessionDlg::ResponseText() const
{
    return m_responseEdit->toPlainText();
}

void CTclSessionDlg::showHistoryEntry(int step)
{
    m_historyIndex = (m_historyIndex + step) % HistorySlots;
    m_strCommand = m_history[m_historyIndex];
    UpdateData(false);
}

void CTclSessionDlg::setWaiting(bool waiting)
{
    if (waiting == m_waiting)
        return;
    m_waiting = waiting;
    if (waiting)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}
