// What a receiver does with a file frame (type 3): checks its size field,
// stores the bytes in a fresh "UP_" file in the temporary folder, lists the
// file, lets the owner take it (it may move it and write the new name), and
// answers the sender: a type-4 frame with the name, or a type-127 refusal.
// The client object and the framed listener share it.
#pragma once

#include "link.h"
#include "tempfilelist.h"

#include <cstdint>
#include <functional>

class CFileFrameReceiver {
public:
    // Room for a path, as the owner's name buffer is sized.
    static constexpr int kNameBufferSize = 261;

    using Deliver = std::function<void(const char *tempName, uint32_t sender, char *nameBuffer, int size)>;

    // `answerLink` null: no answer goes out.
    static void receive(const uint8_t *payload, uint32_t length, CTempFileList &list, CLink *answerLink,
                        uint32_t answerExtra, const Deliver &deliver);

private:
    // The file's path written into `name`, or false when no file could be made.
    static bool storeFile(const uint8_t *bytes, size_t size, char (&name)[kNameBufferSize]);
    static void refuse(CLink *answerLink, uint32_t answerExtra, uint32_t reason);
    static void answerName(CLink *answerLink, uint32_t answerExtra, const char *name);
};
