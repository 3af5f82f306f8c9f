// Speed of Conduit's own MD5 and base64 against yardsticks: OpenSSL's MD5
// (hand-tuned assembly) and a plain table-driven base64 over memory. The
// codec runs through its exported reader/writer functions, as callers use
// it. After the runs the program prints each ratio with its limit.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstring>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "conduit/codec/md5digest.h"
#include "conduit/exports.h"

namespace {

constexpr size_t md5Size = 100 * 1024 * 1024;
constexpr size_t code64Size = 8 * 1024 * 1024;

const std::string &randomBytes(size_t count)
{
    static std::map<size_t, std::string> made;
    std::string &bytes = made[count];
    if (bytes.empty()) {
        std::mt19937_64 generator(count);
        bytes.resize(count);
        for (size_t k = 0; k + 8 <= count; k += 8) {
            uint64_t v = generator();
            std::memcpy(&bytes[k], &v, 8);
        }
    }
    return bytes;
}

void Md5Own(benchmark::State &state)
{
    const std::string &data = randomBytes(md5Size);
    for (auto _ : state)
        benchmark::DoNotOptimize(Md5Digest::of(data.data(), data.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void Md5OpenSsl(benchmark::State &state)
{
    const std::string &data = randomBytes(md5Size);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length;
    for (auto _ : state) {
        EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

// Reader and writer over memory for the exported codec functions.
struct MemoryPipe {
    const std::string *input;
    size_t position = 0;
    std::string output;

    static int read(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<MemoryPipe *>(context);
        if (buffer == nullptr)
            return 0;
        size_t n = std::min(size_t(maximum), self->input->size() - self->position);
        std::memcpy(buffer, self->input->data() + self->position, n);
        self->position += n;
        return int(n);
    }
    // The decoder's reader: one line per read, its CR LF skipped.
    static int readLine(void *buffer, int maximum, void *context)
    {
        auto *self = static_cast<MemoryPipe *>(context);
        const std::string &in = *self->input;
        if (self->position + 1 < in.size() && in[self->position] == '\r')
            self->position += 2;
        return read(buffer, maximum, context);
    }
    static void write(const void *buffer, int count, void *context)
    {
        if (count > 0)
            static_cast<MemoryPipe *>(context)->output.append(static_cast<const char *>(buffer),
                                                              size_t(count));
    }
};

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The yardstick encoder: 76-character lines with CR LF, into a sized string.
std::string referenceEncode(const std::string &in)
{
    size_t n = in.size();
    std::string out((n + 2) / 3 * 4 + (n + 56) / 57 * 2, '\0');
    const auto *p = reinterpret_cast<const uint8_t *>(in.data());
    char *o = out.data();
    for (size_t line = 0; line < n; line += 57) {
        size_t end = std::min(n, line + 57);
        size_t k = line;
        for (; k + 3 <= end; k += 3) {
            uint32_t v = (uint32_t(p[k]) << 16) | (uint32_t(p[k + 1]) << 8) | p[k + 2];
            *o++ = alphabet[v >> 18];
            *o++ = alphabet[(v >> 12) & 63];
            *o++ = alphabet[(v >> 6) & 63];
            *o++ = alphabet[v & 63];
        }
        if (k < end) {
            uint32_t v = uint32_t(p[k]) << 16 | (k + 1 < end ? uint32_t(p[k + 1]) << 8 : 0);
            *o++ = alphabet[v >> 18];
            *o++ = alphabet[(v >> 12) & 63];
            *o++ = k + 1 < end ? alphabet[(v >> 6) & 63] : '=';
            *o++ = '=';
        }
        *o++ = '\r';
        *o++ = '\n';
    }
    return out;
}

// The yardstick decoder: skips CR LF and padding, four characters at a time.
std::string referenceDecode(const std::string &in)
{
    static const std::vector<int> table = [] {
        std::vector<int> t(256, -1);
        for (int k = 0; k < 64; ++k)
            t[uint8_t(alphabet[k])] = k;
        return t;
    }();
    std::string out(in.size() / 4 * 3, '\0');
    char *o = out.data();
    uint32_t value = 0;
    int have = 0;
    for (char c : in) {
        if (c == '\r' || c == '\n' || c == '=')
            continue;
        int v = table[uint8_t(c)];
        if (v < 0)
            return {};
        value = value << 6 | uint32_t(v);
        if (++have == 4) {
            *o++ = char(value >> 16);
            *o++ = char(value >> 8);
            *o++ = char(value);
            have = 0;
            value = 0;
        }
    }
    if (have == 2) {
        *o++ = char(value >> 4);
    } else if (have == 3) {
        *o++ = char(value >> 10);
        *o++ = char(value >> 2);
    }
    out.resize(size_t(o - out.data()));
    return out;
}

void Code64EncodeOwn(benchmark::State &state)
{
    const std::string &data = randomBytes(code64Size);
    for (auto _ : state) {
        MemoryPipe pipe{&data, 0, {}};
        pipe.output.reserve(data.size() / 57 * 78 + 80);
        Code64Encode(MemoryPipe::read, MemoryPipe::write, nullptr, &pipe);
        benchmark::DoNotOptimize(pipe.output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void Code64EncodeReference(benchmark::State &state)
{
    const std::string &data = randomBytes(code64Size);
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceEncode(data).data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void Code64DecodeOwn(benchmark::State &state)
{
    static const std::string text = referenceEncode(randomBytes(code64Size));
    for (auto _ : state) {
        MemoryPipe pipe{&text, 0, {}};
        pipe.output.reserve(code64Size);
        Code64Decode(MemoryPipe::readLine, MemoryPipe::write, &pipe);
        benchmark::DoNotOptimize(pipe.output.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(code64Size));
}

void Code64DecodeReference(benchmark::State &state)
{
    static const std::string text = referenceEncode(randomBytes(code64Size));
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceDecode(text).data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(code64Size));
}

BENCHMARK(Md5Own)->Unit(benchmark::kMillisecond);
BENCHMARK(Md5OpenSsl)->Unit(benchmark::kMillisecond);
BENCHMARK(Code64EncodeOwn)->Unit(benchmark::kMillisecond);
BENCHMARK(Code64EncodeReference)->Unit(benchmark::kMillisecond);
BENCHMARK(Code64DecodeOwn)->Unit(benchmark::kMillisecond);
BENCHMARK(Code64DecodeReference)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the closing ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    bool printRatio(const char *what, const std::string &own, const std::string &yardstick,
                    double limit) const
    {
        auto a = m_seconds.find(own), b = m_seconds.find(yardstick);
        if (a == m_seconds.end() || b == m_seconds.end())
            return true; // filtered out
        double ratio = a->second / b->second;
        bool within = ratio <= limit;
        std::printf("%-16s own / yardstick = %.2f (limit %.1f) %s\n", what, ratio, limit,
                    within ? "ok" : "TOO SLOW");
        return within;
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bool within = reporter.printRatio("MD5", "Md5Own", "Md5OpenSsl", 1.3);
    within = reporter.printRatio("base64 encode", "Code64EncodeOwn", "Code64EncodeReference", 2.0) && within;
    within = reporter.printRatio("base64 decode", "Code64DecodeOwn", "Code64DecodeReference", 2.0) && within;
    benchmark::Shutdown();
    return within ? 0 : 1;
}
