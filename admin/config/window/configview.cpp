// The configuration view; see configview.h.
#include "admin/config/window/configview.h"

#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configwindowhost.h"

CConfigView::CConfigView(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // The sheet takes the view's room, which its least size bounds.
    setWidgetResizable(true);
}

CConfigPropSheet *CConfigView::OnInitialUpdate(CServerCommandChannel *channel, HWND mainWindow,
                                               const CConfigLogin &login)
{
    m_sheet = new CConfigPropSheet(this, channel, mainWindow, login.t1Protocols, login.cosTypeValue);
    setWidget(m_sheet);
    return m_sheet;
}

QSize CConfigView::minimumSizeHint() const
{
    const int frame = 2 * frameWidth();
    return m_sheet ? m_sheet->minimumSizeHint() + QSize(frame, frame) : QScrollArea::minimumSizeHint();
}
