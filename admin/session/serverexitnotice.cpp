// The lost-server latch; see serverexitnotice.h.
#include "admin/session/serverexitnotice.h"

#include <atomic>
#include <mutex>

namespace {
std::mutex g_windowMutex;
HWND g_mainWindow = nullptr;
std::atomic<bool> g_exitPosted{false};
} // namespace

void CServerExitNotice::SetMainWindow(HWND window)
{
    std::lock_guard lock(g_windowMutex);
    g_mainWindow = window;
    g_exitPosted = false;
}

bool CServerExitNotice::ServerLost(bool loginCompleted)
{
    std::lock_guard lock(g_windowMutex);
    if (g_mainWindow == nullptr) {
        // A refused login ends its link too; only a lost server is noted.
        if (loginCompleted)
            g_exitPosted = true;
        return false;
    }
    if (g_exitPosted.exchange(true))
        return false;
    return PostMessage(g_mainWindow, WM_SERVER_EXIT, loginCompleted ? 1 : 0, 0);
}

bool CServerExitNotice::IsServerLost()
{
    return g_exitPosted;
}
