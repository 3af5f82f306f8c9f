// The wizard's answer-method step: the configuration window's Answer
// Methods page without its dialogs. Add appends an empty method to be named
// in the grid, and a greeting user agent that does not exist yet is only
// reported, to be created after the configuration is written. The list is
// read and written, and its grid filled, with that page's code.
#pragma once

#include "admin/config/controls/answermethodgrid.h"
#include "admin/config/records/answermethodlist.h"
#include "admin/config/window/configproppage.h"

class CSpreadSheetEx;
class CWizVoicePortsPpg;

class CWizAnswerMethodsPpg : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1600, IDC_GRID = 1639, IDC_ADD = 1638 };
    using enum CAnswerMethodGrid::Column;

    CWizAnswerMethodsPpg();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // The telephone-system page's group names, tab-separated.
    void SetIntegrationGroupNames(const QString &names);

    const CAnswerMethodList &Methods() const { return m_methods; }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnCommand(int id) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    CWizVoicePortsPpg *voicePorts() const;
    void refreshGrid();
    void publishNames();
    void addMethod();
    void onCellChanged(int col, int row);
    void onLeaveCell(int col, int row, int newCol, int newRow, bool *cancel);
    void nameChanged(int row, const QString &typed);
    void greetingChanged(int row, const QString &typed);
    void refuse(int col, int row, const QString &message, const QString &previous);

    CSpreadSheetEx *m_grid;
    // The columns and their choice lists.
    CAnswerMethodGrid m_columns;
    CAnswerMethodList m_methods;
    bool m_invalidEntry = false;
};
