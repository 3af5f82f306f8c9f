// Feeds arbitrary greeting lines to the greeting reader: no fault, and the
// fields it gives are pieces of the line.
#include "admin/session/servergreeting.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray line(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<CServerGreeting> greeting = CServerGreeting::Parse(line);
    if (!greeting)
        return 0;
    if (greeting->fieldA.contains(' ') || greeting->timeZone.contains(' ') ||
        greeting->fieldA.size() + greeting->fieldB.size() + greeting->timeZone.size() > line.size())
        std::abort();
    if (CServerGreeting::IsValidTimeZone(greeting->timeZone) &&
        (greeting->timeZone.isEmpty() || greeting->timeZone.startsWith('/') ||
         greeting->timeZone.contains('=')))
        std::abort();
    return 0;
}
