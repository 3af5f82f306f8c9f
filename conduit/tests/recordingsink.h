// A session stand-in for tests: records every call the receive thread makes,
// with the field block as it stood, and lets a test wait for a call.
#pragma once

#include "conduit/zeltsessionsink.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingSink : public CZELTSessionSink {
public:
    struct Call {
        std::string
            name; // "connected", "disconnected", "message", "file", "text", "value", "timeout", "progress"
        std::string data;
        uint32_t type = 0;
        uint32_t extra = 0;
        int kind = 0;
        uint32_t lastType = 0;
        uint32_t lastExtra = 0;
        uint32_t tempFileCount = 0;
        bool fileExisted = false;
        bool nulTerminated = false;
    };

    RecordingSink() = default;
    ~RecordingSink() = default;

    int OnConnected() override;
    int OnDisconnected() override;
    int OnMessage(const void *data, uint32_t length, uint32_t type, uint32_t extra) override;
    int OnFileReceived(const char *tempName, uint32_t sender, char *nameBuf, int bufSize) override;
    int OnStringMessage(const char *text, uint32_t extra) override;
    int OnValueMessage(const void *payload) override;
    int OnTimeout(int kind) override;
    int OnSendProgress(uint32_t total, uint32_t sent) override;

    // Waits (bounded, for hangs only) until `count` calls named `name` came.
    bool waitFor(const std::string &name, size_t count = 1);
    std::vector<Call> calls() const;
    size_t count(const std::string &name) const;

    // Behaviour a test picks.
    int messageResult = 0;
    int valueResult = 0;
    std::function<int(int kind, int callNumber)> timeoutResult = [](int, int) { return 1; };
    std::string renameReceivedFileTo; // empty: keep the temporary name
    bool overfillNameBuffer = false;  // writes every byte of the name buffer, no NUL
    bool throwFromMessage = false;
    std::string renamedFrom;

private:
    void record(Call call);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Call> m_calls;
    int m_timeouts = 0;
};
