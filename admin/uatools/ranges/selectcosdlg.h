// Choosing a class of service: the classes of one kind of user agent shown
// as a tree under their manufacturer root, and "No COS" for none. The
// Create dialog and the mailbox editor's options page open it; the caller
// sets the current choice before DoModal and reads the result after IDOK,
// the root number standing for "No COS".
//
// The tree is read once, when the dialog opens: the root's "COS" value,
// then every class of service holding that value with its name. A server
// refusal leaves the tree empty and the choice as it came in.
#pragma once

#include "platform/mfc/dialog.h"

#include <QtGlobal>

class CServerCommandChannel;
class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CSelectCOSDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 169, IDC_NO_COS = 1011, IDC_COS_TREE = 1350, IDC_ENTRY_COUNT = 1353 };

    // `channel` outlives the dialog; `root` is the manufacturer root of the
    // kind (0x7fffffff for mailboxes).
    CSelectCOSDlg(CServerCommandChannel &channel, qint32 root, QWidget *parent = nullptr);

    void SetSelectedNumber(qint32 number) { m_selected = number; }
    qint32 GetSelectedNumber() const { return m_selected; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    struct Entry;
    // Fills the tree; false when the server refused a step (said already).
    bool fillTree();
    void insertEntries(const QList<Entry> &entries);
    void selectionChanged();
    void chooseNoCos();

    CServerCommandChannel &m_channel;
    const qint32 m_root;
    qint32 m_selected;
    QTreeWidget *m_tree;
    QLabel *m_count;
    QCheckBox *m_noCos;
    QTreeWidgetItem *m_rootItem = nullptr;
    bool m_filling = false;
};
