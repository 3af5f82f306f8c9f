// The wizard's update step; see wizupdateconfigppg.h.
#include "admin/config/wizard/wizupdateconfigppg.h"

#include "admin/config/wizard/configwizardpropsheet.h"

CWizUpdateConfigPpg::CWizUpdateConfigPpg(CConfigWizardPropSheet *sheet)
    : CWizTextPpg(0, QStringLiteral("Configuration Wizard - Update VerbantaES System Configuration"),
                  {QStringLiteral("You have completed the data entry in Step 1 and Configuration Wizard is ready to "
                                  "update VerbantaES server with the information you have entered."),
                   QStringLiteral("If you don't want to update VerbantaES, you can move back to the previous pages "
                                  "and enter more data, or you can quit Configuration Wizard by clicking on the "
                                  "Cancel button."),
                   QStringLiteral("Click on the Next button, and Configuration Wizard will update VerbantaES. Then "
                                  "it will move to the Create Classes Of Service page.")},
                  PSWIZB_BACK | PSWIZB_NEXT),
      m_sheet(sheet)
{
}

LRESULT CWizUpdateConfigPpg::OnWizardNext()
{
    // A refused update keeps the step, so that the administrator can go
    // back and mend, or try again.
    return m_sheet->UpdateServer() ? 0 : -1;
}
