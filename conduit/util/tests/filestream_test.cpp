// CFileStream's reading modes and writer over real files and a pipe.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "conduit/codec/tests/scratchdir.h"
#include "conduit/util/filestream.h"

namespace {

class FileStreamTest : public testing::Test {
protected:
    int openInput(const std::string &content)
    {
        int fd = ::open(m_dir.write("in" + std::to_string(m_count++), content).c_str(), O_RDONLY);
        m_fds.push_back(fd);
        return fd;
    }
    int openOutput(const std::string &name)
    {
        int fd = ::open(m_dir.file(name).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        m_fds.push_back(fd);
        return fd;
    }
    void TearDown() override
    {
        for (int fd : m_fds)
            ::close(fd);
    }

    // Every read of up to `count` bytes until the end, joined with "|".
    static std::string readAll(CFileStream &stream, int count)
    {
        std::string reads;
        char buffer[128];
        for (int n; (n = stream.Read(buffer, count, nullptr)) > 0;)
            reads += std::string(buffer, size_t(n)) + "|";
        return reads;
    }

    ScratchDir m_dir;
    std::vector<int> m_fds;
    int m_count = 0;
};

TEST_F(FileStreamTest, ModeZeroReadsEverythingAsItIs)
{
    CFileStream stream(CFileStream::ReadAll, openInput("ab\r\ncd\r\n"), -1);
    EXPECT_EQ(readAll(stream, 4), "ab\r\n|cd\r\n|");
}

TEST_F(FileStreamTest, ModeOneStopsAtEveryLineBreakAndSkipsIt)
{
    CFileStream stream(CFileStream::ReadAllSkippingLineBreaks, openInput("abcd\r\nef\r\n\r\nghij\r\n"), -1);
    EXPECT_EQ(readAll(stream, 8), "abcd|ef|ghij|");
    EXPECT_FALSE(stream.failed());
}

TEST_F(FileStreamTest, ModeOneLeavesTheDescriptorJustAfterWhatItDelivered)
{
    int fd = openInput("abcd\r\nefgh");
    CFileStream stream(CFileStream::ReadAllSkippingLineBreaks, fd, -1);
    char buffer[16];
    ASSERT_EQ(stream.Read(buffer, 16, nullptr), 4);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 4);
}

TEST_F(FileStreamTest, ModeThreeStopsAtTheLimitAcrossReads)
{
    CFileStream stream(CFileStream::ReadLimited, openInput("0123456789"), -1, 7);
    EXPECT_EQ(readAll(stream, 3), "012|345|6|");
}

TEST_F(FileStreamTest, ModeFourCountsLineBreaksAgainstTheLimit)
{
    CFileStream stream(CFileStream::ReadLimitedSkippingLineBreaks, openInput("abcd\r\nefgh\r\nijkl"), -1, 10);
    EXPECT_EQ(readAll(stream, 8), "abcd|efgh|");
    CFileStream shorter(CFileStream::ReadLimitedSkippingLineBreaks, openInput("abcd\r\nefgh"), -1, 8);
    EXPECT_EQ(readAll(shorter, 8), "abcd|ef|");
}

TEST_F(FileStreamTest, OtherModesReadNothing)
{
    CFileStream stream(CFileStream::WriteNothing, openInput("abc"), -1);
    EXPECT_EQ(readAll(stream, 4), "");
    CFileStream unknown(9, openInput("abc"), -1);
    EXPECT_EQ(readAll(unknown, 4), "");
}

TEST_F(FileStreamTest, SkippingLineBreaksFailsOnAnInputThatCannotMoveBack)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    m_fds.insert(m_fds.end(), {pipeEnds[0], pipeEnds[1]});
    ASSERT_EQ(write(pipeEnds[1], "abcd\r\nef", 8), 8);
    ::close(pipeEnds[1]);
    m_fds.pop_back();
    CFileStream stream(CFileStream::ReadAllSkippingLineBreaks, pipeEnds[0], -1);
    char buffer[16];
    EXPECT_EQ(stream.Read(buffer, 16, nullptr), 0);
    EXPECT_TRUE(stream.failed());
}

TEST_F(FileStreamTest, WritingMovesBackButNeverBeforeItsStart)
{
    int fd = openOutput("out");
    ASSERT_EQ(write(fd, "keep", 4), 4);
    CFileStream stream(CFileStream::ReadAll, -1, fd);
    stream.Write("abc", 3, nullptr);
    stream.Write(nullptr, -2, nullptr);
    stream.Write("XY", 2, nullptr);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 7);
    stream.Write(nullptr, -100, nullptr);
    EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 4);
    stream.Write("z", 1, nullptr);
    EXPECT_FALSE(stream.failed());
    EXPECT_EQ(ScratchDir::read(m_dir.file("out")), "keepzXY");
}

TEST_F(FileStreamTest, ModeTwoWritesNothing)
{
    int fd = openOutput("out");
    CFileStream stream(CFileStream::WriteNothing, -1, fd);
    stream.Write("abc", 3, nullptr);
    EXPECT_EQ(ScratchDir::read(m_dir.file("out")), "");
}

TEST_F(FileStreamTest, AFailedWriteIsRemembered)
{
    CFileStream stream(CFileStream::ReadAll, -1, openInput("read only"));
    stream.Write("abc", 3, nullptr);
    EXPECT_TRUE(stream.failed());
}

} // namespace
