// Filling the mailbox editor's list from a reply of 100 000 user agents (the
// records the list query answers: header, names, COS, comment, names and
// extension). Split + fill must stay within 2 times a bare Tcl_SplitList of
// the same reply plus a plain model insert (every element into a
// QStringListModel), and the heap it needs at its peak within 3 times the
// reply's size. The heap is counted by wrapping malloc for this program.
#include "admin/useragents/mailboxlistmodel.h"
#include "admin/useragents/useragentarray.h"

#include <QStringListModel>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <tcl.h>

#include <algorithm>
#include <atomic>
#include <chrono>

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *pointer);
}

namespace {

std::atomic<long long> g_heapInUse{0};
std::atomic<long long> g_heapPeak{0};

void *counted(void *pointer)
{
    if (pointer) {
        const long long now = g_heapInUse += static_cast<long long>(malloc_usable_size(pointer));
        long long peak = g_heapPeak.load();
        while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
        }
    }
    return pointer;
}

void uncount(void *pointer)
{
    if (pointer)
        g_heapInUse -= static_cast<long long>(malloc_usable_size(pointer));
}

} // namespace

extern "C" {
void *malloc(size_t size)
{
    return counted(__libc_malloc(size));
}
void *calloc(size_t count, size_t size)
{
    return counted(__libc_calloc(count, size));
}
void *realloc(void *pointer, size_t size)
{
    uncount(pointer);
    void *moved = __libc_realloc(pointer, size);
    if (!moved && size != 0 && pointer) {
        // The old block is still there.
        counted(pointer);
        return nullptr;
    }
    return counted(moved);
}
void free(void *pointer)
{
    uncount(pointer);
    __libc_free(pointer);
}
void *memalign(size_t alignment, size_t size)
{
    return counted(__libc_memalign(alignment, size));
}
void *aligned_alloc(size_t alignment, size_t size)
{
    return counted(__libc_memalign(alignment, size));
}
int posix_memalign(void **out, size_t alignment, size_t size)
{
    void *pointer = __libc_memalign(alignment, size);
    if (!pointer)
        return 12; // ENOMEM
    *out = counted(pointer);
    return 0;
}
}

namespace {

constexpr int BoxCount = 100000;

QByteArray listReply()
{
    QByteArray reply;
    for (int i = 0; i < BoxCount; ++i) {
        const QByteArray n = QByteArray::number(1000 + i);
        const QByteArray cos = QByteArray::number(10 + i % 40);
        reply += "{{" + n + ' ' + cos + " 7 -1 0} {&Comment &Name1 &Name2 &Ext} COS " + cos +
                 " &Comment {Sales floor, desk " + n + "} &Name1 Alexandra &Name2 {van der Berg} &Ext " + n +
                 "} ";
    }
    return reply;
}

void bareSplitAndInsert(const QByteArray &reply)
{
    int count = 0;
    const char **elements = nullptr;
    Tcl_SplitList(nullptr, reply.constData(), &count, &elements);
    QStringList rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.append(QString::fromUtf8(elements[i]));
    Tcl_Free(reinterpret_cast<char *>(elements));
    QStringListModel model;
    model.setStringList(rows);
    benchmark::DoNotOptimize(model.rowCount());
}

void fillMailboxList(const QByteArray &reply)
{
    CUserAgentArray array;
    CMailboxListModel model(array);
    array.FillFromReply(reply);
    model.Reload();
    benchmark::DoNotOptimize(model.rowCount());
}

double secondsOf(void (*run)(const QByteArray &), const QByteArray &reply)
{
    const auto start = std::chrono::steady_clock::now();
    run(reply);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BareSplitAndModelInsert(benchmark::State &state)
{
    const QByteArray reply = listReply();
    for (auto _ : state)
        bareSplitAndInsert(reply);
    state.counters["reply_MB"] = double(reply.size()) / 1e6;
}
BENCHMARK(BareSplitAndModelInsert)->Unit(benchmark::kMillisecond);

void MailboxListFill(benchmark::State &state)
{
    const QByteArray reply = listReply();
    double bare = 1e9;
    for (int i = 0; i < 3; ++i)
        bare = std::min(bare, secondsOf(bareSplitAndInsert, reply));
    double fill = 1e9;
    long long peak = 0;
    for (auto _ : state) {
        const long long before = g_heapInUse.load();
        g_heapPeak = before;
        fill = std::min(fill, secondsOf(fillMailboxList, reply));
        peak = std::max(peak, g_heapPeak.load() - before);
    }
    state.counters["reply_MB"] = double(reply.size()) / 1e6;
    state.counters["time_vs_bare"] = fill / bare;
    state.counters["peak_heap_vs_reply"] = double(peak) / double(reply.size());
}
BENCHMARK(MailboxListFill)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
