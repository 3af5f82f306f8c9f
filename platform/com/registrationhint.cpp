// The registration hint; see registrationhint.h.
#include "platform/com/registrationhint.h"

#include "platform/com/combase.h"
#include "platform/registry/storefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const char *const kRegsvr = "regsvr";

// The running program's folder, with any link that started it resolved.
QString programFolder()
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
}

// The folder holding both regsvr and the library, or "" when neither
// candidate does.
QString toolFolder(const QString &libraryFile)
{
    const QString candidates[] = {programFolder(), StoreFolder::installedPath()};
    for (const QString &folder : candidates) {
        if (folder.isEmpty())
            continue;
        const QDir dir(folder);
        if (QFileInfo(dir.filePath(QLatin1String(kRegsvr))).isExecutable() &&
            QFileInfo::exists(dir.filePath(libraryFile)))
            return dir.absolutePath();
    }
    return QString();
}

// A path as a shell word: as it is when it needs no quoting.
QString shellWord(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+:-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString whatIsMissing(const CLSID &clsid, HRESULT result, const QString &libraryFile)
{
    const QString registered = InprocServerPath(clsid).value_or(QString());
    switch (result) {
    case REGDB_E_CLASSNOTREG:
        return QStringLiteral("%1 is not registered: neither this user's registrations (%2) nor those "
                              "installed with the programs name it.")
            .arg(libraryFile, StoreFolder::filePath(QStringLiteral("classes.ini")));
    case CO_E_DLLNOTFOUND:
        return QStringLiteral("The library registered for it, %1, cannot be loaded%2.")
            .arg(registered,
                 QFileInfo::exists(registered) ? QString() : QStringLiteral(": there is no such file"));
    case CO_E_ERRORINDLL:
        return QStringLiteral("The library registered for it, %1, is not %2: it has no DllGetClassObject.")
            .arg(registered, libraryFile);
    default:
        return QString();
    }
}

} // namespace

QString RegistrationHint(const CLSID &clsid, HRESULT result, const QString &libraryFile)
{
    const QString missing = whatIsMissing(clsid, result, libraryFile);
    if (missing.isEmpty())
        return QString();
    const QString folder = toolFolder(libraryFile);
    if (folder.isEmpty())
        return QStringLiteral("%1\nRegister it with regsvr, which lies beside %2 (in the bin/ folder of a "
                              "build, in <libdir>/verbanta/ of an installation):\n    regsvr /path/to/%2")
            .arg(missing, libraryFile);
    const QDir dir(folder);
    return QStringLiteral("%1\nRegister it with:\n    %2 %3")
        .arg(missing, shellWord(dir.filePath(QLatin1String(kRegsvr))), shellWord(dir.filePath(libraryFile)));
}
