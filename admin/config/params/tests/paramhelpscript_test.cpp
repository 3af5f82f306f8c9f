// The help script of the System Parameters window is a local file read as
// hostile: it sets the descriptions, and nothing it tries can start a
// program, touch a file, hold the window or end the program.
#include "admin/config/params/paramhelpscript.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ParamHelpScriptTest : public testing::Test {
protected:
    QString write(const QByteArray &script)
    {
        const QString path = m_folder.filePath("admincv.tcl");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(script);
        return path;
    }
    QTemporaryDir m_folder;
    CParamHelpScript m_script;
    QString m_message;
};

TEST_F(ParamHelpScriptTest, ScriptVariablesNamedLikeParametersAreTheirTexts)
{
    ASSERT_TRUE(m_script.Load(write("set sys_tmo_menu {How long a menu waits for a key.}\n"
                                    "set sys_multiple_language \"Callers choose a language.\"\n"),
                              m_message));
    EXPECT_EQ(m_script.Text("sys_tmo_menu"), QStringLiteral("How long a menu waits for a key."));
    EXPECT_EQ(m_script.Text("sys_multiple_language"), QStringLiteral("Callers choose a language."));
    EXPECT_EQ(m_script.Text("sys_no_such"), QString());
    EXPECT_EQ(m_script.Text(QString()), QString());
}

TEST_F(ParamHelpScriptTest, NothingTheScriptTriesCanReachOutside)
{
    const QString marker = m_folder.filePath("started");
    const QByteArray attempts[] = {
        "exec touch " + marker.toUtf8(),
        "open " + marker.toUtf8() + " w",
        "file mkdir " + marker.toUtf8(),
        "source /etc/passwd",
        "socket 127.0.0.1 1",
        "load libc.so.6",
        "interp invokehidden {} exec touch " + marker.toUtf8(),
    };
    for (const QByteArray &attempt : attempts) {
        SCOPED_TRACE(attempt.toStdString());
        CParamHelpScript script;
        EXPECT_FALSE(
            script.Load(write("set sys_before kept\n" + attempt + "\nset sys_after never\n"), m_message));
        EXPECT_TRUE(m_message.startsWith("Read help file error!\nError - {")) << m_message.toStdString();
        EXPECT_EQ(script.Text("sys_before"), QStringLiteral("kept"));
        EXPECT_EQ(script.Text("sys_after"), QString());
        EXPECT_FALSE(QFile::exists(marker));
    }
}

TEST_F(ParamHelpScriptTest, AScriptThatNeverEndsIsStopped)
{
    for (const QByteArray &script : {QByteArray("while 1 {}"), QByteArray("proc f {} {f}; f"),
                                     QByteArray("vwait forever"), QByteArray("after 100000")}) {
        SCOPED_TRACE(script.toStdString());
        CParamHelpScript help;
        EXPECT_FALSE(help.Load(write(script), m_message));
        EXPECT_TRUE(m_message.startsWith("Read help file error!")) << m_message.toStdString();
    }
}

// Tcl ends the whole program when a value passes 2 GB; a script is stopped
// long before, and what it set is forgotten.
TEST_F(ParamHelpScriptTest, AScriptThatBuildsLargeValuesIsRefusedAndLeavesNoText)
{
    constexpr qint64 kLimit = 4 * 1024 * 1024;
    const QByteArray growers[] = {
        "set s x\nwhile 1 {\n    append s $s\n}\n",
        "set s x; while 1 {set s $s$s}",
        "set l x; while 1 {set l [list {*}$l {*}$l]}",
        "proc grow {} {global s; append s $s}; set s x; while 1 grow",
        "while 1 {catch {lappend l [string repeat x 100000]}}",
        "set s [string repeat x 1000000]; while 1 {set a([incr i]) $s$i}",
    };
    for (const QByteArray &grower : growers) {
        SCOPED_TRACE(grower.toStdString());
        CParamHelpScript script(kLimit);
        EXPECT_FALSE(script.Load(write("set sys_before kept\n" + grower + "\nset sys_after never\n"), m_message));
        EXPECT_EQ(m_message, QStringLiteral("Read help file error!\nError - {the script takes more than 4096 KB of "
                                            "memory; a help script only sets short texts}"));
        EXPECT_EQ(script.Text("sys_before"), QString());
        EXPECT_EQ(script.Text("sys_after"), QString());
    }
}

TEST_F(ParamHelpScriptTest, TheDefaultLimitsStopAScriptHeadingForTwoGigabytes)
{
    // On a busy machine the time limit may come first; either way the
    // program goes on.
    EXPECT_FALSE(m_script.Load(write("set s x\nwhile 1 {\n    append s $s\n}\n"), m_message));
    EXPECT_TRUE(m_message.startsWith("Read help file error!\nError - {")) << m_message.toStdString();
    EXPECT_TRUE(m_script.Evaluate("set sys_tmo_menu {A text.}", m_message)) << m_message.toStdString();
    EXPECT_EQ(m_script.Text("sys_tmo_menu"), QStringLiteral("A text."));
}

// Tcl ends its process when a value built inside one command passes its
// size or the memory at hand, which no check between commands can see
// coming; that process is not this one.
TEST_F(ParamHelpScriptTest, AValueBuiltInsideOneCommandIsRefusedAndTheProgramGoesOn)
{
    QByteArray concatenation = "set b ";
    for (int i = 0; i < 2200; ++i)
        concatenation += "$a";
    const QByteArray scripts[] = {
        "set a [string repeat x 1000000]\n" + concatenation + "\nset sys_b [string length $b]\n",
        "set b [lrepeat 300000000 x]\n",
    };
    for (const QByteArray &script : scripts) {
        SCOPED_TRACE(script.left(60).toStdString());
        EXPECT_FALSE(m_script.Load(write("set sys_a kept\n" + script), m_message));
        EXPECT_EQ(m_message,
                  QStringLiteral("Read help file error!\nError - {the script takes more than 65536 KB of "
                                 "memory; a help script only sets short texts}"));
        EXPECT_EQ(m_script.Text("sys_a"), QString());
        EXPECT_EQ(m_script.Text("sys_b"), QString());
    }
    EXPECT_TRUE(m_script.Evaluate("set sys_tmo_menu {A text.}", m_message)) << m_message.toStdString();
    EXPECT_EQ(m_script.Text("sys_tmo_menu"), QStringLiteral("A text."));
}

// The interpreter's time limit is checked between commands; one command
// that runs on is ended from outside.
TEST_F(ParamHelpScriptTest, AScriptStuckInOneCommandIsEndedAndTheProgramGoesOn)
{
    EXPECT_FALSE(m_script.Load(
        write("set sys_a kept\nstring map [lrepeat 20000 ab] [string repeat a 1000000]\n"), m_message));
    EXPECT_EQ(m_message, QStringLiteral("Read help file error!\nError - {time limit exceeded}"));
    EXPECT_EQ(m_script.Text("sys_a"), QString());
    EXPECT_TRUE(m_script.Evaluate("set sys_tmo_menu {A text.}", m_message)) << m_message.toStdString();
}

TEST_F(ParamHelpScriptTest, WhatTheScriptWritesOrRedefinesIsNotTakenForItsResult)
{
    const QByteArray scripts[] = {
        "set sys_a kept\nputs {ok {} {sys_a forged}}\n",
        "set sys_a kept\nproc info args {return {sys_a sys_a sys_forged}}\n",
    };
    for (const QByteArray &script : scripts) {
        SCOPED_TRACE(script.toStdString());
        m_script.Evaluate(script, m_message);
        EXPECT_EQ(m_script.Text("sys_a"), QStringLiteral("kept"));
        EXPECT_EQ(m_script.Text("sys_forged"), QString());
    }
}

// A zero byte in the file ends a text where it stands; the other texts
// are read as they are.
TEST_F(ParamHelpScriptTest, AZeroByteInAValueEndsThatTextOnly)
{
    static const char script[] = "set sys_a {before\0after}\nset sys_b {whole}\n";
    ASSERT_TRUE(m_script.Load(write(QByteArray(script, sizeof script - 1)), m_message)) << m_message.toStdString();
    EXPECT_EQ(m_script.Text("sys_a"), QStringLiteral("before"));
    EXPECT_EQ(m_script.Text("sys_b"), QStringLiteral("whole"));
}

TEST_F(ParamHelpScriptTest, SyntaxErrorsMissingAndOversizedFilesAreReported)
{
    EXPECT_FALSE(m_script.Load(write("set sys_a {open\n"), m_message));
    EXPECT_EQ(m_message, QStringLiteral("Read help file error!\nError - {missing close-brace}"));

    EXPECT_FALSE(m_script.Load(m_folder.filePath("missing.tcl"), m_message));
    EXPECT_TRUE(m_message.startsWith("Failed to Open Help File\nfilename (" +
                                     m_folder.filePath("missing.tcl") + ")\nerror = "));

    QByteArray large(HelpScriptLimits::kMaxScriptSize + 1, '#');
    EXPECT_FALSE(m_script.Load(write(large), m_message));
    EXPECT_TRUE(m_message.contains("larger than")) << m_message.toStdString();
}

TEST_F(ParamHelpScriptTest, TheShippedScriptReadsInTheSafeInterpreter)
{
    const QString shipped =
        QDir(QCoreApplication::applicationDirPath()).filePath("../share/verbanta/admincv.tcl");
    ASSERT_TRUE(m_script.Load(shipped, m_message)) << m_message.toStdString();
    EXPECT_FALSE(m_script.Text("sys_tmo_menu").isEmpty());
}

} // namespace
