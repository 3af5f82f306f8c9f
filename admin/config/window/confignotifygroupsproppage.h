// The Notification Port Groups page: the server variable `jobq`, the groups
// of voice ports over which notification calls go out, each with a limit in
// percent. The group "Q1" is the manufacturer's: its row is locked and it
// cannot be removed; a group without ID is not saved.
#pragma once

#include "admin/config/window/configportgroupspage.h"

class CConfigNotifyGroupsPropPage : public CConfigPortGroupsPage {
    Q_OBJECT
public:
    enum { IDD = 1210 };
    CConfigNotifyGroupsPropPage();

protected:
    QString &DepotText() override;
    QString RefuseId(const QString &id, int row) const override;
    bool IsReservedGroup(const PortGroupRecord &group) const override;
    QString RemoveQuestion(const QString &id) const override;
    int RowAfterRemoval(int row) const override;
    bool AskNewId(QString &id) override;
    int NewGroupColumn() const override { return PortsColumn; }
    bool RefuseLeaving(int col, int row) override;
};
