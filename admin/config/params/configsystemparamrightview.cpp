// The parameter help pane; see configsystemparamrightview.h.
#include "admin/config/params/configsystemparamrightview.h"

#include "admin/config/params/configsystemparamdoc.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CConfigSystemParamRightView::CConfigSystemParamRightView(CConfigSystemParamDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_text(new QPlainTextEdit(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *label = new QLabel(tr("Parameter's Descriptions"), this);
    label->setObjectName(QStringLiteral("label%1").arg(int(IDC_LABEL)));
    layout->addWidget(label);
    m_text->setObjectName(QStringLiteral("text%1").arg(int(IDC_TEXT)));
    m_text->setReadOnly(true);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(m_text, 1);
}

void CConfigSystemParamRightView::OnInitialUpdate()
{
    QString message;
    if (!loadHelpScript(message))
        AfxMessageBox(message, MB_OK);
    OnUpdate();
}

bool CConfigSystemParamRightView::loadHelpScript(QString &message)
{
    // A script that runs on is ended only after a few seconds.
    CWaitCursor wait;
    return m_script.Load(HelpFilePath(), message);
}

QString CConfigSystemParamRightView::HelpFilePath()
{
    const QString local = QString::fromLatin1(kHelpFile);
    if (QFileInfo::exists(local))
        return local;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/verbanta/") + local);
}

void CConfigSystemParamRightView::OnUpdate()
{
    m_text->setPlainText(m_script.Text(m_document.CurrentParam()));
}

QString CConfigSystemParamRightView::Text() const
{
    return m_text->toPlainText();
}
