// The user-agent record with many properties: parse a "GetUA" reply, load
// and store every property through a page tracker (as a sheet's pages do),
// and build the "UpdateUA" command for the tenth of them that changed. The
// work must grow with the number of properties, not with its square:
// compare the per-property time of 500 and 5 000 properties (BigO line).
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/pagevalue.h"
#include "admin/useragents/useragent.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

class TextValue : public CPageValue {
public:
    QString GetText() const override { return m_text; }
    void PutText(const QString &text) override { m_text = text; }
    void Reset() override { m_text.clear(); }

private:
    QString m_text;
};

// Accepts every update; the command is built and handed over, not sent.
class AcceptingChannel : public CServerCommandChannel {
public:
    QString Execute(const QString &command, bool, int) override
    {
        benchmark::DoNotOptimize(command.size());
        return QStringLiteral("8");
    }
    HRESULT SendAsync(CMessageTarget *, UINT, WPARAM, const QString &, bool, int) override { std::abort(); }
    HRESULT SendNoReply(const QString &, int) override { std::abort(); }
    CPendingCommand BeginCommand(const QString &, bool, int) override { std::abort(); }
    QString WaitReply(CPendingCommand &) override { std::abort(); }
};

QString propertyName(int i)
{
    return QStringLiteral("Property_%1").arg(i, 5, 10, QLatin1Char('0'));
}

// A box listing every property as its own, with a lock on every twentieth.
QString replyWith(int count)
{
    QString names;
    QString pairs;
    for (int i = 0; i < count; ++i) {
        names += propertyName(i) + QLatin1Char(' ');
        pairs += QStringLiteral(" %1 {value %2 of the box}").arg(propertyName(i)).arg(i);
        if (i % 20 == 0)
            pairs += QStringLiteral(" Lock_%1 1").arg(propertyName(i));
    }
    return QStringLiteral("{101 10 7 -1 0} {%1}%2").arg(names, pairs);
}

void LoadAndStoreBack(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString reply = replyWith(count);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(propertyName(i));
    const CTclList splitter;
    AcceptingChannel channel;
    for (auto _ : state) {
        CUserAgent record;
        if (!record.Parse(reply, splitter))
            state.SkipWithError("the reply did not parse");
        TextValue value;
        for (int i = 0; i < count; ++i) {
            record.GetPropertyText(names[i], value);
            if (i % 10 == 0)
                value.PutText(QStringLiteral("edited %1").arg(i));
            record.SetProperty(names[i], value);
        }
        QString answer;
        if (record.CommitChanges(answer, channel, false) != CUserAgent::CommitSent)
            state.SkipWithError("nothing was sent");
    }
    state.SetComplexityN(count);
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(LoadAndStoreBack)->Arg(500)->Arg(5000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
