// The System Parameters document against the simulator: the descriptions it
// parses, the fetch, and the two guarded batches of its write-back, counted
// in the simulator's log.
#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/sysparammeta.h"
#include "admin/testsupport/configtestbase.h"

#include <memory>

namespace {

class SysParamDocTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        connectSession();
    }
    void TearDown() override
    {
        m_document.reset();
        ConfigTestBase::TearDown();
    }
    bool open()
    {
        m_document = std::make_unique<CConfigSystemParamDoc>();
        return m_document->OnNewDocument(*m_session, credentials());
    }
    // What the server holds now, read on a new link.
    QString serverValue(const QString &name)
    {
        reconnect();
        return m_session->Execute(QStringLiteral("set %1").arg(name));
    }
    QStringList sent(const QString &word)
    {
        QStringList texts;
        for (const QString &text : m_server->commandTexts())
            if (text.contains(word))
                texts.append(text);
        return texts;
    }

    std::unique_ptr<CConfigSystemParamDoc> m_document;
};

struct MetaCase {
    const char *description;
    int type;
    bool hasRange;
    int minimum;
    int maximum;
    QStringList choices;
};

TEST(SysParamMetaTest, ParsesTypeAndRangeAsTheServerWritesThem)
{
    const MetaCase cases[] = {
        {"view 1 type int range {9 1}", CSysParamMeta::TypeInt, true, 1, 9, {}},
        {"view 1 TYPE INT Range {1000 120000}", CSysParamMeta::TypeInt, true, 1000, 120000, {}},
        {"view 1 type int range 5", CSysParamMeta::TypeInt, false, 0, 0, {}},
        {"view 1 type bool", CSysParamMeta::TypeBool, false, 0, 0, {}},
        {"view 1 type list", CSysParamMeta::TypeList, false, 0, 0, {}},
        {"view 1 type directory", CSysParamMeta::TypeText, false, 0, 0, {}},
        {"view 1", CSysParamMeta::TypeText, false, 0, 0, {}},
        {"view 1 type picklist", CSysParamMeta::TypeText, false, 0, 0, {}},
        {"view 1 type picklist range {}", CSysParamMeta::TypeText, false, 0, 0, {}},
        {"type PickList range {English {Old French}} type int",
         CSysParamMeta::TypePicklist,
         true,
         0,
         0,
         {"English", "Old French"}},
        {"view 1 type {unbalanced", CSysParamMeta::TypeText, false, 0, 0, {}},
    };
    for (const MetaCase &c : cases) {
        SCOPED_TRACE(c.description);
        const CSysParamMeta meta{QString::fromUtf8(c.description)};
        int maximum = -1;
        int minimum = -1;
        EXPECT_EQ(meta.GetType(), c.type);
        EXPECT_EQ(meta.GetRange(maximum, minimum), c.hasRange);
        if (c.type == CSysParamMeta::TypeInt && c.hasRange) {
            EXPECT_EQ(minimum, c.minimum);
            EXPECT_EQ(maximum, c.maximum);
        }
        EXPECT_EQ(meta.AsRange() != nullptr, c.type == CSysParamMeta::TypePicklist);
        EXPECT_EQ(meta.Choices(), c.choices);
    }
}

TEST_F(SysParamDocTest, FetchesTheParametersAndTheDescriptionsThatAreShown)
{
    ASSERT_TRUE(open());
    EXPECT_EQ(m_document->GetTitle(), QStringLiteral("System Parameters"));
    EXPECT_EQ(m_document->Values().value("sys_tmo_menu"), QStringLiteral("5000"));
    EXPECT_EQ(m_document->Values().value("sys_prompt_files"),
              QStringLiteral("{english.pmt 0} {french.pmt 1}"));
    EXPECT_TRUE(m_document->ParamNames().contains("sys_internal_counter"));
    ASSERT_NE(m_document->Description("sys_default_language"), nullptr);
    EXPECT_EQ(m_document->Description("sys_default_language")->GetType(), CSysParamMeta::TypePicklist);
    // Bit 0 of "view" clear: fetched without its description.
    EXPECT_EQ(m_document->Description("sys_internal_counter"), nullptr);
    EXPECT_EQ(m_document->Description("sys_maximum_box_length"), nullptr);
    // After the login's upload of the procedures.
    QStringList log = m_server->commandTexts();
    while (!log.isEmpty() && !log[0].startsWith("LoadMetaInfo"))
        log.removeFirst();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[1].startsWith("set _my_varlist [info vars meta_*]\r\n"));
    EXPECT_TRUE(log[2].startsWith("set _my_varlist [info vars sys_*]\r\n"));
}

TEST_F(SysParamDocTest, AReplyThatCannotBeReadIsAFailedFetchNeverAnEmptyCopy)
{
    for (const QString &reply : {QStringLiteral("set {unbalanced"), QStringLiteral("set sys_a 1 sys_b"),
                                 QStringLiteral("set !ERROR no such thing")}) {
        SCOPED_TRACE(reply.toStdString());
        m_server->answerCommand("set", reply);
        m_boxes->answer(IDOK);
        EXPECT_FALSE(open());
        m_server->clearAnswer("set");
        m_document.reset();
        EXPECT_TRUE(sent("ConfigRemoveVar").isEmpty());
    }
    EXPECT_EQ(m_boxes->texts().size(), 3);
}

// A reply of megabytes is quoted in part, with its length: laid out whole it
// froze the interface for seconds and pushed OK off the screen.
TEST_F(SysParamDocTest, AHugeReplyThatCannotBeReadIsQuotedInPartWithItsLength)
{
    QStringList elements;
    for (int i = 0; i < 100000; ++i)
        elements << QStringLiteral("sys_%1").arg(i);
    const QString word(2 * 1024 * 1024, QLatin1Char('w'));
    for (const QString &reply :
         {QStringLiteral("set !ERROR ") + word, QStringLiteral("set {") + elements.join(QLatin1Char(' '))}) {
        m_server->answerCommand("set", reply);
        m_boxes->answer(IDOK);
        EXPECT_FALSE(open());
        m_server->clearAnswer("set");
        m_document.reset();
        const QString text = m_boxes->texts().last();
        EXPECT_TRUE(
            text.startsWith(QStringLiteral("The descriptions of the system parameters could not be read:\n") +
                            reply.mid(4, 100)))
            << text.left(200).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("… (%1 characters)").arg(reply.size() - 4)));
        EXPECT_LE(text.size(), 400);
    }
}

TEST_F(SysParamDocTest, ValuesArriveByteIdenticalWhateverTheyHold)
{
    const QStringList values = {QStringLiteral("$x"),
                                QStringLiteral("[clock seconds]"),
                                QStringLiteral("a;b"),
                                QStringLiteral("}"),
                                QStringLiteral("{"),
                                QStringLiteral("a b"),
                                QStringLiteral("x\\"),
                                QStringLiteral("\"quoted\""),
                                QStringLiteral("{a} [exec ls]"),
                                QStringLiteral("tab\there"),
                                QStringLiteral("")};
    ASSERT_TRUE(open());
    for (int i = 0; i < values.size(); ++i)
        m_document->Values().insert(QStringLiteral("sys_injected_%1").arg(i), values[i]);
    ASSERT_TRUE(m_document->OnSaveDocument());
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(values[i].toStdString());
        EXPECT_EQ(serverValue(QStringLiteral("sys_injected_%1").arg(i)), values[i]);
    }
}

TEST_F(SysParamDocTest, PlainValuesGoBareAndValuesWithBlanksOrSemicolonsBetweenBraces)
{
    ASSERT_TRUE(open());
    m_server->clearLog();
    m_document->Values().insert("sys_tmo_menu", "6000");
    m_document->Values().insert("sys_application_path", "C:/Program Files/apps");
    m_document->Values().insert("sys_maximum_box_length", "");
    m_document->Values().insert("sys_new", "a;b");
    ASSERT_TRUE(m_document->OnSaveDocument());
    const QStringList batches = sent("ConfigSetString");
    ASSERT_EQ(batches.size(), 1);
    const QString &batch = batches[0];
    EXPECT_TRUE(batch.contains("{ConfigSetString sys_tmo_menu 6000 1}"));
    EXPECT_TRUE(batch.contains("{ConfigSetString sys_application_path {C:/Program Files/apps} 1}"));
    EXPECT_TRUE(batch.contains("{ConfigSetString sys_maximum_box_length \"\" 1}"));
    EXPECT_TRUE(batch.contains("{ConfigSetString sys_new {a;b} 1}"));
    EXPECT_FALSE(m_document->IsModified());
}

TEST_F(SysParamDocTest, RemovalsGoFirstInABatchOfTheirOwnAndARefusedLineIsNamed)
{
    ASSERT_TRUE(open());
    m_server->refuseVariable("sys_holiday_prompts", "read-only here");
    m_server->refuseVariable("sys_tmo_menu", "read-only here");
    m_server->clearLog();
    m_document->Values().remove("sys_holiday_prompts");
    m_document->Values().remove("sys_maximum_box_length");
    m_document->Values().insert("sys_tmo_menu", "6000");
    m_document->Values().insert("sys_multiple_language", "1");
    m_document->SetModifiedFlag();
    m_boxes->answer({IDOK, IDOK});
    EXPECT_FALSE(m_document->OnSaveDocument());
    const QStringList log = m_server->commandTexts();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].contains("ConfigRemoveVar sys_holiday_prompts 1"));
    EXPECT_TRUE(log[0].contains("ConfigRemoveVar sys_maximum_box_length 1"));
    EXPECT_FALSE(log[0].contains("ConfigSetString"));
    EXPECT_TRUE(log[1].contains("ConfigSetString sys_tmo_menu 6000 1"));
    EXPECT_TRUE(log[1].contains("ConfigSetString sys_multiple_language 1 1"));
    const QString shown = m_boxes->texts().join("\n");
    EXPECT_TRUE(shown.contains("did not remove these system parameters:\nsys_holiday_prompts"));
    EXPECT_TRUE(shown.contains("did not set these system parameters:\nsys_tmo_menu"));
    EXPECT_FALSE(shown.contains("sys_maximum_box_length"));
    EXPECT_TRUE(m_document->IsModified());

    // The lines the server took are not sent again; the refused ones are.
    m_server->acceptVariable("sys_holiday_prompts");
    m_server->acceptVariable("sys_tmo_menu");
    m_server->clearLog();
    EXPECT_TRUE(m_document->OnSaveDocument());
    const QStringList again = m_server->commandTexts();
    ASSERT_EQ(again.size(), 2);
    EXPECT_EQ(again[0].count("ConfigRemoveVar"), 1);
    EXPECT_TRUE(again[0].contains("ConfigRemoveVar sys_holiday_prompts 1"));
    EXPECT_EQ(again[1].count("ConfigSetString"), 1);
    EXPECT_TRUE(again[1].contains("ConfigSetString sys_tmo_menu 6000 1"));
    EXPECT_FALSE(m_document->IsModified());
}

TEST_F(SysParamDocTest, ARefusedRemoveBatchKeepsTheSetBatchBack)
{
    ASSERT_TRUE(open());
    m_server->failCommand("set", "the batch was refused");
    m_document->Values().remove("sys_maximum_box_length");
    m_document->Values().insert("sys_tmo_menu", "6000");
    m_server->clearLog();
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_document->SaveToServer());
    m_server->clearFailure("set");
    EXPECT_EQ(sent("ConfigRemoveVar").size(), 1);
    EXPECT_TRUE(sent("ConfigSetString").isEmpty());
    EXPECT_TRUE(m_boxes->texts().join("\n").contains("the batch was refused"));
}

TEST_F(SysParamDocTest, TheReferenceFollowsEverySaveSoOneTwoOneEndsAtOne)
{
    ASSERT_TRUE(open());
    m_document->Values().insert("sys_tmo_menu", "1");
    ASSERT_TRUE(m_document->OnSaveDocument());
    m_document->Values().insert("sys_tmo_menu", "2");
    ASSERT_TRUE(m_document->OnSaveDocument());
    m_document->Values().insert("sys_tmo_menu", "1");
    ASSERT_TRUE(m_document->OnSaveDocument());
    EXPECT_EQ(sent("ConfigSetString").size(), 3);
    EXPECT_EQ(serverValue("sys_tmo_menu"), QStringLiteral("1"));
}

TEST_F(SysParamDocTest, AParameterDeletedAndAddedAgainUnchangedSendsNothing)
{
    ASSERT_TRUE(open());
    m_document->Values().remove("sys_tmo_menu");
    m_document->Values().insert("sys_tmo_menu", "5000");
    m_server->clearLog();
    EXPECT_TRUE(m_document->SaveToServer());
    EXPECT_TRUE(m_server->commandTexts().isEmpty());
    m_document->Values().remove("sys_tmo_menu");
    m_document->Values().insert("sys_tmo_menu", "7000");
    EXPECT_TRUE(m_document->SaveToServer());
    EXPECT_EQ(sent("ConfigSetString").size(), 1);
    EXPECT_TRUE(sent("ConfigRemoveVar").isEmpty());
}

TEST_F(SysParamDocTest, ClosingWithChangesAsksAndCancelKeepsTheWindow)
{
    ASSERT_TRUE(open());
    EXPECT_TRUE(m_document->SaveModified());
    m_document->Values().insert("sys_tmo_menu", "6000");
    m_document->SetModifiedFlag();
    m_boxes->answer({IDCANCEL, IDNO, IDYES});
    EXPECT_FALSE(m_document->SaveModified());
    EXPECT_TRUE(m_document->SaveModified());
    EXPECT_TRUE(sent("ConfigSetString").isEmpty());
    EXPECT_TRUE(m_document->SaveModified());
    EXPECT_EQ(sent("ConfigSetString").size(), 1);
    EXPECT_EQ(m_boxes->texts().first(), QStringLiteral("Save changes to Zavov Avoz Ovedez?"));
}

} // namespace
