// Adds or edits an IVR alias: one of the server's applications (from
// "GetAppList"), or an alias that leads to one, with a parameter.
#pragma once

#include "admin/uatools/aliases/aliaseditdlg.h"

class CIvrAliasDlg : public CAliasEditDlg {
    Q_OBJECT
public:
    enum { IDD = 259 };

    // See CAliasEditDlg; `mode` is ModeAdd (with an empty name) or ModeEdit.
    CIvrAliasDlg(CServerCommandChannel &channel, CServerCommandChannel &applicationChannel, QWidget *parent,
                 const QString &name, int mode);

protected:
    QStringList ApplicationNames() override;
};
