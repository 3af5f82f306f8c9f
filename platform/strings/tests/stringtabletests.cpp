// The string table: registration, lookup, and what an unknown id gives.
#include "platform/strings/stringtable.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

constexpr StringResource kStrings[] = {
    {61470, "interlock failure"},
    {61506, "RegisterTraceConsumer -categories 8"},
    {61529, "Verbanta ES refused the change: %s"},
    {900001, "Zürich"},
};

TEST(StringTableTest, RegisteredTextsLoadByTheirIds)
{
    CStringTable::instance().registerStrings(kStrings);
    EXPECT_EQ(LoadStringResource(61470), "interlock failure");
    EXPECT_EQ(LoadStringResource(61529), "Verbanta ES refused the change: %s");
    EXPECT_EQ(LoadStringResource(900001), QString::fromUtf8("Zürich"));
}

TEST(StringTableTest, RegisteringTheSameTableTwiceIsHarmless)
{
    CStringTable::instance().registerStrings(kStrings);
    CStringTable::instance().registerStrings(kStrings);
    EXPECT_EQ(LoadStringResource(61506), "RegisterTraceConsumer -categories 8");
}

TEST(StringTableTest, UnknownIdIsFoundMissing)
{
    CStringTable::instance().registerStrings(kStrings);
    EXPECT_FALSE(FindStringResource(12345).has_value());
    EXPECT_EQ(FindStringResource(61470), QString("interlock failure"));
}

#ifdef QT_NO_DEBUG
TEST(StringTableTest, UnknownIdLoadsAsEmptyTextInARelease)
{
    EXPECT_TRUE(LoadStringResource(12345).isEmpty());
}
#else
TEST(StringTableDeathTest, UnknownIdIsAProgrammingErrorInADebugBuild)
{
    EXPECT_DEATH(LoadStringResource(12345), "no string with id 12345");
}
#endif

TEST(StringTableTest, LoadsFromManyThreadsWhileTablesAreAdded)
{
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const StringResource own[] = {{UINT(800000 + t), "own"}};
            CStringTable::instance().registerStrings(own);
            for (int i = 0; i < 1000; ++i)
                if (LoadStringResource(UINT(800000 + t)) != "own")
                    ++wrong;
        });
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}

} // namespace
