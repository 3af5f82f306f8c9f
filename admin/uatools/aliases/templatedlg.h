// Adds or edits a notification template: an alias that names one of the
// server's notification applications, or another template, with a
// parameter. The notification template editor opens it.
#pragma once

#include "admin/uatools/aliases/aliaseditdlg.h"

class CTemplateDlg : public CAliasEditDlg {
    Q_OBJECT
public:
    enum { IDD = 221 };

    // See CAliasEditDlg; `notificationApps` are the server's notification
    // applications ("Notification_Apps", read at login).
    CTemplateDlg(CServerCommandChannel &channel, CServerCommandChannel &applicationChannel,
                 const QStringList &notificationApps, QWidget *parent, const QString &name, int mode);

protected:
    QStringList ApplicationNames() override { return m_notificationApps; }

private:
    const QStringList m_notificationApps;
};
