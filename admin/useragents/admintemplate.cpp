// The mailbox editor's template; see admintemplate.h.
#include "admin/useragents/admintemplate.h"

#include "admin/session/zeltsession.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/widgets/mdiplacement.h"

#include <QMdiArea>

CAdminTemplate::CAdminTemplate(QMdiArea *area, CZELTSession &session, CLoginCredentials login,
                               DocumentFactory factory, int openedBefore)
    : m_area(area), m_session(session), m_login(std::move(login)), m_factory(std::move(factory)),
      m_opened(openedBefore)
{
    Q_ASSERT(area && m_factory);
}

CAdminDoc *CAdminTemplate::OpenDocumentFile(bool makeVisible)
{
    CAdminDoc *document = open(m_factory(), makeVisible);
    if (document)
        m_lastDocument = document;
    return document;
}

CAdminDoc *CAdminTemplate::OpenUAListDocument(const QList<long> &numbers, bool makeVisible)
{
    std::unique_ptr<CAdminDoc> document = m_factory();
    document->SetListGiven(++m_opened);
    document->SetUAList(numbers);
    return open(std::move(document), makeVisible);
}

CAdminDoc *CAdminTemplate::OpenTitledDocument(const QString &title)
{
    CAdminDoc *document = OpenDocumentFile(true);
    if (document) {
        document->SetTitle(title);
        m_lastFrame->setWindowTitle(title);
    }
    return document;
}

CAdminDoc *CAdminTemplate::OpenCountedDocument(const QString &title)
{
    const int count = ++m_opened;
    return OpenTitledDocument(count == 1 ? title : QStringLiteral("%1 %2").arg(title).arg(count));
}

CAdminDoc *CAdminTemplate::open(std::unique_ptr<CAdminDoc> document, bool makeVisible)
{
    if (!document->OnNewDocument(m_session, m_login))
        return nullptr;
    CAdminDoc *opened = document.get();
    auto *frame = new CChildFrame(std::move(document), m_session.CommandChannel());
    m_area->addSubWindow(frame);
    // The sheet sizes the frame to its layout.
    frame->GetActiveView()->OnInitialUpdate();
    if (makeVisible)
        frame->show();
    // The area placed the frame before the sheet gave it its size.
    KeepInSight(frame);
    m_lastFrame = frame;
    return opened;
}
