// The template of the System Parameters window: every use opens a new
// window with its own document and session, so several may be open at once.
#pragma once

class CConfigSystemParamChildWnd;
class QMdiArea;
struct CConfigLogin;

class CConfigSystemParamTemplate {
public:
    // The new window, shown in `area`; null when its session or its fetch
    // failed (the reason has been shown) and no window opened.
    static CConfigSystemParamChildWnd *OpenDocumentFile(const CConfigLogin &login, QMdiArea *area);
};
