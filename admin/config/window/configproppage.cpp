// The configuration pages' base; see configproppage.h.
#include "admin/config/window/configproppage.h"

#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configwindowhost.h"

CConfigPropPage::CConfigPropPage(int dialogId, const QString &caption, int commandId)
    : CPropertyPage(dialogId, caption), m_commandId(commandId)
{
}

void CConfigPropPage::SetLinks(CConfigPropSheet *sheet, CConfigDepot *depot)
{
    m_configSheet = sheet;
    m_depot = depot;
}

bool CConfigPropPage::OnSetActive()
{
    if (m_configSheet) {
        PostMessage(m_configSheet->MainWindow(), WM_CONFIG_PAGE_SHOWN, WPARAM(m_commandId), 0);
        m_configSheet->SetCurrentCommand(m_commandId);
    }
    return CPropertyPage::OnSetActive();
}

QList<CConfigPropPage *> CConfigPropPage::peers() const
{
    return m_configSheet ? m_configSheet->Pages() : m_peers;
}

CConfigPropPage *CConfigPropPage::PeerOfCommand(int commandId) const
{
    for (CConfigPropPage *peer : peers())
        if (peer->CommandId() == commandId)
            return peer;
    return nullptr;
}
