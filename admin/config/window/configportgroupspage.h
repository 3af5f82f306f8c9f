// The design the two port group pages share: one grid with a row a group
// (its ID, its voice ports as a list of runs, and on the notification page
// its limit), "Add" and "Remove". Typed IDs, port lists and limits are
// checked when the cell changes; a refused value is put back and the cursor
// returns to the cell. After a change of IDs or ports the Voice Ports page
// shows the groups of each port again. The grid shows the ports and limits
// the server holds, also those the pages would refuse; they go back as they
// were until the administrator edits their group.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/records/portgrouplist.h"

class CSpreadSheetEx;
class QPushButton;

class CConfigPortGroupsPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDC_GROUPS_GRID = 1470, IDC_GROUPS_ADD = 1471, IDC_GROUPS_REMOVE = 1472 };
    enum Column { IdColumn = 1, PortsColumn = 2, LimitColumn = 3 };

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // The IDs of the groups that hold the voice port, joined by ", ".
    QString GetGroupsOfPort(int port) const;
    QStringList GroupsOfPort(int port) const override;

    const CPortGroupList &Groups() const { return m_groups; }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    CConfigPortGroupsPage(int dialogId, const QString &caption, int commandId, CPortGroupList::Kind kind);

    bool OnInitDialog() override;
    bool OnCommand(int id) override;

    // The depot's text of this page's variable.
    virtual QString &DepotText() = 0;
    // Why a typed ID is refused for the group of `row`; empty when accepted.
    virtual QString RefuseId(const QString &id, int row) const = 0;
    // A row that cannot be edited or removed.
    virtual bool IsReservedGroup(const PortGroupRecord &group) const = 0;
    virtual QString RemoveQuestion(const QString &id) const = 0;
    // The current row after the group of `row` was removed.
    virtual int RowAfterRemoval(int row) const = 0;
    // The ID of a new group; false when the administrator gave none.
    virtual bool AskNewId(QString &id) = 0;
    // Where the cursor goes in a new group's row.
    virtual int NewGroupColumn() const = 0;
    // Refuses to leave a cell (the notification page's empty IDs).
    virtual bool RefuseLeaving(int /*col*/, int /*row*/) { return false; }

    int VoicePortCount() const;
    bool HasLimit() const { return m_groups.GetKind() == CPortGroupList::Notification; }
    CPortGroupList m_groups;

private:
    void fillGrid();
    void updateChoices();
    void updateRemoveButton();
    void cellChanged(int col, int row);
    // True when the typed value was taken.
    bool idChanged(int row);
    bool portsChanged(int row);
    bool limitChanged(int row);
    void holdToLimits(int row);
    void leavingCell(int col, int row, int newCol, int newRow, bool *cancel);
    void setCellText(int col, int row, const QString &text);
    void putBack(int col, int row, const QString &text);
    void removeGroup();
    void addGroup();
    void moveCursor(int col, int row);
    void groupsChanged();
    QString cellText(int col, int row) const;

    CSpreadSheetEx *m_grid = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    bool m_initialised = false;
    int m_currentRow = 0;
    bool m_returnToCell = false;
};
