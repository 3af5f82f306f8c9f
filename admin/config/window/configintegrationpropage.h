// The Telephone System Integration page: the server's integration groups,
// each a named set of 33 server variables that tell the server how to
// recognise and place calls on one telephone system. The page keeps one
// IntegrationGroupRecord a group (slot 0 a blank record), applies, saves and
// deletes switch types (switchtypefile.h), and works with the Serial Ports
// page, which owns the serial ports that SMDI integration uses. The Answer
// Methods page follows the group names through GroupNamesChanged and
// GroupNameReplaced.
#pragma once

#include "admin/config/window/configproppage.h"
#include "admin/config/records/integrationgrouprecord.h"

#include <QList>
#include <QStringList>

class CConfigSerialPortsPropPage;
class CSpreadSheetEx;
class QLabel;
class QPushButton;

class CConfigIntegrationPropPage : public CConfigPropPage {
    Q_OBJECT
public:
    enum {
        IDD = 1213,
        IDC_GROUPS_GRID = 1500,
        IDC_PATTERNS_GRID = 1501,
        IDC_SERIAL_GRID = 1502,
        IDC_DIALCODES_GRID = 1503,
        IDC_TRANSFER_GRID = 1504,
        IDC_T1_GRID = 1505,
        IDC_ADD_GROUP = 1506,
        IDC_DELETE_GROUP = 1507,
        IDC_PATTERN_UP = 1508,
        IDC_PATTERN_DOWN = 1509,
    };
    enum GroupRow { NameRow = 1, SwitchTypeRow, IntegrationTypeRow, LineProtocolRow };
    enum SerialRow { SerialPortRow = 1, MaxExtensionRow };

    CConfigIntegrationPropPage();

    void LoadFromDepot() override;
    void SaveToDepot() override;

    // Switch types (the files of switchtypefile.h).
    void FillSwitchTypeCombo();
    void LoadSwitchType(const QString &name, bool keepLineSettings);
    void SaveOrDeleteSwitchType(IntegrationGroupRecord &record);

    // For the Serial Ports page; groups are 1 to GroupCount().
    int FindGroupByName(const QString &name) const;
    bool AssignSmdiPort(int group, const QString &port, int &baud, int &bits, int &parity, int &stop);
    void SetGroupSerialSettings(int group, int baud, int bits, int parity, int stop);
    void ReleaseSmdiPort(int group);
    // The free serial ports offered in the Serial Port cell.
    void SetAvailablePorts(const QStringList &ports);

    int GroupCount() const { return int(m_records.size()) - 1; }
    int CurrentGroup() const { return m_current; }
    const IntegrationGroupRecord &Group(int index) const { return m_records.at(index); }
    QString SwitchTypeList() const { return m_switchTypeList; }
    CSpreadSheetEx *GroupsGrid() const { return m_groupsGrid; }
    CSpreadSheetEx *PatternsGrid() const { return m_patternsGrid; }
    CSpreadSheetEx *SerialGrid() const { return m_serialGrid; }
    CSpreadSheetEx *DialCodesGrid() const { return m_dialCodesGrid; }

signals:
    // The names of all groups, tab-separated.
    void GroupNamesChanged(const QString &names);
    // A group was renamed, or deleted (new name empty).
    void GroupNameReplaced(const QString &oldName, const QString &newName);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    IntegrationGroupRecord &current() { return m_records[m_current]; }
    std::array<QString, IntegrationGroupRecord::PatternCount> &currentPatterns();
    CConfigSerialPortsPropPage *serialPage() const;
    void setCell(CSpreadSheetEx *grid, int col, int row, const QString &text);
    QString cell(CSpreadSheetEx *grid, int col, int row) const;
    void setupGrids();
    void displayCurrent();
    void showPatterns(bool locked);
    void showDialCodes(bool locked);
    // Rows 24 and 25 (IP address, SNMP community) with labels and values, or
    // empty and locked.
    void labelAddressRows(bool shown);
    void rebuildLists();
    void releaseGroupPort(int group);
    void returnTo(CSpreadSheetEx *grid, int col, int row);

    void groupsChanged(int col, int row);
    void groupNameChanged();
    void switchTypeChanged();
    void integrationTypeChanged();
    void lineProtocolChanged();
    void rereadSwitchTypeKeepingLineSettings();
    bool followsFirstGroupsType() const;
    // Reads a switch-type file into `record`; false, with the reason shown,
    // when the file is refused.
    bool readSwitchType(const QString &name, IntegrationGroupRecord &record, bool keepLineSettings);
    void patternsChanged(int col, int row);
    void serialChanged(int col, int row);
    void dialCodeChanged(int col, int row);
    void addGroup();
    void deleteGroup();
    void movePattern(int step);
    bool refuseGroupName(const QString &name);

    QList<IntegrationGroupRecord> m_records;
    int m_current = 0;
    QString m_switchTypeList;
    QString m_t1List;
    QStringList m_availablePorts;
    int m_patternRow = 0;
    bool m_initialised = false;

    CSpreadSheetEx *m_groupsGrid = nullptr;
    CSpreadSheetEx *m_patternsGrid = nullptr;
    CSpreadSheetEx *m_serialGrid = nullptr;
    CSpreadSheetEx *m_dialCodesGrid = nullptr;
    CSpreadSheetEx *m_transferGrid = nullptr;
    CSpreadSheetEx *m_t1Grid = nullptr;
    QPushButton *m_deleteGroup = nullptr;
};
