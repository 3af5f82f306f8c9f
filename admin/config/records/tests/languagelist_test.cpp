// The languages read from the prompt files and the language table, looked
// up in the server's table, and written back; the server's spelling kept
// for plain texts.
#include "admin/config/records/languagelist.h"
#include "admin/config/records/languagetable.h"

#include <gtest/gtest.h>

namespace {

const QString kServerTable = "{English {english.pmt 1}} {French {french.pmt 2}} {Spanish {spanish.pmt 3}}";

TEST(LanguageTable, LooksUpIdsAndNames)
{
    const CLanguageTable table(kServerTable + " {Broken}");
    EXPECT_EQ(table.IdOf("French"), "2");
    EXPECT_EQ(table.IdOf("Broken"), "");
    EXPECT_EQ(table.IdOf("German"), "");
    EXPECT_EQ(table.NameOf("3"), "Spanish");
    EXPECT_EQ(table.NameOf("9"), "");
    EXPECT_EQ(table.Names(), (QStringList{"English", "French", "Spanish"}));
    EXPECT_EQ(CLanguageTable("").NameOf("1"), "No language table");
}

TEST(LanguageList, ConfiguredLanguagesComeInTheOrderOfTheirFirstFile)
{
    const CLanguageTable server(kServerTable);
    CLanguageList list;
    list.Load("{english.pmt 1} {french.pmt 2} {english2.pmt 1}", kServerTable, server);
    EXPECT_EQ(list.m_configured, (QStringList{"English", "French"}));
    ASSERT_EQ(list.m_records.size(), 3);
    EXPECT_EQ(list.m_records[0].name, "English");
    EXPECT_EQ(list.m_records[0].promptFiles, (QStringList{"english.pmt", "english2.pmt"}));
    EXPECT_EQ(list.m_records[2].name, "Spanish") << "available, not in use";
    EXPECT_EQ(list.m_records[2].promptFiles, QStringList{"spanish.pmt"});
}

TEST(LanguageList, WritesBothTextsAsTheServerKeepsThem)
{
    const CLanguageTable server(kServerTable);
    CLanguageList list;
    list.Load("{english.pmt 1} {french.pmt 2}", kServerTable, server);
    QString promptFiles;
    QString table;
    ASSERT_TRUE(list.Format(server, promptFiles, table));
    EXPECT_EQ(promptFiles, "{english.pmt 1} {french.pmt 2}");
    EXPECT_EQ(table, kServerTable);
}

TEST(LanguageList, OnlyTheChangedLanguageIsWrittenAnew)
{
    const QString table = "{English {english.pmt 1}}  {French {french.pmt 2}} {German {german.pmt 3} {german2.pmt 3}}";
    const QString inUse = "{english.pmt 1}  {german.pmt 3}";
    const CLanguageTable server(table);
    const struct {
        const char *language; // whose files change, or null
        QStringList files;
        const char *promptFiles;
        const char *languageTable;
    } cases[] = {
        {nullptr, {}, "{english.pmt 1}  {german.pmt 3}",
         "{English {english.pmt 1}}  {French {french.pmt 2}} {German {german.pmt 3} {german2.pmt 3}}"},
        {"French", {"french.pmt", "french2.pmt"}, "{english.pmt 1}  {german.pmt 3}",
         "{English {english.pmt 1}} {French {french.pmt 2} {french2.pmt 2}} {German {german.pmt 3} {german2.pmt 3}}"},
        {"English", {"en.pmt"}, "{en.pmt 1} {german.pmt 3}",
         "{English {en.pmt 1}} {French {french.pmt 2}} {German {german.pmt 3} {german2.pmt 3}}"},
    };
    for (const auto &c : cases) {
        CLanguageList list;
        list.Load(inUse, table, server);
        for (LanguageRecord &record : list.m_records)
            if (c.language && record.name == c.language)
                record.promptFiles = c.files;
        EXPECT_EQ(list.IsChanged(), c.language != nullptr);
        QString promptFiles;
        QString written;
        ASSERT_TRUE(list.Format(server, promptFiles, written));
        EXPECT_EQ(promptFiles, c.promptFiles) << (c.language ? c.language : "none");
        EXPECT_EQ(written, c.languageTable) << (c.language ? c.language : "none");
    }
}

TEST(LanguageList, FileNamesWithBlanksAndBracesComeBackAsTheyWere)
{
    const CLanguageTable server(kServerTable);
    CLanguageList list;
    list.m_records = {{"English", {"C:/prompts/en us.pmt", "odd{.pmt"}}};
    list.m_configured = {"English"};
    QString promptFiles;
    QString table;
    ASSERT_TRUE(list.Format(server, promptFiles, table));
    CLanguageList read;
    read.Load(promptFiles, table, server);
    ASSERT_EQ(read.m_records.size(), 1);
    EXPECT_EQ(read.m_records[0].promptFiles, list.m_records[0].promptFiles);
    EXPECT_EQ(read.m_configured, QStringList{"English"});
}

TEST(LanguageList, ALanguageWithoutAnIdChangesNeitherText)
{
    const CLanguageTable server(kServerTable);
    CLanguageList list;
    list.m_records = {{"English", {"english.pmt"}}, {"Klingon", {"tlh.pmt"}}};
    list.m_configured = {"English"};
    QString promptFiles = "before";
    QString table = "before";
    EXPECT_FALSE(list.Format(server, promptFiles, table));
    EXPECT_EQ(promptFiles, "before");
    EXPECT_EQ(table, "before");
}

} // namespace
