// The local help script of the System Parameters window, "admincv.tcl": a
// Tcl script that sets one global variable per parameter, named like the
// parameter, to that parameter's description.
//
// The file lies on the administrator's machine and is read as hostile: it
// runs in a safe interpreter (no files, sockets or programs; nothing that
// waits for events), limited in size, in the number of commands it may run
// and in time, so a script can neither start a program nor hold the window.
#pragma once

#include <QString>

struct Tcl_Interp;

class CParamHelpScript {
public:
    // Larger files are not read.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;
    static constexpr int kMaxCommands = 100000;
    static constexpr int kMaxMilliseconds = 2000;

    CParamHelpScript();
    ~CParamHelpScript();
    CParamHelpScript(const CParamHelpScript &) = delete;
    CParamHelpScript &operator=(const CParamHelpScript &) = delete;

    // Reads and evaluates the file. False with the message to show when it
    // cannot be opened, is too large, or fails (the variables set before a
    // failure stay usable).
    bool Load(const QString &fileName, QString &message);
    // Evaluates a script text under the same limits (the command count is
    // the interpreter's whole life's).
    bool Evaluate(const QByteArray &script, QString &message);
    // The description of a parameter; empty when the script set none.
    QString Text(const QString &paramName) const;

private:
    Tcl_Interp *m_interp;
};
