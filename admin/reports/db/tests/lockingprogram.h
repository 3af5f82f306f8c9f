// Another program that holds a report database locked: the sqlite3 shell,
// in a transaction of the given kind ("EXCLUSIVE": nobody reads or writes;
// "IMMEDIATE": nobody else writes) until Release or its end.
#pragma once

#include <QProcess>
#include <QString>

class LockingProgram {
public:
    LockingProgram(const QString &path, const char *kind)
    {
        m_shell.start(QStringLiteral("sqlite3"), {path});
        if (!m_shell.waitForStarted(30000))
            return;
        m_shell.write(QByteArray("BEGIN ") + kind + ";\nSELECT 'held';\n");
        // The answer comes once the lock is taken.
        while (!m_held && m_shell.waitForReadyRead(30000))
            m_held = m_shell.readAll().contains("held");
    }
    ~LockingProgram() { Release(); }
    LockingProgram(const LockingProgram &) = delete;
    LockingProgram &operator=(const LockingProgram &) = delete;

    bool Holds() const { return m_held; }
    void Release()
    {
        if (m_shell.state() == QProcess::NotRunning)
            return;
        m_shell.write("ROLLBACK;\n.quit\n");
        m_shell.closeWriteChannel();
        if (!m_shell.waitForFinished(30000))
            m_shell.kill();
        m_held = false;
    }

private:
    QProcess m_shell;
    bool m_held = false;
};
