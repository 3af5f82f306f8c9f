// The help script's interpreter; see helpscriptinterpreter.h.
#include "admin/config/params/helpscriptinterpreter.h"

#include "admin/config/params/helpscriptlimits.h"
#include "admin/config/params/tclobjbytes.h"

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

// The bytes the process's heap holds, small and large blocks alike.
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

// A value as text up to its first zero byte, which a script's source may
// put into a value and no list can carry: as far as a text can be shown.
Tcl_Obj *asText(Tcl_Obj *value)
{
    return Tcl_NewStringObj(Tcl_GetString(value), -1);
}

} // namespace

CHelpScriptInterpreter::CHelpScriptInterpreter(qint64 maxMemoryBytes)
    : m_maxMemoryBytes(maxMemoryBytes), m_interp(newInterpreter())
{
}

Tcl_Interp *CHelpScriptInterpreter::newInterpreter()
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
// outgrows the process.
int CHelpScriptInterpreter::checkMemoryBeforeCommand(void *self, Tcl_Interp *interp, int, const char *,
                                                     Tcl_Command, int, Tcl_Obj *const[])
{
    auto *script = static_cast<CHelpScriptInterpreter *>(self);
    if (!script->overMemoryLimit())
        return TCL_OK;
    const QByteArray reason = HelpScriptLimits::memoryLimitReason(script->m_maxMemoryBytes).toUtf8();
    Tcl_SetObjResult(interp, Tcl_NewStringObj(reason.constData(), int(reason.size())));
    return TCL_ERROR;
}

CHelpScriptInterpreter::~CHelpScriptInterpreter()
{
    Tcl_DeleteInterp(m_interp);
}

bool CHelpScriptInterpreter::Evaluate(const QByteArray &script, QString &reason)
{
    // The command limit counts every command the interpreter has run: one
    // script is evaluated in its life, so that is the script's.
    Tcl_LimitSetCommands(m_interp, HelpScriptLimits::kMaxCommands);
    Tcl_LimitTypeSet(m_interp, TCL_LIMIT_COMMANDS);
    Tcl_Time deadline;
    Tcl_GetTime(&deadline);
    deadline.sec += HelpScriptLimits::kMaxMilliseconds / 1000;
    deadline.usec += (HelpScriptLimits::kMaxMilliseconds % 1000) * 1000;
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
    reason = m_overMemory        ? HelpScriptLimits::memoryLimitReason(m_maxMemoryBytes)
             : result && *result ? QString::fromUtf8(result)
                                 : QStringLiteral("Unknown");
    if (m_overMemory)
        forgetEverything();
    return false;
}

bool CHelpScriptInterpreter::overMemoryLimit()
{
    // Once over, every later command is refused too, so that catching the
    // refusal does not let the script go on.
    m_overMemory = m_overMemory || heapInUse() - m_heapAtStart > m_maxMemoryBytes;
    return m_overMemory;
}

void CHelpScriptInterpreter::forgetEverything()
{
    // The values the script built are given back, and with them whatever
    // it had set: a script that went that far is not trusted for any text.
    Tcl_DeleteInterp(m_interp);
    m_interp = newInterpreter();
}

QByteArray CHelpScriptInterpreter::Variables()
{
    // The script may have replaced "info"; what it then lists is only more
    // names, whose values come from the interpreter itself.
    Tcl_Obj *values = Tcl_NewListObj(0, nullptr);
    if (Tcl_EvalEx(m_interp, "info globals", -1, TCL_EVAL_GLOBAL) == TCL_OK) {
        Tcl_Obj *names = Tcl_GetObjResult(m_interp);
        Tcl_IncrRefCount(names);
        int count = 0;
        Tcl_Obj **name = nullptr;
        if (Tcl_ListObjGetElements(m_interp, names, &count, &name) == TCL_OK) {
            for (int i = 0; i < count; ++i) {
                if (Tcl_Obj *value = Tcl_ObjGetVar2(m_interp, name[i], nullptr, TCL_GLOBAL_ONLY)) {
                    Tcl_ListObjAppendElement(nullptr, values, asText(name[i]));
                    Tcl_ListObjAppendElement(nullptr, values, asText(value));
                }
            }
        }
        Tcl_DecrRefCount(names);
    }
    return TakeTclObjBytes(values);
}
