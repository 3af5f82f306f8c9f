// The help script's interpreter; see paramhelpscript.h.
#include "admin/config/params/paramhelpscript.h"

#include <QFile>

#include <malloc.h>
#include <tcl.h>

#if defined(__SANITIZE_ADDRESS__)
#define VERBANTA_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VERBANTA_HEAP_FROM_SANITIZER 1
#endif
#endif
#ifdef VERBANTA_HEAP_FROM_SANITIZER
// The sanitizer runtime's own count; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Commands a safe interpreter still has that wait in the event loop.
constexpr const char *kWaitingCommands[] = {"after", "vwait", "update"};

// The bytes the program's heap holds, small and large blocks alike. The
// script runs on the interface thread, which does nothing else meanwhile;
// what other threads take at the same time only makes the limit stricter.
qint64 heapInUse()
{
#ifdef VERBANTA_HEAP_FROM_SANITIZER
    // The address sanitizer's allocator serves every malloc and keeps its
    // own count: malloc's statistics stay still under it.
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 heap = mallinfo2();
    return qint64(heap.uordblks + heap.hblkhd);
#endif
}

} // namespace

CParamHelpScript::CParamHelpScript(qint64 maxMemoryBytes)
    : m_maxMemoryBytes(maxMemoryBytes), m_interp(newInterpreter())
{
}

Tcl_Interp *CParamHelpScript::newInterpreter()
{
    Tcl_Interp *interp = Tcl_CreateInterp();
    Tcl_MakeSafe(interp);
    for (const char *name : kWaitingCommands)
        Tcl_HideCommand(interp, name, name);
    // A traced interpreter compiles no command inline, so none escapes the
    // check.
    Tcl_CreateObjTrace(interp, 0, 0, checkMemoryBeforeCommand, this, nullptr);
    return interp;
}

// A command refused here never runs: the script stops before a value
// outgrows the program.
int CParamHelpScript::checkMemoryBeforeCommand(void *self, Tcl_Interp *interp, int, const char *, Tcl_Command, int,
                                               Tcl_Obj *const[])
{
    auto *script = static_cast<CParamHelpScript *>(self);
    if (!script->overMemoryLimit())
        return TCL_OK;
    const QByteArray reason = script->memoryLimitReason().toUtf8();
    Tcl_SetObjResult(interp, Tcl_NewStringObj(reason.constData(), int(reason.size())));
    return TCL_ERROR;
}

CParamHelpScript::~CParamHelpScript()
{
    Tcl_DeleteInterp(m_interp);
}

bool CParamHelpScript::Load(const QString &fileName, QString &message)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("Failed to Open Help File\nfilename (%1)\nerror = %2")
                      .arg(fileName)
                      .arg(int(file.error()));
        return false;
    }
    if (file.size() > kMaxFileSize) {
        message = QStringLiteral("The help file %1 is larger than %2 bytes and was not read.")
                      .arg(fileName)
                      .arg(kMaxFileSize);
        return false;
    }
    const QByteArray script = file.read(kMaxFileSize + 1);
    if (script.size() > kMaxFileSize) {
        message = QStringLiteral("The help file %1 is larger than %2 bytes and was not read.")
                      .arg(fileName)
                      .arg(kMaxFileSize);
        return false;
    }
    return Evaluate(script, message);
}

bool CParamHelpScript::Evaluate(const QByteArray &script, QString &message)
{
    // The command limit counts every command the interpreter has run: the
    // script is evaluated once in the pane's life, so that is the script's.
    Tcl_LimitSetCommands(m_interp, kMaxCommands);
    Tcl_LimitTypeSet(m_interp, TCL_LIMIT_COMMANDS);
    Tcl_Time deadline;
    Tcl_GetTime(&deadline);
    deadline.sec += kMaxMilliseconds / 1000;
    deadline.usec += (kMaxMilliseconds % 1000) * 1000;
    Tcl_LimitSetTime(m_interp, &deadline);
    Tcl_LimitTypeSet(m_interp, TCL_LIMIT_TIME);

    m_heapAtStart = heapInUse();
    m_overMemory = false;
    const int code = Tcl_EvalEx(m_interp, script.constData(), int(script.size()), TCL_EVAL_GLOBAL);
    Tcl_LimitTypeReset(m_interp, TCL_LIMIT_COMMANDS);
    Tcl_LimitTypeReset(m_interp, TCL_LIMIT_TIME);
    if (code == TCL_OK)
        return true;
    const char *result = Tcl_GetStringResult(m_interp);
    // A script may catch the refusal; it is refused all the same.
    const QString reason = m_overMemory        ? memoryLimitReason()
                           : result && *result ? QString::fromUtf8(result)
                                               : QStringLiteral("Unknown");
    message = QStringLiteral("Read help file error!\nError - {%1}").arg(reason);
    if (m_overMemory)
        forgetEverything();
    return false;
}

QString CParamHelpScript::memoryLimitReason() const
{
    return QStringLiteral("the script takes more than %1 KB of memory; a help script only sets short texts")
        .arg(m_maxMemoryBytes / 1024);
}

bool CParamHelpScript::overMemoryLimit()
{
    // Once over, every later command is refused too, so that catching the
    // refusal does not let the script go on.
    m_overMemory = m_overMemory || heapInUse() - m_heapAtStart > m_maxMemoryBytes;
    return m_overMemory;
}

void CParamHelpScript::forgetEverything()
{
    // The values the script built are given back, and with them whatever
    // it had set: a script that went that far is not trusted for any text.
    Tcl_DeleteInterp(m_interp);
    m_interp = newInterpreter();
}

QString CParamHelpScript::Text(const QString &paramName) const
{
    if (paramName.isEmpty())
        return QString();
    const char *value = Tcl_GetVar(m_interp, paramName.toUtf8().constData(), TCL_GLOBAL_ONLY);
    return value ? QString::fromUtf8(value) : QString();
}
