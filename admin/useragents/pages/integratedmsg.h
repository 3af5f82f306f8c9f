// The eighth page of the mailbox sheet, "Unified Messaging": how a mailbox
// is tied to an e-mail account (servers, account, the message transport,
// text-to-speech playback, IMAP4 or POP3 synchronisation with its folders)
// and the switch that turns unified messaging on or off for the box.
//
// The switch is the Disable flag of the box's unified-messaging
// notification (the server names it in "EmrId_AIM_Normal"): on stores
// Disable 0, as the Options page and the notifications page read it. A
// click does not edit the page: it asks the sheet to apply the switch on
// the server, which stores it and reads the box back; the page then shows
// the state from the server's answer. In a class-of-service editor the
// per-user fields and the switch are not offered.
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"
#include "admin/useragents/unifiedmessagingpage.h"

class CIntegratedMsg : public CMailboxPageBase, public CUnifiedMessagingPage {
    Q_OBJECT
public:
    enum : int {
        IDD = 228,
        IDC_SMTP_SERVER = 1570,
        IDC_TRANSPORT = 1582,
        IDC_EMAIL_SERVER = 1581,
        IDC_ACCOUNT = 1507,
        IDC_AUTHENTICATION = 1584,
        IDC_VOICE = 1580,
        IDC_SWITCH = 1699,
        IDC_USERNAME = 1508,
        IDC_MDN = 1011,
        IDC_UP_FOLDER = 1810,
        IDC_DIS_FOLDER = 1811,
        IDC_SAVE_TO_FOLDER = 1523,
        IDC_DELETE_MESSAGE = 1524,
        IDC_IMAP4 = 1009,
        IDC_POP3 = 1010,
        IDC_SUSPENDED = 1012,
        IDC_DELETE_ON_SEND = 1013,
        IDL_DIS_FOLDER = 1579,
        IDL_UP_FOLDER = 1576,
    };
    // The values of "IM_Message_Transport_Scheme".
    enum Transport : int { IpStandard = 0, KplProprietary = 1 };

    CIntegratedMsg(CMailboxPps &sheet, const CMailboxPageServices &services);

    unsigned InitialisedBit() const override { return 0x1000000; }
    void ResetToParent() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;
    void SetUnifiedMessagingState(bool enabled) override;

    bool IsUnifiedMessagingOn() const { return m_switch.GetValue(); }
    int MultipleQueueCount() const { return m_queueCount; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void readQueueCount();
    void fillFolders();
    void applyEnableRules();
    void enableRow(CPageValue &value, int labelId, bool enabled);
    void enableControl(int id, bool enabled);
    void switchClicked();
    void transportChosen();
    void comboChosen(int id);
    void protocolClicked(bool imap);
    void mdnClicked();
    void folderChosen(int id);
    void deletionClicked(int value);
    void suspendClicked();
    // The folder number an index of a folder list stands for, and back.
    int folderNumber(int id, int index) const;
    int folderIndex(int id, const QString &stored) const;
    bool isIpStandard() const { return m_transport.GetValue() == IpStandard; }

    CPageTextValue m_smtpServer;
    CPageIntValue m_transport;
    CPageTextValue m_emailServer;
    CPageTextValue m_account;
    CPageIntValue m_authentication;
    CPageIntValue m_voice;
    CPageBoolValue m_switch;
    CPageTextValue m_username;
    CPageBoolValue m_mdn;
    CPageTextValue m_upFolder;
    CPageTextValue m_disFolder;
    CPageIntValue m_upDelete;
    CPageBoolValue m_imap;
    CPageBoolValue m_suspended;
    CPageBoolValue m_deleteOnSend;
    // Shown in "POP3": always the opposite of IMAP4.
    CPageBoolValue m_pop3;
    // The switch as the server last gave it.
    CPageBoolValue m_savedSwitch;
    int m_queueCount = 1;
};
