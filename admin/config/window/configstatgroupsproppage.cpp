// See configstatgroupsproppage.h.
#include "admin/config/window/configstatgroupsproppage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"

namespace {
const QString kTryAgain = QStringLiteral(" Try to enter another ID after closing this message box.");
}

CConfigStatGroupsPropPage::CConfigStatGroupsPropPage()
    : CConfigPortGroupsPage(IDD, QStringLiteral("Statistical Port Groups"),
                            CConfigPropSheet::ID_CONFIG_STAT_GROUPS, CPortGroupList::Statistical)
{
}

QString &CConfigStatGroupsPropPage::DepotText()
{
    return Depot()->m_statisticalGroups;
}

QString CConfigStatGroupsPropPage::RefuseId(const QString &id, int row) const
{
    if (id == QLatin1String("0"))
        return QStringLiteral("Statistical Port Group ID '0' is reserved for all ports.") + kTryAgain;
    for (int i = 0; i < m_groups.Count(); ++i)
        if (i != row - 1 && m_groups.At(i).id == id)
            return QStringLiteral("There is already a Statistical Port Group ID '%1'.").arg(id) + kTryAgain;
    return QString();
}

QString CConfigStatGroupsPropPage::RemoveQuestion(const QString &id) const
{
    return QStringLiteral("Are you sure you want to remove Statistical Port Group '%1'?").arg(id);
}

int CConfigStatGroupsPropPage::RowAfterRemoval(int row) const
{
    return qMin(row, m_groups.Count());
}

bool CConfigStatGroupsPropPage::AskNewId(QString &id)
{
    id = m_groups.NextStatisticalId();
    return true;
}
