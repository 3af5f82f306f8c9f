// The Add New IVR Host dialog; see addivrhostdlg.h.
#include "admin/config/dialogs/addivrhostdlg.h"

CAddIvrHostDlg::CAddIvrHostDlg(QWidget *parent)
    : CConfigNameDlg(IDD, QStringLiteral("Add New IVR Host"), IDC_NAME, QStringLiteral("Name:"),
                     {QStringLiteral("Specify the Name for the new IVR Host, then press OK to create it. The Name "
                                     "should be different from existing IVR Host Names."),
                      QStringLiteral("Press Cancel if you don't want to create a new IVR Host.")},
                     parent)
{
}
