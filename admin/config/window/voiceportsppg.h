// The "Voice Ports" page: one grid row per voice port of the server, where
// the administrator types each port's extension and picks its answer method;
// the notification and statistical port groups that hold the port are shown
// read-only. It edits the depot's voice-port lines, each a Tcl list
// {extension answer-method further...}, and keeps its answer-method column
// in step with the Answer Methods page, which tells it the names and asks
// before it removes or renames one.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/controls/voiceportgrid.h"
#include "admin/config/records/voiceportlist.h"

#include <QStringList>

class CSpreadSheetEx;

class CVoicePortsPpg : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1221, IDC_PORT_GRID = 1399 };
    using enum CVoicePortGrid::Column;
    enum GroupColumn { ColNotifyGroups = ColAnswerMethod + 1, ColStatGroups };

    using PortRecord = VoicePortRecord;

    CVoicePortsPpg();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // Rebuilds every row from the records; the port group pages call it
    // after changing a group.
    void RefreshGrid();
    // The Answer Methods page's names, tab-separated.
    void SetAnswerMethodList(const QString &names);
    bool IsAnswerMethodUsed(const QString &name) const;
    void RenameAnswerMethod(const QString &oldName, const QString &newName);
    void ClearAnswerMethod(const QString &name);

    // A voice-port line text from its parts, and back: a Tcl list whose
    // elements are quoted as needed ("{}" for an empty one).
    static QString FormatLine(const PortRecord &record) { return CVoicePortList::FormatLine(record); }
    static PortRecord ParseLine(const QString &line) { return CVoicePortList::ParseLine(line); }

    int PortCount() const { return m_ports.Count(); }
    const PortRecord &Port(int port) const { return m_ports.Record(port); }
    CSpreadSheetEx *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    // The last column takes the width the others leave.
    void resizeEvent(QResizeEvent *event) override;

private:
    void onCellChanged(int col, int row);
    void onCellClicked(int col, int row);
    void onLeaveCell(int col, int row, int newCol, int newRow, bool *cancel);
    // The groups of a port page that holds `port`, joined by ", ".
    QString groupsOfPort(int commandId, const QString &depotText, int port) const;

    CSpreadSheetEx *m_grid;
    // The first three columns, the methods' names and a refused extension.
    CVoicePortGrid m_columns;
    CVoicePortList m_ports;
    int m_currentRow = 0;
};
