// The local help script of the System Parameters window, "admincv.tcl": a
// Tcl script that sets one global variable per parameter, named like the
// parameter, to that parameter's description.
//
// The file lies on the administrator's machine and is read as hostile: it
// runs in a safe interpreter (no files, sockets or programs; nothing that
// waits for events), limited in size, in the number of commands it may run,
// in time and in memory, so a script can neither start a program, hold the
// window nor build a value large enough to end the program (Tcl aborts the
// process when a value passes 2 GB).
#pragma once

#include <QString>

struct Tcl_Interp;

class CParamHelpScript {
public:
    // Larger files are not read.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;
    static constexpr int kMaxCommands = 100000;
    static constexpr int kMaxMilliseconds = 2000;
    // What the script may add to the program's heap; checked before each of
    // its commands. A script over it leaves no description behind.
    static constexpr qint64 kMaxMemoryBytes = 64 * 1024 * 1024;

    explicit CParamHelpScript(qint64 maxMemoryBytes = kMaxMemoryBytes);
    ~CParamHelpScript();
    CParamHelpScript(const CParamHelpScript &) = delete;
    CParamHelpScript &operator=(const CParamHelpScript &) = delete;

    // Reads and evaluates the file. False with the message to show when it
    // cannot be opened, is too large, or fails (the variables set before a
    // failure stay usable, except after the memory limit: then none is).
    bool Load(const QString &fileName, QString &message);
    // Evaluates a script text under the same limits (the command count is
    // the interpreter's whole life's).
    bool Evaluate(const QByteArray &script, QString &message);
    // The description of a parameter; empty when the script set none.
    QString Text(const QString &paramName) const;

private:
    // A safe interpreter whose every command first passes the memory check.
    Tcl_Interp *newInterpreter();
    static int checkMemoryBeforeCommand(void *self, Tcl_Interp *interp, int level, const char *command,
                                        struct Tcl_Command_ *token, int objc, struct Tcl_Obj *const objv[]);
    bool overMemoryLimit();
    QString memoryLimitReason() const;
    void forgetEverything();

    const qint64 m_maxMemoryBytes;
    qint64 m_heapAtStart = 0;
    bool m_overMemory = false;
    Tcl_Interp *m_interp;
};
