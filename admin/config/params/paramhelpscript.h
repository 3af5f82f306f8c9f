// The local help script of the System Parameters window, "admincv.tcl": a
// Tcl script that sets one global variable per parameter, named like the
// parameter, to that parameter's description.
//
// The file lies on the administrator's machine and is read as hostile. It
// is evaluated by paramhelp, a program of the suite's own, in a process
// limited in memory and processor time (see helpscriptinterpreter.h for
// what the script may do there): Tcl ends the process it runs in on some
// limits, and that must never be admin. A script over its memory or time
// is refused within a few seconds, and admin goes on.
#pragma once

#include "admin/config/params/helpscriptlimits.h"

#include <QHash>
#include <QString>

class QProcess;

class CParamHelpScript {
public:
    explicit CParamHelpScript(qint64 maxMemoryBytes = HelpScriptLimits::kMaxMemoryBytes);

    // Reads and evaluates the file. False with the message to show when it
    // cannot be opened, is too large, or fails (the variables set before a
    // failure stay usable, except when the memory limit or the end of the
    // wait stopped it: then none is).
    bool Load(const QString &fileName, QString &message);
    // Evaluates a script text; its variables replace the texts of any
    // earlier script, unless it is refused before it ran.
    bool Evaluate(const QByteArray &script, QString &message);
    // The description of a parameter; empty when the script set none.
    QString Text(const QString &paramName) const;

    // The evaluating program: installed in the suite's own folder, in the
    // build beside the program that runs it.
    static QString EvaluatorPath();

private:
    // False with the reason when the process gave no result.
    bool runEvaluator(const QByteArray &script, QByteArray &result, QString &reason) const;
    QString reasonOfAbnormalEnd(const QProcess &evaluator) const;
    // Reads paramhelp's result list into the texts; false with the reason.
    bool readResult(const QByteArray &result, QString &reason);

    const qint64 m_maxMemoryBytes;
    QHash<QString, QString> m_texts;
};
