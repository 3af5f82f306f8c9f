// admin: the administration program of the Verbanta voice-mail server. The
// application object does the work; main only gives it a Qt application to
// run in and hands the event loop over once start-up succeeded.
#include "admin/app/adminapp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Verbanta"));
    QApplication::setApplicationName(QLatin1String(CAdminApp::ApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(ADMIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("verbanta-admin"));

    CAdminApp app;
    if (!app.InitInstance()) {
        app.ExitInstance();
        return 1;
    }
    const int loopResult = QApplication::exec();
    const int exitCode = app.ExitInstance();
    return loopResult != 0 ? loopResult : exitCode;
}
