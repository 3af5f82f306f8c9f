// See configserialportspropage.h.
#include "admin/config/window/configserialportspropage.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

const QStringList kAssignments{"Available", "SMDI Port", "Resource"};
const char *const kExamples[] = {"Phone Number Examples:",
                                 "Internal:",
                                 "1234",
                                 "Local: 9 = Get Outside Line",
                                 "9555-1234 or 9555.1234 or 95551234",
                                 "Use Telephony Settings:",
                                 "+Country code (Area code) Local",
                                 "+1 (949) 555-1234",
                                 "Dial As Shown:",
                                 "+1 (949) 555.1234",
                                 "+1 (949) 5551234"};

bool settingsDiffer(const SerialPortRecord &a, const SerialPortRecord &b)
{
    return a.baudIndex != b.baudIndex || a.dataBitsIndex != b.dataBitsIndex ||
           a.parityIndex != b.parityIndex || a.stopBitsIndex != b.stopBitsIndex;
}

// What of the port's changes stays unwritten, and why: a resource keeps its
// settings and phone number, the SMDI port of a group its settings (in the
// group), nothing else keeps either.
QString unstoredChange(const SerialPortRecord &port, const SerialPortRecord &loaded)
{
    const bool settings = settingsDiffer(port, loaded);
    const bool phone = port.phoneNumber != loaded.phoneNumber;
    if (port.assignment == SerialPortRecord::Available && (settings || phone))
        return QStringLiteral("Serial Port '%1': the settings you changed, because an Available port keeps "
                              "none. Assign it as an SMDI Port or a Resource to keep them.")
            .arg(port.name);
    if (port.assignment == SerialPortRecord::SmdiPort && port.groupName.isEmpty() && (settings || phone))
        return QStringLiteral("Serial Port '%1': the settings you changed, because an SMDI Port keeps them "
                              "only with its Telephone System. Choose its Telephone System to keep them.")
            .arg(port.name);
    if (port.assignment == SerialPortRecord::SmdiPort && phone)
        return QStringLiteral("Serial Port '%1': the Target Phone Number, because only a Resource keeps one.")
            .arg(port.name);
    return QString();
}

} // namespace

CConfigSerialPortsPropPage::CConfigSerialPortsPropPage()
    : CConfigPropPage(IDD, QStringLiteral("Serial Ports"), CConfigPropSheet::ID_CONFIG_SERIAL_PORTS)
{
    m_portsGrid = SetDlgCtrlID(new CSpreadSheetEx(3, this), IDC_SERIAL_PORTS_GRID);
    m_portsGrid->setMinimumSize(420, 260);
    auto *frame = new QGroupBox(QStringLiteral("Serial Port Default Settings"), this);
    m_settingsGrid = SetDlgCtrlID(new CSpreadSheetEx(2, frame), IDC_SERIAL_SETTINGS_GRID);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_settingsGrid);

    m_phone = SetDlgCtrlID(new QLineEdit(this), IDC_SERIAL_PHONE);
    m_phone->setMaxLength(SerialPortRecord::MaxPhoneNumberLength);
    auto *phoneRow = new QFormLayout;
    phoneRow->addRow(QStringLiteral("Target Phone Number :"), m_phone);
    auto *examples = new QGridLayout;
    int line = 0;
    for (const char *text : kExamples) {
        auto *label = new QLabel(QString::fromUtf8(text), this);
        m_examples << label;
        examples->addWidget(label, line++, 0);
    }
    auto *right = new QVBoxLayout;
    right->addWidget(frame);
    right->addLayout(phoneRow);
    right->addLayout(examples);
    right->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_portsGrid, 3);
    layout->addLayout(right, 2);
    setExamplesEnabled(false);

    connect(m_portsGrid, &CSpreadSheet::Change, this, [this](int col, int row) {
        if (col == AssignmentColumn)
            assignmentChanged(row);
        else if (col == GroupColumn)
            groupNameChanged(row);
    });
    connect(m_portsGrid, &CSpreadSheet::Click, this, [this](int, int row) { choosePort(row); });
    connect(m_portsGrid, &CSpreadSheet::LeaveCell, this,
            [this](int, int, int, int newRow, bool *) { choosePort(newRow); });
    connect(m_settingsGrid, &CSpreadSheet::Change, this, [this](int col, int row) {
        if (col == 2)
            settingChanged(row);
    });
}

CConfigIntegrationPropPage *CConfigSerialPortsPropPage::integrationPage() const
{
    return FindPeer<CConfigIntegrationPropPage>();
}

void CConfigSerialPortsPropPage::LoadFromDepot()
{
    QList<SmdiGroupLink> links;
    for (const ConfigGroupRecord &group : Depot()->m_groups)
        links << SmdiGroupLink{group[0], group[2], group[8]};
    QStringList conflicts;
    m_ports.Load(Depot()->m_serialPortNames, links, Depot()->m_serialPortAssignment, conflicts);
    m_loadedPorts = m_ports;
    for (const QString &conflict : std::as_const(conflicts))
        AfxMessageBox(conflict, MB_OK | MB_ICONEXCLAMATION);
    m_currentRow = m_ports.Count() > 0 ? 1 : 0;
    SetModified(false);
    if (m_initialised)
        fillPortsGrid();
    if (auto *integration = integrationPage())
        integration->SetAvailablePorts(m_ports.AvailablePorts());
}

void CConfigSerialPortsPropPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    Depot()->m_serialPortAssignment = m_ports.SaveResources();
    SetModified(false);
}

QStringList CConfigSerialPortsPropPage::UnstoredChanges() const
{
    QStringList notes;
    if (!m_initialised)
        return notes;
    for (int i = 0; i < m_ports.Count(); ++i) {
        const SerialPortRecord &port = m_ports.At(i);
        const int loaded = m_loadedPorts.IndexOf(port.name);
        const QString note = unstoredChange(port, loaded < 0 ? SerialPortRecord{} : m_loadedPorts.At(loaded));
        if (!note.isEmpty())
            notes << note;
    }
    return notes;
}

bool CConfigSerialPortsPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    const QStringList headings{"Port Name", "Assigned As", "Telephone System\nor Resource Name"};
    m_portsGrid->SetRow(0);
    for (int col = 1; col <= 3; ++col) {
        m_portsGrid->SetCol(col);
        m_portsGrid->SetText(headings.at(col - 1));
    }
    m_portsGrid->horizontalHeader()->setMinimumHeight(2 *
                                                      m_portsGrid->horizontalHeader()->sizeHint().height());
    m_portsGrid->SetColWidth(NameColumn, 12);
    m_portsGrid->SetColWidth(AssignmentColumn, 14);
    m_portsGrid->SetColWidth(GroupColumn, 22);
    m_portsGrid->horizontalHeader()->setStretchLastSection(true);

    using namespace SerialSettings;
    const QStringList labels{"Baud Rate ", "Data Bits ", "Parity ", "Stop Bits "};
    const QStringList lists[] = {BaudRates(), DataBits(), ParityLabels(), StopBitLabels()};
    m_settingsGrid->SetMaxRows(4);
    m_settingsGrid->horizontalHeader()->hide();
    m_settingsGrid->verticalHeader()->hide();
    m_settingsGrid->horizontalHeader()->setStretchLastSection(true);
    for (int row = BaudRow; row <= StopBitsRow; ++row) {
        m_settingsGrid->SetRow(row);
        m_settingsGrid->SetCol(1);
        m_settingsGrid->SetText(labels.at(row - 1));
        m_settingsGrid->SetLock(true);
        m_settingsGrid->SetCol(2);
        m_settingsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_settingsGrid->SetTypeComboBoxList(lists[row - 1].join(QLatin1Char('\t')));
    }
    m_settingsGrid->SetColWidth(1, 12);
    m_settingsGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_settingsGrid->setFixedHeight(m_settingsGrid->verticalHeader()->length() +
                                   2 * m_settingsGrid->frameWidth());
    m_initialised = true;
    if (m_ports.Count() == 0) {
        m_portsGrid->SetMaxRows(0);
        m_portsGrid->setEnabled(false);
        m_settingsGrid->setEnabled(false);
        m_phone->setEnabled(false);
    } else {
        fillPortsGrid();
    }
    return true;
}

QString CConfigSerialPortsPropPage::gridText(CSpreadSheetEx *grid, int col, int row) const
{
    grid->SetCol(col);
    grid->SetRow(row);
    return grid->GetText();
}

void CConfigSerialPortsPropPage::setGridText(CSpreadSheetEx *grid, int col, int row, const QString &text)
{
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetText(text);
}

void CConfigSerialPortsPropPage::fillPortsGrid()
{
    const QString resources = m_ports.ResourceNames().join(QLatin1Char('\t'));
    const QString groups = m_eligibleGroups.join(QLatin1Char('\t'));
    m_portsGrid->SetMaxRows(m_ports.Count());
    for (int row = 1; row <= m_ports.Count(); ++row) {
        const SerialPortRecord &port = m_ports.At(row - 1);
        setGridText(m_portsGrid, NameColumn, row, port.name);
        m_portsGrid->SetLock(true);
        m_portsGrid->SetCol(AssignmentColumn);
        m_portsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_portsGrid->SetTypeComboBoxList(kAssignments.join(QLatin1Char('\t')));
        m_portsGrid->SetText(kAssignments.value(port.assignment));
        m_portsGrid->SetCol(GroupColumn);
        m_portsGrid->SetCellType(CSpreadSheet::CellTypeEditComboBox);
        m_portsGrid->SetTypeComboBoxList(port.assignment == SerialPortRecord::Resource ? resources : groups);
        m_portsGrid->SetText(port.groupName);
        m_portsGrid->SetLock(port.assignment == SerialPortRecord::Available);
    }
    showCurrentPort();
}

void CConfigSerialPortsPropPage::RefreshPortsGrid()
{
    if (m_initialised && m_ports.Count() > 0)
        fillPortsGrid();
    if (auto *integration = integrationPage())
        integration->SetAvailablePorts(m_ports.AvailablePorts());
}

void CConfigSerialPortsPropPage::showCurrentPort()
{
    if (m_currentRow < 1 || m_currentRow > m_ports.Count())
        return;
    const QScopedValueRollback guard(m_showing, true);
    const SerialPortRecord &port = m_ports.At(m_currentRow - 1);
    const int indexes[] = {port.baudIndex, port.dataBitsIndex, port.parityIndex, port.stopBitsIndex};
    for (int row = BaudRow; row <= StopBitsRow; ++row) {
        m_settingsGrid->SetCol(2);
        m_settingsGrid->SetRow(row);
        m_settingsGrid->SetTypeComboBoxCurSel(indexes[row - 1]);
    }
    m_phone->setText(port.phoneNumber);
}

void CConfigSerialPortsPropPage::choosePort(int row)
{
    if (row < 1 || row > m_ports.Count() || row == m_currentRow)
        return;
    m_currentRow = row;
    showCurrentPort();
}

bool CConfigSerialPortsPropPage::confirmReassign(const SerialPortRecord &port)
{
    const QString question =
        QStringLiteral(
            "Serial Port '%1' is assigned to be connected to the SMDI port of the Telephone System '%2'. "
            "If you reassign '%1', it will remove its reference from the Telephone System '%2' "
            "configuration.\n\nDo you want to reassign '%1'?")
            .arg(port.name, port.groupName);
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CConfigSerialPortsPropPage::releaseFromGroup(const SerialPortRecord &port)
{
    if (auto *integration = integrationPage()) {
        const int group = integration->FindGroupByName(port.groupName);
        if (group >= 0)
            integration->ReleaseSmdiPort(group);
    }
}

void CConfigSerialPortsPropPage::assignmentChanged(int row)
{
    if (row < 1 || row > m_ports.Count())
        return;
    m_currentRow = row;
    SerialPortRecord &port = m_ports.At(row - 1);
    const int chosen = int(kAssignments.indexOf(gridText(m_portsGrid, AssignmentColumn, row)));
    if (chosen < 0 || chosen == port.assignment) {
        setGridText(m_portsGrid, AssignmentColumn, row, kAssignments.value(port.assignment));
        return;
    }
    if (port.assignment == SerialPortRecord::SmdiPort && !port.groupName.isEmpty()) {
        if (!confirmReassign(port)) {
            setGridText(m_portsGrid, AssignmentColumn, row, kAssignments.value(port.assignment));
            return;
        }
        releaseFromGroup(port);
    }
    m_ports.At(row - 1).assignment = chosen;
    m_ports.At(row - 1).groupName.clear();
    SetModified(true);
    RefreshPortsGrid();
}

void CConfigSerialPortsPropPage::groupNameChanged(int row)
{
    if (row < 1 || row > m_ports.Count())
        return;
    m_currentRow = row;
    QString name = gridText(m_portsGrid, GroupColumn, row);
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    SerialPortRecord &port = m_ports.At(row - 1);
    if (port.assignment == SerialPortRecord::Resource) {
        port.groupName = name;
        SetModified(true);
        RefreshPortsGrid();
        return;
    }
    if (port.assignment != SerialPortRecord::SmdiPort || name == port.groupName) {
        setGridText(m_portsGrid, GroupColumn, row, port.groupName);
        return;
    }
    if (!port.groupName.isEmpty()) {
        if (!confirmReassign(port)) {
            setGridText(m_portsGrid, GroupColumn, row, port.groupName);
            return;
        }
        releaseFromGroup(port);
        m_ports.At(row - 1).groupName.clear();
    }
    CConfigIntegrationPropPage *integration = integrationPage();
    const int group = integration ? integration->FindGroupByName(name) : -1;
    int baud = 0, bits = 0, parity = 0, stop = 0;
    SerialPortRecord &taken = m_ports.At(row - 1);
    if (group >= 0 && integration->AssignSmdiPort(group, taken.name, baud, bits, parity, stop)) {
        taken.groupName = name;
        taken.baudIndex = baud;
        taken.dataBitsIndex = bits;
        taken.parityIndex = parity;
        taken.stopBitsIndex = stop;
    } else {
        taken.groupName.clear();
    }
    SetModified(true);
    RefreshPortsGrid();
}

void CConfigSerialPortsPropPage::settingChanged(int row)
{
    if (m_showing || m_currentRow < 1 || m_currentRow > m_ports.Count())
        return;
    using namespace SerialSettings;
    SerialPortRecord &port = m_ports.At(m_currentRow - 1);
    const QString text = gridText(m_settingsGrid, 2, row);
    if (row == BaudRow)
        port.baudIndex = Lookup(BaudRates(), text, port.baudIndex);
    else if (row == DataBitsRow)
        port.dataBitsIndex = Lookup(DataBits(), text, port.dataBitsIndex);
    else if (row == ParityRow)
        port.parityIndex = Lookup(ParityLabels(), text, port.parityIndex);
    else if (row == StopBitsRow)
        port.stopBitsIndex = Lookup(StopBitLabels(), text, port.stopBitsIndex);
    if (port.assignment == SerialPortRecord::SmdiPort)
        if (auto *integration = integrationPage()) {
            const int group = integration->FindGroupByName(port.groupName);
            if (group >= 0)
                integration->SetGroupSerialSettings(group, port.baudIndex, port.dataBitsIndex,
                                                    port.parityIndex, port.stopBitsIndex);
        }
    SetModified(true);
}

void CConfigSerialPortsPropPage::setExamplesEnabled(bool enabled)
{
    for (QLabel *label : std::as_const(m_examples))
        label->setEnabled(enabled);
}

LRESULT CConfigSerialPortsPropPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_SERIAL_PHONE) {
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            if (!m_showing && m_currentRow >= 1 && m_currentRow <= m_ports.Count()) {
                m_ports.At(m_currentRow - 1).phoneNumber = m_phone->text();
                SetModified(true);
            }
            break;
        case EN_SETFOCUS:
            setExamplesEnabled(true);
            break;
        case EN_KILLFOCUS:
            setExamplesEnabled(false);
            break;
        default:
            break;
        }
    }
    return CConfigPropPage::WindowProc(message, wParam, lParam);
}

void CConfigSerialPortsPropPage::RenameSmdiGroup(const QString &portName, const QString &oldName,
                                                 const QString &newName)
{
    const int index = m_ports.IndexOf(portName);
    if (index < 0)
        return;
    SerialPortRecord &port = m_ports.At(index);
    if (port.assignment != SerialPortRecord::SmdiPort || port.groupName != oldName)
        return;
    port.groupName = newName;
    RefreshPortsGrid();
}

void CConfigSerialPortsPropPage::ReleasePort(const QString &portName)
{
    const int index = m_ports.IndexOf(portName);
    if (index < 0)
        return;
    m_ports.At(index).assignment = SerialPortRecord::Available;
    m_ports.At(index).groupName.clear();
    SetModified(true);
}

void CConfigSerialPortsPropPage::TakePortForGroup(const QString &portName, const QString &group, int baud,
                                                  int bits, int parity, int stop)
{
    const int index = m_ports.IndexOf(portName);
    if (index < 0)
        return;
    SerialPortRecord &port = m_ports.At(index);
    port.assignment = SerialPortRecord::SmdiPort;
    port.groupName = group;
    port.baudIndex = baud;
    port.dataBitsIndex = bits;
    port.parityIndex = parity;
    port.stopBitsIndex = stop;
    port.phoneNumber.clear();
    SetModified(true);
}

void CConfigSerialPortsPropPage::SetSmdiEligibleGroups(const QStringList &groups)
{
    if (groups == m_eligibleGroups)
        return;
    m_eligibleGroups = groups;
    if (m_initialised && m_ports.Count() > 0)
        fillPortsGrid();
}
