// The unified messaging page; see integratedmsg.h.
#include "admin/useragents/pages/integratedmsg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/dialogdefs.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const char *const kSaveFirst =
    "To proceed, you need to save your changes or refresh. Do you want to save your changes? ";
// The folders a multiple-queue count offers: the up-synch list starts at
// "1" (at "0" for a single queue), the disposition list at "0".
constexpr int kMaxFolder = 8;

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

void selectIndex(QComboBox *combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

CIntegratedMsg::CIntegratedMsg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(
          IDD, IDS_UNIFIED_MESSAGING_PAGE,
          {
              {&m_smtpServer, QStringLiteral("SMTPServer"), IDC_SMTP_SERVER, 1573, false, -1, 0, 32915},
              {&m_transport, QStringLiteral("IM_Message_Transport_Scheme"), IDC_TRANSPORT, 1574, false, -1, 0, 32917},
              {&m_emailServer, QStringLiteral("POP3Server"), IDC_EMAIL_SERVER, 1575, false, -1, 0, 32918},
              {&m_account, QStringLiteral("&POP3Account"), IDC_ACCOUNT, 1585, true, -1, 0, 32919},
              {&m_authentication, QStringLiteral("POP3UsingAPOP"), IDC_AUTHENTICATION, 1583, false, -1, 0, 32921},
              {&m_voice, QStringLiteral("TTSTruVoiceType"), IDC_VOICE, 1577, false, -1, 0, 32922},
              {&m_switch, QStringLiteral("Nf_%s_Disable"), IDC_SWITCH, IDC_SWITCH, true, -1, 0, 32914},
              {&m_username, QStringLiteral("UM_Email_Username"), IDC_USERNAME, 1578, false, -1, 0, 61642},
              {&m_mdn, QStringLiteral("UM_Dis_Synch_Enabled"), IDC_MDN, IDC_MDN, false, -1, 0, 61643},
              {&m_upFolder, QStringLiteral("UM_Up_Synch_Folder"), IDC_UP_FOLDER, IDL_UP_FOLDER, false, -1, 0, 61644},
              {&m_disFolder, QStringLiteral("UM_Dis_Synch_Folder"), IDC_DIS_FOLDER, IDL_DIS_FOLDER, false, -1, 0,
               61645},
              {&m_upDelete, QStringLiteral("UM_Up_Synch_Delete"), IDC_SAVE_TO_FOLDER, IDC_SAVE_TO_FOLDER, false, -1,
               0, 61646},
              {&m_imap, QStringLiteral("ProtocolForTTS"), IDC_IMAP4, IDC_IMAP4, false, -1, 0, 61648},
              {&m_suspended, QStringLiteral("UM_Suspend_Synch"), IDC_SUSPENDED, IDC_SUSPENDED, false, -1, 0, 61650},
              {&m_deleteOnSend, QStringLiteral("IM_Del_After_Sent"), IDC_DELETE_ON_SEND, IDC_DELETE_ON_SEND, false, -1,
               0, 61651},
          },
          sheet, services)
{
    // Unified messaging is on while its notification is not disabled.
    m_switch.SetInverted();
    m_savedSwitch.SetInverted();

    QGridLayout *account = AddGrid();
    account->addWidget(MakeLabel(1573, QStringLiteral("SMTP server:")), 0, 0, Qt::AlignLeft);
    account->addWidget(MakeEdit(IDC_SMTP_SERVER, 170), 0, 1);
    account->addWidget(MakeLabel(1574, QStringLiteral("Message Transport Scheme:")), 0, 2, Qt::AlignLeft);
    QComboBox *transport = MakeCombo(IDC_TRANSPORT, false);
    transport->addItem(PageString(IDS_TRANSPORT_KPL), int(KplProprietary));
    transport->addItem(PageString(IDS_TRANSPORT_IP), int(IpStandard));
    account->addWidget(transport, 0, 3);
    account->addWidget(MakeLabel(1575, QStringLiteral("Email server:")), 1, 0, Qt::AlignLeft);
    account->addWidget(MakeEdit(IDC_EMAIL_SERVER, 170), 1, 1);
    account->addWidget(MakeLabel(1583, QStringLiteral("Authentication method:")), 1, 2, Qt::AlignLeft);
    QComboBox *authentication = MakeCombo(IDC_AUTHENTICATION, false);
    authentication->addItems({QStringLiteral("USER/PASS"), QStringLiteral("APOP")});
    account->addWidget(authentication, 1, 3);
    account->addWidget(MakeLabel(1585, QStringLiteral("Email account:")), 2, 0, Qt::AlignLeft);
    account->addWidget(MakeEdit(IDC_ACCOUNT, 170), 2, 1);
    account->addWidget(MakeLabel(1577, QStringLiteral("Voice type:")), 2, 2, Qt::AlignLeft);
    QComboBox *voice = MakeCombo(IDC_VOICE, false);
    voice->addItems({QStringLiteral("Male"), QStringLiteral("Female")});
    account->addWidget(voice, 2, 3);
    account->addWidget(MakeLabel(1578, QStringLiteral("Email username:")), 3, 0, Qt::AlignLeft);
    account->addWidget(MakeEdit(IDC_USERNAME, 170), 3, 1);
    auto *onOff = SetDlgCtrlID(new QPushButton(this), IDC_SWITCH);
    onOff->setAutoDefault(false);
    onOff->setMinimumWidth(200);
    account->addWidget(onOff, 3, 3, Qt::AlignLeft);
    account->setColumnStretch(4, 1);

    AddHeading(QStringLiteral("Synchronisation"));
    QGridLayout *synch = AddGrid();
    synch->addWidget(MakeCheck(IDC_IMAP4, QStringLiteral("IMAP4")), 0, 0, Qt::AlignLeft);
    synch->addWidget(MakeCheck(IDC_POP3, QStringLiteral("POP3")), 0, 1, Qt::AlignLeft);
    synch->addWidget(MakeCheck(IDC_SUSPENDED, QStringLiteral("Synch Suspended")), 0, 2, Qt::AlignLeft);
    synch->addWidget(MakeRadio(IDC_SAVE_TO_FOLDER, QStringLiteral("Save the message to Personal folder")), 1, 0, 1, 2,
                     Qt::AlignLeft);
    synch->addWidget(MakeLabel(IDL_UP_FOLDER, QStringLiteral("Folder:")), 1, 2, Qt::AlignLeft);
    synch->addWidget(MakeCombo(IDC_UP_FOLDER, false), 1, 3);
    synch->addWidget(MakeRadio(IDC_DELETE_MESSAGE, QStringLiteral("Delete the message")), 2, 0, 1, 2, Qt::AlignLeft);
    synch->addWidget(MakeCheck(IDC_MDN, QStringLiteral("Message Disposition Notification (MDN)")), 3, 0, 1, 2,
                     Qt::AlignLeft);
    synch->addWidget(MakeLabel(IDL_DIS_FOLDER, QStringLiteral("MDN folder:")), 3, 2, Qt::AlignLeft);
    synch->addWidget(MakeCombo(IDC_DIS_FOLDER, false), 3, 3);
    synch->addWidget(MakeCheck(IDC_DELETE_ON_SEND, QStringLiteral("Delete On Send")), 4, 0, Qt::AlignLeft);
    synch->setColumnStretch(4, 1);
    Body()->addStretch(1);

    for (const int id : {int(IDC_TRANSPORT), int(IDC_AUTHENTICATION), int(IDC_VOICE), int(IDC_UP_FOLDER),
                         int(IDC_DIS_FOLDER)}) {
        connect(GetDlgItem<QComboBox>(id), &QComboBox::activated, this, [this, id] {
            if (id == IDC_TRANSPORT)
                transportChosen();
            else if (id == IDC_UP_FOLDER || id == IDC_DIS_FOLDER)
                folderChosen(id);
            else
                comboChosen(id);
        });
    }
}

bool CIntegratedMsg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    fillFolders();
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1570, 32915}, {1582, 32917},
                           {1581, 32918}, {1507, 32919}, {1584, 32921}, {1580, 32922}, {1699, 32914}, {1508, 61642},
                           {1011, 61643}, {1810, 61644}, {1811, 61645}, {1523, 61646}, {1524, 61647}, {1009, 61648},
                           {1010, 61649}, {1012, 61650}, {1013, 61651}});
    return true;
}

void CIntegratedMsg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
    if (Sheet().Record().GetUANumber() == -1)
        return;
    m_savedSwitch.SetValue(m_switch.GetValue());
    readQueueCount();
    fillFolders();
    UpdateData(false);
}

void CIntegratedMsg::SetUnifiedMessagingState(bool enabled)
{
    m_savedSwitch.SetValue(enabled);
    if (m_switch.GetValue() != enabled)
        m_switch.SetValue(enabled);
    if (HasWindow())
        UpdateData(false);
}

void CIntegratedMsg::ResetToParent()
{
    ResetToCOS();
    m_pop3.SetValue(!m_imap.GetValue());
    UpdateData(false);
}

void CIntegratedMsg::readQueueCount()
{
    QString reply;
    try {
        CPendingCommand pending = Sheet().Channel()->BeginCommand(
            QStringLiteral("GetUAPropertyInfo %1 %2").arg(Sheet().Record().GetUANumber()).arg("Multiple_Queue"));
        reply = Sheet().Channel()->WaitReply(pending);
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    QStringList elements;
    CTclList().SplitList(reply, elements);
    if (elements.size() > 1)
        m_queueCount = elements.at(1).toInt();
}

void CIntegratedMsg::fillFolders()
{
    auto *up = GetDlgItem<QComboBox>(IDC_UP_FOLDER);
    auto *dis = GetDlgItem<QComboBox>(IDC_DIS_FOLDER);
    const QSignalBlocker upBlocker(up);
    const QSignalBlocker disBlocker(dis);
    up->clear();
    dis->clear();
    if (m_queueCount == 0) {
        up->addItem(QStringLiteral("0"));
        dis->addItem(QStringLiteral("0"));
        return;
    }
    const int last = m_queueCount == 1 ? 1 : kMaxFolder;
    for (int folder = 1; folder <= last; ++folder)
        up->addItem(QString::number(folder));
    for (int folder = 0; folder <= last; ++folder)
        dis->addItem(QString::number(folder));
}

int CIntegratedMsg::folderNumber(int id, int index) const
{
    const bool fromOne = id == IDC_UP_FOLDER && GetDlgItem<QComboBox>(id)->itemText(0) == QLatin1String("1");
    return fromOne ? index + 1 : index;
}

int CIntegratedMsg::folderIndex(int id, const QString &stored) const
{
    if (stored.isEmpty())
        return -1;
    const bool fromOne = id == IDC_UP_FOLDER && GetDlgItem<QComboBox>(id)->itemText(0) == QLatin1String("1");
    return stored.toInt() - (fromOne ? 1 : 0);
}

void CIntegratedMsg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    DDX_Text(dx, IDC_SMTP_SERVER, m_smtpServer.GetValueRef());
    DDX_Text(dx, IDC_EMAIL_SERVER, m_emailServer.GetValueRef());
    DDX_Text(dx, IDC_ACCOUNT, m_account.GetValueRef());
    DDX_Text(dx, IDC_USERNAME, m_username.GetValueRef());
    for (auto [id, value] : {std::pair{int(IDC_MDN), &m_mdn}, {int(IDC_IMAP4), &m_imap},
                             {int(IDC_SUSPENDED), &m_suspended}, {int(IDC_DELETE_ON_SEND), &m_deleteOnSend}})
        exchangeCheck(dx, id, *value);
    if (dx->m_bSaveAndValidate) {
        m_pop3.SetValue(!m_imap.GetValue());
        return;
    }
    // Combos, folders and radios are stored when chosen; here they are shown.
    m_pop3.SetValue(!m_imap.GetValue());
    GetDlgItem<QCheckBox>(IDC_POP3)->setChecked(m_pop3.GetValue());
    auto *transport = GetDlgItem<QComboBox>(IDC_TRANSPORT);
    selectIndex(transport, transport->findData(m_transport.GetValue()));
    selectIndex(GetDlgItem<QComboBox>(IDC_AUTHENTICATION), m_authentication.GetValue());
    selectIndex(GetDlgItem<QComboBox>(IDC_VOICE), m_voice.GetValue());
    selectIndex(GetDlgItem<QComboBox>(IDC_UP_FOLDER), folderIndex(IDC_UP_FOLDER, m_upFolder.GetText()));
    selectIndex(GetDlgItem<QComboBox>(IDC_DIS_FOLDER), folderIndex(IDC_DIS_FOLDER, m_disFolder.GetText()));
    LoadRadio({IDC_SAVE_TO_FOLDER, IDC_DELETE_MESSAGE}, m_upDelete.GetValue());
    GetDlgItem<QPushButton>(IDC_SWITCH)->setText(m_switch.GetValue()
                                                     ? QStringLiteral("Disable Unified Messaging")
                                                     : QStringLiteral("Enable Unified Messaging"));
    applyEnableRules();
}

void CIntegratedMsg::enableRow(CPageValue &value, int labelId, bool enabled)
{
    value.SetDisabled(!enabled);
    RefreshControlById(labelId);
}

void CIntegratedMsg::enableControl(int id, bool enabled)
{
    if (QWidget *control = GetDlgItem(id))
        control->setEnabled(enabled);
}

void CIntegratedMsg::applyEnableRules()
{
    const bool cosEditor = Sheet().IsCOSEditor();
    const bool on = m_switch.GetValue();
    // In a class of service everything but the per-user fields is offered,
    // whatever the switch holds; in a mailbox every field follows the switch.
    const bool offered = cosEditor || on;
    for (auto [value, label] :
         {std::pair<CPageValue *, int>{&m_smtpServer, 1573}, {&m_transport, 1574}, {&m_emailServer, 1575},
          {&m_authentication, 1583}, {&m_voice, 1577}, {&m_mdn, IDC_MDN}, {&m_upFolder, IDL_UP_FOLDER},
          {&m_disFolder, IDL_DIS_FOLDER}, {&m_upDelete, IDC_SAVE_TO_FOLDER}, {&m_imap, IDC_IMAP4},
          {&m_suspended, IDC_SUSPENDED}, {&m_deleteOnSend, IDC_DELETE_ON_SEND}})
        enableRow(*value, label, offered);
    enableRow(m_account, 1585, !cosEditor && on);
    enableRow(m_username, 1578, !cosEditor && on);
    enableRow(m_switch, IDC_SWITCH, !cosEditor);
    enableControl(IDC_POP3, offered);
    enableControl(IDC_DELETE_MESSAGE, offered);
    if (!offered)
        return;
    const bool ip = isIpStandard();
    enableRow(m_deleteOnSend, IDC_DELETE_ON_SEND, ip);
    enableRow(m_mdn, IDC_MDN, ip);
    enableRow(m_disFolder, IDL_DIS_FOLDER, ip && m_mdn.GetValue());
    const bool imap = m_imap.GetValue();
    enableRow(m_upFolder, IDL_UP_FOLDER, imap && m_upDelete.GetValue() == 0);
    enableRow(m_upDelete, IDC_SAVE_TO_FOLDER, imap);
    enableControl(IDC_DELETE_MESSAGE, imap);
    enableRow(m_suspended, IDC_SUSPENDED, imap);
}

void CIntegratedMsg::switchClicked()
{
    if (Sheet().IsCOSEditor() || Sheet().Record().GetUANumber() == -1)
        return;
    Sheet().SetPendingAction(m_switch.GetValue() ? CMailboxPps::ModeUnifiedOff : CMailboxPps::ModeUnifiedOn);
    QWidget *apply = Sheet().GetDlgItem(ID_APPLY_NOW);
    if (apply && apply->isEnabled()) {
        if (AfxMessageBox(QString::fromLatin1(kSaveFirst), MB_YESNO) != IDYES) {
            Sheet().SetPendingAction(CMailboxPps::ModeNormal);
            return;
        }
        // The save reloads the box; the switch is applied to it then. A
        // save that was refused or given up reloads nothing: the switch is
        // dropped, never applied by some later reload.
        Sheet().SaveChanges();
        if (apply->isEnabled())
            Sheet().SetPendingAction(CMailboxPps::ModeNormal);
        return;
    }
    SendMessage(Sheet().GetSafeHwnd(), CMailboxPps::WM_APPLY_USER_AGENT, 0, 0);
}

void CIntegratedMsg::transportChosen()
{
    auto *combo = GetDlgItem<QComboBox>(IDC_TRANSPORT);
    if (combo->currentIndex() < 0)
        return;
    m_transport.SetValue(combo->currentData().toInt());
    OnEditChange(IDC_TRANSPORT);
    const bool ip = isIpStandard();
    enableRow(m_deleteOnSend, IDC_DELETE_ON_SEND, ip && (Sheet().IsCOSEditor() || m_savedSwitch.GetValue()));
    enableRow(m_mdn, IDC_MDN, ip);
    enableRow(m_disFolder, IDL_DIS_FOLDER, ip && m_mdn.GetValue());
    OnEditChange(IDC_MDN);
}

void CIntegratedMsg::comboChosen(int id)
{
    const int index = GetDlgItem<QComboBox>(id)->currentIndex();
    if (index < 0)
        return;
    (id == IDC_AUTHENTICATION ? m_authentication : m_voice).SetValue(index);
    OnEditChange(id);
}

void CIntegratedMsg::protocolClicked(bool imapClicked)
{
    const bool imap = imapClicked ? GetDlgItem<QCheckBox>(IDC_IMAP4)->isChecked()
                                  : !GetDlgItem<QCheckBox>(IDC_POP3)->isChecked();
    m_imap.SetValue(imap);
    m_pop3.SetValue(!imap);
    GetDlgItem<QCheckBox>(IDC_IMAP4)->setChecked(imap);
    GetDlgItem<QCheckBox>(IDC_POP3)->setChecked(!imap);
    OnEditChange(IDC_IMAP4);
    OnEditChange(IDC_POP3);
    enableRow(m_upFolder, IDL_UP_FOLDER, imap && m_upDelete.GetValue() == 0);
    enableRow(m_upDelete, IDC_SAVE_TO_FOLDER, imap);
    enableControl(IDC_DELETE_MESSAGE, imap);
    enableRow(m_suspended, IDC_SUSPENDED, imap);
    if (!imap || !m_upFolder.GetText().isEmpty())
        return;
    // IMAP4 wants a folder to synchronise: the first one.
    const int index = m_queueCount == 0 ? 0 : 1;
    m_upFolder.PutText(QString::number(folderNumber(IDC_UP_FOLDER, index)));
    selectIndex(GetDlgItem<QComboBox>(IDC_UP_FOLDER), folderIndex(IDC_UP_FOLDER, m_upFolder.GetText()));
    OnEditChange(IDC_UP_FOLDER);
}

void CIntegratedMsg::mdnClicked()
{
    const bool on = GetDlgItem<QCheckBox>(IDC_MDN)->isChecked();
    m_mdn.SetValue(on);
    enableRow(m_disFolder, IDL_DIS_FOLDER, on);
    if (on && m_disFolder.GetText().isEmpty()) {
        const int index = m_queueCount == 0 ? 0 : 1;
        m_disFolder.PutText(QString::number(folderNumber(IDC_DIS_FOLDER, index)));
        selectIndex(GetDlgItem<QComboBox>(IDC_DIS_FOLDER), index);
        OnEditChange(IDC_DIS_FOLDER);
    }
    OnEditChange(IDC_MDN);
}

void CIntegratedMsg::folderChosen(int id)
{
    const int index = GetDlgItem<QComboBox>(id)->currentIndex();
    const QString text = index < 0 ? QString() : QString::number(folderNumber(id, index));
    (id == IDC_UP_FOLDER ? m_upFolder : m_disFolder).PutText(text);
    OnEditChange(id);
}

void CIntegratedMsg::deletionClicked(int value)
{
    m_upDelete.SetValue(value);
    enableRow(m_upFolder, IDL_UP_FOLDER, value == 0);
    OnEditChange(IDC_SAVE_TO_FOLDER);
}

void CIntegratedMsg::suspendClicked()
{
    m_suspended.SetValue(GetDlgItem<QCheckBox>(IDC_SUSPENDED)->isChecked());
    OnEditChange(IDC_SUSPENDED);
}

LRESULT CIntegratedMsg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_SWITCH:
            // Not an edit of the page: the sheet applies it on the server.
            switchClicked();
            return 0;
        case IDC_IMAP4:
        case IDC_POP3:
            protocolClicked(LOWORD(wParam) == IDC_IMAP4);
            return 0;
        case IDC_MDN:
            mdnClicked();
            return 0;
        case IDC_SAVE_TO_FOLDER:
        case IDC_DELETE_MESSAGE:
            deletionClicked(LOWORD(wParam) == IDC_DELETE_MESSAGE ? 1 : 0);
            return 0;
        case IDC_SUSPENDED:
            suspendClicked();
            return 0;
        default:
            break;
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
