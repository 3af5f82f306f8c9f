// The configuration window's view: a scroll area that holds the sheet and
// draws nothing of its own. It is never smaller than the sheet's least size,
// so the sheet itself never scrolls: its tabs and buttons stay in sight.
#pragma once

#include "platform/messages/messages.h"

#include <QScrollArea>

class CConfigPropSheet;
class CServerCommandChannel;
struct CConfigLogin;

class CConfigView : public QScrollArea {
    Q_OBJECT
public:
    explicit CConfigView(QWidget *parent = nullptr);

    // Makes the sheet on the document's channel (which loads the depot)
    // at the view's top-left corner; the sheet's size is the view's, or its
    // smallest size when the view is smaller.
    CConfigPropSheet *OnInitialUpdate(CServerCommandChannel *channel, HWND mainWindow,
                                      const CConfigLogin &login);
    CConfigPropSheet *Sheet() const { return m_sheet; }

    QSize minimumSizeHint() const override;

private:
    CConfigPropSheet *m_sheet = nullptr;
};
