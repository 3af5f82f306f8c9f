// The end of admin when its server is gone; see lostserverexit.h.
#include "admin/app/lostserverexit.h"

#include "platform/msgbox/msgbox.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

void EndAdminForLostServer(const QString &text)
{
    std::fprintf(stderr, "admin: %s\n", qPrintable(text));
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
