// What a System Parameters help script may take, shared by admin and the
// program that evaluates the script for it (paramhelp), with the reasons
// admin shows when a script goes over.
#pragma once

#include <QString>

namespace HelpScriptLimits {

// Larger files are not read.
constexpr qint64 kMaxScriptSize = 1024 * 1024;
constexpr int kMaxCommands = 100000;
// The interpreter's own time limit; it stops a script between commands.
constexpr int kMaxMilliseconds = 2000;
// What the script may add to its process's memory.
constexpr qint64 kMaxMemoryBytes = 64 * 1024 * 1024;
// A single long command passes the interpreter's time limit; the process's
// processor time is limited to twice it, and admin ends the process when
// it has not answered after this long, which a busy machine may need for
// a script within its limits.
constexpr int kMaxWaitMilliseconds = 10000;
// paramhelp's exit code when Tcl gave up (a failed allocation, a value past
// its size limit): the script took too much memory.
constexpr int kOverMemoryExitCode = 3;

inline QString memoryLimitReason(qint64 maxMemoryBytes)
{
    return QStringLiteral("the script takes more than %1 KB of memory; a help script only sets short texts")
        .arg(maxMemoryBytes / 1024);
}

// Tcl's own words for its time limit.
inline QString timeLimitReason()
{
    return QStringLiteral("time limit exceeded");
}

} // namespace HelpScriptLimits
