// paramhelp MEMORY-BYTES: evaluates the help script read from its input and
// writes one Tcl list to its output: "ok" or "error", the reason of an
// error, and the list of the script's global variables and their values.
//
// admin runs it so that nothing a help script does can end or hold admin:
// Tcl ends its process when an allocation fails or a value passes its size
// limit, which no check between commands can foresee for a value built
// inside one command. Here that ends only this process, whose memory and
// processor time are limited; admin reads the exit code (see
// helpscriptlimits.h) and ends the process when it takes too long.
#include "admin/config/params/helpscriptinterpreter.h"
#include "admin/config/params/helpscriptlimits.h"
#include "admin/config/params/tclobjbytes.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <tcl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VERBANTA_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VERBANTA_UNDER_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef VERBANTA_UNDER_ADDRESS_SANITIZER
// The sanitizer's allocator, refused by the address-space limit, gives a
// null pointer back to Tcl, which then gives up as it does without it,
// instead of reporting the refusal as a fault of its own.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif

namespace {

[[noreturn]] void overMemory(const char *, ...)
{
    _exit(HelpScriptLimits::kOverMemoryExitCode);
}

// The address space the process holds now, in bytes.
rlim_t addressSpaceInUse()
{
    unsigned long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

// Twice the script's share leaves room for a value being copied while it
// grows; the interpreter's own check refuses most scripts well before.
void limitResources(qint64 maxMemoryBytes)
{
    const rlim_t seconds = 2 * HelpScriptLimits::kMaxMilliseconds / 1000 + 1;
    const rlimit cpu = {seconds, seconds + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    const rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    rlimit space;
    getrlimit(RLIMIT_AS, &space);
    space.rlim_cur = std::min(space.rlim_max, addressSpaceInUse() + 2 * rlim_t(maxMemoryBytes));
    setrlimit(RLIMIT_AS, &space);
}

void liftMemoryLimit()
{
    rlimit space;
    getrlimit(RLIMIT_AS, &space);
    space.rlim_cur = space.rlim_max;
    setrlimit(RLIMIT_AS, &space);
}

// The result goes to a descriptor of its own: what the script might write
// to the standard output cannot be taken for it.
int takeStandardOutput()
{
    const int result = dup(STDOUT_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    dup2(nowhere, STDOUT_FILENO);
    close(nowhere);
    return result;
}

QByteArray readScript()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return QByteArray();
    return input.read(HelpScriptLimits::kMaxScriptSize + 1);
}

QByteArray resultList(bool ok, const QString &reason, const QByteArray &variables)
{
    const QByteArray reasonText = reason.toUtf8();
    Tcl_Obj *words[] = {Tcl_NewStringObj(ok ? "ok" : "error", -1),
                        Tcl_NewStringObj(reasonText.constData(), int(reasonText.size())),
                        Tcl_NewStringObj(variables.constData(), int(variables.size()))};
    return TakeTclObjBytes(Tcl_NewListObj(3, words));
}

bool writeAll(int descriptor, const QByteArray &bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t step = write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    bool numeric = false;
    const qint64 maxMemoryBytes = argc == 2 ? QByteArray(argv[1]).toLongLong(&numeric) : 0;
    if (!numeric || maxMemoryBytes <= 0) {
        std::fprintf(stderr, "usage: paramhelp MEMORY-BYTES < SCRIPT\n");
        return 2;
    }
    const int output = takeStandardOutput();
    const QByteArray script = readScript();
    if (script.size() > HelpScriptLimits::kMaxScriptSize) {
        std::fprintf(stderr, "paramhelp: the script is larger than %lld bytes\n",
                     static_cast<long long>(HelpScriptLimits::kMaxScriptSize));
        return 2;
    }
    Tcl_FindExecutable(argv[0]);
    Tcl_SetPanicProc(overMemory);
    CHelpScriptInterpreter interpreter(maxMemoryBytes);
    limitResources(maxMemoryBytes);
    QString reason;
    const bool ok = interpreter.Evaluate(script, reason);
    const QByteArray result = resultList(ok, reason, interpreter.Variables());
    // The interpreter's cleanup and the sanitizers' leak check at exit
    // need room of their own.
    liftMemoryLimit();
    return writeAll(output, result) ? 0 : 1;
}
