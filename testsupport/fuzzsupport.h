// What the fuzz targets of every layer share, header-only so that a target
// needs no test library, and here rather than beside one layer's tests so
// that a lower layer's target does not reach up into admin: their check,
// and a folder for the files a target writes.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

// A check that fails names its file and line, then aborts, so the fuzzer
// keeps the input that broke it.
inline void FuzzRequireAt(bool condition, const char *file, int line)
{
    if (condition)
        return;
    std::fprintf(stderr, "check failed at line %d of %s\n", line, file);
    std::abort();
}

#define REQUIRE(condition) FuzzRequireAt((condition), __FILE__, __LINE__)

// A folder removed with what it holds when the run ends, on a memory file
// system where there is one: a target that commits a database for every
// input is not bound by the disk's flushes.
inline std::unique_ptr<QTemporaryDir> MakeFuzzFolder()
{
    const QString memory = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return std::make_unique<QTemporaryDir>(base + QStringLiteral("/verbanta-fuzz-XXXXXX"));
}
