// The System Parameters template; see configsystemparamtemplate.h.
#include "admin/config/params/configsystemparamtemplate.h"

#include "admin/config/window/configwindowhost.h"
#include "admin/config/params/configsystemparamchildwnd.h"
#include "admin/config/params/configsystemparamdoc.h"
#include "admin/session/zeltsession.h"
#include "admin/widgets/mdiplacement.h"

#include <QMdiArea>

#include <memory>

CConfigSystemParamChildWnd *CConfigSystemParamTemplate::OpenDocumentFile(const CConfigLogin &login,
                                                                         QMdiArea *area)
{
    if (!login.applicationSession)
        return nullptr;
    auto document = std::make_unique<CConfigSystemParamDoc>();
    if (!document->OnNewDocument(*login.applicationSession, login.credentials))
        return nullptr;
    auto *window =
        new CConfigSystemParamChildWnd(std::move(document), login.applicationSession->CommandChannel());
    area->addSubWindow(window);
    window->InitialUpdate();
    window->show();
    // The area placed the window before its views gave it its size.
    KeepInSight(window);
    return window;
}
