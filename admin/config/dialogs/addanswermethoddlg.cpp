// The Add New Answer Method dialog; see addanswermethoddlg.h.
#include "admin/config/dialogs/addanswermethoddlg.h"

CAddAnswerMethodDlg::CAddAnswerMethodDlg(QWidget *parent)
    : CConfigNameDlg(
          IDD, QStringLiteral("Add New Answer Method"), IDC_NAME, QStringLiteral("Name:"),
          {QStringLiteral("Specify the Name for the new Answer Method, then press OK to create it. The "
                          "Name should be different from existing Answer Method Names."),
           QStringLiteral("Press Cancel if you don't want to create a new Answer Method.")},
          parent)
{
}
