// Test helpers; see testwindow.h.
#include "testwindow.h"

#include <QCoreApplication>

#include <chrono>

TestWindow::TestWindow(Handler handler, QObject *parent)
    : CMessageObject(parent), m_handler(std::move(handler))
{
}

TestWindow::~TestWindow()
{
    unregisterWindow();
}

LRESULT TestWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const Handler handler = m_handler;
    return handler ? handler(*this, message, wParam, lParam) : 0;
}

WindowThread::WindowThread(TestWindow::Handler handler) : m_handler(std::move(handler))
{
    start();
    m_ready.Wait(60000);
}

WindowThread::~WindowThread()
{
    quit();
    wait();
}

void WindowThread::run()
{
    TestWindow window(m_handler);
    m_window = window.GetSafeHwnd();
    m_ready.SetEvent();
    exec();
}

bool pumpUntil(const std::function<bool()> &done)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}
