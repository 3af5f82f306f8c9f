// "New Notification": picks the title (a notification application or a
// template) and the event of a notification to add. Only titles and events
// the lists offer are taken: a notification of any other title would be
// created on the server yet never listed, so it could not be seen or
// deleted.
#pragma once

#include "platform/mfc/dialog.h"

#include <QStringList>

class QComboBox;

class CNewNotificationDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDD = 170, IDC_TITLE = 1164, IDC_EVENT = 1172 };

    CNewNotificationDlg(const QStringList &titles, const QStringList &events, QWidget *parent = nullptr);

    QString GetTitle() const { return m_title; }
    QString GetEvent() const { return m_event; }

protected:
    void OnOK() override;

private:
    const QStringList m_titles;
    const QStringList m_events;
    QString m_title;
    QString m_event;
    QComboBox *m_titleBox;
    QComboBox *m_eventBox;
};
