// The help script, evaluated by paramhelp; see paramhelpscript.h.
#include "admin/config/params/paramhelpscript.h"

#include "admin/session/tcllist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <csignal>

namespace {

QString refused(const QString &reason)
{
    return QStringLiteral("Read help file error!\nError - {%1}").arg(reason);
}

QString tooLarge(const QString &fileName)
{
    return QStringLiteral("The help file %1 is larger than %2 bytes and was not read.")
        .arg(fileName)
        .arg(HelpScriptLimits::kMaxScriptSize);
}

} // namespace

CParamHelpScript::CParamHelpScript(qint64 maxMemoryBytes) : m_maxMemoryBytes(maxMemoryBytes) {}

bool CParamHelpScript::Load(const QString &fileName, QString &message)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("Failed to Open Help File\nfilename (%1)\nerror = %2")
                      .arg(fileName)
                      .arg(int(file.error()));
        return false;
    }
    if (file.size() > HelpScriptLimits::kMaxScriptSize) {
        message = tooLarge(fileName);
        return false;
    }
    const QByteArray script = file.read(HelpScriptLimits::kMaxScriptSize + 1);
    if (script.size() > HelpScriptLimits::kMaxScriptSize) {
        message = tooLarge(fileName);
        return false;
    }
    return Evaluate(script, message);
}

bool CParamHelpScript::Evaluate(const QByteArray &script, QString &message)
{
    m_texts.clear();
    QByteArray result;
    QString reason;
    if (!runEvaluator(script, result, reason) || !readResult(result, reason)) {
        message = refused(reason);
        return false;
    }
    return true;
}

QString CParamHelpScript::EvaluatorPath()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString installed =
        QDir::cleanPath(folder + QStringLiteral("/" VERBANTA_EVALUATOR_FROM_BIN "/paramhelp"));
    return QFileInfo(installed).isExecutable() ? installed : folder + QStringLiteral("/paramhelp");
}

bool CParamHelpScript::runEvaluator(const QByteArray &script, QByteArray &result, QString &reason) const
{
    QProcess evaluator;
    // Its sanitizer reports, if any, reach admin's error output.
    evaluator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    evaluator.start(EvaluatorPath(), {QString::number(m_maxMemoryBytes)});
    if (!evaluator.waitForStarted(HelpScriptLimits::kMaxWaitMilliseconds)) {
        reason = QStringLiteral("%1 could not be started: %2").arg(EvaluatorPath(), evaluator.errorString());
        return false;
    }
    evaluator.write(script);
    evaluator.closeWriteChannel();
    if (!evaluator.waitForFinished(HelpScriptLimits::kMaxWaitMilliseconds)) {
        evaluator.kill();
        evaluator.waitForFinished(-1);
        reason = HelpScriptLimits::timeLimitReason();
        return false;
    }
    if (evaluator.exitStatus() != QProcess::NormalExit || evaluator.exitCode() != 0) {
        reason = reasonOfAbnormalEnd(evaluator);
        return false;
    }
    result = evaluator.readAllStandardOutput();
    return true;
}

QString CParamHelpScript::reasonOfAbnormalEnd(const QProcess &evaluator) const
{
    // Qt gives the signal that ended a process as its exit code.
    if (evaluator.exitStatus() == QProcess::CrashExit)
        return evaluator.exitCode() == SIGXCPU
                   ? HelpScriptLimits::timeLimitReason()
                   : QStringLiteral("the evaluation ended on signal %1").arg(evaluator.exitCode());
    if (evaluator.exitCode() == HelpScriptLimits::kOverMemoryExitCode)
        return HelpScriptLimits::memoryLimitReason(m_maxMemoryBytes);
    return QStringLiteral("the evaluation ended with exit code %1").arg(evaluator.exitCode());
}

bool CParamHelpScript::readResult(const QByteArray &result, QString &reason)
{
    const CTclList splitter;
    QStringList words;
    splitter.SplitList(QString::fromUtf8(result), words);
    if (words.size() != 3 || !splitter.SplitPairs(words[2], m_texts)) {
        reason = QStringLiteral("the evaluation gave no readable result");
        return false;
    }
    if (words[0] == QLatin1String("ok"))
        return true;
    reason = words[1];
    return false;
}

QString CParamHelpScript::Text(const QString &paramName) const
{
    return m_texts.value(paramName);
}
