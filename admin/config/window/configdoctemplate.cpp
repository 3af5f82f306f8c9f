// The configuration template; see configdoctemplate.h.
#include "admin/config/window/configdoctemplate.h"

#include "admin/config/window/configdoc.h"
#include "admin/config/window/configpropframe.h"
#include "admin/widgets/mdiplacement.h"

#include <QMdiArea>

#include <memory>

CConfigDoc *CConfigDocTemplate::OpenDocumentFile(const CConfigLogin &login)
{
    if (m_host.IsConfigWindowOpen() || !login.applicationSession)
        return nullptr;
    auto document = std::make_unique<CConfigDoc>();
    if (!document->OnNewDocument(*login.applicationSession, login.credentials))
        return nullptr;
    auto *frame = new CConfigPropFrame(std::move(document), m_host.ConfigMainWindow());
    m_host.ConfigMdiArea()->addSubWindow(frame);
    if (!frame->InitialUpdate(login)) {
        delete frame;
        return nullptr;
    }
    m_host.OnConfigWindowOpened(frame);
    frame->show();
    frame->CenterWindow();
    KeepInSight(frame);
    return frame->GetDocument();
}
