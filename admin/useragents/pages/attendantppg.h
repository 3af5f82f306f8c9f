// The second page of the mailbox sheet, "Auto Attendant Options": rings
// before no-answer, do-not-disturb and screening switches, the selected
// greetings and their lengths, the busy greeting and the telephone system
// the box's extension belongs to. Lengths are stored in milliseconds and
// shown in seconds; a length the administrator leaves alone is stored back
// exactly as it came, not rounded to whole seconds.
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"

class CAttendantPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 166,
        IDC_RINGS = 1006,
        IDC_GREETING = 1236,
        IDC_INSTRUCTIONS = 1238,
        IDC_MAX_LENGTH = 1240,
        IDC_BUSY_SYSTEM = 1078,
        IDC_BUSY_CUSTOM = 1081,
        IDC_BUSY_LENGTH = 1084,
        IDC_DND = 1243,
        IDC_SCREEN = 1246,
        IDC_ID_CALL = 1088,
        IDC_BUSY_HOLD = 1091,
        IDC_CALLER_MENU = 1115,
        IDC_PBX = 1668,
        IDC_PLEASE_HOLD = 1117,
        IDC_BUSY_DETECT = 1118,
        IDL_BUSY_GREETING = 1290,
        IDL_BUSY_LENGTH = 1292,
    };

    CAttendantPpg(CMailboxPps &sheet, const CMailboxPageServices &services);

    unsigned InitialisedBit() const override { return 0x10; }
    void ResetToParent() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillTelephoneSystems();
    void followBusyGreeting();
    void busyGreetingClicked(bool custom);

    CPageUIntValue m_rings;
    CPageIntValue m_greeting;
    CPageIntValue m_instructions;
    CPageIntValue m_maxLength{0};
    CPageIntValue m_busyGreeting{-1};
    CPageIntValue m_busyLength;
    CPageBoolValue m_dnd;
    CPageBoolValue m_screen;
    CPageBoolValue m_idCall;
    CPageBoolValue m_busyHold;
    CPageBoolValue m_callerMenu;
    CPageTextValue m_pbx;
    CPageBoolValue m_pleaseHold;
    CPageBoolValue m_busyDetect{true};
};
