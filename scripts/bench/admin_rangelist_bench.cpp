// The application's range-list reader and allowed-list checks: reading an
// administrator's list, asking whether a box is allowed, and checking a
// dialog's list against the allowed one. A range costs the same whatever
// its width, which is what the wide cases show.
#include "admin/uatools/ranges/rangelist.h"

#include <benchmark/benchmark.h>

namespace {

QString ManySingles(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QString::number(1000 + 3 * i) + u' ';
    return text;
}

void ParseWideRange(benchmark::State &state)
{
    const QString text = QStringLiteral("1-2000000000");
    for (auto _ : state)
        benchmark::DoNotOptimize(CRangeList::Parse(text));
}
BENCHMARK(ParseWideRange);

void ParseManySingles(benchmark::State &state)
{
    const QString text = ManySingles(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CRangeList::Parse(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ParseManySingles)->Arg(100)->Arg(10000);

void ContainsInManyIntervals(benchmark::State &state)
{
    const CRangeList list = *CRangeList::Parse(ManySingles(int(state.range(0))));
    int64_t number = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.Contains(number));
        number = (number + 7919) % 40000;
    }
}
BENCHMARK(ContainsInManyIntervals)->Arg(100)->Arg(10000);

void IntersectWideWithMany(benchmark::State &state)
{
    const CRangeList allowed = *CRangeList::Parse(ManySingles(10000));
    const CRangeList asked = *CRangeList::Parse(QStringLiteral("1-2000000000"));
    for (auto _ : state)
        benchmark::DoNotOptimize(asked.Intersected(allowed).Count());
}
BENCHMARK(IntersectWideWithMany);

} // namespace

BENCHMARK_MAIN();
