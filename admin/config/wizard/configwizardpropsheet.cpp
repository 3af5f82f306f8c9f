// The configuration wizard; see configwizardpropsheet.h.
#include "admin/config/wizard/configwizardpropsheet.h"

#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/wizard/wizanswermethodsppg.h"
#include "admin/config/wizard/wizcosppg.h"
#include "admin/config/wizard/wizholidaysppg.h"
#include "admin/config/wizard/wizmailboxesppg.h"
#include "admin/config/wizard/wiztelephonesystemsppg.h"
#include "admin/config/wizard/wizupdateconfigppg.h"
#include "admin/config/wizard/wizvoiceportsppg.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/widgets/htmlhelp.h"
#include "platform/mfc/waitcursor.h"

namespace {

constexpr char kHelpFile[] = "admin.chm";
constexpr char kWizardCaption[] = "Configuration Wizard";

// The help topic of each step; 0 for the help file's start.
constexpr uintptr_t kHelpContexts[] = {0, 1600, 1601, 1597, 0, 1598, 1599, 0};

std::unique_ptr<CWizTextPpg> makeWelcome()
{
    return std::make_unique<CWizTextPpg>(
        0, QLatin1String(kWizardCaption),
        QStringList{
            QStringLiteral("Configuration Wizard will guide you through setting up your VerbantaES server for basic "
                           "operation. It includes the following steps:"),
            QStringLiteral("Step 1 - System Configuration. On several pages you will specify the telephone systems "
                           "in your VerbantaES environment, set up voice lines and answering methods for the Auto "
                           "Attendant. Also you will set up holidays."),
            QStringLiteral("Step 2 - Creating mailboxes. You can create Classes Of Services for your mailboxes and "
                           "you can create mailboxes individually or ranges of mailboxes at a time."),
            QStringLiteral("You can move forward or backward on all pages by using the Back and Next buttons. "
                           "Configuration Wizard always notifies you before it sends any data to VerbantaES server "
                           "and you can decide to proceed or cancel the update."),
            QStringLiteral("Click on the Next button to start the configuration.")},
        PSWIZB_NEXT);
}

std::unique_ptr<CWizTextPpg> makeFinish()
{
    return std::make_unique<CWizTextPpg>(
        0, QLatin1String(kWizardCaption),
        QStringList{QStringLiteral("You have completed all steps of the Configuration Wizard. Your configuration is "
                                   "updated in the VerbantaES server."),
                    QStringLiteral("Click on the Finish button to exit Configuration Wizard, or click on the Back "
                                   "button to move back any of the previous pages.")},
        PSWIZB_BACK | PSWIZB_FINISH);
}

} // namespace

CConfigWizardPropSheet::CConfigWizardPropSheet(QWidget *parent)
    : CPropertySheet(QLatin1String(kWizardCaption), parent), m_welcome(makeWelcome()),
      m_answerMethods(std::make_unique<CWizAnswerMethodsPpg>()),
      m_voicePorts(std::make_unique<CWizVoicePortsPpg>()), m_holidays(std::make_unique<CWizHolidaysPpg>()),
      m_telephoneSystems(std::make_unique<CWizTelephoneSystemsPpg>()),
      m_update(std::make_unique<CWizUpdateConfigPpg>(this)), m_cos(std::make_unique<CWizCOSPpg>(&m_depot)),
      m_mailboxes(std::make_unique<CWizMailboxesPpg>(&m_depot)), m_finish(makeFinish())
{
    const QList<CConfigPropPage *> peers{m_answerMethods.get(), m_voicePorts.get(), m_holidays.get(),
                                         m_telephoneSystems.get()};
    for (CConfigPropPage *page : peers) {
        page->SetLinks(nullptr, &m_depot);
        page->SetPeers(peers);
    }
    AddPage(m_welcome.get());
    AddPage(m_answerMethods.get());
    AddPage(m_voicePorts.get());
    AddPage(m_holidays.get());
    AddPage(m_update.get());
    AddPage(m_cos.get());
    AddPage(m_mailboxes.get());
    connect(m_telephoneSystems.get(), &CConfigIntegrationPropPage::GroupNamesChanged, m_cos.get(),
            &CWizCOSPpg::SetTelephoneSystems);
    for (CWizCreatePpg *page : {static_cast<CWizCreatePpg *>(m_cos.get()), static_cast<CWizCreatePpg *>(m_mailboxes.get())})
        connect(page, &CWizCreatePpg::Created, this, &CConfigWizardPropSheet::loadCosLists);
    AddPage(m_finish.get());
    SetWizardMode();
    ShowHelpButton(true);
}

CConfigWizardPropSheet::~CConfigWizardPropSheet() = default;

void CConfigWizardPropSheet::SetSession(CZELTSession *session)
{
    m_pSession = session;
    m_depot.SetChannel(session ? session->CommandChannel() : nullptr);
    m_cos->SetChannel(m_depot.Channel());
    m_mailboxes->SetChannel(m_depot.Channel());
}

bool CConfigWizardPropSheet::OnInitDialog()
{
    try {
        CWaitCursor wait;
        loadPages();
        m_loaded = true;
    } catch (const CZltException &failure) {
        failure.ReportError();
    }
    const bool result = CPropertySheet::OnInitDialog();
    setStepButtons();
    return result;
}

void CConfigWizardPropSheet::loadPages()
{
    m_depot.Load();
    // The order in which the configuration window's pages read the depot:
    // the answer-method page listens to the telephone-system page, which
    // loads after it.
    m_answerMethods->LoadFromDepot();
    m_holidays->LoadFromDepot();
    m_telephoneSystems->LoadFromDepot();
    m_voicePorts->LoadFromDepot();
    m_depot.ReloadCosAndUaLists();
    loadCosLists();
    m_mailboxes->SetModified(false);
}

void CConfigWizardPropSheet::loadCosLists()
{
    m_cos->LoadCosList();
    m_mailboxes->SetCosChoices(m_cos->CosChoices());
}

bool CConfigWizardPropSheet::UpdateServer()
{
    if (!m_loaded)
        return false;
    CWaitCursor wait;
    try {
        for (CConfigPropPage *page : {static_cast<CConfigPropPage *>(m_answerMethods.get()),
                                      static_cast<CConfigPropPage *>(m_holidays.get()),
                                      static_cast<CConfigPropPage *>(m_telephoneSystems.get()),
                                      static_cast<CConfigPropPage *>(m_voicePorts.get())})
            if (page->HasWindow())
                page->SaveToDepot();
        // The depot names the refusals itself.
        if (!m_depot.Save().succeeded())
            return false;
    } catch (const CZltException &failure) {
        failure.ReportError();
        return false;
    }
    m_written = true;
    return true;
}

bool CConfigWizardPropSheet::OnCommand(int id)
{
    if (id == IDHELP) {
        showHelp();
        return true;
    }
    const bool handled = CPropertySheet::OnCommand(id);
    if (id == ID_WIZBACK || id == ID_WIZNEXT)
        setStepButtons();
    return handled;
}

LRESULT CConfigWizardPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_HELP)
        return CPropertySheet::WindowProc(message, wParam, lParam);
    showHelp();
    return 1;
}

void CConfigWizardPropSheet::showHelp()
{
    const int step = GetActiveIndex();
    const uintptr_t context = step >= 0 && step < int(std::size(kHelpContexts)) ? kHelpContexts[step] : 0;
    CallHtmlHelp(GetSafeHwnd(), QLatin1String(kHelpFile), context ? HH_HELP_CONTEXT : HH_DISPLAY_TOPIC, context);
}

void CConfigWizardPropSheet::setStepButtons()
{
    // The informing steps set their own buttons; the configuration pages
    // are the window's pages, which know nothing of a wizard.
    const int step = GetActiveIndex();
    if (step == StepAnswerMethods || step == StepVoicePorts || step == StepHolidays)
        SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}
