// What the four agent list windows (direct-send fax, direct-send voice, IVR,
// VPIM) share: a modeless window listing every user agent of one kind, from
// which one is modified (through the kind's edit dialog) or deleted. Each
// window holds a session of its own, made on the application's session when
// it opens and ended when it closes, however it closes; the window deletes
// itself once it is gone and `closed` tells the main frame its slot is free.
#pragma once

#include "admin/session/ownsession.h"
#include "platform/mfc/dialog.h"

#include <QList>
#include <QString>

#include <vector>

class CServerCommandChannel;
class CUserAgent;
class CZELTSession;
class QTreeWidget;
class QTreeWidgetItem;

class CUserAgentListDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDC_LIST = 1538, IDC_MODIFY = 1515, IDC_DELETE = 1296, IDC_CLOSE = 1530 };

    CZELTSession *Session() const { return m_session.Get(); }
    QTreeWidget *List() const { return m_list; }
    // The agent of the selected row; -1 when none is selected.
    qint32 SelectedNumber() const;
    // Lists the agents again, as the server has them now.
    void Refill();
    // Rows are still being added (a long list is added a slice at a time,
    // so the window keeps answering).
    bool IsFilling() const { return m_filling; }
    // The last fill was refused by the server or lost the link; the list
    // then shows nothing of what the server holds.
    bool FillFailed() const { return m_fillFailed; }

signals:
    void filled();

    void closed();

protected:
    struct Column {
        QString title;
        int width;
    };

    // `typeText` is the kind's text (the "COS" value of its root); agents
    // whose number is in `roots` are the kind's roots and left out.
    CUserAgentListDlg(int dialogId, const QString &caption, CZELTSession &applicationSession,
                      const CLoginCredentials &login, const QString &typeText, QList<qint32> roots,
                      QWidget *parent);

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

    // The list's columns; column 0 holds the number, column 1 the comment.
    virtual QList<Column> Columns() const = 0;
    // Whether rows are put in ascending order of number; otherwise they stay
    // in the server's order.
    virtual bool SortsByNumber() const { return true; }
    // Fills the columns after the comment for a newly listed or edited agent;
    // `firstOfFill` marks the first row of a fill.
    virtual void FillExtraColumns(QTreeWidgetItem *, qint32 /*number*/, bool /*firstOfFill*/) {}
    // Runs the kind's edit dialog on `number`; true when it sent changes.
    virtual bool RunEditDialog(qint32 number, QTreeWidgetItem *row) = 0;
    // Called once the server has deleted `number`, before its row goes.
    virtual void AgentDeleted(qint32 /*number*/) {}
    // Called when the window closes itself, while the session still exists.
    virtual void Closing() {}
    // Whether a row that loses its selection leaves Modify and Delete as
    // they were; Delete then says that there is nothing to delete.
    virtual bool KeepsButtonsWhenDeselected() const { return false; }

    CServerCommandChannel *Channel() const;
    // Sends `command` and waits for its reply; a lost link becomes an
    // error reply with its reason.
    QString Run(const QString &command) const;
    const QString &TypeText() const { return m_typeText; }

private:
    struct Row {
        qint32 number;
        QString comment;
    };
    void fill();
    // One slice of the fill; schedules the next unless the fill is done.
    void fillSlice(quint64 generation);
    void addRow(const Row &row);
    void updateButtons();
    void modifySelected();
    void deleteSelected();
    void closeWindow();

    COwnSession m_session;
    const QString m_typeText;
    const QList<qint32> m_roots;
    QTreeWidget *m_list;
    // The fill under way: the reply's elements, the rows read from them,
    // how far it has gone; a new fill's generation ends an older one.
    QStringList m_elements;
    std::vector<Row> m_rows;
    qsizetype m_next = 0;
    bool m_filling = false;
    bool m_fillFailed = false;
    quint64 m_generation = 0;
};
