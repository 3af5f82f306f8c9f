// The notification template add/edit dialog; see templatedlg.h.
#include "admin/uatools/aliases/templatedlg.h"

CTemplateDlg::CTemplateDlg(CServerCommandChannel &channel, CServerCommandChannel &applicationChannel,
                           const QStringList &notificationApps, QWidget *parent, const QString &name, int mode)
    : CAliasEditDlg(IDD, {tr("Edit Template"), tr("Template Name:"), tr("Add Template"), tr("Edit Template")},
                    channel, applicationChannel, parent, name, mode),
      m_notificationApps(notificationApps)
{
}
