// The Statistical Port Groups page: the server variable
// `statistical_groups`, the groups of voice ports by which port statistics
// are gathered. The ID "0" stands for all ports and cannot be given; a new
// group takes the lowest free number as its ID.
#pragma once

#include "admin/config/window/configportgroupspage.h"

class CConfigStatGroupsPropPage : public CConfigPortGroupsPage {
    Q_OBJECT
public:
    enum { IDD = 1211 };
    CConfigStatGroupsPropPage();

protected:
    QString &DepotText() override;
    QString RefuseId(const QString &id, int row) const override;
    bool IsReservedGroup(const PortGroupRecord &) const override { return false; }
    QString RemoveQuestion(const QString &id) const override;
    int RowAfterRemoval(int row) const override;
    bool AskNewId(QString &id) override;
    int NewGroupColumn() const override { return IdColumn; }
};
