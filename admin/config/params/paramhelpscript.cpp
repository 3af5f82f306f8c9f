// The help script's interpreter; see paramhelpscript.h.
#include "admin/config/params/paramhelpscript.h"

#include <QFile>

#include <tcl.h>

namespace {

// Commands a safe interpreter still has that wait in the event loop.
constexpr const char *kWaitingCommands[] = {"after", "vwait", "update"};

} // namespace

CParamHelpScript::CParamHelpScript() : m_interp(Tcl_CreateInterp())
{
    Tcl_MakeSafe(m_interp);
    for (const char *name : kWaitingCommands)
        Tcl_HideCommand(m_interp, name, name);
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

    const int code = Tcl_EvalEx(m_interp, script.constData(), int(script.size()), TCL_EVAL_GLOBAL);
    Tcl_LimitTypeReset(m_interp, TCL_LIMIT_COMMANDS);
    Tcl_LimitTypeReset(m_interp, TCL_LIMIT_TIME);
    if (code == TCL_OK)
        return true;
    const char *result = Tcl_GetStringResult(m_interp);
    message = QStringLiteral("Read help file error!\nError - {%1}")
                  .arg(result && *result ? QString::fromUtf8(result) : QStringLiteral("Unknown"));
    return false;
}

QString CParamHelpScript::Text(const QString &paramName) const
{
    if (paramName.isEmpty())
        return QString();
    const char *value = Tcl_GetVar(m_interp, paramName.toUtf8().constData(), TCL_GLOBAL_ONLY);
    return value ? QString::fromUtf8(value) : QString();
}
