// The agent list windows' common part; see useragentlistdlg.h.
#include "admin/uatools/agents/useragentlistdlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

CUserAgentListDlg::CUserAgentListDlg(int dialogId, const QString &caption, CZELTSession &applicationSession,
                                     const CLoginCredentials &login, const QString &typeText,
                                     QList<qint32> roots, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_session(applicationSession, login), m_typeText(typeText),
      m_roots(std::move(roots)), m_list(SetDlgCtrlID(new QTreeWidget(this), IDC_LIST))
{
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(480, 260);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto [id, text] :
         {std::pair{int(IDC_MODIFY), tr("Modify")}, std::pair{int(IDC_DELETE), tr("Delete")},
          std::pair{int(IDC_CLOSE), tr("Close")}}) {
        auto *button = SetDlgCtrlID(new QPushButton(text, this), id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (SelectedNumber() != -1 || !KeepsButtonsWhenDeselected())
            updateButtons();
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { modifySelected(); });
}

CServerCommandChannel *CUserAgentListDlg::Channel() const
{
    return Session() ? Session()->CommandChannel() : nullptr;
}

QString CUserAgentListDlg::Run(const QString &command) const
{
    CZELTSession *session = Session();
    if (!session)
        return tr("!There is no connection to the server.");
    try {
        CPendingCommand pending = session->BeginCommand(command, true, 1);
        return session->WaitReply(pending);
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
    if (!m_session.Open()) {
        // The window goes once it has been shown; its slot is freed then.
        QTimer::singleShot(0, this, [this] { closeWindow(); });
        return true;
    }
    const QList<Column> columns = Columns();
    QStringList titles;
    for (const Column &column : columns)
        titles.append(column.title);
    m_list->setHeaderLabels(titles);
    // The widths are minimums: a column is at least as wide as its heading.
    for (int i = 0; i < columns.size(); ++i)
        m_list->header()->resizeSection(i, std::max(columns[i].width, m_list->header()->sectionSizeHint(i)));
    fill();
    updateButtons();
    return true;
}

void CUserAgentListDlg::fill()
{
    const quint64 generation = ++m_generation;
    m_list->clear();
    m_elements.clear();
    m_rows.clear();
    m_next = 0;
    m_filling = false;
    m_fillFailed = false;
    QString reply;
    try {
        // The server may take long over a big kind; the window keeps painting.
        reply = Session()->Execute(QStringLiteral("ParmsForUAType %1 %2 %3")
                                       .arg(TclWord(m_typeText), TclWord(QStringLiteral("&Comment")),
                                            TclWord(QStringLiteral("All"))));
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    // A refused query is one message, not one per word of its text.
    if (IsErrorReply(reply)) {
        m_fillFailed = true;
        AfxMessageBox(reply);
        emit filled();
        return;
    }
    CTclList().SplitList(reply, m_elements);
    m_filling = true;
    fillSlice(generation);
}

void CUserAgentListDlg::fillSlice(quint64 generation)
{
    // Short slices: the longest the window is kept from the user's input.
    constexpr qint64 kSliceMs = 20;
    if (generation != m_generation || !Session())
        return;
    QElapsedTimer slice;
    slice.start();
    // First every element is read (the order needs them all), then the
    // rows are added; m_next counts the elements read.
    const CTclList splitter;
    while (m_next < m_elements.size() && slice.elapsed() < kSliceMs) {
        CUserAgent agent;
        if (agent.Parse(m_elements[m_next++], splitter) && !m_roots.contains(agent.GetUANumber()))
            m_rows.push_back({agent.GetUANumber(), agent.GetProperty(QStringLiteral("&Comment"))});
        if (m_next == m_elements.size() && SortsByNumber())
            std::stable_sort(m_rows.begin(), m_rows.end(),
                             [](const Row &a, const Row &b) { return a.number < b.number; });
    }
    qsizetype row = m_list->topLevelItemCount();
    if (m_next == m_elements.size())
        while (row < qsizetype(m_rows.size()) && slice.elapsed() < kSliceMs)
            addRow(m_rows[size_t(row++)]);
    if (m_next < m_elements.size() || row < qsizetype(m_rows.size())) {
        QTimer::singleShot(0, this, [this, generation] { fillSlice(generation); });
        return;
    }
    m_elements.clear();
    m_rows.clear();
    m_filling = false;
    updateButtons();
    emit filled();
}

void CUserAgentListDlg::Refill()
{
    if (!Session())
        return;
    CWaitCursor wait;
    fill();
    updateButtons();
}

void CUserAgentListDlg::addRow(const Row &agent)
{
    auto *row = new QTreeWidgetItem(m_list);
    row->setText(0, QString::number(agent.number));
    row->setText(1, agent.comment);
    row->setData(0, Qt::UserRole, agent.number);
    FillExtraColumns(row, agent.number, m_list->topLevelItemCount() == 1);
}

void CUserAgentListDlg::updateButtons()
{
    // Rows are not changed under a fill that is still adding them.
    const bool selected = SelectedNumber() != -1 && !m_filling;
    GetDlgItem(IDC_MODIFY)->setEnabled(selected && Session());
    GetDlgItem(IDC_DELETE)->setEnabled(selected && Session());
}

void CUserAgentListDlg::modifySelected()
{
    QTreeWidgetItem *row = m_list->currentItem();
    if (!row || !row->isSelected() || !Session() || m_filling)
        return;
    const qint32 number = row->data(0, Qt::UserRole).toInt();
    if (!RunEditDialog(number, row))
        return;
    CWaitCursor wait;
    const QString reply = Run(QStringLiteral("GetUAPropertyInfo %1 %2")
                                  .arg(number)
                                  .arg(CUserAgent::NameWord(QStringLiteral("&Comment"))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    QStringList info;
    CTclList().SplitList(reply, info);
    row->setText(1, info.value(1));
    FillExtraColumns(row, number, true);
}

void CUserAgentListDlg::deleteSelected()
{
    if (m_filling)
        return;
    QTreeWidgetItem *row = m_list->currentItem();
    if (!row || !row->isSelected()) {
        if (KeepsButtonsWhenDeselected())
            AfxMessageBox(tr("No User Agent to be deleted"));
        return;
    }
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
    const qint32 deleted = row->data(0, Qt::UserRole).toInt();
    AgentDeleted(deleted);
    // The list may have been filled again meanwhile; the row is found anew.
    row = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount() && !row; ++i)
        if (m_list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == deleted)
            row = m_list->topLevelItem(i);
    if (!row) {
        updateButtons();
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
    Closing();
    m_session.Close();
    DestroyWindow();
}

void CUserAgentListDlg::PostNcDestroy()
{
    emit closed();
    deleteLater();
}
