// The IVR Hosts page of the configuration window: the host computers the
// server's IVR applications reach through a terminal session, edited in a
// grid of four columns (host name, session file, user id, password), with
// Add and Remove. It reads and writes the depot's `ivr_hostte_emulator`.
#pragma once

#include "admin/config/records/ivrhostlist.h"
#include "admin/config/window/configproppage.h"

class CConfigListGrid;
class CSpreadSheetEx;

class CConfigIvrHostsPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum { IDD = 1197, IDC_GRID = 1400, IDC_ADD = 1437, IDC_REMOVE = 1438 };
    enum Column { HostColumn = 1, SessionColumn, UserColumn, PasswordColumn };

    CConfigIvrHostsPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;
    // Hosts without a session file, which are not written.
    QStringList UnstoredChanges() const override;

    const CIvrHostList &Hosts() const { return m_hosts; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshGrid();
    void fitColumns();
    void onCellChanged(int col, int row);
    void addHost();
    void removeHost();

    CSpreadSheetEx *m_grid;
    // The Add and Remove buttons, the selected row and the refusals.
    CConfigListGrid *m_list;
    bool m_initialised = false;
    CIvrHostList m_hosts;
};
