// Chanview: the voice-port monitor. It logs in with the settings admin keeps
// and shows the live state of every voice port of the server until its
// window is closed.
#include "chanview/chanviewapp.h"
#include "chanview/chanviewstrings.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chanview"));
    QApplication::setDesktopFileName(QStringLiteral("chanview"));
    CChanviewApp app(ChanviewSessionSettings());
    return app.InitInstance();
}
