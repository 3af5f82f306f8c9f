// Chanview's main window: every voice port of the server with its live
// state, from the trace lines the server pushes to the dialog's own session,
// in ascending port order. A double click shows the port's statistics.
//
// Rows that no longer change must not pass for live ones: when the server
// goes away (the subscription is failed, or the dialog's or the login's
// session loses its link) the title says the server is not available. The
// dialog stays open with its last rows until the operator closes it.
#pragma once

#include "admin/ports/portrowlist.h"
#include "admin/session/tcllist.h"
#include "chanview/anchoreddialog.h"

#include <cstdint>
#include <memory>

class CServerCommandChannel;
class CZELTSession;
class CZELTSubscriptionSink;
class QListWidget;

class CPortStatusDlg : public CAnchoredDialog {
    Q_OBJECT
public:
    enum { IDD = 102, IDC_PORT_LIST = 1008 };
    // The request code pushed lines arrive with.
    static constexpr WPARAM TraceRequestCode = 108;

    explicit CPortStatusDlg(QWidget *parent = nullptr);
    ~CPortStatusDlg() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A pushed line (or the subscription's failure text).
    void OnStatusUpdate(WPARAM code, const QString &text);
    void ShowFocusedPortStatistics();

    QListWidget *PortList() const { return m_portList; }
    CPortRowList &Rows() { return m_rows; }
    // The server went away while the dialog was open.
    bool IsServerLost() const { return m_bServerLost; }

protected:
    bool OnInitDialog() override;
    void done(int result) override;

private:
    bool openSession();
    void subscribe();
    void closeSession();
    void showTitle();
    void stopWatchingServer();
    void onServerLost();

    QListWidget *m_portList;
    std::unique_ptr<CZELTSession> m_pSession;
    uint32_t m_subscription = 0;
    CServerCommandChannel *m_channel = nullptr;
    CZELTSubscriptionSink *m_sink = nullptr;
    CTclList m_splitter;
    CPortRowList m_rows;
    bool m_bServerLost = false;
    bool m_bClosing = false;
};
