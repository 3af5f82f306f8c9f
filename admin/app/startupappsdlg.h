// "Register IVR Alias": the applications the server runs when it starts
// (the server variable "sys_startup_apps", a Tcl list of names). The names
// offered are the server's aliases and applications; OK writes the list to
// the configuration and to the running server. A modeless window of its
// own, deleted when it closes; the main frame keeps it as singleton 2.
#pragma once

#include "platform/mfc/dialog.h"

#include <QStringList>

class CServerCommandChannel;
class QListWidget;
class QPushButton;

class CStartupAppsDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 261, IDC_STARTUP_LIST = 1754, IDC_APP_NAMES = 1755, IDC_ADD = 1503, IDC_DELETE = 1296 };

    // `channel` is the application's session; it outlives the window.
    explicit CStartupAppsDlg(CServerCommandChannel &channel, QWidget *parent = nullptr);

    // The start-up list as it will be saved.
    QStringList StartupApps() const { return m_startupApps; }
    // The list as the server reads it: names joined by blanks, each quoted
    // as a list element where it needs to be.
    static QString JoinList(const QStringList &names);

    bool DestroyWindow() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void addNames(const QString &command);
    void refillStartupList();
    void onNameSelected();
    void onAdd();
    void onDelete();
    bool save();

    CServerCommandChannel &m_channel;
    QListWidget *m_names;
    QListWidget *m_startup;
    QPushButton *m_add;
    QPushButton *m_delete;
    QStringList m_startupApps;
    bool m_destroyed = false;
};
