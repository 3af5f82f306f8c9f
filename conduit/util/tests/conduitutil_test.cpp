// The utility object as a COM object (references, interfaces, the module's
// count) and its digest and base64 operations over streams, handles and
// files. The cipher and the scrambler have files of their own.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>

#include "conduit/codec/tests/scratchdir.h"
#include "conduit/com/module.h"
#include "conduit/util/conduitutil.h"

namespace {

std::string randomBytes(size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(count, '\0');
    for (char &c : bytes)
        c = char(generator());
    return bytes;
}

// An owned reference to a fresh utility object, taken the way the class
// factory takes it.
class UtilTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto *made = new CConduitUtil;
        ASSERT_EQ(made->QueryInterface(&IID_IConduitUtil, reinterpret_cast<void **>(&m_util)), S_OK);
    }
    void TearDown() override { m_util->Release(); }

    IConduitUtil *m_util = nullptr;
    ScratchDir m_dir;
};

TEST(ConduitUtilCom, AnswersItsOwnInterfaceAndIUnknownOnly)
{
    auto *util = new CConduitUtil;
    void *out = nullptr;
    ASSERT_EQ(util->QueryInterface(&IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IConduitUtil *>(util));
    ASSERT_EQ(util->QueryInterface(&IID_IConduitUtil, &out), S_OK);
    EXPECT_EQ(out, static_cast<IConduitUtil *>(util));
    out = &out;
    EXPECT_EQ(util->QueryInterface(&IID_IZeltClient, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(util->QueryInterface(&IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(util->QueryInterface(&IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(util->Release(), 1u);
    EXPECT_EQ(util->Release(), 0u);
}

TEST(ConduitUtilCom, EveryReferenceCountsInTheModuleUntilReleased)
{
    ASSERT_TRUE(ConduitModule::canUnload());
    auto *util = new CConduitUtil;
    EXPECT_TRUE(ConduitModule::canUnload()); // made, but not yet referenced
    EXPECT_EQ(util->AddRef(), 1u);
    EXPECT_EQ(util->AddRef(), 2u);
    EXPECT_FALSE(ConduitModule::canUnload());
    EXPECT_EQ(util->Release(), 1u);
    EXPECT_FALSE(ConduitModule::canUnload());
    EXPECT_EQ(util->Release(), 0u); // deleted here; the sanitizer build sees any leak
    EXPECT_TRUE(ConduitModule::canUnload());
}

TEST_F(UtilTest, GivesDigestsOfBytesAndFiles)
{
    char out[33];
    ASSERT_EQ(m_util->MD5String("abc", 3, out), S_OK);
    EXPECT_STREQ(out, "900150983CD24FB0D6963F7D28E17F72");
    std::string path = m_dir.write("file", "abc");
    ASSERT_EQ(m_util->MD5File(path.c_str(), out), S_OK);
    EXPECT_STREQ(out, "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(m_util->MD5File(m_dir.file("missing").c_str(), out), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->MD5String("abc", 3, nullptr), CONDUIT_E_FAIL);
}

// A caller's stream over strings; the cookie must reach both operations.
class StringStream final : public CCode64Stream {
public:
    explicit StringStream(std::string input) : m_input(std::move(input)) {}
    int Read(void *buffer, int count, void *cookie) override
    {
        m_cookieSeen = m_cookieSeen && cookie == this;
        if (buffer == nullptr)
            return 0;
        size_t n = std::min(size_t(count), m_input.size() - m_position);
        m_input.copy(static_cast<char *>(buffer), n, m_position);
        m_position += n;
        return int(n);
    }
    int Write(const void *buffer, int count, void *cookie) override
    {
        m_cookieSeen = m_cookieSeen && cookie == this;
        if (count > 0)
            m_output.append(static_cast<const char *>(buffer), size_t(count));
        return 0;
    }
    std::string m_input;
    size_t m_position = 0;
    std::string m_output;
    bool m_cookieSeen = true;
};

TEST_F(UtilTest, EncodesAndDecodesACallersStream)
{
    StringStream encoder(std::string(58, 'x'));
    ASSERT_EQ(m_util->Code64EncodeStream(&encoder, &encoder), S_OK);
    EXPECT_EQ(encoder.m_output.substr(0, 4), "eHh4");
    EXPECT_EQ(encoder.m_output.size(), 78u + 6u);
    EXPECT_EQ(encoder.m_output.substr(76, 2), "\r\n");
    EXPECT_TRUE(encoder.m_cookieSeen);

    StringStream decoder("Zm9vYmFy");
    ASSERT_EQ(m_util->Code64DecodeStream(&decoder, &decoder), S_OK);
    EXPECT_EQ(decoder.m_output, "foobar");
    EXPECT_TRUE(decoder.m_cookieSeen);
}

TEST_F(UtilTest, FailsToDecodeAMalformedStream)
{
    for (const char *bad : {"Zm9", "Zm9*", "Z===", "Zg=A"}) {
        StringStream decoder(bad);
        EXPECT_EQ(m_util->Code64DecodeStream(&decoder, nullptr), CONDUIT_E_FAIL) << bad;
    }
    EXPECT_EQ(m_util->Code64DecodeStream(nullptr, nullptr), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64EncodeStream(nullptr, nullptr), CONDUIT_E_FAIL);
}

TEST_F(UtilTest, FileFormsRoundTripWithCrLfLines)
{
    for (size_t length : {1, 56, 57, 58, 1000, 100000}) {
        std::string bytes = randomBytes(length, unsigned(length));
        std::string in = m_dir.write("in", bytes);
        std::string encoded = m_dir.file("encoded");
        std::string out = m_dir.file("out");
        ASSERT_EQ(m_util->Code64EncodeFile(in.c_str(), encoded.c_str()), S_OK);
        std::string text = ScratchDir::read(encoded);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        EXPECT_EQ(text.size(), (length + 56) / 57 * 2 + (length + 2) / 3 * 4);
        ASSERT_EQ(m_util->Code64DecodeFile(encoded.c_str(), out.c_str()), S_OK);
        EXPECT_EQ(ScratchDir::read(out), bytes) << "length " << length;
    }
}

TEST_F(UtilTest, FileFormsCutAnOlderLongerOutputAtTheEndOfTheText)
{
    std::string in = m_dir.write("in", "foo");
    std::string out = m_dir.write("out", std::string(500, 'o'));
    ASSERT_EQ(m_util->Code64EncodeFile(in.c_str(), out.c_str()), S_OK);
    EXPECT_EQ(ScratchDir::read(out), "Zm9v\r\n");
}

TEST_F(UtilTest, DecodeFileTakesLinesOfAnyWholeGroupLength)
{
    std::string in = m_dir.write("in", "Zm9v\r\nYmFy\r\n\r\nZg==\r\nZm8=");
    std::string out = m_dir.file("out");
    ASSERT_EQ(m_util->Code64DecodeFile(in.c_str(), out.c_str()), S_OK);
    EXPECT_EQ(ScratchDir::read(out), "foobarffo");
}

TEST_F(UtilTest, FileFormsFailWhenAFileCannotBeOpenedOrTheTextIsMalformed)
{
    std::string good = m_dir.write("good", "Zm9v\r\n");
    std::string bad = m_dir.write("bad", "Zm9v\r\nZm*v\r\n");
    std::string out = m_dir.file("out");
    EXPECT_EQ(m_util->Code64EncodeFile(m_dir.file("missing").c_str(), out.c_str()), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64EncodeFile(good.c_str(), m_dir.file("no/folder").c_str()), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64DecodeFile(m_dir.file("missing").c_str(), out.c_str()), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64DecodeFile(bad.c_str(), out.c_str()), CONDUIT_E_FAIL);
    EXPECT_EQ(ScratchDir::read(out), "foo"); // what came before the bad line
    EXPECT_EQ(m_util->Code64EncodeFile(nullptr, out.c_str()), CONDUIT_E_FAIL);
}

class HandleTest : public UtilTest {
protected:
    int openInput(const std::string &content)
    {
        return track(::open(m_dir.write("in" + std::to_string(m_fds.size()), content).c_str(), O_RDONLY));
    }
    int openOutput()
    {
        m_outPath = m_dir.file("out" + std::to_string(m_fds.size()));
        return track(::open(m_outPath.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600));
    }
    int track(int fd)
    {
        m_fds.push_back(fd);
        return fd;
    }
    void TearDown() override
    {
        for (int fd : m_fds)
            ::close(fd);
        UtilTest::TearDown();
    }

    std::vector<int> m_fds;
    std::string m_outPath;
};

TEST_F(HandleTest, EncodeHandleReadsNoMoreThanTheLimit)
{
    int in = openInput("foobar and more");
    ASSERT_EQ(m_util->Code64EncodeHandle(in, 6, openOutput()), S_OK);
    EXPECT_EQ(ScratchDir::read(m_outPath), "Zm9vYmFy\r\n");
    EXPECT_EQ(lseek(in, 0, SEEK_CUR), 6);
}

TEST_F(HandleTest, EncodeHandleWithLimitZeroWritesNothing)
{
    ASSERT_EQ(m_util->Code64EncodeHandle(openInput("foobar"), 0, openOutput()), S_OK);
    EXPECT_EQ(ScratchDir::read(m_outPath), "");
}

TEST_F(HandleTest, DecodeHandleSkipsLineBreaksWithinTheLimit)
{
    std::string text = "Zm9v\r\nYmFy\r\nZm9v";
    ASSERT_EQ(m_util->Code64DecodeHandle(openInput(text), 12, openOutput()), S_OK);
    EXPECT_EQ(ScratchDir::read(m_outPath), "foobar");
    ASSERT_EQ(m_util->Code64DecodeHandle(openInput(text), 1000, openOutput()), S_OK);
    EXPECT_EQ(ScratchDir::read(m_outPath), "foobarfoo");
}

TEST_F(HandleTest, DecodeHandleReportsTheDecodersFailure)
{
    EXPECT_EQ(m_util->Code64DecodeHandle(openInput("Zm9v\r\nZm=v\r\n"), 100, openOutput()), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64DecodeHandle(openInput("Zm9vYmFy"), 6, openOutput()), CONDUIT_E_FAIL);
}

TEST_F(HandleTest, RefusesHandlesThatAreNoDescriptors)
{
    EXPECT_EQ(m_util->Code64EncodeHandle(-1, 10, openOutput()), CONDUIT_E_FAIL);
    EXPECT_EQ(m_util->Code64DecodeHandle(openInput("Zm9v"), 10, intptr_t(1) << 40), CONDUIT_E_FAIL);
}

TEST_F(HandleTest, EncodeHandleFailsWhenItCannotWrite)
{
    int readOnly = openInput("not writable");
    EXPECT_EQ(m_util->Code64EncodeHandle(openInput("foobar"), 6, readOnly), CONDUIT_E_FAIL);
}

} // namespace
