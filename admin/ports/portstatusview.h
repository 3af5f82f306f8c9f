// admin's voice-port status window: one row per voice port of the server,
// kept up to date by the trace lines the server pushes to the window's own
// session, ports in ascending order. A double click shows the statistics of
// the port under the focus, and F1 (WM_HELP) opens the help at its first
// page. The window owns nothing of the session: the document that opened it
// does; the view only subscribes and unsubscribes.
#pragma once

#include "admin/ports/portrowlist.h"
#include "admin/session/tcllist.h"
#include "platform/messages/messagetarget.h"

#include <QListWidget>

#include <cstdint>
#include <functional>

class CServerCommandChannel;
class CZELTSubscriptionSink;

class CPortStatusView : public QListWidget, public CMessageTarget {
    Q_OBJECT
public:
    // The request code pushed lines arrive with.
    static constexpr WPARAM TraceRequestCode = 61506;

    explicit CPortStatusView(QWidget *parent = nullptr);
    // Unsubscribes, then tells whoever opened the window that it is gone.
    ~CPortStatusView() override;

    // Subscribes to the port-state trace and asks for the state of every port.
    void OnInitialUpdate(CServerCommandChannel *channel, CZELTSubscriptionSink *sink);
    // Called once when the window goes, whether or not a row was ever shown,
    // so the single-window mark never outlives the window.
    void SetClosedHandler(std::function<void()> handler) { m_onClosed = std::move(handler); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A pushed line; lines of any other shape are dropped.
    void OnServerReply(WPARAM code, const QString &text);
    // Opens the statistics of the focused port, if any.
    void ShowFocusedPortStatistics();

    bool RowShown() const { return m_rowShown; }
    CPortRowList &Rows() { return m_rows; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CServerCommandChannel *m_channel = nullptr;
    CZELTSubscriptionSink *m_sink = nullptr;
    uint32_t m_subscription = 0;
    bool m_rowShown = false;
    CTclList m_splitter;
    CPortRowList m_rows;
    std::function<void()> m_onClosed;
};
