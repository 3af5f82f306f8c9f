// The wizard's telephone-system page: the configuration window's Telephone
// System Integration page, loaded but never shown. It gives the other steps
// the integration group names. The wizard has no Serial Ports page, so this
// page tells, as it loads, of a serial port that the server's resource list
// claims while it is the SMDI link of a group.
#pragma once

#include "admin/config/window/configintegrationpropage.h"

class CWizTelephoneSystemsPpg : public CConfigIntegrationPropPage {
    Q_OBJECT
public:
    CWizTelephoneSystemsPpg();

    void LoadFromDepot() override;
};
