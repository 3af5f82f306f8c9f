// The stand-in layer's costs that callers pay per command: a message sent to
// a window on another thread (what every reply delivered to a window costs),
// a same-thread send, an event handed between two threads, and a registry
// value written through to its store file and read back, or only read.
#include "platform/messages/messageobject.h"
#include "platform/registry/regkey.h"
#include "platform/sync/event.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

class EchoWindow : public CMessageObject {
public:
    ~EchoWindow() override { unregisterWindow(); }
    LRESULT WindowProc(UINT, WPARAM wParam, LPARAM) override { return LRESULT(wParam) + 1; }
};

// A thread running an event loop with one EchoWindow.
class WindowThread : public QThread {
public:
    WindowThread()
    {
        start();
        m_ready.Wait();
    }
    ~WindowThread() override
    {
        quit();
        wait();
    }
    HWND window() const { return m_window.load(); }

protected:
    void run() override
    {
        EchoWindow window;
        m_window = window.GetSafeHwnd();
        m_ready.SetEvent();
        exec();
    }

private:
    std::atomic<HWND> m_window{nullptr};
    CEvent m_ready{true};
};

void CrossThreadSendMessage(benchmark::State &state)
{
    WindowThread thread;
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(thread.window(), WM_USER, ++i, 0));
}
BENCHMARK(CrossThreadSendMessage)->UseRealTime();

void SameThreadSendMessage(benchmark::State &state)
{
    EchoWindow window;
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(window.GetSafeHwnd(), WM_USER, ++i, 0));
}
BENCHMARK(SameThreadSendMessage);

void EventPingPong(benchmark::State &state)
{
    CEvent ping;
    CEvent pong;
    std::atomic<bool> stop{false};
    std::thread partner([&] {
        while (ping.Wait() == WAIT_OBJECT_0 && !stop)
            pong.SetEvent();
    });
    for (auto _ : state) {
        ping.SetEvent();
        pong.Wait();
    }
    stop = true;
    ping.SetEvent();
    partner.join();
}
BENCHMARK(EventPingPong)->UseRealTime();

void RegistryWriteThroughAndRead(benchmark::State &state)
{
    QTemporaryDir folder;
    setenv("XDG_CONFIG_HOME", folder.path().toUtf8().constData(), 1);
    CRegKey key;
    key.Create(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login");
    int i = 0;
    for (auto _ : state) {
        key.SetString("Host", QString::number(++i));
        benchmark::DoNotOptimize(key.QueryString("Host"));
    }
}
BENCHMARK(RegistryWriteThroughAndRead);

void RegistryRead(benchmark::State &state)
{
    QTemporaryDir folder;
    setenv("XDG_CONFIG_HOME", folder.path().toUtf8().constData(), 1);
    CRegKey key;
    key.Create(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login");
    key.SetString("Host", "127.0.0.1,alpha,");
    for (auto _ : state)
        benchmark::DoNotOptimize(key.QueryString("Host"));
}
BENCHMARK(RegistryRead);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
