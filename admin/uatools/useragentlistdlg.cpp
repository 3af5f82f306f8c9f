// The agent list windows' common part; see useragentlistdlg.h.
#include "admin/uatools/useragentlistdlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

CUserAgentListDlg::CUserAgentListDlg(int dialogId, const QString &caption, CZELTSession &applicationSession,
                                     const CLoginCredentials &login, const QString &typeText, QList<qint32> roots,
                                     QWidget *parent)
    : CDialog(dialogId, caption, parent), m_applicationSession(applicationSession), m_login(login),
      m_typeText(typeText), m_roots(std::move(roots)), m_list(SetDlgCtrlID(new QTreeWidget(this), IDC_LIST))
{
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(480, 260);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto [id, text] : {std::pair{int(IDC_MODIFY), tr("Modify")}, std::pair{int(IDC_DELETE), tr("Delete")},
                            std::pair{int(IDC_CLOSE), tr("Close")}}) {
        auto *button = SetDlgCtrlID(new QPushButton(text, this), id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { modifySelected(); });
}

CUserAgentListDlg::~CUserAgentListDlg()
{
    closeSession();
}

CServerCommandChannel *CUserAgentListDlg::Channel() const
{
    return m_session ? m_session->CommandChannel() : nullptr;
}

QString CUserAgentListDlg::Run(const QString &command) const
{
    if (!m_session)
        return tr("!There is no connection to the server.");
    try {
        CPendingCommand pending = m_session->BeginCommand(command, true, 1);
        return m_session->WaitReply(pending);
    } catch (const CZltException &e) {
        return QStringLiteral("!") + e.text();
    }
}

qint32 CUserAgentListDlg::SelectedNumber() const
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, Qt::UserRole).toInt();
}

bool CUserAgentListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_session = std::make_unique<CZELTSession>(m_applicationSession);
    try {
        m_session->Connect(m_login);
    } catch (const CZltException &e) {
        m_session.reset();
        AfxMessageBox(e.text());
        // The window goes once it has been shown; its slot is freed then.
        QTimer::singleShot(0, this, [this] { closeWindow(); });
        return true;
    }
    const QList<Column> columns = Columns();
    QStringList titles;
    for (const Column &column : columns)
        titles.append(column.title);
    m_list->setHeaderLabels(titles);
    for (int i = 0; i < columns.size(); ++i)
        m_list->header()->resizeSection(i, columns[i].width);
    fill();
    updateButtons();
    return true;
}

void CUserAgentListDlg::fill()
{
    const QString reply = Run(QStringLiteral("ParmsForUAType %1 %2 %3")
                                  .arg(TclWord(m_typeText), TclWord(QStringLiteral("&Comment")),
                                       TclWord(QStringLiteral("All"))));
    // A refused query is one message, not one per word of its text.
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    QStringList elements;
    const CTclList splitter;
    splitter.SplitList(reply, elements);
    std::vector<CUserAgent> agents;
    agents.reserve(size_t(elements.size()));
    for (const QString &element : std::as_const(elements)) {
        CUserAgent agent;
        if (agent.Parse(element, splitter) && !m_roots.contains(agent.GetUANumber()))
            agents.push_back(std::move(agent));
    }
    if (SortsByNumber())
        std::stable_sort(agents.begin(), agents.end(),
                         [](const CUserAgent &a, const CUserAgent &b) { return a.GetUANumber() < b.GetUANumber(); });
    m_list->setUpdatesEnabled(false);
    for (const CUserAgent &agent : agents)
        addRow(agent);
    m_list->setUpdatesEnabled(true);
}

void CUserAgentListDlg::Refill()
{
    if (!m_session)
        return;
    CWaitCursor wait;
    m_list->clear();
    fill();
    updateButtons();
}

void CUserAgentListDlg::addRow(const CUserAgent &agent)
{
    auto *row = new QTreeWidgetItem(m_list);
    row->setText(0, QString::number(agent.GetUANumber()));
    row->setText(1, agent.GetProperty(QStringLiteral("&Comment")));
    row->setData(0, Qt::UserRole, agent.GetUANumber());
    FillExtraColumns(row, agent.GetUANumber());
}

void CUserAgentListDlg::updateButtons()
{
    const bool selected = SelectedNumber() != -1;
    GetDlgItem(IDC_MODIFY)->setEnabled(selected && m_session);
    GetDlgItem(IDC_DELETE)->setEnabled(selected && m_session);
}

void CUserAgentListDlg::modifySelected()
{
    QTreeWidgetItem *row = m_list->currentItem();
    if (!row || !row->isSelected() || !m_session)
        return;
    const qint32 number = row->data(0, Qt::UserRole).toInt();
    if (!RunEditDialog(number, row))
        return;
    CWaitCursor wait;
    const QString reply =
        Run(QStringLiteral("GetUAPropertyInfo %1 %2").arg(number).arg(CUserAgent::NameWord(QStringLiteral("&Comment"))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    QStringList info;
    CTclList().SplitList(reply, info);
    row->setText(1, info.value(1));
    FillExtraColumns(row, number);
}

void CUserAgentListDlg::deleteSelected()
{
    QTreeWidgetItem *row = m_list->currentItem();
    if (!row || !row->isSelected())
        return;
    const QString number = row->text(0);
    if (MessageBox(GetSafeHwnd(), tr("Are you sure you would like to remove User Agent %1?").arg(number),
                   tr("Delete User Agent"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    const QString reply = Run(QStringLiteral("DeleteUA %1").arg(row->data(0, Qt::UserRole).toInt()));
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    // The row that takes the deleted one's place, else the one above it.
    const int index = m_list->indexOfTopLevelItem(row);
    delete row;
    QTreeWidgetItem *next = m_list->topLevelItem(std::min(index, m_list->topLevelItemCount() - 1));
    if (next) {
        m_list->setCurrentItem(next);
        next->setSelected(true);
    }
    updateButtons();
}

bool CUserAgentListDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_MODIFY:
        modifySelected();
        return true;
    case IDC_DELETE:
        deleteSelected();
        return true;
    case IDC_CLOSE:
        closeWindow();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CUserAgentListDlg::OnOK()
{
    closeWindow();
}

void CUserAgentListDlg::OnCancel()
{
    closeWindow();
}

void CUserAgentListDlg::closeWindow()
{
    closeSession();
    DestroyWindow();
}

void CUserAgentListDlg::PostNcDestroy()
{
    emit closed();
    deleteLater();
}

void CUserAgentListDlg::closeSession()
{
    if (!m_session)
        return;
    try {
        m_session->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor ends the link in any case.
    }
    m_session.reset();
}
