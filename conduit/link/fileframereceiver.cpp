// See fileframereceiver.h. The file is written through the descriptor
// mkstemp returned, never reopened by name, so nobody can slip another file
// in under that name between creation and writing.
#include "fileframereceiver.h"

#include "zeltmessageheader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

void CFileFrameReceiver::receive(const uint8_t *payload, uint32_t length, CTempFileList &list,
                                 CLink *answerLink, uint32_t answerExtra, const Deliver &deliver)
{
    // Sender value and size come first; an empty file or a size field that
    // disagrees with the frame is refused. 64-bit sum: no wrap.
    if (length <= ZeltFileHeader::kPrefixSize ||
        uint64_t(length) != uint64_t(getLittleEndian32(payload + 4)) + ZeltFileHeader::kPrefixSize) {
        refuse(answerLink, answerExtra, ZELT_FILE_SIZE_MISMATCH);
        return;
    }
    const uint32_t sender = getLittleEndian32(payload);
    char tempName[kNameBufferSize];
    if (!storeFile(payload + ZeltFileHeader::kPrefixSize, length - ZeltFileHeader::kPrefixSize, tempName)) {
        refuse(answerLink, answerExtra, ZELT_FILE_NO_TEMP_FOLDER);
        return;
    }
    if (!list.add(tempName)) {
        ::unlink(tempName);
        refuse(answerLink, answerExtra, ZELT_FILE_NO_TEMP_FOLDER);
        return;
    }
    char nameBuffer[kNameBufferSize];
    std::memcpy(nameBuffer, tempName, sizeof nameBuffer);
    deliver(tempName, sender, nameBuffer, kNameBufferSize);
    nameBuffer[kNameBufferSize - 1] = 0; // whatever the owner wrote, it ends here
    if (std::strcmp(nameBuffer, tempName) != 0) {
        ::unlink(tempName);
        list.remove(tempName);
    }
    answerName(answerLink, answerExtra, nameBuffer);
}

bool CFileFrameReceiver::storeFile(const uint8_t *bytes, size_t size, char (&name)[kNameBufferSize])
{
    const char *folder = std::getenv("TMPDIR");
    if (!folder || !*folder)
        folder = "/tmp";
    int written = std::snprintf(name, sizeof name, "%s/UP_XXXXXX", folder);
    if (written < 0 || written >= kNameBufferSize)
        return false;
    int fd = mkstemp(name);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            ::unlink(name);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) {
        ::unlink(name);
        return false;
    }
    return true;
}

void CFileFrameReceiver::refuse(CLink *answerLink, uint32_t answerExtra, uint32_t reason)
{
    if (!answerLink)
        return;
    uint8_t value[4];
    putLittleEndian32(value, reason);
    ZeltMessageHeader header;
    header.type = ZELT_TYPE_VALUE;
    header.length = sizeof value;
    header.extra = answerExtra;
    uint8_t headerBytes[ZeltMessageHeader::kSize];
    header.encode(headerBytes);
    answerLink->sendFrame(headerBytes, sizeof headerBytes, value, sizeof value);
}

void CFileFrameReceiver::answerName(CLink *answerLink, uint32_t answerExtra, const char *name)
{
    if (!answerLink)
        return;
    ZeltMessageHeader header;
    header.type = ZELT_TYPE_TEXT;
    header.length = static_cast<uint32_t>(std::strlen(name) + 1);
    header.extra = answerExtra;
    uint8_t headerBytes[ZeltMessageHeader::kSize];
    header.encode(headerBytes);
    answerLink->sendFrame(headerBytes, sizeof headerBytes, name, header.length);
}
