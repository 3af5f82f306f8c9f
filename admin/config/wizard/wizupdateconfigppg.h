// The wizard's update step: its Next writes the configuration to the
// server, and stays on the step when the server refused any of it.
#pragma once

#include "admin/config/wizard/wiztextppg.h"

class CConfigWizardPropSheet;

class CWizUpdateConfigPpg : public CWizTextPpg {
    Q_OBJECT
public:
    explicit CWizUpdateConfigPpg(CConfigWizardPropSheet *sheet);

    LRESULT OnWizardNext() override;

private:
    CConfigWizardPropSheet *m_sheet;
};
