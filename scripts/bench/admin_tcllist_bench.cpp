// Splitting a reply of 100 000 elements: the session's splitter against a
// bare Tcl_SplitList with Tcl_Free. The splitter's own road (Split) must stay
// within 1.2 times the bare call; filling a QStringList (every element made
// a QString) is measured beside it for what the windows pay.
#include "admin/session/tcllist.h"

#include <benchmark/benchmark.h>
#include <tcl.h>

namespace {

QByteArray longReply()
{
    QByteArray reply;
    for (int i = 0; i < 100000; ++i)
        reply += "ua" + QByteArray::number(i) + (i % 10 == 0 ? " {John Smith} " : " ");
    return reply;
}

void BareTclSplitList(benchmark::State &state)
{
    const QByteArray reply = longReply();
    for (auto _ : state) {
        int count = 0;
        const char **elements = nullptr;
        Tcl_SplitList(nullptr, reply.constData(), &count, &elements);
        benchmark::DoNotOptimize(elements);
        Tcl_Free(reinterpret_cast<char *>(elements));
    }
}
BENCHMARK(BareTclSplitList)->Unit(benchmark::kMillisecond);

void CTclListSplit(benchmark::State &state)
{
    const QByteArray reply = longReply();
    const CTclList splitter;
    for (auto _ : state) {
        const CTclElements elements = splitter.Split(reply);
        benchmark::DoNotOptimize(elements.size());
    }
}
BENCHMARK(CTclListSplit)->Unit(benchmark::kMillisecond);

void CTclListSplitListToQStrings(benchmark::State &state)
{
    const QString reply = QString::fromUtf8(longReply());
    const CTclList splitter;
    for (auto _ : state) {
        QStringList out;
        splitter.SplitList(reply, out);
        benchmark::DoNotOptimize(out.size());
    }
}
BENCHMARK(CTclListSplitListToQStrings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
