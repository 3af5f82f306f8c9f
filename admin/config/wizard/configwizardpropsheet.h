// The configuration wizard: a modal sheet in wizard mode that leads the
// administrator through the first set-up of a server. It has a depot of its
// own, loaded from the server when the sheet opens; the answer-method,
// voice-port and holiday steps are twins of the configuration window's
// pages, the update step writes the depot back, and the last two steps
// create classes of service and mailboxes. The telephone-system page is loaded
// but never shown: it supplies the integration group names to the others.
//
// The run ends in Finish or Cancel. The caller records a completed wizard
// on the server only after Finish and only when the update step wrote the
// configuration in this run (ConfigurationWritten): the Finish step is
// reached only through a successful update, but a run whose update failed
// has set nothing up.
#pragma once

#include "admin/config/depot/configdepot.h"
#include "platform/mfc/propertysheet.h"

#include <memory>

class CConfigPropPage;
class CWizAnswerMethodsPpg;
class CWizCOSPpg;
class CWizHolidaysPpg;
class CWizMailboxesPpg;
class CWizTelephoneSystemsPpg;
class CWizTextPpg;
class CWizUpdateConfigPpg;
class CWizVoicePortsPpg;
class CZELTSession;

class CConfigWizardPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    // The steps in wizard order.
    enum Step {
        StepWelcome,
        StepAnswerMethods,
        StepVoicePorts,
        StepHolidays,
        StepUpdate,
        StepCos,
        StepMailboxes,
        StepFinish
    };

    explicit CConfigWizardPropSheet(QWidget *parent = nullptr);
    ~CConfigWizardPropSheet() override;

    // The session of this run, which the caller connected and keeps; the
    // depot talks through its command channel.
    void SetSession(CZELTSession *session);
    CConfigDepot &Depot() { return m_depot; }

    // The update step: every shown page stores its part and the depot is
    // written back. False, with the reason shown, when the server refused
    // any of it or the link failed.
    bool UpdateServer();
    bool ConfigurationWritten() const { return m_written; }
    CWizVoicePortsPpg *VoicePorts() const { return m_voicePorts.get(); }
    CWizAnswerMethodsPpg *AnswerMethods() const { return m_answerMethods.get(); }
    CWizHolidaysPpg *HolidaysPage() const { return m_holidays.get(); }
    CWizCOSPpg *CosPage() const { return m_cos.get(); }
    CWizMailboxesPpg *MailboxesPage() const { return m_mailboxes.get(); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    // F1 anywhere in the sheet: the help of the step shown, as Help gives.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showHelp();
    void loadPages();
    void setStepButtons();
    // The parent lists of both creation steps, from the depot's classes of
    // service.
    void loadCosLists();

    CZELTSession *m_pSession = nullptr;
    CConfigDepot m_depot;
    std::unique_ptr<CWizTextPpg> m_welcome;
    std::unique_ptr<CWizAnswerMethodsPpg> m_answerMethods;
    std::unique_ptr<CWizVoicePortsPpg> m_voicePorts;
    std::unique_ptr<CWizHolidaysPpg> m_holidays;
    std::unique_ptr<CWizTelephoneSystemsPpg> m_telephoneSystems;
    std::unique_ptr<CWizUpdateConfigPpg> m_update;
    std::unique_ptr<CWizCOSPpg> m_cos;
    std::unique_ptr<CWizMailboxesPpg> m_mailboxes;
    std::unique_ptr<CWizTextPpg> m_finish;
    bool m_loaded = false;
    bool m_written = false;
};
