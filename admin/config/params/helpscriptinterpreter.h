// The interpreter a System Parameters help script runs in, inside paramhelp
// (see paramhelpscript.h for why a process of its own): a safe interpreter
// (no files, sockets or programs; nothing that waits for events), limited in
// the number of commands it may run, in time, and in the memory its
// commands may add, checked before each command. A single command that
// builds a huge value passes that check; paramhelp's process limits catch it.
#pragma once

#include <QByteArray>
#include <QString>

struct Tcl_Interp;

class CHelpScriptInterpreter {
public:
    explicit CHelpScriptInterpreter(qint64 maxMemoryBytes);
    ~CHelpScriptInterpreter();
    CHelpScriptInterpreter(const CHelpScriptInterpreter &) = delete;
    CHelpScriptInterpreter &operator=(const CHelpScriptInterpreter &) = delete;

    // False with the reason when the script fails; the variables set before
    // a failure stay, except after the memory limit: then none does.
    bool Evaluate(const QByteArray &script, QString &reason);
    // The script's global variables that hold a value (arrays left out), as
    // a Tcl list of names and values.
    QByteArray Variables();

private:
    // A safe interpreter whose every command first passes the memory check.
    Tcl_Interp *newInterpreter();
    static int checkMemoryBeforeCommand(void *self, Tcl_Interp *interp, int level, const char *command,
                                        struct Tcl_Command_ *token, int objc, struct Tcl_Obj *const objv[]);
    bool overMemoryLimit();
    void forgetEverything();

    const qint64 m_maxMemoryBytes;
    qint64 m_heapAtStart = 0;
    bool m_overMemory = false;
    Tcl_Interp *m_interp;
};
