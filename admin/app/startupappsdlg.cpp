// The Register IVR Alias dialog; see startupappsdlg.h.
#include "admin/app/startupappsdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "platform/msgbox/msgbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kVariable = QStringLiteral("sys_startup_apps");
}

CStartupAppsDlg::CStartupAppsDlg(CServerCommandChannel &channel, QWidget *parent)
    : CDialog(IDD, tr("Register IVR Alias"), parent), m_channel(channel),
      m_names(SetDlgCtrlID(new QListWidget(this), IDC_APP_NAMES)),
      m_startup(SetDlgCtrlID(new QListWidget(this), IDC_STARTUP_LIST)),
      m_add(SetDlgCtrlID(new QPushButton(tr("Add"), this), IDC_ADD)),
      m_delete(SetDlgCtrlID(new QPushButton(tr("Delete"), this), IDC_DELETE))
{
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Application Names"), this), 0, 0);
    grid->addWidget(new QLabel(tr("Applications to run at startup:"), this), 0, 2);
    grid->addWidget(m_names, 1, 0, 3, 1);
    grid->addWidget(m_add, 1, 1);
    grid->addWidget(m_delete, 2, 1);
    grid->addWidget(m_startup, 1, 2, 3, 1);
    grid->addLayout(OkCancelRow(), 4, 0, 1, 3);
    resize(480, 300);
    connect(m_names, &QListWidget::itemSelectionChanged, this, &CStartupAppsDlg::onNameSelected);
    connect(m_startup, &QListWidget::itemSelectionChanged, this,
            [this] { m_delete->setEnabled(!m_startup->selectedItems().isEmpty()); });
}

QString CStartupAppsDlg::JoinList(const QStringList &names)
{
    QStringList words;
    for (const QString &name : names)
        words.append(TclBareWord(name));
    return words.join(u' ');
}

bool CStartupAppsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    addNames(QStringLiteral("GetAliasList"));
    addNames(QStringLiteral("GetAppList"));
    m_add->setEnabled(false);

    const QString reply = m_channel.Execute(QStringLiteral("set %1\r\n").arg(kVariable));
    // A server without the variable answers with an error: the list starts
    // empty and saving creates it.
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, m_startupApps);
    refillStartupList();
    return true;
}

void CStartupAppsDlg::addNames(const QString &command)
{
    const QString reply = m_channel.Execute(command);
    if (IsErrorReply(reply)) {
        // Its words are no application names.
        AfxMessageBox(tr("The server could not list its applications (%1):\n%2").arg(command, reply),
                      MB_OK | MB_ICONERROR);
        return;
    }
    QStringList names;
    CTclList().SplitList(reply, names);
    m_names->addItems(names);
}

void CStartupAppsDlg::refillStartupList()
{
    m_startup->clear();
    m_startup->addItems(m_startupApps);
    m_delete->setEnabled(false);
}

namespace {
// The one item selected, or null: the focus alone selects nothing.
const QListWidgetItem *selectedItem(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}
} // namespace

void CStartupAppsDlg::onNameSelected()
{
    const QListWidgetItem *item = selectedItem(m_names);
    if (item)
        m_add->setEnabled(!m_startupApps.contains(item->text()));
}

bool CStartupAppsDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        onAdd();
        return true;
    case IDC_DELETE:
        onDelete();
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CStartupAppsDlg::onAdd()
{
    const QListWidgetItem *item = selectedItem(m_names);
    if (!item) {
        AfxMessageBox(tr("Please select an application to add to startup list"), MB_OK);
        return;
    }
    if (!m_startupApps.contains(item->text()))
        m_startupApps.append(item->text());
    refillStartupList();
    onNameSelected();
}

void CStartupAppsDlg::onDelete()
{
    const QListWidgetItem *item = selectedItem(m_startup);
    if (!item) {
        AfxMessageBox(tr("Please select an application to delete"), MB_OK);
        return;
    }
    const QString entry = item->text();
    if (AfxMessageBox(tr("Do you want to delete %1?").arg(entry), MB_YESNO) != IDYES)
        return;
    m_add->setEnabled(false);
    m_startupApps.removeAll(entry);
    refillStartupList();
}

bool CStartupAppsDlg::save()
{
    const QString list = TclWord(JoinList(m_startupApps));
    QString reply = m_channel.Execute(QStringLiteral("ConfigSetString %1 %2 1\r\n").arg(kVariable, list));
    if (!IsErrorReply(reply))
        reply = m_channel.Execute(QStringLiteral("set %1 %2\r\n").arg(kVariable, list));
    if (!IsErrorReply(reply))
        return true;
    AfxMessageBox(tr("The applications to run at startup were not saved:\n%1").arg(reply),
                  MB_OK | MB_ICONERROR);
    return false;
}

void CStartupAppsDlg::OnOK()
{
    if (save())
        DestroyWindow();
}

void CStartupAppsDlg::OnCancel()
{
    DestroyWindow();
}

bool CStartupAppsDlg::DestroyWindow()
{
    if (m_destroyed)
        return false;
    m_destroyed = true;
    CDialog::DestroyWindow();
    deleteLater();
    return true;
}
