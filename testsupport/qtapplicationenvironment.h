// A QApplication for the whole of a test program that uses GoogleTest's own
// main: made before the first test, gone after the last. Header-only, so
// that a layer's tests link nothing of a higher one for it.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

class QtApplicationEnvironment : public testing::Environment {
public:
    // `displayName`, when given, is what the program's windows show as theirs.
    explicit QtApplicationEnvironment(const char *programName, const QString &displayName = {})
        : m_name(programName), m_displayName(displayName)
    {
    }
    void SetUp() override
    {
        m_argv[0] = m_name.data();
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        if (!m_displayName.isEmpty())
            QApplication::setApplicationDisplayName(m_displayName);
    }
    void TearDown() override { m_app.reset(); }

private:
    QByteArray m_name;
    QString m_displayName;
    int m_argc = 1;
    char *m_argv[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> m_app;
};
