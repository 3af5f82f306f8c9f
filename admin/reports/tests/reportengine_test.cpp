// The report engine as start-up uses it: made closed, opened once, and
// refusing to open, with its reason, where its folder cannot be had.
#include "admin/reports/reportengine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ReportEngineTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_oldDataHome); }

    QTemporaryDir m_home;
    QByteArray m_oldDataHome;
};

TEST_F(ReportEngineTest, IsMadeClosedAndBecomesTheCurrentEngine)
{
    CReportEngine engine;
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_EQ(CReportEngine::Current(), &engine);
}

TEST_F(ReportEngineTest, OpensItsReportFolder)
{
    CReportEngine engine;
    ASSERT_TRUE(engine.Open()) << engine.LastError().toStdString();
    EXPECT_TRUE(engine.IsOpen());
    EXPECT_EQ(engine.OutputFolder(), m_home.path() + QStringLiteral("/verbanta/reports"));
    EXPECT_TRUE(QDir(engine.OutputFolder()).exists());
    EXPECT_TRUE(engine.Open()); // already open
}

TEST_F(ReportEngineTest, RefusesToOpenWithTheReasonWhenTheFolderCannotBeMade)
{
    // A file where the folder should be.
    QFile blocker(m_home.path() + QStringLiteral("/verbanta"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    CReportEngine engine;
    EXPECT_FALSE(engine.Open());
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_TRUE(engine.LastError().contains(QStringLiteral("/verbanta/reports")))
        << engine.LastError().toStdString();
}

TEST_F(ReportEngineTest, StopsBeingCurrentWhenDestroyed)
{
    {
        CReportEngine engine;
        ASSERT_TRUE(engine.Open());
    }
    EXPECT_EQ(CReportEngine::Current(), nullptr);
}

} // namespace
