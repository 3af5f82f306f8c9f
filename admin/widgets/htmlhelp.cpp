// Help pages opened in the desktop's browser. QDesktopServices hands the page
// to the desktop (xdg-open) and returns at once, so a help request never
// blocks the program, whatever the browser does.
#include "admin/widgets/htmlhelp.h"

#include "platform/msgbox/msgbox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const char *const NotInstalledMessage =
    "Help is not installed on this computer.\nThe help pages belong in the folder %1.";

// A help file name as callers give it ("admin.chm"): a plain name, never a path.
bool isPlainFileName(const QString &file)
{
    return !file.isEmpty() && !file.contains(QLatin1Char('/')) && !file.contains(QLatin1Char('\\')) &&
           !file.startsWith(QLatin1Char('.'));
}

} // namespace

CHtmlHelp::CHtmlHelp(const QString &helpFolder) : m_folder(helpFolder) {}

intptr_t CHtmlHelp::Show(const QString &file, unsigned command, uintptr_t data)
{
    if (!isPlainFileName(file))
        return 0;
    const QString book = QFileInfo(file).completeBaseName();
    if (!QFileInfo::exists(QDir(m_folder).filePath(book + QStringLiteral("/index.html")))) {
        AfxMessageBox(QString::fromLatin1(NotInstalledMessage).arg(QDir::toNativeSeparators(m_folder)),
                      MB_ICONINFORMATION);
        return 0;
    }
    const QString topic = topicPath(book, command, data);
    if (topic.isEmpty())
        return 0;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(topic)) ? 1 : 0;
}

QString CHtmlHelp::DefaultFolder()
{
    const QString configured = qEnvironmentVariable("VERBANTA_HELP_DIR");
    if (!configured.isEmpty())
        return configured;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/verbanta/help"));
}

QString CHtmlHelp::topicPath(const QString &book, unsigned command, uintptr_t data) const
{
    const QDir bookFolder(QDir(m_folder).filePath(book));
    const QString defaultTopic = bookFolder.filePath(QStringLiteral("index.html"));
    switch (command) {
    case HH_DISPLAY_TOPIC:
        return defaultTopic;
    case HH_HELP_CONTEXT: {
        // A context without a page of its own opens the default topic.
        const QString context = bookFolder.filePath(QStringLiteral("%1.html").arg(data));
        return QFileInfo::exists(context) ? context : defaultTopic;
    }
    default:
        return QString();
    }
}

intptr_t CallHtmlHelp(HWND, const QString &file, unsigned command, uintptr_t data)
{
    static CHtmlHelp help(CHtmlHelp::DefaultFolder());
    return help.Show(file, command, data);
}
