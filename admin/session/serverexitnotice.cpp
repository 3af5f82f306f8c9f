// The lost-server latch; see serverexitnotice.h.
#include "admin/session/serverexitnotice.h"

#include <atomic>
#include <mutex>

namespace {
std::mutex g_windowMutex;
HWND g_mainWindow = nullptr;
std::atomic<bool> g_exitPosted{false};
QString g_cause;
} // namespace

void CServerExitNotice::SetMainWindow(HWND window)
{
    std::lock_guard lock(g_windowMutex);
    g_mainWindow = window;
    g_exitPosted = false;
    g_cause.clear();
}

bool CServerExitNotice::ServerLost(bool loginCompleted, const QString &cause)
{
    std::lock_guard lock(g_windowMutex);
    if (g_mainWindow == nullptr) {
        // A refused login ends its link too; only a lost server is noted.
        if (loginCompleted && !g_exitPosted.exchange(true))
            g_cause = cause;
        return false;
    }
    if (g_exitPosted.exchange(true))
        return false;
    g_cause = cause;
    return PostMessage(g_mainWindow, WM_SERVER_EXIT, loginCompleted ? 1 : 0, 0);
}

QString CServerExitNotice::Cause()
{
    std::lock_guard lock(g_windowMutex);
    return g_cause;
}

bool CServerExitNotice::IsServerLost()
{
    return g_exitPosted;
}
