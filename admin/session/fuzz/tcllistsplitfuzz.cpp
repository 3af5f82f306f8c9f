// Feeds arbitrary reply text to the reply-list splitter: every road through
// it must end without a fault, and the three containers must agree.
#include "admin/session/tcllist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const CTclList splitter;
    const CTclElements elements = splitter.Split(bytes);
    for (qsizetype i = 0; i < elements.size(); ++i)
        (void)elements.at(i).size();

    const QString text = QString::fromUtf8(bytes);
    QStringList list;
    splitter.SplitList(text, list);
    QHash<QString, QString> pairs;
    const bool even = splitter.SplitPairs(text, pairs);
    if (even != (list.size() % 2 == 0) || pairs.size() > list.size() / 2)
        std::abort();
    return 0;
}
