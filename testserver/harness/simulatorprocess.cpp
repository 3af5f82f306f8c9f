// Starts and steers the Tcl server simulator for the GoogleTest suites.
//
// The simulator speaks a line protocol on its standard input and output
// (testserver/README.md): one request line, one answer line ("ok ..." or
// "error ..."), and for the log a count followed by that many lines. Every
// wait here is bounded; a simulator that does not answer in time is a test
// failure, not a hang.
#include "testserver/harness/simulatorprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <atomic>
#include <unistd.h>

namespace testserver {
namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kAnswerTimeoutMs = 20000;
constexpr int kStopTimeoutMs = 5000;
constexpr int kAddressAttempts = 32;
// vserver.tcl's exit status when its address and port are taken.
constexpr int kExitCannotListen = 3;

// A loopback address of this process's own, so that suites running side by
// side never meet: the pid picks the upper part, a counter the rest.
QString nextLoopbackAddress()
{
    static std::atomic<unsigned> counter{0};
    const unsigned key = (static_cast<unsigned>(getpid()) << 6) + (counter++ & 63u);
    const unsigned a = 1 + (key / (256u * 254u)) % 254u;
    const unsigned b = (key / 254u) % 256u;
    const unsigned c = 1 + key % 254u;
    return QStringLiteral("127.%1.%2.%3").arg(a).arg(b).arg(c);
}

QString environmentOr(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

QString unescapeControlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch != u'\\' || i + 1 == text.size()) {
            out.append(ch);
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 'n':
            out.append(u'\n');
            break;
        case 'r':
            out.append(u'\r');
            break;
        case 't':
            out.append(u'\t');
            break;
        default:
            out.append(next);
            break;
        }
    }
    return out;
}

QString quoteControlWord(const QString &word)
{
    QString out = QStringLiteral("\"");
    for (const QChar ch : word) {
        switch (ch.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            out += ch;
            break;
        }
    }
    out += u'"';
    return out;
}

QString SimulatorProcess::sourceDir()
{
    return environmentOr("VERBANTA_SOURCE_DIR", QStringLiteral(VERBANTA_BUILD_SOURCE_DIR));
}

QString SimulatorProcess::tclsh()
{
    return environmentOr("TCLSH", QStringLiteral(VERBANTA_BUILD_TCLSH));
}

QString SimulatorProcess::dataPath(const QString &fileName)
{
    return QDir(sourceDir()).filePath(QStringLiteral("testserver/data/") + fileName);
}

SimulatorProcess::SimulatorProcess(const QString &dataFile, quint16 port, const QStringList &options)
    : m_port(port)
{
    const QString data = dataFile.isEmpty() ? dataPath(QStringLiteral("demo.tcl")) : dataFile;
    if (!QFileInfo::exists(data)) {
        throw SimulatorError(QStringLiteral("no data file %1").arg(data));
    }
    QString reason;
    for (int attempt = 0; attempt < kAddressAttempts; ++attempt) {
        if (startOn(nextLoopbackAddress(), data, options, &reason)) {
            return;
        }
        if (!reason.isEmpty()) {
            throw SimulatorError(reason);
        }
    }
    throw SimulatorError(QStringLiteral("no free loopback address after %1 attempts").arg(kAddressAttempts));
}

SimulatorProcess::~SimulatorProcess()
{
    if (!m_process || m_process->state() == QProcess::NotRunning) {
        return;
    }
    // Closing its standard input ends the simulator; a kill is the fallback.
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(kStopTimeoutMs)) {
        m_process->kill();
        m_process->waitForFinished(kStopTimeoutMs);
    }
}

// False with an empty reason when the address was taken (try another one).
bool SimulatorProcess::startOn(const QString &host, const QString &dataFile, const QStringList &options,
                               QString *reason)
{
    reason->clear();
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString script = QDir(sourceDir()).filePath(QStringLiteral("testserver/vserver.tcl"));
    process->start(tclsh(), QStringList{script, QStringLiteral("-host"), host, QStringLiteral("-port"),
                                        QString::number(m_port), QStringLiteral("-data"), dataFile} +
                                options);
    if (!process->waitForStarted(kStartTimeoutMs)) {
        *reason = QStringLiteral("cannot start %1: %2").arg(tclsh(), process->errorString());
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (!process->canReadLine()) {
        const int left = kStartTimeoutMs - static_cast<int>(timer.elapsed());
        if (left <= 0 || process->state() == QProcess::NotRunning) {
            break;
        }
        process->waitForReadyRead(left);
    }
    if (process->canReadLine()) {
        const QByteArray line = process->readLine().trimmed();
        if (line == QStringLiteral("ready %1 %2").arg(host).arg(m_port).toUtf8()) {
            m_process = std::move(process);
            m_host = host;
            return true;
        }
        *reason = QStringLiteral("unexpected first line from the simulator: %1").arg(QString::fromUtf8(line));
    }
    if (process->state() != QProcess::NotRunning) {
        process->kill();
    }
    process->waitForFinished(kStopTimeoutMs);
    if (reason->isEmpty() && process->exitCode() != kExitCannotListen) {
        *reason = QStringLiteral("the simulator did not get ready on %1 (exit %2)")
                      .arg(host)
                      .arg(process->exitCode());
    }
    return false;
}

QByteArray SimulatorProcess::readLine()
{
    QElapsedTimer timer;
    timer.start();
    while (!m_process->canReadLine()) {
        const int left = kAnswerTimeoutMs - static_cast<int>(timer.elapsed());
        if (left <= 0 || m_process->state() == QProcess::NotRunning) {
            throw SimulatorError(QStringLiteral("the simulator did not answer its control channel"));
        }
        m_process->waitForReadyRead(left);
    }
    QByteArray line = m_process->readLine();
    line.chop(line.endsWith('\n') ? 1 : 0);
    return line;
}

// Sends one request; returns the rest of its "ok" line. Lines that follow it
// (the log) are the caller's to read.
QString SimulatorProcess::request(const QStringList &words)
{
    QStringList quoted;
    for (const QString &word : words) {
        quoted << quoteControlWord(word);
    }
    m_process->write((quoted.join(u' ') + u'\n').toUtf8());
    if (!m_process->waitForBytesWritten(kAnswerTimeoutMs) && m_process->bytesToWrite() > 0) {
        throw SimulatorError(QStringLiteral("cannot write to the simulator's control channel"));
    }
    const QString first = QString::fromUtf8(readLine());
    if (first.startsWith(QStringLiteral("error"))) {
        throw SimulatorError(QStringLiteral("simulator refused %1: %2")
                                 .arg(words.value(0), unescapeControlText(first.mid(6))));
    }
    if (first != QStringLiteral("ok") && !first.startsWith(QStringLiteral("ok "))) {
        throw SimulatorError(QStringLiteral("unexpected control answer: %1").arg(first));
    }
    return first.mid(3);
}

int SimulatorProcess::requestCount(const QStringList &words)
{
    bool ok = false;
    const int count = request(words).toInt(&ok);
    if (!ok || count < 0) {
        throw SimulatorError(QStringLiteral("no count in the answer to %1").arg(words.value(0)));
    }
    return count;
}

void SimulatorProcess::loadData(const QString &dataFile)
{
    request({QStringLiteral("load"), dataFile});
}

void SimulatorProcess::seed(const QString &script)
{
    request({QStringLiteral("seed"), script});
}

void SimulatorProcess::setAccount(const QString &name, const QString &password, quint32 rights,
                                  const QString &ranges)
{
    request({QStringLiteral("account"), name, password, QString::number(rights), ranges});
}

void SimulatorProcess::delayNextReply(int milliseconds)
{
    request({QStringLiteral("delay"), QString::number(milliseconds)});
}

void SimulatorProcess::delayNextReply(int milliseconds, const QString &command)
{
    request({QStringLiteral("delay"), QString::number(milliseconds), command});
}

void SimulatorProcess::dropNextReply()
{
    request({QStringLiteral("drop")});
}

void SimulatorProcess::dropLinkAfter(const QString &command)
{
    request({QStringLiteral("dropafter"), command});
}

int SimulatorProcess::dropLinks()
{
    return requestCount({QStringLiteral("droplink")});
}

bool SimulatorProcess::dropLink(int connection)
{
    return requestCount({QStringLiteral("droplink"), QString::number(connection)}) == 1;
}

void SimulatorProcess::refuseNextLogin()
{
    request({QStringLiteral("refuselogin")});
}

void SimulatorProcess::withholdNextGreeting()
{
    request({QStringLiteral("silent")});
}

void SimulatorProcess::failCommand(const QString &command, const QString &message)
{
    request({QStringLiteral("fail"), command, message});
}

void SimulatorProcess::clearFailure(const QString &command)
{
    request({QStringLiteral("unfail"), command});
}

void SimulatorProcess::loadConfiguration()
{
    request({QStringLiteral("configuration")});
}

void SimulatorProcess::refuseVariable(const QString &name, const QString &reason)
{
    request({QStringLiteral("refusevar"), name, reason});
}

void SimulatorProcess::acceptVariable(const QString &name)
{
    request({QStringLiteral("acceptvar"), name});
}

void SimulatorProcess::answerCommand(const QString &command, const QString &reply)
{
    request({QStringLiteral("answer"), command, reply});
}

void SimulatorProcess::scriptLineResult(const QString &command, const QString &result, int times)
{
    if (result.isEmpty())
        request({QStringLiteral("telephony"), command});
    else
        request({QStringLiteral("telephony"), command, result,
                 times == 0 ? QStringLiteral("always") : QString::number(times)});
}

void SimulatorProcess::clearAnswer(const QString &command)
{
    request({QStringLiteral("unanswer"), command});
}

int SimulatorProcess::pushLine(const QString &line)
{
    return requestCount({QStringLiteral("push"), line});
}

int SimulatorProcess::pushLine(const QString &line, int connection)
{
    return requestCount({QStringLiteral("push"), line, QString::number(connection)});
}

int SimulatorProcess::setPortState(int port, const QString &state)
{
    return requestCount({QStringLiteral("portstate"), QString::number(port), state});
}

void SimulatorProcess::setNextGreeting(const QString &greeting)
{
    request({QStringLiteral("greeting"), greeting});
}

void SimulatorProcess::setNextConfirmation(const QString &confirmation)
{
    request({QStringLiteral("confirmation"), confirmation});
}

int SimulatorProcess::sendFrame(quint8 type, quint32 extra, const QByteArray &payload)
{
    return requestCount({QStringLiteral("sendframe"), QString::number(type), QString::number(extra),
                         QString::fromLatin1(payload.toHex())});
}

int SimulatorProcess::sendRaw(const QByteArray &bytes)
{
    return requestCount({QStringLiteral("sendraw"), QString::fromLatin1(bytes.toHex())});
}

QList<LoggedCommand> SimulatorProcess::commandLog()
{
    const int count = requestCount({QStringLiteral("log")});
    QList<LoggedCommand> log;
    for (int i = 0; i < count; ++i) {
        const QString line = QString::fromUtf8(readLine());
        const qsizetype first = line.indexOf(u' ');
        const qsizetype second = line.indexOf(u' ', first + 1);
        if (first < 0 || second < 0) {
            throw SimulatorError(QStringLiteral("malformed log line: %1").arg(line));
        }
        LoggedCommand entry;
        entry.connection = line.left(first).toInt();
        entry.transaction = line.mid(first + 1, second - first - 1).toUInt();
        entry.text = unescapeControlText(line.mid(second + 1));
        log << entry;
    }
    return log;
}

QStringList SimulatorProcess::commandTexts()
{
    QStringList texts;
    for (const LoggedCommand &entry : commandLog()) {
        if (!entry.text.startsWith(QStringLiteral("LOGIN "), Qt::CaseInsensitive)) {
            texts << entry.text;
        }
    }
    return texts;
}

QStringList SimulatorProcess::traces()
{
    const int count = requestCount({QStringLiteral("traces")});
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const QString line = QString::fromUtf8(readLine());
        lines << unescapeControlText(line.mid(line.indexOf(u' ') + 1));
    }
    return lines;
}

void SimulatorProcess::clearLog()
{
    request({QStringLiteral("clearlog")});
}

int SimulatorProcess::connectionCount()
{
    return requestCount({QStringLiteral("connections")});
}

SimulatorProcess::BusyTime SimulatorProcess::busyTime()
{
    const QStringList fields = request({QStringLiteral("busytime")}).split(u' ');
    bool microsecondsOk = false;
    bool countOk = false;
    BusyTime busy;
    busy.microseconds = fields.value(0).toLongLong(&microsecondsOk);
    busy.commands = fields.value(1).toInt(&countOk);
    if (fields.size() != 2 || !microsecondsOk || !countOk)
        throw SimulatorError(QStringLiteral("no busy time in the answer to busytime"));
    return busy;
}

} // namespace testserver
