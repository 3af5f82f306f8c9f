// CFileStream: the CCode64Stream the utility object runs the base64 coders
// over when it is given file handles (POSIX descriptors here). The reading
// modes decide whether CR LF line breaks are kept and whether a byte limit
// applies; writing may move back, but never before where it started.
#pragma once

#include <cstdint>
#include <sys/types.h>

#include "conduit/code64stream.h"

class CFileStream final : public CCode64Stream {
public:
    enum Mode {
        ReadAll = 0,
        ReadAllSkippingLineBreaks = 1,
        WriteNothing = 2,
        ReadLimited = 3,
        ReadLimitedSkippingLineBreaks = 4,
    };

    // The stream borrows both descriptors; their owner closes them.
    CFileStream(int mode, int input, int output, uint32_t limit = 0);

    int Read(void *buffer, int count, void *cookie) override;
    int Write(const void *buffer, int count, void *cookie) override;

    // True once a read, write or move failed: the coder then saw an early
    // end (or its output is incomplete) and the caller must not claim success.
    bool failed() const { return m_failed; }

private:
    bool limited() const { return m_mode == ReadLimited || m_mode == ReadLimitedSkippingLineBreaks; }
    uint32_t remaining() const { return limited() ? m_limit - m_consumed : UINT32_MAX; }
    int readInput(char *buffer, int count);
    bool moveInputBack(int count);
    bool skipLineBreaks();
    int readSkippingLineBreaks(char *buffer, int count);
    void moveOutputBack(int64_t count);
    void writeOutput(const char *bytes, int count);

    int m_mode;
    int m_input;
    int m_output;
    uint32_t m_limit;
    uint32_t m_consumed = 0;     // bytes taken from the input, line breaks included
    off_t m_outputStart = -1;    // where writing began; -1 when the output can't seek
    int64_t m_outputWritten = 0; // net bytes written since the start
    bool m_failed = false;
};
