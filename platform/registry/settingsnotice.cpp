// See settingsnotice.h. Settings are read again at every use (a window's
// size at each opening), so the notice remembers what it has said.
#include "settingsnotice.h"

#include <QSet>

#include <mutex>

void CSettingsNotice::Unusable(const QString &fileName, const QString &key)
{
    static std::mutex mutex;
    static QSet<QString> named;
    {
        std::lock_guard lock(mutex);
        if (named.contains(fileName + QLatin1Char('\n') + key))
            return;
        named.insert(fileName + QLatin1Char('\n') + key);
    }
    qWarning("%s: the value of %s can not be used; its default is used instead.", qPrintable(fileName),
             qPrintable(key));
}
