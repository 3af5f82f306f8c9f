// The Answer Methods page of the configuration window: how calls are
// answered (which greeting user agent plays, after how many rings, for which
// integration group), one grid row a method, with Add and Remove. It edits
// the depot's `answer_method_list`, keeps the Voice Ports page's list of
// method names in step (renaming a method renames it on the ports, a method
// a port uses cannot be removed), and creates a greeting user agent that
// does not exist yet on the server when the administrator agrees.
#pragma once

#include "admin/config/controls/answermethodgrid.h"
#include "admin/config/records/answermethodlist.h"
#include "admin/config/window/configproppage.h"

#include <QStringList>

class CConfigListGrid;
class CSpreadSheetEx;
class CVoicePortsPpg;

class CConfigAnswerMethodsPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1223, IDC_GRID = 1396, IDC_REMOVE = 1435, IDC_ADD = 1436 };
    using enum CAnswerMethodGrid::Column;

    CConfigAnswerMethodsPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;
    bool HoldsUnfinishedNameEdit() const override;
    void FinishNameEdit() override;
    bool OnKillActive() override;

    const CAnswerMethodList &Methods() const { return m_methods; }
    // The method names, tab-separated.
    QString NamesText() const { return m_methods.NamesText(); }

public slots:
    // The integration groups a method may name, tab-separated; the
    // Telephone System Integration page tells them as they change.
    void SetIntegrationGroupNames(const QString &names);
    // Methods of group `oldName` follow its new name (none: the group was
    // deleted).
    void RenameIntegrationGroup(const QString &oldName, const QString &newName);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    CVoicePortsPpg *voicePorts() const;
    void refreshGrid();
    void publishNames();

    void onCellChanged(int col, int row);
    void nameChanged(int row, const QString &typed);
    void greetingChanged(int row, const QString &typed);
    // True when the greeting user agent exists, or was created now.
    bool ensureGreetingUserAgent(quint32 number);
    void addMethod();
    void removeMethod();

    CSpreadSheetEx *m_grid;
    // The Add and Remove buttons, the current row and the refusals.
    CConfigListGrid *m_list;
    // The columns and their choice lists.
    CAnswerMethodGrid m_columns;
    CAnswerMethodList m_methods;
    // A method renamed on the Voice Ports page since the last store: that
    // page must store its lines too, even if it was never shown.
    bool m_renamedOnPorts = false;
    // A group renamed or deleted on the integration page since the last
    // store: the methods that named it are stored even if this page was
    // never shown.
    bool m_groupsFollowed = false;
};
