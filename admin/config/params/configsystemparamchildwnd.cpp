// The System Parameters window's frame; see configsystemparamchildwnd.h.
#include "admin/config/params/configsystemparamchildwnd.h"

#include "admin/config/params/configsystemparamdoc.h"
#include "admin/config/params/configsystemparamleftview.h"
#include "admin/config/params/configsystemparamrightview.h"
#include "admin/widgets/htmlhelp.h"
#include "admin/widgets/spreadsheet.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QSplitter>

CConfigSystemParamChildWnd::CConfigSystemParamChildWnd(std::unique_ptr<CConfigSystemParamDoc> document,
                                                       CServerCommandChannel *applicationChannel,
                                                       QWidget *parent)
    : QMdiSubWindow(parent), m_document(std::move(document)), m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_left(new CConfigSystemParamLeftView(*m_document, applicationChannel, m_splitter)),
      m_right(new CConfigSystemParamRightView(*m_document, m_splitter))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_document->GetTitle());
    m_splitter->addWidget(m_left);
    m_splitter->addWidget(m_right);
    m_splitter->setSizes({400, 200});
    setWidget(m_splitter);
    resize(640, 360);
    connect(m_left, &CConfigSystemParamLeftView::SelectionChanged, m_right,
            &CConfigSystemParamRightView::OnUpdate);
}

CConfigSystemParamChildWnd::~CConfigSystemParamChildWnd() = default;

void CConfigSystemParamChildWnd::InitialUpdate()
{
    m_left->OnInitialUpdate();
    m_right->OnInitialUpdate();
    m_left->Grid()->setFocus();
}

void CConfigSystemParamChildWnd::closeEvent(QCloseEvent *event)
{
    if (!m_document->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

void CConfigSystemParamChildWnd::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        CallHtmlHelp(HWND(), QStringLiteral("admin.chm"), HH_HELP_CONTEXT, kHelpContext);
        return;
    }
    QMdiSubWindow::keyPressEvent(event);
}
