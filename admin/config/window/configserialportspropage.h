// The Serial Ports page: every serial port the server reports, each
// available, the SMDI link of an integration group or a named resource,
// with its serial settings and, for a resource, a target phone number. SMDI
// links live in the groups' `pbx_smdi_port` and are shared with the
// Telephone System Integration page, which this page asks to take or release
// a port; resources are saved in the server variable `serialports`.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/records/serialportlist.h"

#include <QStringList>

class CConfigIntegrationPropPage;
class CSpreadSheetEx;
class QLabel;
class QLineEdit;

class CConfigSerialPortsPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum {
        IDD = 1212,
        IDC_SERIAL_PORTS_GRID = 1480,
        IDC_SERIAL_SETTINGS_GRID = 1481,
        IDC_SERIAL_PHONE = 1482,
    };
    enum PortColumn { NameColumn = 1, AssignmentColumn = 2, GroupColumn = 3 };
    enum SettingsRow { BaudRow = 1, DataBitsRow, ParityRow, StopBitsRow };

    CConfigSerialPortsPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;
    // Settings and phone numbers changed on ports that keep none.
    QStringList UnstoredChanges() const override;

    // For the integration page: the port records, changed in place.
    CSerialPortList &Ports() { return m_ports; }
    // Shows the records again and hands the available ports on.
    void RefreshPortsGrid();
    QStringList AvailablePorts() const { return m_ports.AvailablePorts(); }
    // Puts the group's new name into the record of an SMDI port of the old one.
    void RenameSmdiGroup(const QString &port, const QString &oldName, const QString &newName);
    // Makes the port available (no group).
    void ReleasePort(const QString &port);
    // Makes the port an SMDI port of the group, with the group's settings.
    void TakePortForGroup(const QString &port, const QString &group, int baud, int bits, int parity,
                          int stop);
    // The groups that may take an SMDI port, offered in SMDI rows.
    void SetSmdiEligibleGroups(const QStringList &groups);

    CSpreadSheetEx *PortsGrid() const { return m_portsGrid; }
    CSpreadSheetEx *SettingsGrid() const { return m_settingsGrid; }
    QLineEdit *PhoneEdit() const { return m_phone; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;

private:
    CConfigIntegrationPropPage *integrationPage() const;
    void fillPortsGrid();
    void showCurrentPort();
    void choosePort(int row);
    void assignmentChanged(int row);
    void groupNameChanged(int row);
    void settingChanged(int row);
    bool confirmReassign(const SerialPortRecord &port);
    void releaseFromGroup(const SerialPortRecord &port);
    void setExamplesEnabled(bool enabled);
    QString gridText(CSpreadSheetEx *grid, int col, int row) const;
    void setGridText(CSpreadSheetEx *grid, int col, int row, const QString &text);

    CSerialPortList m_ports;
    // The ports as loaded, to tell which were changed.
    CSerialPortList m_loadedPorts;
    CSpreadSheetEx *m_portsGrid = nullptr;
    CSpreadSheetEx *m_settingsGrid = nullptr;
    QLineEdit *m_phone = nullptr;
    QList<QLabel *> m_examples;
    QStringList m_eligibleGroups;
    int m_currentRow = 0;
    bool m_initialised = false;
    bool m_showing = false;
};
