// Test helpers: a window whose handler is a function, a thread that owns a
// window and runs an event loop, and a way to run the main thread's loop
// until something has happened.
#pragma once

#include "platform/messages/messageobject.h"
#include "platform/sync/event.h"

#include <QThread>

#include <atomic>
#include <functional>

class TestWindow : public CMessageObject {
public:
    using Handler = std::function<LRESULT(TestWindow &, UINT, WPARAM, LPARAM)>;

    explicit TestWindow(Handler handler = {}, QObject *parent = nullptr);
    ~TestWindow() override;

    // The handler may destroy the window: it runs from a copy.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Handler m_handler;
};

// Owns a TestWindow made on its own thread, which runs an event loop until
// the object is destroyed.
class WindowThread : public QThread {
public:
    explicit WindowThread(TestWindow::Handler handler);
    ~WindowThread() override;

    HWND window() const { return m_window.load(); }

protected:
    void run() override;

private:
    TestWindow::Handler m_handler;
    std::atomic<HWND> m_window{nullptr};
    CEvent m_ready{true};
};

// Runs the calling thread's event loop until `done` holds; false if it did
// not within a generous bound (a hang).
bool pumpUntil(const std::function<bool()> &done);
