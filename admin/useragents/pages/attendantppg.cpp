// The auto-attendant page; see attendantppg.h.
#include "admin/useragents/pages/attendantppg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/pagestrings.h"
#include "admin/useragents/pages/spinbutton.h"
#include "platform/mfc/dataexchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kMaxSeconds = 99999;

void exchangeCheck(CDataExchange *dx, int id, CPageBoolValue &value)
{
    int checked = value.GetValue() ? 1 : 0;
    DDX_Check(dx, id, checked);
    if (dx->m_bSaveAndValidate && (checked == 1) != value.GetValue())
        value.SetValue(checked == 1);
}

} // namespace

CAttendantPpg::CAttendantPpg(CMailboxPps &sheet, const CMailboxPageServices &services)
    : CMailboxPageBase(IDD, IDS_ATTENDANT_PAGE,
                       {
                           {&m_rings, QStringLiteral("Num_RNA"), IDC_RINGS, 1276, false, -1, 0, 32892},
                           {&m_greeting, QStringLiteral("Current_Greeting"), IDC_GREETING, 1277, false, -1, 0, 32893},
                           {&m_instructions, QStringLiteral("Current_Menu"), IDC_INSTRUCTIONS, 1282, false, -1, 0,
                            32894},
                           {&m_maxLength, QStringLiteral("Max_Def_Length"), IDC_MAX_LENGTH, 1279, false, -1, 0,
                            32895},
                           {&m_busyGreeting, QStringLiteral("Busy_Greeting"), IDC_BUSY_SYSTEM, IDL_BUSY_GREETING,
                            false, -1, 0, 32896},
                           {&m_busyLength, QStringLiteral("Max_Busy_Length"), IDC_BUSY_LENGTH, IDL_BUSY_LENGTH,
                            false, -1, 0, 32897},
                           {&m_dnd, QStringLiteral("DND"), IDC_DND, IDC_DND, false, -1, 0, 32898},
                           {&m_screen, QStringLiteral("Call_Screening_Flag"), IDC_SCREEN, IDC_SCREEN, false, -1, 0,
                            32899},
                           {&m_idCall, QStringLiteral("Callee_Identification_Flag"), IDC_ID_CALL, IDC_ID_CALL,
                            false, -1, 0, 32900},
                           {&m_busyHold, QStringLiteral("Allow_Busy_Hold"), IDC_BUSY_HOLD, IDC_BUSY_HOLD, false,
                            -1, 0, 32901},
                           {&m_callerMenu, QStringLiteral("Caller_menu"), IDC_CALLER_MENU, IDC_CALLER_MENU, false,
                            -1, 0, 32902},
                           {&m_pbx, QStringLiteral("PBX"), IDC_PBX, 1669, false, -1, 0, 32903},
                           {&m_pleaseHold, QStringLiteral("Please_Hold_Flag"), IDC_PLEASE_HOLD, IDC_PLEASE_HOLD,
                            false, -1, 0, 32904},
                           {&m_busyDetect, QStringLiteral("Busy_Detect_Enabled"), IDC_BUSY_DETECT,
                            IDC_BUSY_DETECT, false, -1, 0, 61641},
                       },
                       sheet, services)
{
    AddHeading(QStringLiteral("Call processing"));
    QGridLayout *calls = AddGrid();
    calls->addWidget(MakeLabel(1276, QStringLiteral("&Maximum rings:")), 0, 0, Qt::AlignLeft);
    calls->addWidget(MakeSpinEdit(IDC_RINGS, 1132, 1, 9, 50), 0, 1);
    calls->addWidget(MakeLabel(1669, QStringLiteral("&Telephone system:")), 1, 0, Qt::AlignLeft);
    calls->addWidget(MakeCombo(IDC_PBX, false), 1, 1, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_DND, QStringLiteral("&Do not disturb")), 2, 0, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_SCREEN, QStringLiteral("&Screen calls")), 2, 1, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_ID_CALL, QStringLiteral("&ID call")), 3, 0, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_BUSY_HOLD, QStringLiteral("Busy &hold")), 3, 1, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_CALLER_MENU, QStringLiteral("&Caller menu")), 4, 0, Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_PLEASE_HOLD, QStringLiteral("&Play \"Please hold\" prompt")), 4, 1,
                     Qt::AlignLeft);
    calls->addWidget(MakeCheck(IDC_BUSY_DETECT, QStringLiteral("Busy Detect &Enabled")), 5, 0, Qt::AlignLeft);
    calls->setColumnStretch(2, 1);

    AddHeading(QStringLiteral("Greetings - Voice menu"));
    QGridLayout *greetings = AddGrid();
    greetings->addWidget(MakeLabel(1277, QStringLiteral("Selected &greeting:")), 0, 0, Qt::AlignLeft);
    greetings->addWidget(MakeSpinEdit(IDC_GREETING, 1136, 0, 7, 50), 0, 1);
    greetings->addWidget(MakeLabel(1282, QStringLiteral("Selected &instructional greeting:")), 1, 0,
                         Qt::AlignLeft);
    greetings->addWidget(MakeSpinEdit(IDC_INSTRUCTIONS, 1135, 0, 7, 50), 1, 1);
    greetings->addWidget(MakeLabel(1279, QStringLiteral("&Maximum length in seconds:")), 2, 0, Qt::AlignLeft);
    greetings->addWidget(MakeSpinEdit(IDC_MAX_LENGTH, 1134, 0, kMaxSeconds, 70), 2, 1);
    greetings->addWidget(MakeLabel(IDL_BUSY_GREETING, QStringLiteral("&Busy greeting:")), 3, 0, Qt::AlignLeft);
    auto *busy = new QHBoxLayout;
    busy->addWidget(MakeRadio(IDC_BUSY_SYSTEM, QStringLiteral("&System")));
    busy->addWidget(MakeRadio(IDC_BUSY_CUSTOM, QStringLiteral("&Custom")));
    busy->addStretch(1);
    greetings->addLayout(busy, 3, 1);
    greetings->addWidget(MakeLabel(IDL_BUSY_LENGTH, QStringLiteral("Maximum &length in seconds:")), 4, 0,
                         Qt::AlignLeft);
    greetings->addWidget(MakeSpinEdit(IDC_BUSY_LENGTH, 1140, 0, kMaxSeconds, 70), 4, 1);
    greetings->setColumnStretch(2, 1);
    Body()->addStretch(1);

    connect(GetDlgItem<QComboBox>(IDC_PBX), &QComboBox::activated, this, [this] {
        // A telephone system picked from the list is an edit of the field.
        if (UpdateData(true))
            OnEditChange(IDC_PBX);
    });
}

bool CAttendantPpg::OnInitDialog()
{
    CMailboxPageBase::OnInitDialog();
    fillTelephoneSystems();
    Sheet().AddChangedFlags(InitialisedBit());
    SetControlTips(*this, {{1226, 61594}, {1232, 32968}, {1234, 32969}, {1230, 32970}, {1668, 32903},
                           {1006, 32892}, {1243, 32898}, {1246, 32899}, {1088, 32900}, {1091, 32901},
                           {1115, 32902}, {1117, 32904}, {1118, 61641}, {1236, 32893}, {1238, 32894},
                           {1240, 32895}, {1078, 32896}, {1081, 32896}, {1084, 32897}});
    return true;
}

void CAttendantPpg::fillTelephoneSystems()
{
    CPendingCommand pending = Sheet().Channel()->BeginCommand(QStringLiteral("set pbx_list\r\n"));
    if (!pending.IsValid())
        return;
    const QString reply = Sheet().Channel()->WaitReply(pending);
    // A server without the list leaves it empty; the page works without it.
    if (IsErrorReply(reply))
        return;
    QStringList systems;
    CTclList().SplitList(reply, systems);
    GetDlgItem<QComboBox>(IDC_PBX)->addItems(systems);
}

void CAttendantPpg::DoDataExchange(CDataExchange *dx)
{
    CMailboxPageBase::DoDataExchange(dx);
    unsigned rings = m_rings.GetValue();
    DDX_Text(dx, IDC_RINGS, rings);
    CheckTypedRange(dx, IDC_RINGS, rings, 1, 9);
    int greeting = m_greeting.GetValue();
    DDX_Text(dx, IDC_GREETING, greeting);
    CheckTypedRange(dx, IDC_GREETING, greeting, 0, 7);
    int busyGreeting = m_busyGreeting.GetValue();
    if (dx->m_bSaveAndValidate)
        SaveRadio({IDC_BUSY_SYSTEM, IDC_BUSY_CUSTOM}, busyGreeting);
    else
        LoadRadio({IDC_BUSY_SYSTEM, IDC_BUSY_CUSTOM}, busyGreeting);
    for (auto [id, value] : {std::pair{int(IDC_DND), &m_dnd}, {int(IDC_SCREEN), &m_screen},
                             {int(IDC_ID_CALL), &m_idCall}, {int(IDC_BUSY_HOLD), &m_busyHold},
                             {int(IDC_CALLER_MENU), &m_callerMenu}})
        exchangeCheck(dx, id, *value);
    int instructions = m_instructions.GetValue();
    DDX_Text(dx, IDC_INSTRUCTIONS, instructions);
    CheckTypedRange(dx, IDC_INSTRUCTIONS, instructions, 0, 7);
    ExchangeComboText(dx, IDC_PBX, m_pbx.GetValueRef());
    exchangeCheck(dx, IDC_PLEASE_HOLD, m_pleaseHold);
    exchangeCheck(dx, IDC_BUSY_DETECT, m_busyDetect);
    // Lengths show in whole seconds; only a length the administrator typed
    // goes back, so 45500 ms left alone stays 45500.
    for (auto [id, value] : {std::pair{int(IDC_BUSY_LENGTH), &m_busyLength}, {int(IDC_MAX_LENGTH), &m_maxLength}}) {
        int seconds = value->GetValue() / 1000;
        DDX_Text(dx, id, seconds);
        CheckTypedRange(dx, id, seconds, 0, kMaxSeconds);
        if (dx->m_bSaveAndValidate && GetDlgItem<QLineEdit>(id)->isModified())
            value->SetValue(seconds * 1000);
    }
    if (dx->m_bSaveAndValidate) {
        m_rings.SetValue(rings);
        m_greeting.SetValue(greeting);
        m_instructions.SetValue(instructions);
        m_busyGreeting.SetValue(busyGreeting);
    } else {
        followBusyGreeting();
    }
}

void CAttendantPpg::followBusyGreeting()
{
    // The busy greeting's length matters only for a custom greeting.
    const bool custom = m_busyGreeting.GetValue() != 0;
    m_busyLength.SetDisabled(!custom);
    RefreshControlById(IDL_BUSY_LENGTH);
    if (QWidget *spin = GetDlgItem(1140))
        spin->setEnabled(custom);
}

void CAttendantPpg::busyGreetingClicked(bool custom)
{
    m_busyGreeting.SetValue(custom ? 1 : 0);
    followBusyGreeting();
    SetPageModified(true);
    MarkFieldChanged(IDC_BUSY_SYSTEM);
}

void CAttendantPpg::OnUserAgentLoaded(WPARAM wParam, LPARAM lParam)
{
    CMailboxPageBase::OnUserAgentLoaded(wParam, lParam);
    followBusyGreeting();
}

void CAttendantPpg::ResetToParent()
{
    ResetToCOS();
}

LRESULT CAttendantPpg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const int id = int(LOWORD(wParam));
        if (id == IDC_BUSY_SYSTEM || id == IDC_BUSY_CUSTOM) {
            busyGreetingClicked(id == IDC_BUSY_CUSTOM);
            return 0;
        }
    }
    return CMailboxPageBase::WindowProc(message, wParam, lParam);
}
