// The first page of the mailbox sheet, "User Mode Options": the box's
// security code, class of service and extension, and the options of the
// telephone user mode (message storage and order, folders, playback volume
// and rate, guests, the digit guard timer), with the copying of new and of
// urgent messages to another mailbox during a time window.
//
// The extension is shown with single backslashes while the record holds
// them doubled; an extension the administrator leaves alone goes back
// exactly as it came. Only one of the two copy groups can be switched on
// through the page, yet both Enable boxes stay usable when the box arrives
// with both on. Choosing another class of service applies at once.
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"

class CMailboxOptionsPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 131,
        IDC_SECURITY_CODE = 1228,
        IDC_EXTENSION = 1229,
        IDL_EXTENSION = 11229,
        IDC_COS = 1502,
        IDC_COS_MORE = 1351,
        IDC_STORE = 1036,
        IDC_PENDING = 1037,
        IDC_MAX_LENGTH = 1042,
        IDL_MAX_LENGTH = 1283,
        IDC_DATE_TIME = 1096,
        IDC_RECORD_NAME = 1105,
        IDC_TUTORIAL = 1009,
        IDC_SLOW_MENU = 1100,
        IDC_QUEUE_SINGLE = 1111,
        IDC_QUEUE_DUAL = 1525,
        IDC_QUEUE_MULTIPLE = 1527,
        IDC_ALT_RATE_AT_LOGIN = 1120,
        IDC_VOLUME = 1054,
        IDC_FIFO = 1255,
        IDC_LIFO = 1125,
        IDC_GUESTS = 1249,
        IDC_ALT_RATE = 1252,
        IDC_GUARD_TIME = 1798,
        IDC_COPY_ENABLE = 1038,
        IDC_DELETE_AFTER_COPY = 1039,
        IDC_COPY_DESTINATION = 1687,
        IDC_COPY_FROM = 1690,
        IDC_COPY_TO = 1689,
        IDC_COPY_DELAY = 1694,
        IDC_URGENT_ENABLE = 1040,
        IDC_URGENT_DESTINATION = 1688,
        IDC_URGENT_FROM = 1695,
        IDC_URGENT_TO = 1696,
        IDC_URGENT_DELAY = 1321,
        IDC_PURGE_DAYS = 1043,
    };
    // The "No COS" item stands for the mailbox root.
    static constexpr long NoCos = 2147483647;

    CMailboxOptionsPpg(CMailboxPps &sheet, const CMailboxPageServices &services);

    unsigned InitialisedBit() const override { return 0x1; }
    void ResetToParent() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;
    // The focus to the mailbox-number field.
    void FocusNumberField();

    // An extension as shown ("\\" pairs made single) and as stored again.
    static QString CollapseBackslashes(const QString &stored);
    static QString ExpandBackslashes(const QString &shown);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillCosList();
    void selectShownCos();
    void cosChosen(long number);
    void chooseCos();
    void askSecurityCode();
    void guestsLeft();
    // Says the guests are out of range and shows the stored number again.
    void refuseGuests();
    void followStoreMessages();
    void followCopyGroups();
    void timeChanged(int id);
    CPageIntValue *timeValue(int id);

    CPageTextValue m_extension;
    CPageBoolValue m_store, m_pending;
    CPageNumValue m_maxLength;
    CPageBoolValue m_dateTime, m_recordName, m_tutorial, m_slowMenu;
    CPageIntValue m_queues;
    CPageBoolValue m_altRateAtLogin;
    CPageIntValue m_gain, m_order, m_guests, m_altRate, m_guardTime;
    CPageBoolValue m_copyEnable, m_deleteAfterCopy;
    CPageTextValue m_copyDestination;
    CPageIntValue m_copyFrom, m_copyTo;
    CPageUIntValue m_copyDelay;
    CPageBoolValue m_urgentEnable;
    CPageTextValue m_urgentDestination;
    CPageIntValue m_urgentFrom, m_urgentTo;
    CPageUIntValue m_urgentDelay;
    CPageIntValue m_purgeDays;

    // The security-code dialog is open: leaving the field again opens no second one.
    bool m_askingCode = false;
};
