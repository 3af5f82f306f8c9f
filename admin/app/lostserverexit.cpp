// The end of admin when its server is gone; see lostserverexit.h.
#include "admin/app/lostserverexit.h"

#include "admin/session/serverexitnotice.h"
#include "platform/msgbox/msgbox.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

void EndAdminForLostServer(const QString &lostServerText)
{
    const QString cause = CServerExitNotice::Cause();
    const QString text = cause.isEmpty()
                             ? lostServerText
                             : lostServerText + QStringLiteral("\n\n") + cause.left(1).toUpper() + cause.mid(1);
    std::fprintf(stderr, "admin: %s\n", qPrintable(text));
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
