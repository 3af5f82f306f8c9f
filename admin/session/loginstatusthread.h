// The login progress window's controller, used by Connect on whatever thread
// it runs. Qt widgets live on the user-interface thread, so the window is
// made and removed there, through calls posted from the connecting thread;
// Stop waits (bounded) until the window is gone. A Stop that comes before
// the window was made prevents it. Without a widget application (a test of
// the session alone, a tool) there is no window at all.
#pragma once

#include <QString>

#include <memory>

class CLoginStatusThread {
public:
    CLoginStatusThread(const QString &text, int showDelayMs);
    // Stops the window if Stop was not called.
    ~CLoginStatusThread();
    CLoginStatusThread(const CLoginStatusThread &) = delete;
    CLoginStatusThread &operator=(const CLoginStatusThread &) = delete;

    void Start();
    void Stop();

private:
    struct Shared;
    const QString m_text;
    const int m_showDelayMs;
    std::shared_ptr<Shared> m_shared;
    bool m_started = false;
};
