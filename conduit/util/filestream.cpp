// Reading and writing of CFileStream over descriptors. Skipping line breaks
// needs an input that can move back: the stream reads ahead and returns the
// file position to the first unused byte, so the caller's descriptor ends up
// just after what the coder consumed. An input that cannot move back makes
// the stream fail rather than drop bytes.
#include "filestream.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

CFileStream::CFileStream(int mode, int input, int output, uint32_t limit)
    : m_mode(mode), m_input(input), m_output(output), m_limit(limit)
{
    if (m_output >= 0 && m_mode != WriteNothing)
        m_outputStart = lseek(m_output, 0, SEEK_CUR);
}

int CFileStream::Read(void *buffer, int count, void * /*cookie*/)
{
    if (count <= 0 || buffer == nullptr)
        return 0;
    count = int(std::min<uint32_t>(uint32_t(count), remaining()));
    if (count == 0)
        return 0;
    switch (m_mode) {
    case ReadAll:
    case ReadLimited:
        return readInput(static_cast<char *>(buffer), count);
    case ReadAllSkippingLineBreaks:
    case ReadLimitedSkippingLineBreaks:
        return readSkippingLineBreaks(static_cast<char *>(buffer), count);
    default:
        return 0;
    }
}

int CFileStream::Write(const void *buffer, int count, void * /*cookie*/)
{
    if (count == 0 || m_mode == WriteNothing || m_mode > ReadLimitedSkippingLineBreaks)
        return 0;
    if (count < 0)
        moveOutputBack(-int64_t(count));
    else if (buffer != nullptr)
        writeOutput(static_cast<const char *>(buffer), count);
    return 0;
}

// Reads until count bytes came or the input ended; -1 (and failed) on an error.
int CFileStream::readInput(char *buffer, int count)
{
    int got = 0;
    while (got < count) {
        ssize_t n = ::read(m_input, buffer + got, size_t(count - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            m_failed = true;
            return got > 0 ? got : 0;
        }
        if (n == 0)
            break;
        got += int(n);
    }
    m_consumed += uint32_t(got);
    return got;
}

bool CFileStream::moveInputBack(int count)
{
    if (count == 0)
        return true;
    if (lseek(m_input, -off_t(count), SEEK_CUR) < 0) {
        m_failed = true;
        return false;
    }
    m_consumed -= uint32_t(count);
    return true;
}

// Consumes every CR LF at the current position: an empty line must not read
// as the end of the input.
bool CFileStream::skipLineBreaks()
{
    while (remaining() >= 2) {
        char pair[2];
        int got = readInput(pair, 2);
        if (m_failed)
            return false;
        if (got != 2 || pair[0] != '\r' || pair[1] != '\n')
            return moveInputBack(got);
    }
    return true;
}

int CFileStream::readSkippingLineBreaks(char *buffer, int count)
{
    if (!skipLineBreaks())
        return 0;
    count = int(std::min<uint32_t>(uint32_t(count), remaining()));
    int got = count > 0 ? readInput(buffer, count) : 0;
    if (got <= 0 || m_failed)
        return 0;
    int keep = got;
    for (int k = 0; k + 1 < got; ++k) {
        if (buffer[k] == '\r' && buffer[k + 1] == '\n') {
            keep = k;
            break;
        }
    }
    // A CR at the very end may begin a line break the next read skips.
    if (keep == got && got > 1 && buffer[got - 1] == '\r')
        keep = got - 1;
    if (!moveInputBack(got - keep))
        return 0;
    return keep;
}

void CFileStream::moveOutputBack(int64_t count)
{
    if (m_outputStart < 0) {
        m_failed = true; // the output can't move back: what was written can't be taken back
        return;
    }
    int64_t back = std::min<int64_t>(count, m_outputWritten);
    if (lseek(m_output, -off_t(back), SEEK_CUR) < 0) {
        m_failed = true;
        return;
    }
    m_outputWritten -= back;
}

void CFileStream::writeOutput(const char *bytes, int count)
{
    int done = 0;
    while (done < count) {
        ssize_t n = ::write(m_output, bytes + done, size_t(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            return;
        }
        done += int(n);
    }
    m_outputWritten += done;
}
