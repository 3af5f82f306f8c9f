// The one way admin waits for the server on the user-interface thread,
// whatever is awaited (a command's reply, a login's greeting): windows go on
// painting and replies go on reaching their windows, while the user's input
// waits. A wait that lasts shows what is awaited with Cancel, the only
// window that takes input meanwhile; Cancel ends the wait at once, and what
// the caller awaited is its to drop. Whether the messages posted to windows
// wait too is the caller's choice (a CPostedMessageHold beside the wait).
#pragma once

#include "admin/session/userinputblocker.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class CServerWaitDlg;

class CServerWait {
public:
    enum class Outcome { Arrived, Cancelled, TimedOut };

    // `waitingFor`: the notice's text, shown once the wait lasts
    // `noticeDelayMs`.
    CServerWait(const QString &waitingFor, int noticeDelayMs);
    ~CServerWait();
    CServerWait(const CServerWait &) = delete;
    CServerWait &operator=(const CServerWait &) = delete;

    // Whether the calling thread is the one whose waits must keep the
    // interface alive.
    static bool OnUserInterfaceThread();
    // The notice's text for a command's reply.
    static QString ReplyText(const QByteArray &commandWord);

    // Calls `arrivedWithin(ms)`, which waits up to ms for what is awaited,
    // in short turns between which events are handled, until it is true,
    // Cancel is chosen or `limitMs` has passed. A wait of several steps (a
    // login's greeting, then its confirmation) runs one object several
    // times: its notice comes once the whole has lasted.
    Outcome Run(const std::function<bool(uint32_t)> &arrivedWithin, uint32_t limitMs);

private:
    bool cancelled() const;
    void showNotice();

    const QString m_waitingFor;
    const int m_noticeDelayMs;
    QElapsedTimer m_sinceStart;
    CUserInputBlocker m_input;
    std::unique_ptr<CServerWaitDlg> m_notice;
    // The window that was active when the notice came, active again when
    // it goes: without a window manager nothing else gives it back.
    QPointer<QWidget> m_activeBefore;
};
