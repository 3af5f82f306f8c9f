// The wizard's voice-port step: each voice port's extension and answer
// method, without the port-group columns of the configuration window's
// Voice Ports page. The voice-port lines are read and written with that
// page's line code, so both keep the same format.
#pragma once

#include "admin/config/configproppage.h"
#include "admin/config/voiceportsppg.h"

#include <QList>
#include <QStringList>

class CSpreadSheetEx;

class CWizVoicePortsPpg : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1601, IDC_PORT_GRID = 1645 };
    enum Column { ColPort = 1, ColExtension = 2, ColAnswerMethod = 3 };

    CWizVoicePortsPpg();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // The answer-method step's names, tab-separated.
    void SetAnswerMethodList(const QString &names);
    // Every port of method `oldName` takes `newName`.
    void RenameAnswerMethod(const QString &oldName, const QString &newName);

    int PortCount() const { return m_portCount; }
    const CVoicePortsPpg::PortRecord &Port(int port) const { return m_ports[port]; }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    // The last column takes the width the others leave.
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshGrid();
    void fitColumns();
    void onCellChanged(int col, int row);
    void onLeaveCell(int col, int row, int newCol, int newRow, bool *cancel);
    void writeCell(int col, int row, const QString &text);

    CSpreadSheetEx *m_grid;
    // Element 0 unused: ports are 1 to m_portCount.
    QList<CVoicePortsPpg::PortRecord> m_ports;
    int m_portCount = 0;
    bool m_gridReady = false;
    bool m_invalidExtension = false;
    QStringList m_answerMethodNames;
};
