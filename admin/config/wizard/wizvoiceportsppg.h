// The wizard's voice-port step: each voice port's extension and answer
// method, without the port-group columns of the configuration window's
// Voice Ports page. The voice-port lines and the grid's first three
// columns are those of that page, so both keep the same format.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/controls/voiceportgrid.h"
#include "admin/config/records/voiceportlist.h"

class CSpreadSheetEx;

class CWizVoicePortsPpg : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1601, IDC_PORT_GRID = 1645 };
    using enum CVoicePortGrid::Column;

    CWizVoicePortsPpg();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // The answer-method step's names, tab-separated.
    void SetAnswerMethodList(const QString &names);
    // Every port of method `oldName` takes `newName`.
    void RenameAnswerMethod(const QString &oldName, const QString &newName);

    int PortCount() const { return m_ports.Count(); }
    const VoicePortRecord &Port(int port) const { return m_ports.Record(port); }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    // The last column takes the width the others leave.
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshGrid();
    void onCellChanged(int col, int row);
    void onLeaveCell(int col, int row, int newCol, int newRow, bool *cancel);

    CSpreadSheetEx *m_grid;
    // The three columns, the methods' names and a refused extension.
    CVoicePortGrid m_columns;
    CVoicePortList m_ports;
};
