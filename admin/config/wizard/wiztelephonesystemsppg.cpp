// The wizard's telephone-system page; see wiztelephonesystemsppg.h.
#include "admin/config/wizard/wiztelephonesystemsppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/records/serialportlist.h"
#include "platform/msgbox/msgbox.h"

CWizTelephoneSystemsPpg::CWizTelephoneSystemsPpg()
{
    setWindowTitle(QStringLiteral("Configuration Wizard - Add Telephone Systems"));
}

void CWizTelephoneSystemsPpg::LoadFromDepot()
{
    QList<SmdiGroupLink> links;
    for (const ConfigGroupRecord &group : std::as_const(Depot()->m_groups))
        links << SmdiGroupLink{group[0], group[2], group[8]};
    CSerialPortList ports;
    QStringList conflicts;
    ports.Load(Depot()->m_serialPortNames, links, Depot()->m_serialPortAssignment, conflicts);
    for (const QString &conflict : std::as_const(conflicts))
        AfxMessageBox(conflict, MB_OK | MB_ICONEXCLAMATION);
    CConfigIntegrationPropPage::LoadFromDepot();
}
