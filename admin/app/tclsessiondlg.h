// The Tcl console: a modeless dialog in which a top administrator types a Tcl
// command line, sends it to the server over a session of the console's own,
// and reads the server's answer exactly as it came. The last 16 commands are
// kept in a ring that Previous and Next walk. Several consoles may be open;
// the main frame keeps their handles and asks them to close when the program
// closes.
#pragma once

#include "platform/mfc/dialog.h"

#include <QPointer>
#include <QString>

#include <array>
#include <memory>

class CMainFrame;
class CZELTSession;
class QLineEdit;
class QPlainTextEdit;

class CTclSessionDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 146,
        IDC_RESPONSE = 1215,
        IDC_COMMAND = 1216,
        IDC_PREVIOUS = 1222,
        IDC_NEXT = 1224,
    };
    static constexpr int HistorySlots = 16;

    // Takes the connected session. The frame (may be null) is told when the
    // console goes.
    CTclSessionDlg(CMainFrame *frame, std::unique_ptr<CZELTSession> session);
    ~CTclSessionDlg() override;

    // Disconnects the session, leaves the frame's console list, hides the
    // window and deletes the dialog once control is back in the event loop.
    bool DestroyWindow() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    QString CommandText() const;
    QString ResponseText() const;
    bool IsWaitingForReply() const { return m_waiting; }

protected:
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    void showHistoryEntry(int step);
    void setWaiting(bool waiting);

    QLineEdit *m_commandEdit;
    QPlainTextEdit *m_responseEdit;
    QString m_strCommand;
    std::array<QString, HistorySlots> m_history;
    int m_historyIndex = 0;
    bool m_waiting = false;
    bool m_destroyed = false;
    std::unique_ptr<CZELTSession> m_session;
    QPointer<CMainFrame> m_frame;
};
