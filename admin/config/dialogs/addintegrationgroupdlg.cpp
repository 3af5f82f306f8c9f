// The Add New Telephone System Integration Group dialog; see
// addintegrationgroupdlg.h.
#include "admin/config/dialogs/addintegrationgroupdlg.h"

CAddIntegrationGroupDlg::CAddIntegrationGroupDlg(QWidget *parent)
    : CConfigNameDlg(
          IDD, QStringLiteral("Add New Telephone System Integration Group"), IDC_NAME,
          QStringLiteral("Group Name:"),
          {QStringLiteral("Specify  the Group Name for the new Telephone System Integration Group, then "
                          "press OK to create the group. The Group Name should be different from "
                          "existing Group Names."),
           QStringLiteral("Press Cancel if you don't want to create a new Telephone System Integration "
                          "Group.")},
          parent)
{
}
