// The IVR alias add/edit dialog; see ivraliasdlg.h.
#include "admin/uatools/aliases/ivraliasdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"

CIvrAliasDlg::CIvrAliasDlg(CServerCommandChannel &channel, CServerCommandChannel &applicationChannel,
                           QWidget *parent, const QString &name, int mode)
    : CAliasEditDlg(IDD, {tr("Edit IVR Alias"), tr("Alias Name:"), tr("Add IVR Alias"), tr("Edit IVR Alias")},
                    channel, applicationChannel, parent, name, mode)
{
}

QStringList CIvrAliasDlg::ApplicationNames()
{
    const QString reply = Channel().Execute(QStringLiteral("GetAppList"), true, 1);
    QStringList names;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, names);
    return names;
}
