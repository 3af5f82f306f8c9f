// A running server simulator for tests: starts `tclsh testserver/vserver.tcl`
// on a loopback address of its own, waits for it to listen, and steers it
// through its control channel (the simulator's standard input).  Tests of the
// suite use it as a fixture helper to get a server to talk to and to check
// what that server received.
//
// Ownership: the object owns the simulator process; its destructor ends the
// process, and the simulator also ends by itself when its standard input
// closes, so a test that dies leaves no simulator behind.
// Failures (the simulator would not start, a control request was refused or
// went unanswered) throw SimulatorError carrying the reason.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

class QProcess;

namespace testserver {

class SimulatorError : public std::runtime_error {
public:
    explicit SimulatorError(const QString &reason) : std::runtime_error(reason.toStdString()) {}
};

// One frame the simulator received: its connection (numbered from 1 in the
// order links were accepted), the frame's extra value (the transaction number;
// 0 for the login line) and its text.
struct LoggedCommand {
    int connection = 0;
    quint32 transaction = 0;
    QString text;
};

class SimulatorProcess {
public:
    // Port 1561 (odd) gives the 12-byte header framing the programs use; an
    // even port gives the length-prefix framing. An empty data file means the
    // demo data set. Further options of vserver.tcl (for example
    // {"-encoding", "cp1252"} or {"-timelimit", "2"}) may be given.
    explicit SimulatorProcess(const QString &dataFile = QString(), quint16 port = 1561,
                              const QStringList &options = QStringList());
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    QString host() const { return m_host; }
    quint16 port() const { return m_port; }

    // Replaces the data set with a seed file's.
    void loadData(const QString &dataFile);
    // Runs seed commands (ua, account, var, eventmap, timezone) on the data set.
    void seed(const QString &script);
    void setAccount(const QString &name, const QString &password, quint32 rights = 0,
                    const QString &ranges = QString());

    void delayNextReply(int milliseconds);
    // Holds back the next reply to the command with this first word.
    void delayNextReply(int milliseconds, const QString &command);
    void dropNextReply();
    // The next command with this first word is evaluated, and then its link
    // ends before the reply: the server did it, the client never hears.
    void dropLinkAfter(const QString &command);
    // Ends every client link; returns how many there were.
    int dropLinks();
    // Ends the link numbered as in the command log; false when it is not open.
    bool dropLink(int connection);
    void refuseNextLogin();
    // The next link accepted gets no greeting at all.
    void withholdNextGreeting();
    // The named command (at top level or called by a procedure) fails with the
    // message until clearFailure.
    void failCommand(const QString &command, const QString &message = QString());
    void clearFailure(const QString &command);
    // Frames whose first word is the command are answered with the reply text
    // exactly as given (nothing evaluated, no word added) until clearAnswer.
    void answerCommand(const QString &command, const QString &reply);
    void clearAnswer(const QString &command);
    // The next `times` calls (0: every call until cleared) of a telephone-line
    // command (cg_dial, cg_waitForRecord, ...) answer `result` (Busy, Rna,
    // Hangup, Error, Timeout, ...); an empty result clears what was scripted.
    void scriptLineResult(const QString &command, const QString &result, int times = 1);
    // Pushes a line to every logged-in link, or to the one numbered as in the
    // command log; returns how many got it.
    int pushLine(const QString &line);
    int pushLine(const QString &line, int connection);
    // Sets a voice port's state and pushes its trace line to every link that
    // subscribed; returns how many got it.
    int setPortState(int port, const QString &state);
    // The next link is greeted with this text instead of "VREADY A B ZONE".
    void setNextGreeting(const QString &greeting);
    // The next good login is confirmed with this text instead of "VCONNECTED".
    void setNextConfirmation(const QString &confirmation);
    // Sends a frame (any type, extra and payload) or raw bytes to every open
    // link; returns how many links got it.
    int sendFrame(quint8 type, quint32 extra, const QByteArray &payload);
    int sendRaw(const QByteArray &bytes);

    // Replaces the data set's configuration variables with those of a site
    // of some size (testserver/lib/config.tcl); links made after it see them.
    void loadConfiguration();
    // ConfigSetString refuses to set the variable (with the reason, or a
    // reason of the simulator's) until acceptVariable.
    void refuseVariable(const QString &name, const QString &reason = QString());
    void acceptVariable(const QString &name);
    QList<LoggedCommand> commandLog();
    // The commands received on links, without login lines, in order.
    QStringList commandTexts();
    QStringList traces();
    void clearLog();
    int connectionCount();
    // The simulator's own time evaluating commands since the log was last
    // cleared, in microseconds, and how many commands that was.
    struct BusyTime {
        qint64 microseconds = 0;
        int commands = 0;
    };
    BusyTime busyTime();

    // Path of a file in testserver/data (for example "demo.tcl").
    static QString dataPath(const QString &fileName);
    static QString sourceDir();
    static QString tclsh();

private:
    bool startOn(const QString &host, const QString &dataFile, const QStringList &options, QString *reason);
    QString request(const QStringList &words);
    QByteArray readLine();
    int requestCount(const QStringList &words);

    std::unique_ptr<QProcess> m_process;
    QString m_host;
    quint16 m_port;
};

// The control channel's escapes, shared with the simulator: \\ \n \r \t.
QString unescapeControlText(const QString &text);
// A request argument as a Tcl list element that survives any content.
QString quoteControlWord(const QString &word);

} // namespace testserver
