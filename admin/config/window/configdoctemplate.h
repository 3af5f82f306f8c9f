// The template of the one configuration window: it opens the window only
// while none is open, and tells the main frame when it has.
#pragma once

#include "admin/config/window/configwindowhost.h"

class CConfigDoc;

class CConfigDocTemplate {
public:
    explicit CConfigDocTemplate(CConfigWindowHost &host) : m_host(host) {}

    // Null, opening nothing, while the window is open, or when its session
    // or its first load failed (the reason has been shown). Otherwise the
    // new window's document; the window shows the first page until the
    // main frame asks for another (WM_SHOW_CONFIG_PAGE).
    CConfigDoc *OpenDocumentFile(const CConfigLogin &login);

private:
    CConfigWindowHost &m_host;
};
