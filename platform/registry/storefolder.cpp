// The store folders; see storefolder.h.
#include "storefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StoreFolder {

QString path()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative setting would move with the working folder; the convention
    // is to ignore it.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/verbanta");
}

QString filePath(const QString &fileName)
{
    Q_ASSERT(!fileName.isEmpty() && !fileName.contains(QLatin1Char('/')));
    return path() + QLatin1Char('/') + fileName;
}

QString installedPath()
{
    static const QString path = [] {
        // The program file itself, with any link that started it resolved.
        const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        if (program.isEmpty())
            return QString();
        return QDir::cleanPath(QFileInfo(program).path() + QStringLiteral("/" VERBANTA_INSTALLED_STORE));
    }();
    return path;
}

bool prepare(const QString &filePath)
{
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return false;
        ::chmod(QFile::encodeName(folder).constData(), 0700);
    }
    const int fd = ::open(QFile::encodeName(filePath).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::fchmod(fd, 0600);
    ::close(fd);
    return true;
}

} // namespace StoreFolder
