// Resource ids of controls, kept as a property on the control itself so the
// id lives and dies with the widget.
#include "platform/mfc/dlgitem.h"

int GetDlgCtrlID(const QWidget *control)
{
    return control ? control->property("dlgCtrlId").toInt() : 0;
}
