// See recordingsink.h.
#include "recordingsink.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace {
RecordingSink::Call named(const char *name, std::string data = {}, uint32_t type = 0, uint32_t extra = 0)
{
    RecordingSink::Call call;
    call.name = name;
    call.data = std::move(data);
    call.type = type;
    call.extra = extra;
    return call;
}

std::string readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}
} // namespace

void RecordingSink::record(Call call)
{
    call.lastType = m_lastType;
    call.lastExtra = m_lastExtra;
    call.tempFileCount = m_tempFileCount;
    std::lock_guard lock(m_mutex);
    m_calls.push_back(std::move(call));
    m_changed.notify_all();
}

int RecordingSink::OnConnected()
{
    record(named("connected"));
    return 0;
}

int RecordingSink::OnDisconnected()
{
    Call call = named("disconnected");
    // Files listed before must be gone by now.
    call.fileExisted = !renamedFrom.empty() && access(renamedFrom.c_str(), F_OK) == 0;
    record(call);
    return 0;
}

int RecordingSink::OnMessage(const void *data, uint32_t length, uint32_t type, uint32_t extra)
{
    Call call = named("message", std::string(static_cast<const char *>(data), length), type, extra);
    call.nulTerminated = static_cast<const char *>(data)[length] == 0;
    record(call);
    if (throwFromMessage)
        throw std::runtime_error("sink failure");
    return messageResult;
}

int RecordingSink::OnFileReceived(const char *tempName, uint32_t sender, char *nameBuf, int bufSize)
{
    Call call = named("file", readFile(tempName), sender);
    call.fileExisted = access(tempName, F_OK) == 0;
    call.kind = bufSize;
    renamedFrom = tempName;
    if (overfillNameBuffer)
        std::memset(nameBuf, 'n', static_cast<size_t>(bufSize));
    if (!renameReceivedFileTo.empty()) {
        std::rename(tempName, renameReceivedFileTo.c_str());
        std::snprintf(nameBuf, static_cast<size_t>(bufSize), "%s", renameReceivedFileTo.c_str());
    }
    record(call);
    return 0;
}

int RecordingSink::OnStringMessage(const char *text, uint32_t extra)
{
    record(named("text", text, 0, extra));
    return 0;
}

int RecordingSink::OnValueMessage(const void *payload)
{
    uint32_t value;
    std::memcpy(&value, payload, sizeof value);
    record(named("value", std::to_string(value)));
    return valueResult;
}

int RecordingSink::OnTimeout(int kind)
{
    Call call = named("timeout");
    call.kind = kind;
    record(call);
    return timeoutResult(kind, ++m_timeouts);
}

int RecordingSink::OnSendProgress(uint32_t total, uint32_t sent)
{
    record(named("progress", std::to_string(sent), total));
    return 0;
}

bool RecordingSink::waitFor(const std::string &name, size_t count)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(30), [&] {
        size_t found = 0;
        for (const Call &call : m_calls)
            found += call.name == name;
        return found >= count;
    });
}

std::vector<RecordingSink::Call> RecordingSink::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

size_t RecordingSink::count(const std::string &name) const
{
    std::lock_guard lock(m_mutex);
    size_t found = 0;
    for (const Call &call : m_calls)
        found += call.name == name;
    return found;
}
