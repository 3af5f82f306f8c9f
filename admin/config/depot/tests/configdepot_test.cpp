// The configuration depot against the server simulator: the exact batch
// texts of a load, what the server's configuration reads as (missing
// variables, the 96-line cap, the default job, the user-agent ranges), and
// the write-back: only what changed, values arriving byte for byte, refused
// names reported, deleted groups removed only after a good batch, jobs not
// scheduled twice.
#include "admin/config/depot/configdepot.h"
#include "admin/testsupport/configtestbase.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zltexception.h"

#include <functional>

namespace {

QString lineNames()
{
    QStringList names;
    for (int n = 1; n <= 96; ++n)
        names << QStringLiteral("Line%1").arg(n);
    return names.join(u' ');
}

class ConfigDepotTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        connectSession();
        m_depot.SetChannel(m_session.get());
        m_depot.SetApplicationLists({"E&M Wink Start", "Loop Start"}, "2147483647");
    }
    void load()
    {
        m_depot.Load();
        m_server->clearLog();
    }
    // The server variable as a new link reads it.
    QString serverValue(const QString &name)
    {
        CZELTSession reader(*m_session);
        reader.Connect(credentials());
        const QString value = reader.Execute(QStringLiteral("set %1\r\n").arg(name));
        reader.Disconnect();
        return value;
    }
    CConfigDepot m_depot;
};

TEST_F(ConfigDepotTest, LoadSendsTheBatchesAsTheyAreWritten)
{
    m_server->loadConfiguration();
    reconnect();
    m_depot.SetChannel(m_session.get());
    m_depot.Load();
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 8);
    EXPECT_EQ(sent[0], QStringLiteral("set _plist {%1}\r\nset _vlist \"\"\r\n"
                                      "set i 0\r\n"
                                      "while {[catch {set [lindex $_plist $i]} _tempv] == 0} {\r\n"
                                      "lappend _vlist $_tempv\r\nincr i 1\r\n}\r\n"
                                      "set _vlist\r\n")
                           .arg(lineNames()));
    EXPECT_EQ(sent[1], "set pbx_list\r\n");
    EXPECT_EQ(sent[2],
              "set _vlist \"\"\r\nforeach i [info vars *_pbx_*] {\r\nif {[catch {set $i} _tempv] == 0} "
              "{\r\nlappend _vlist $i $_tempv\r\n}\r\n}\r\nset _vlist\r\n");
    const QString loop = "foreach i $_plist {\r\ncatch {set $i} _tempv\r\nlappend _vlist $_tempv\r\n}\r\n";
    EXPECT_EQ(sent[3],
              "set _plist {answer_method_list jobq statistical_groups serialports ivr_hostte_emulator "
              "holidays Scheduled_Action_list}\r\nset _vlist \"\"\r\n" +
                  loop + "set _vlist\r\n");
    QStringList jobs;
    for (int j = 1; j <= 50; ++j)
        jobs << QStringLiteral("job%1").arg(j);
    EXPECT_EQ(sent[4],
              "set _plist {" + jobs.join(u' ') +
                  "}\r\nset _vlist \"\"\r\nforeach i $_plist {\r\ncatch {NextScheduledTcl $i} _tempv\r\n"
                  "lappend _vlist $_tempv\r\n}\r\nset _vlist\r\n");
    EXPECT_EQ(sent[5], "get_serial_ports");
    EXPECT_EQ(sent[6], "set sys_prompt_files\r\n");
    EXPECT_EQ(sent[7], "set sys_language_table\r\n");

    EXPECT_EQ(m_depot.m_voicePortCount, 96);
    EXPECT_EQ(m_depot.m_voicePortLines[0], "2001 Night");
    EXPECT_EQ(m_depot.m_voicePortLines[12], "{} {}");
    EXPECT_EQ(m_depot.m_voicePortLines[16], "2017 Fax 3 4");
    EXPECT_EQ(m_depot.m_groupCount, 20);
    EXPECT_EQ(m_depot.m_groups[0][0], "PBX01");
    EXPECT_EQ(m_depot.m_groups[0][32], "10.0.0.101");
    EXPECT_EQ(m_depot.m_groups[6][26], ""); // PBX07 has no glitch variable
    EXPECT_EQ(m_depot.m_groups[6][27], "50");
    EXPECT_EQ(m_depot.m_jobCount, 50);
    EXPECT_EQ(m_depot.m_jobs[0].id, "job1");
    EXPECT_EQ(m_depot.m_jobs[0].action, "RunReport daily_1");
    EXPECT_TRUE(m_depot.m_jobs[0].nextRun.startsWith("01/04/2027 "));
    EXPECT_EQ(m_depot.m_jobs[49].nextRun, m_session->Execute("NextScheduledTcl job50"));
    EXPECT_EQ(m_depot.m_serialPortNames, QStringList({"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(m_depot.m_serialPortCount, 4);
    EXPECT_EQ(m_depot.m_t1Protocols, "E&M Wink Start\tLoop Start");
    EXPECT_EQ(m_depot.m_promptFiles, "{english.pmt 0} {german.pmt 3} {french.pmt 1}");
    EXPECT_TRUE(m_depot.m_holidays.startsWith("12/24/2026"));
}

// A Tcl list of COUNT words made on the simulator's side: WORD with the
// number in it.
QString seededList(const char *variable, int count, const char *element)
{
    return QStringLiteral("set l {}; for {set i 1} {$i <= %1} {incr i} {lappend l %2}; var %3 $l")
        .arg(count)
        .arg(QLatin1String(element), QLatin1String(variable));
}

TEST_F(ConfigDepotTest, ALoadTakesAsManyExchangesForLongListsAsForShortOnes)
{
    struct Case {
        const char *what;
        const char *variable;
        const char *element;
        // Checks the long list's load.
        std::function<void(CConfigDepot &)> check;
    };
    const Case cases[] = {
        {"groups", "pbx_list", "[format G%06d $i]",
         [](CConfigDepot &depot) {
             ASSERT_EQ(depot.m_groupCount, 100000);
             EXPECT_EQ(depot.m_groups[99998][0], "G099999");
             EXPECT_EQ(depot.m_groups[99998][26], "7");
             EXPECT_EQ(depot.m_groups[99998][25], "");
         }},
        {"jobs", "Scheduled_Action_list", "[list job$i Beep 0101010101010101692f3d80]",
         [this](CConfigDepot &depot) {
             ASSERT_EQ(depot.m_jobCount, 100000);
             EXPECT_EQ(depot.m_jobs[99999].id, "job100000");
             EXPECT_EQ(depot.m_jobs[99999].nextRun, m_session->Execute("NextScheduledTcl job100000"));
         }},
    };
    for (const Case &c : cases) {
        QList<int> exchanges;
        for (int count : {3, 100000}) {
            m_server->loadConfiguration();
            m_server->seed(seededList(c.variable, count, c.element));
            m_server->seed("var G099999_pbx_glitch 7");
            reconnect();
            CConfigDepot depot;
            depot.SetChannel(m_session.get());
            depot.Load();
            exchanges << int(commands().size());
            if (count > 3)
                c.check(depot);
        }
        EXPECT_EQ(exchanges[0], exchanges[1]) << c.what;
        EXPECT_LE(exchanges[1], 8) << c.what;
    }
}

TEST_F(ConfigDepotTest, AHundredThousandElementsToEveryReadAreAFewExchanges)
{
    QStringList elements;
    for (int i = 1; i <= 100000; ++i)
        elements << QStringLiteral("v%1").arg(i);
    m_server->answerCommand("set", "set " + elements.join(u' '));
    m_depot.Load();
    m_server->clearAnswer("set");
    EXPECT_EQ(m_depot.m_voicePortCount, 96);
    EXPECT_EQ(m_depot.m_groupCount, 100000);
    EXPECT_LE(commands().size(), 8);
}

TEST_F(ConfigDepotTest, ALoadStopsAtTheFirstCommandThatGetsNoAnswer)
{
    struct Case {
        // The command whose answer does not come.
        const char *command;
        std::function<void(testserver::SimulatorProcess &)> arrange;
        const char *why;
    };
    const char *lost = "The link to the server ended before an answer came.";
    const Case cases[] = {
        // The link ends once the server has done the command: the first
        // read, and one in the middle of the load.
        {"set", [](testserver::SimulatorProcess &server) { server.dropLinkAfter("set"); }, lost},
        {"get_serial_ports",
         [](testserver::SimulatorProcess &server) { server.dropLinkAfter("get_serial_ports"); }, lost},
        // The user cancelled the wait: the session's answer for it, here
        // sent by the simulator.
        {"get_serial_ports",
         [](testserver::SimulatorProcess &server) {
             server.answerCommand("get_serial_ports", "get_serial_ports !ERROR Waiting cancelled while the "
                                                      "server was processing  \"get_serial_ports\" command.");
         },
         "The wait for the answer was cancelled."},
    };
    for (const Case &c : cases) {
        m_server->loadConfiguration();
        reconnect();
        c.arrange(*m_server);
        CConfigDepot depot;
        depot.SetChannel(m_session.get());
        try {
            depot.Load();
            ADD_FAILURE() << c.command << ": the load went on";
        } catch (const CZltException &failure) {
            EXPECT_EQ(failure.text(),
                      QStringLiteral("The configuration could not be read from the server.\n") + c.why)
                << c.command;
        }
        EXPECT_EQ(commands().last().section(u' ', 0, 0), QString::fromLatin1(c.command));
        EXPECT_TRUE(m_boxes->texts().isEmpty());
        m_server->clearAnswer("get_serial_ports");
    }
}

TEST_F(ConfigDepotTest, MissingVariablesReadAsTheServerHasThem)
{
    struct Case {
        const char *seed;
        int lines;
        int groups;
    };
    // Line5 missing ends the lines though Line6 exists; lines past 96 are
    // not read; a missing pbx_list means no groups and no group batch.
    const Case cases[] = {
        {"var Line1 {1 A}\nvar Line2 {2 A}\nvar Line3 {3 A}\nvar Line4 {4 A}\nvar Line6 {6 A}\n", 4, 0},
        {"for {set n 1} {$n <= 100} {incr n} {var Line$n [list $n A]}\n", 96, 0},
    };
    for (const Case &c : cases) {
        m_server->loadData(testserver::SimulatorProcess::dataPath("demo.tcl"));
        m_server->seed(QString::fromUtf8(c.seed));
        m_server->seed("var pbx_list {}");
        reconnect();
        CConfigDepot depot;
        depot.SetChannel(m_session.get());
        depot.Load();
        EXPECT_EQ(depot.m_voicePortCount, c.lines) << c.seed;
        EXPECT_EQ(depot.m_groupCount, c.groups);
    }
    m_session->Execute("ConfigRemoveVar pbx_list 1\r\n");
    reconnect();
    CConfigDepot depot;
    depot.SetChannel(m_session.get());
    depot.Load();
    EXPECT_EQ(depot.m_groupCount, 0);
    const QStringList sent = commands();
    ASSERT_GE(sent.size(), 3);
    EXPECT_EQ(sent[1], "set pbx_list\r\n");
    EXPECT_TRUE(sent[2].startsWith("set _plist {answer_method_list")) << sent[2].toStdString();
}

TEST_F(ConfigDepotTest, AValueThatNamesItsVariableIsData)
{
    m_server->seed("var pbx_list {Alpha}\nvar Alpha_pbx_dl_init {Alpha_pbx_dl_init reset}\n"
                   "var jobq {{jobq {1 2} 3}}\nvar sys_prompt_files {sys_prompt_files 1}");
    reconnect();
    m_depot.SetChannel(m_session.get());
    m_depot.Load();
    ASSERT_EQ(m_depot.m_groupCount, 1);
    EXPECT_EQ(m_depot.m_groups[0][23], "Alpha_pbx_dl_init reset");
    EXPECT_EQ(m_depot.m_groups[0][1], ""); // missing
    EXPECT_EQ(m_depot.m_notificationGroups, "{jobq {1 2} 3}");
    EXPECT_EQ(m_depot.m_promptFiles, "sys_prompt_files 1");
}

TEST_F(ConfigDepotTest, ErrorRepliesAreNeverKeptNorWritten)
{
    m_server->failCommand("set", "the configuration is locked");
    m_depot.Load();
    m_server->clearFailure("set");
    EXPECT_EQ(m_depot.m_voicePortCount, 0);
    EXPECT_EQ(m_depot.m_groupCount, 0);
    EXPECT_EQ(m_depot.m_answerMethods, "");
    EXPECT_EQ(m_depot.m_promptFiles, "");
    EXPECT_EQ(m_depot.m_languageTable, "");

    m_server->clearLog();
    m_depot.m_answerMethods = "{Day {997 4 X}}";
    m_boxes->answer(IDOK);
    const CConfigDepot::SaveResult result = m_depot.Save();
    EXPECT_EQ(result.unread, QStringList({"answer_method_list"}));
    EXPECT_FALSE(result.succeeded());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].contains("answer_method_list"));
    // Nothing was sent: neither the unread list nor the untouched ones.
    EXPECT_TRUE(commands().isEmpty()) << commands().join("|").toStdString();
}

TEST_F(ConfigDepotTest, AGroupsReplyThatCannotBeReadLeavesEveryGroupUnreadAndUnwritten)
{
    // Every "set" frame gets this reply: the group list names three groups,
    // and the groups' variables come as an odd number of names and values.
    m_server->answerCommand("set", "set Alpha {Beta Gamma} Delta");
    m_depot.Load();
    m_server->clearAnswer("set");
    ASSERT_EQ(m_depot.m_groupCount, 3);
    for (const ConfigGroupRecord &group : std::as_const(m_depot.m_groups))
        for (int k = 1; k <= kGroupVariableCount; ++k)
            EXPECT_EQ(group[size_t(k)], "") << k;

    m_depot.m_groups[0][21] = "7";
    m_server->clearLog();
    m_boxes->answer(IDOK);
    const CConfigDepot::SaveResult result = m_depot.Save();
    EXPECT_EQ(result.unread, QStringList({"Alpha_pbx_dl_suffix"}));
    EXPECT_TRUE(commands().isEmpty()) << commands().join("|").toStdString();
}

TEST_F(ConfigDepotTest, GroupVariablesGoToTheirGroupsWhateverTheNames)
{
    // Names with blanks and underscores, one group listed twice, and
    // variables of a group the list does not name.
    m_server->seed("var pbx_list {{A b} A_pbx A {A b}}\n"
                   "var {A b_pbx_glitch} 1\nvar A_pbx_pbx_spike 2\nvar A_pbx_spike 3\nvar Gone_pbx_spike 4\n"
                   "var A_pbx_dl_trunk_prefix 9\nvar A_pbx_dl_prefix {}");
    reconnect();
    m_depot.SetChannel(m_session.get());
    m_depot.Load();
    ASSERT_EQ(m_depot.m_groupCount, 4);
    EXPECT_EQ(m_depot.m_groups[0][26], "1");
    EXPECT_EQ(m_depot.m_groups[3][26], "1");
    EXPECT_EQ(m_depot.m_groups[1][27], "2");
    EXPECT_EQ(m_depot.m_groups[2][27], "3");
    EXPECT_EQ(m_depot.m_groups[2][30], "9");
    EXPECT_EQ(m_depot.m_groups[2][22], "");
    EXPECT_EQ(m_depot.m_groups[1][26], "");

    // Only what changed is written; a missing variable given a value is.
    m_depot.m_groups[2][27] = "30";
    m_depot.m_groups[1][1] = "Generic";
    m_server->clearLog();
    EXPECT_TRUE(m_depot.Save().succeeded());
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0],
              "set _rlist \"\"\r\n"
              "if {[catch {ConfigSetString A_pbx_pbx_switch_type {Generic} 1}]} {\r\n"
              "lappend _rlist A_pbx_pbx_switch_type\r\n}\r\n"
              "if {[catch {ConfigSetString A_pbx_spike {30} 1}]} {\r\nlappend _rlist A_pbx_spike\r\n}\r\n"
              "set _rlist\r\n");
}

TEST_F(ConfigDepotTest, AnEmptyJobListGivesTheDefaultJob)
{
    m_server->seed("var Scheduled_Action_list {}");
    reconnect();
    m_depot.SetChannel(m_session.get());
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    m_depot.Load();
    ASSERT_EQ(m_depot.m_jobCount, 1);
    const CConfigJob &job = m_depot.m_jobs[0];
    EXPECT_EQ(job.id, "");
    EXPECT_EQ(job.nextRun, "No job scheduled");
    ASSERT_TRUE(job.schedule.startsWith("0101010101010101"));
    bool ok = false;
    EXPECT_GE(job.schedule.mid(16).toLongLong(&ok, 16), before);
    EXPECT_TRUE(ok);
    EXPECT_EQ(job.schedule.mid(16), job.schedule.mid(16).toLower());
}

TEST_F(ConfigDepotTest, AShortJobEntryLeavesAnEmptyRecordInItsPlace)
{
    m_server->seed("var Scheduled_Action_list {{job1 {Beep} 01010101010101016a000000} {job2 Short}}");
    reconnect();
    m_depot.SetChannel(m_session.get());
    m_depot.Load();
    ASSERT_EQ(m_depot.m_jobCount, 2);
    EXPECT_EQ(m_depot.m_jobs[0].action, "Beep");
    EXPECT_EQ(m_depot.m_jobs[1].id, "");
    EXPECT_EQ(m_depot.m_jobs[1].action, "");
}

TEST_F(ConfigDepotTest, UserAgentNumbersBecomeRanges)
{
    m_server->answerCommand("GetUAList", "GetUAList 100 101 102 200 201 500");
    m_depot.ReloadCosAndUaLists();
    const QList<QPair<qint64, qint64>> expected = {{100, 102}, {200, 201}, {500, 500}};
    EXPECT_EQ(m_depot.m_uaRanges, expected);
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0], "GetUAList4Property COS {2147483647} own NOASR");
    EXPECT_EQ(sent[1], "GetUAList -sort\r\n");
}

TEST_F(ConfigDepotTest, ListRefusalsAreShownAndLeaveTheListsEmpty)
{
    m_server->failCommand("GetUAList4Property", "no classes");
    m_server->failCommand("GetUAList", "no list");
    m_boxes->answer({IDOK, IDOK});
    m_depot.ReloadCosAndUaLists();
    EXPECT_EQ(m_depot.m_cosList, "");
    EXPECT_TRUE(m_depot.m_uaRanges.isEmpty());
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("Server reported error while updating COS list '!ERROR"));
    EXPECT_TRUE(m_boxes->texts()[1].startsWith("Server reported error while updating user agent list '"));
}

// --- write-back --------------------------------------------------------------------

class ConfigWriteBackTest : public ConfigDepotTest {
protected:
    void SetUp() override
    {
        ConfigDepotTest::SetUp();
        m_server->loadConfiguration();
        reconnect();
        m_depot.SetChannel(m_session.get());
        load();
    }
};

TEST_F(ConfigWriteBackTest, NothingChangedSendsNothing)
{
    const CConfigDepot::SaveResult result = m_depot.Save();
    EXPECT_TRUE(result.succeeded());
    EXPECT_TRUE(commands().isEmpty()) << commands().join("|").toStdString();
}

TEST_F(ConfigWriteBackTest, OneChangedLineIsOneBatchOfOneLine)
{
    m_depot.m_voicePortLines[4] = "3005 Sales";
    EXPECT_TRUE(m_depot.Save().succeeded());
    EXPECT_EQ(commands(), QStringList({"set _rlist \"\"\r\n"
                                       "if {[catch {ConfigSetString Line5 {3005 Sales} 1}]} {\r\n"
                                       "lappend _rlist Line5\r\n}\r\n"
                                       "set _rlist\r\n"}));
    EXPECT_EQ(serverValue("Line5"), "3005 Sales");
    EXPECT_EQ(serverValue("Line6"), "2006 Day");
    // Written once: a second save has nothing to send.
    m_server->clearLog();
    m_depot.Save();
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(ConfigWriteBackTest, ValuesArriveByteForByte)
{
    const QStringList values = {"1}[set ::pwned 1]{", "a\\", "{x} y\\}", "tab\there\nline",
                                "$env(HOME) [exit]",  ""};
    for (const QString &value : values) {
        m_depot.m_holidays = value;
        m_depot.m_groups[2][22] = value + "g";
        ASSERT_TRUE(m_depot.Save().succeeded()) << value.toStdString();
        EXPECT_EQ(serverValue("holidays"), value) << value.toStdString();
        EXPECT_EQ(serverValue("PBX03_pbx_dl_prefix"), value + "g");
    }
    // Nothing of a value ran in the link that sent it.
    EXPECT_EQ(m_session->Execute("info exists ::pwned"), "0");
}

TEST_F(ConfigWriteBackTest, RefusedNamesAreReportedOnceAndWrittenAgainLater)
{
    m_server->refuseVariable("jobq");
    m_server->refuseVariable("Line7");
    m_depot.m_notificationGroups = "{Pager {1 2} 2}";
    m_depot.m_voicePortLines[6] = "2007 Sales";
    m_depot.m_voicePortLines[7] = "2008 Sales";
    m_boxes->answer(IDOK);
    const CConfigDepot::SaveResult result = m_depot.Save();
    EXPECT_EQ(result.refused, QStringList({"Line7", "jobq"}));
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"Server reported error while updating configuration 'Line7 jobq'.\n\n"
                           "Not stored: Line7, jobq.\nStored: Line8.\n\nWhat was not stored stays in the "
                           "window: correct it or write it again."}));
    EXPECT_EQ(result.stored, QStringList({"Line8"}));
    EXPECT_EQ(serverValue("Line8"), "2008 Sales");

    m_server->acceptVariable("jobq");
    m_server->acceptVariable("Line7");
    m_server->clearLog();
    EXPECT_TRUE(m_depot.Save().succeeded());
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line7 "));
    EXPECT_TRUE(sent[0].contains("ConfigSetString jobq "));
    EXPECT_FALSE(sent[0].contains("Line8"));
}

TEST_F(ConfigWriteBackTest, DeletedGroupsGoOnlyAfterAGoodBatch)
{
    m_depot.m_groups.removeAt(19);
    m_depot.m_groupCount = 19;
    m_depot.m_deletedGroups << "PBX20";
    QStringList names;
    for (const ConfigGroupRecord &record : std::as_const(m_depot.m_groups))
        names << record[0];
    m_depot.m_groupList = names.join(u' ');

    m_server->refuseVariable("pbx_list");
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_depot.Save().succeeded());
    for (const QString &sent : commands())
        EXPECT_FALSE(sent.startsWith("ConfigRemoveVar")) << sent.toStdString();
    EXPECT_EQ(serverValue("PBX20_pbx_ip_address"), "10.0.0.120");

    m_server->acceptVariable("pbx_list");
    m_server->clearLog();
    EXPECT_TRUE(m_depot.Save().succeeded());
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1 + 33);
    EXPECT_TRUE(sent[0].contains("ConfigSetString pbx_list {PBX01"));
    EXPECT_EQ(sent[1], "ConfigRemoveVar PBX20_pbx_switch_type 1\r\n");
    EXPECT_EQ(sent[33], "ConfigRemoveVar PBX20_pbx_snmp_community 1\r\n");
    EXPECT_TRUE(serverValue("PBX20_pbx_ip_address").startsWith("!ERROR"));
    EXPECT_TRUE(m_depot.m_deletedGroups.isEmpty());
}

TEST_F(ConfigWriteBackTest, JobsAreRemovedAndScheduledAgain)
{
    CConfigJob added;
    added.action = "Beep twice";
    added.schedule = "010101010101010169000000";
    added.state = CConfigJob::Changed;
    m_depot.m_jobs.append(added);
    m_depot.m_jobs[0].state = CConfigJob::Deleted;
    m_depot.m_jobs[1].state = CConfigJob::Changed;
    m_depot.m_jobs[1].action = "RunReport weekly";
    EXPECT_TRUE(m_depot.Save().succeeded());
    EXPECT_EQ(commands(), QStringList({"RemoveScheduledTcl job1", "RemoveScheduledTcl job2",
                                       "ScheduleTcl 01010101010101016b3b6da0 {RunReport weekly}",
                                       "ScheduleTcl 010101010101010169000000 {Beep twice}"}));
    EXPECT_EQ(m_depot.m_jobs[1].id, "job51");
    EXPECT_EQ(m_depot.m_jobs[50].id, "job52");
}

TEST_F(ConfigWriteBackTest, ANewJobDeletedBeforeItWasScheduledSendsNothing)
{
    CConfigJob never;
    never.action = "Beep";
    never.schedule = "010101010101010169000000";
    never.state = CConfigJob::Deleted;
    m_depot.m_jobs.append(never);
    EXPECT_TRUE(m_depot.Save().succeeded());
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(ConfigWriteBackTest, AJobWhoseRemovalFailedIsNotScheduledAgain)
{
    m_depot.m_jobs[3].state = CConfigJob::Changed;
    m_depot.m_jobs[3].id = "job999";
    m_boxes->answer(IDOK);
    const CConfigDepot::SaveResult result = m_depot.Save();
    EXPECT_EQ(commands(), QStringList({"RemoveScheduledTcl job999"}));
    EXPECT_EQ(result.refused, QStringList({"job999"}));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("Server reported error while updating configuration '!ERROR"));
}

TEST_F(ConfigWriteBackTest, WhatWentWithoutAnAnswerIsNotKnownToBeStored)
{
    struct Case {
        // The link ends once the server did the next command of this word.
        const char *command;
        std::function<void(CConfigDepot &)> change;
        QStringList unknown;
        QStringList stored;
    };
    const Case cases[] = {
        {"set", [](CConfigDepot &depot) { depot.m_voicePortLines[5] = "3006 Sales"; }, {"Line6"}, {}},
        {"RemoveScheduledTcl",
         [](CConfigDepot &depot) {
             depot.m_voicePortLines[5] = "3006 Sales";
             depot.m_jobs[0].state = CConfigJob::Changed;
             depot.m_jobs[0].action = "Beep";
         },
         {"job1"},
         {"Line6"}},
    };
    for (const Case &c : cases) {
        m_server->loadConfiguration();
        reconnect();
        CConfigDepot depot;
        depot.SetChannel(m_session.get());
        depot.Load();
        m_server->clearLog();
        const qsizetype shown = m_boxes->texts().size();
        c.change(depot);
        // A later step, never sent.
        depot.m_languageTable += " {Klingon {k.pmt 9}}";
        m_server->dropLinkAfter(c.command);
        m_boxes->answer(IDOK);
        const CConfigDepot::SaveResult result = depot.Save();
        EXPECT_EQ(result.unknown, c.unknown) << c.command;
        EXPECT_EQ(result.stored, c.stored);
        EXPECT_TRUE(result.refused.isEmpty());
        EXPECT_FALSE(result.succeeded());
        EXPECT_EQ(m_boxes->texts().mid(shown),
                  QStringList({"The link to the server ended before an answer came.\nIt is not known whether "
                               "these were stored: " +
                               c.unknown.join(", ") + ".\nNothing after them was sent."}));
        EXPECT_TRUE(commands().last().startsWith(QLatin1String(c.command)))
            << commands().last().toStdString();
        EXPECT_FALSE(commands().join(u' ').contains("Klingon"));
        // The server did it all the same.
        EXPECT_EQ(serverValue("Line6"), "3006 Sales");
    }
}

TEST_F(ConfigWriteBackTest, AnAnswerThatNeverCameIsNotBlamedOnTheServer)
{
    // The session answers a command itself once its answer is this late.
    CSessionSettings settings = patientSettings();
    settings.timeToLiveMs = 300;
    settings.sweepPeriodMs = 50;
    CZELTSession session(settings);
    session.Connect(credentials());
    CConfigDepot depot;
    depot.SetChannel(&session);
    depot.Load();
    depot.m_holidays = "1/1";
    m_server->dropNextReply();
    m_boxes->answer(IDOK);
    EXPECT_EQ(depot.Save().unknown, QStringList({"holidays"}));
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"No answer came within the time allowed.\nIt is not known whether "
                           "these were stored: holidays.\nNothing after them was sent."}));
    session.Disconnect();
}

TEST_F(ConfigWriteBackTest, LanguagesDecideTheMultipleLanguageSwitch)
{
    struct Case {
        const char *table;
        const char *multiple;
    };
    const Case cases[] = {
        {"{English {a.pmt 0}} {French {a.pmt 0}} {Single}", "0"},
        {"{English {a.pmt 0}} {French {b.pmt 1}}", "1"},
    };
    for (const Case &c : cases) {
        m_server->clearLog();
        m_depot.m_languageTable = QString::fromUtf8(c.table);
        EXPECT_TRUE(m_depot.Save().succeeded());
        const QStringList sent = commands();
        ASSERT_EQ(sent.size(), 2);
        EXPECT_EQ(sent[0], QStringLiteral("ConfigSetString sys_language_table {%1} 1\r\n").arg(c.table));
        EXPECT_EQ(sent[1],
                  QStringLiteral("ConfigSetString sys_multiple_language {%1} 1\r\n").arg(c.multiple));
    }
}

} // namespace
