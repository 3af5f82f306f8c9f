// Runs one of the command-line tools (regsvr, regwrite) against a settings
// store of the test's own, which the test process uses as well, so what the
// tool writes the test reads back.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

class PrivateStoreTool : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_store.isValid());
        setenv("XDG_CONFIG_HOME", m_store.path().toLocal8Bit().constData(), 1);
    }

    // The tool's exit status, -1 when it did not end normally within a
    // minute; what it printed is kept in m_output.
    int runTool(const QString &program, const QStringList &arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_store.path());
        tool.setProcessEnvironment(environment);
        tool.start(program, arguments);
        if (!tool.waitForFinished(60000))
            return -1;
        m_output = tool.readAllStandardOutput() + tool.readAllStandardError();
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QTemporaryDir m_store;
    QByteArray m_output;
};
