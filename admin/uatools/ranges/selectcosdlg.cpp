// The Select COS dialog; see selectcosdlg.h. The server lists each class of
// service with its parent, in no order; the tree is linked here, children
// sorted by their label as a tree control's sorted insertion would have
// them. A class whose parent is not among those listed cannot be placed and
// is left out, so is one that names itself as its parent or is a top of
// the class-of-service tree.
#include "admin/uatools/ranges/selectcosdlg.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

struct CSelectCOSDlg::Entry {
    qint32 number = 0;
    qint32 parent = -1;
    QString name;
    QList<qsizetype> children; // indexes into the entry list, in link order
};

namespace {

constexpr int NumberRole = Qt::UserRole;
const QString kCosProperty = QStringLiteral("COS");
const QString kNameProperty = QStringLiteral("&Name1");

} // namespace

CSelectCOSDlg::CSelectCOSDlg(CServerCommandChannel &channel, qint32 root, QWidget *parent)
    : CDialog(IDD, tr("Select COS"), parent), m_channel(channel), m_root(root), m_selected(root),
      m_tree(SetDlgCtrlID(new QTreeWidget(this), IDC_COS_TREE)),
      m_count(SetDlgCtrlID(new QLabel(this), IDC_ENTRY_COUNT)),
      m_noCos(SetDlgCtrlID(new QCheckBox(AdminString(IDS_NO_COS), this), IDC_NO_COS))
{
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(true);
    m_tree->setMinimumSize(260, 280);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { selectionChanged(); });

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *left = new QVBoxLayout;
    left->addWidget(m_tree);
    auto *below = new QHBoxLayout;
    below->addWidget(m_noCos);
    below->addStretch();
    below->addWidget(m_count);
    left->addLayout(below);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buttons, 0, Qt::AlignTop);
}

bool CSelectCOSDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    {
        CWaitCursor wait;
        m_filling = true;
        m_tree->clear();
        m_rootItem = nullptr;
        fillTree();
        m_filling = false;
    }
    if (m_selected == m_root) {
        m_noCos->setChecked(true);
        m_noCos->setFocus(Qt::OtherFocusReason);
    } else {
        m_tree->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool CSelectCOSDlg::fillTree()
{
    const QString rootReply = m_channel.Execute(AdminString(IDS_SEND_GETUA).arg(m_root));
    if (IsErrorReply(rootReply)) {
        AfxMessageBox(AdminString(IDS_ROOT_COS_MISSING).arg(m_root).arg(rootReply));
        return false;
    }
    const CTclList splitter;
    QHash<QString, QString> pairs;
    splitter.SplitPairs(rootReply, pairs);
    if (!pairs.contains(kCosProperty)) {
        AfxMessageBox(AdminString(IDS_ROOT_COS_NO_ENTRY).arg(m_root).arg(kCosProperty));
        return false;
    }
    const QString listReply = m_channel.Execute(
        AdminString(IDS_GET_COS_AGENTS).arg(TclWord(pairs.value(kCosProperty)), kNameProperty));
    if (IsErrorReply(listReply)) {
        AfxMessageBox(AdminString(IDS_COS_LIST_FAILED).arg(listReply));
        return false;
    }

    QList<Entry> entries{Entry{m_root, -1, QString(), {}}};
    const CTclElements records = splitter.Split(listReply.toUtf8());
    for (qsizetype i = 0; i < records.size(); ++i) {
        CUserAgent record;
        if (!record.ParseUtf8(records.at(i).toByteArray(), splitter))
            continue;
        if (record.GetUANumber() == record.GetParentNumber() || record.IsOverHighMark())
            continue;
        entries.append(Entry{record.GetUANumber(), record.GetParentNumber(), record.GetName1(), {}});
    }
    m_count->setText(tr("%1 entries").arg(entries.size()));

    // Each class hangs below the first entry with its parent's number.
    QHash<qint32, qsizetype> firstWithNumber;
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        firstWithNumber.insert(entries[i].number, i);
    for (qsizetype i = 1; i < entries.size(); ++i) {
        const auto parent = firstWithNumber.constFind(entries[i].parent);
        if (parent == firstWithNumber.cend()) {
            entries[i].parent = -1;
            continue;
        }
        entries[*parent].children.append(i);
    }
    insertEntries(entries);
    return true;
}

void CSelectCOSDlg::insertEntries(const QList<Entry> &entries)
{
    auto insertSorted = [](QTreeWidgetItem *parent, const QString &label) {
        int at = 0;
        while (at < parent->childCount() &&
               parent->child(at)->text(0).compare(label, Qt::CaseInsensitive) <= 0)
            ++at;
        auto *item = new QTreeWidgetItem(QStringList{label});
        parent->insertChild(at, item);
        return item;
    };

    m_rootItem = new QTreeWidgetItem(QStringList{tr("Classes of Service")});
    m_rootItem->setData(0, NumberRole, m_root);
    m_tree->addTopLevelItem(m_rootItem);
    if (m_selected == m_root)
        m_tree->setCurrentItem(m_rootItem);

    // Depth first from the root, without recursion: a hostile list cannot
    // make the walk deep. Every entry hangs below at most one other, so the
    // walk from the root meets each entry once.
    QList<std::pair<qsizetype, QTreeWidgetItem *>> pending{{0, m_rootItem}};
    while (!pending.isEmpty()) {
        const auto [index, item] = pending.takeLast();
        const QList<qsizetype> &children = entries[index].children;
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            const Entry &child = entries[*it];
            QTreeWidgetItem *childItem =
                insertSorted(item, QStringLiteral("%1 %2").arg(child.number).arg(child.name));
            childItem->setData(0, NumberRole, child.number);
            if (child.number == m_selected)
                m_tree->setCurrentItem(childItem);
            pending.append({*it, childItem});
        }
    }
    m_rootItem->setExpanded(true);
    if (QTreeWidgetItem *current = m_tree->currentItem())
        m_tree->scrollToItem(current);
}

bool CSelectCOSDlg::OnCommand(int id)
{
    if (id == IDC_NO_COS) {
        chooseNoCos();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CSelectCOSDlg::selectionChanged()
{
    QTreeWidgetItem *item = m_tree->currentItem();
    if (m_filling || !item || item == m_rootItem)
        return;
    m_selected = item->data(0, NumberRole).toInt();
    m_noCos->setChecked(false);
}

void CSelectCOSDlg::chooseNoCos()
{
    // "No COS" is a choice, not a switch: it stays checked until a class of
    // service is chosen in the tree.
    m_noCos->setChecked(true);
    m_tree->setCurrentItem(nullptr);
    m_tree->clearSelection();
    m_selected = m_root;
}
