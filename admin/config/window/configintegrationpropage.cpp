// See configintegrationpropage.h. Six grids, each with labels in column 1
// and values in column 2: the group (name, switch type, integration type,
// line protocol), its patterns with the integration timeout, its SMDI serial
// port, its dial codes, transfer support and the T1 protocol.
#include "admin/config/window/configintegrationpropage.h"

#include "admin/config/dialogs/addintegrationgroupdlg.h"
#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configserialportspropage.h"
#include "admin/config/dialogs/switchtypedlg.h"
#include "admin/config/records/switchtypefile.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSwitchTypeCommand = QStringLiteral("<Create/Save/Delete Switch Type>");
const QStringList kIntegrationTypes{"DTMF", "SMDI", "VLM Proprietary", "IP Integration"};
// The fourth choice: once group 1 has it, every other group has it too.
constexpr int kIpIntegration = 3;
const QStringList kLineProtocols{"None", "T1", "ISDN"};
const QStringList kPatternKinds{
    "Forward From Ring No Answer", "Forward From Busy", "Direct Call From Extension",
    "Direct Call From Trunk",      "Immediate Record",  "<Empty>"};
const char *const kDialCodeLabels[IntegrationGroupRecord::DialCodeCount] = {
    "Dial code to put a caller on transfer hold",
    "Dial code to use when there is no transfer dial tone",
    "Dial code to return to caller after Ring No Answer",
    "Dial code to return to caller after Busy",
    "Dial code to use after call screening reject",
    "Dial code to connect the caller to the extension",
    "PBX no dialtone",
    "Number of milliseconds to wait for dial tone detection",
    "Number of milliseconds delay after flash hook",
    "Which DTMF tone to listen to for answer detection",
    "Which DTMF tone to listen to for hangup detection",
    "What to dial AFTER dialing the user ID extension",
    "What to dial BEFORE dialing the user ID extension",
    "What to dial when the system first starts up",
    "What to dial when the system performs a shutdown",
    "What to dial when a port goes off-hook",
    "Number of minimum milliseconds to define CPM silence",
    "Number of minimum milliseconds to define CPM sound",
    "",
    "Message lamp ON",
    "Message lamp OFF",
    "Trunk access code",
    "Number of milliseconds to use for Flash time",
    "IP Address",
    "SNMP Community"};
constexpr int kIpAddressRow = 24;
constexpr int kSnmpRow = 25;
constexpr int kTimeoutRow = 1;
constexpr int kFirstPatternRow = 2;
constexpr int kLastPatternRow = 25;

IntegrationGroupRecord blankRecord()
{
    return IntegrationGroupRecord{};
}

bool isTypeWithAddress(const QString &type)
{
    return type == QLatin1String("2") || type == QLatin1String("3");
}

} // namespace

CConfigIntegrationPropPage::CConfigIntegrationPropPage()
    : CConfigPropPage(IDD, QStringLiteral("Telephone System Integration"),
                      CConfigPropSheet::ID_CONFIG_INTEGRATION)
{
    m_records.append(blankRecord());
    m_groupsGrid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_GROUPS_GRID);
    m_patternsGrid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_PATTERNS_GRID);
    m_serialGrid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_SERIAL_GRID);
    m_dialCodesGrid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_DIALCODES_GRID);
    m_transferGrid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_TRANSFER_GRID);
    m_t1Grid = SetDlgCtrlID(new CSpreadSheetEx(2, this), IDC_T1_GRID);
    auto *addGroup = SetDlgCtrlID(new QPushButton(QStringLiteral("Add Group"), this), IDC_ADD_GROUP);
    m_deleteGroup = SetDlgCtrlID(new QPushButton(QStringLiteral("Delete Group"), this), IDC_DELETE_GROUP);
    auto *up = SetDlgCtrlID(new QPushButton(QStringLiteral("Up"), this), IDC_PATTERN_UP);
    auto *down = SetDlgCtrlID(new QPushButton(QStringLiteral("Down"), this), IDC_PATTERN_DOWN);
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));

    // Small enough for the window to fit the main window's first size; the
    // grids scroll, and grow with the room they get.
    m_patternsGrid->setMinimumSize(300, 200);
    m_dialCodesGrid->setMinimumSize(360, 200);

    auto *groupButtons = new QVBoxLayout;
    groupButtons->addWidget(addGroup);
    groupButtons->addWidget(m_deleteGroup);
    groupButtons->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_groupsGrid, 1);
    top->addLayout(groupButtons);
    auto *move = new QVBoxLayout;
    move->addStretch(1);
    move->addWidget(new QLabel(QStringLiteral("Move"), this));
    move->addWidget(up);
    move->addWidget(down);
    move->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Integration Patterns"), this));
    left->addWidget(m_patternsGrid, 1);
    left->addWidget(m_serialGrid);
    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Integration Dial Codes:"), this));
    right->addWidget(m_dialCodesGrid, 1);
    right->addWidget(m_transferGrid);
    right->addWidget(m_t1Grid);
    auto *middle = new QHBoxLayout;
    middle->addLayout(left, 1);
    middle->addLayout(move);
    middle->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);

    for (CSpreadSheetEx *grid :
         {m_groupsGrid, m_patternsGrid, m_serialGrid, m_dialCodesGrid, m_transferGrid, m_t1Grid}) {
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->horizontalHeader()->setStretchLastSection(true);
    }
    connect(m_groupsGrid, &CSpreadSheet::Change, this, &CConfigIntegrationPropPage::groupsChanged);
    connect(m_patternsGrid, &CSpreadSheet::Change, this, &CConfigIntegrationPropPage::patternsChanged);
    connect(m_serialGrid, &CSpreadSheet::Change, this, &CConfigIntegrationPropPage::serialChanged);
    connect(m_dialCodesGrid, &CSpreadSheet::Change, this, &CConfigIntegrationPropPage::dialCodeChanged);
    connect(m_transferGrid, &CSpreadSheet::Change, this, [this](int, int) {
        current().transferSupport = cell(m_transferGrid, 2, 1) == QLatin1String("FALSE") ? 0 : 1;
        SetModified(true);
    });
    connect(m_t1Grid, &CSpreadSheet::Change, this, [this](int, int) {
        current().t1Protocol = cell(m_t1Grid, 2, 1);
        SetModified(true);
    });
    // Column 1 holds the labels: a click there goes to the value beside it
    // (on the patterns grid only for the timeout, whose label is no kind).
    for (CSpreadSheetEx *grid :
         {m_groupsGrid, m_patternsGrid, m_serialGrid, m_dialCodesGrid, m_transferGrid, m_t1Grid})
        connect(grid, &CSpreadSheet::Click, this, [this, grid](int col, int row) {
            if (col == 1 && row >= 1 && (grid != m_patternsGrid || row == kTimeoutRow))
                returnTo(grid, 2, row);
        });
    const auto patternRow = [this](int row) {
        if (row >= kFirstPatternRow && row <= kLastPatternRow)
            m_patternRow = row;
    };
    connect(m_patternsGrid, &CSpreadSheet::Click, this, [patternRow](int, int row) { patternRow(row); });
    connect(m_patternsGrid, &CSpreadSheet::LeaveCell, this,
            [patternRow](int, int, int, int newRow, bool *) { patternRow(newRow); });
}

CConfigSerialPortsPropPage *CConfigIntegrationPropPage::serialPage() const
{
    return FindPeer<CConfigSerialPortsPropPage>();
}

std::array<QString, IntegrationGroupRecord::PatternCount> &CConfigIntegrationPropPage::currentPatterns()
{
    return current().integrationType == QLatin1String("0") || current().integrationType.isEmpty()
               ? current().integrationPatterns
               : current().smdiPatterns;
}

void CConfigIntegrationPropPage::setCell(CSpreadSheetEx *grid, int col, int row, const QString &text)
{
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetText(text);
}

QString CConfigIntegrationPropPage::cell(CSpreadSheetEx *grid, int col, int row) const
{
    grid->SetCol(col);
    grid->SetRow(row);
    return grid->GetText();
}

// --- depot -----------------------------------------------------------------------

void CConfigIntegrationPropPage::LoadFromDepot()
{
    m_records.clear();
    m_records.append(blankRecord());
    for (const ConfigGroupRecord &group : Depot()->m_groups) {
        QStringList values;
        for (int k = 1; k <= kGroupVariableCount; ++k)
            values << group[size_t(k)];
        m_records.append(IntegrationValues::FromServerValues(group[0], values));
    }
    m_current = GroupCount() > 0 ? 1 : 0;
    m_patternRow = 0;
    m_t1List = Depot()->m_t1Protocols;
    rebuildLists();
    FillSwitchTypeCombo();
    SetModified(false);
    displayCurrent();
}

void CConfigIntegrationPropPage::SaveToDepot()
{
    if (!m_initialised)
        return;
    CConfigDepot &depot = *Depot();
    QStringList names;
    for (int i = 1; i <= GroupCount(); ++i)
        names << m_records.at(i).groupName;
    // Deleted: the groups the depot held that the page no longer has, and
    // those deleted before whose variables a refused write-back left on the
    // server (the depot's records no longer name them).
    QStringList deleted;
    for (const QString &group : std::as_const(depot.m_deletedGroups))
        if (!names.contains(group))
            deleted << group;
    for (const ConfigGroupRecord &group : std::as_const(depot.m_groups))
        if (!names.contains(group[0]) && !deleted.contains(group[0]))
            deleted << group[0];
    depot.m_deletedGroups = deleted;
    depot.m_groupCount = GroupCount();
    depot.m_groups.clear();
    QStringList words;
    for (int i = 1; i <= GroupCount(); ++i) {
        ConfigGroupRecord group;
        group[0] = m_records.at(i).groupName;
        const QStringList values = IntegrationValues::ToServerValues(m_records.at(i));
        for (int k = 1; k <= kGroupVariableCount; ++k)
            group[size_t(k)] = values.at(k - 1);
        depot.m_groups.append(group);
        words << TclBareWord(group[0]);
    }
    // The list goes back as the server holds it while it names the same
    // groups: blanks between names are the server's too.
    QStringList listed;
    CTclList().SplitList(depot.m_groupList, listed);
    if (listed != names)
        depot.m_groupList = words.join(QLatin1Char(' '));
    SetModified(false);
}

// --- set-up and display ------------------------------------------------------

bool CConfigIntegrationPropPage::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    setupGrids();
    m_initialised = true;
    displayCurrent();
    return true;
}

void CConfigIntegrationPropPage::setupGrids()
{
    const auto labels = [this](CSpreadSheetEx *grid, const QStringList &texts) {
        grid->SetMaxRows(int(texts.size()));
        for (int row = 1; row <= texts.size(); ++row) {
            setCell(grid, 1, row, texts.at(row - 1));
            grid->SetLock(true);
        }
        grid->SetColWidth(1, 26);
    };
    labels(m_groupsGrid,
           {"Integration Group Name", "Switch Type", "Integration Type", "Digital Line Protocol"});
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(NameRow);
    m_groupsGrid->SetCellType(CSpreadSheet::CellTypeEditComboBox);
    m_groupsGrid->SetRow(SwitchTypeRow);
    m_groupsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
    m_groupsGrid->SetRow(IntegrationTypeRow);
    m_groupsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
    m_groupsGrid->SetTypeComboBoxList(kIntegrationTypes.join(QLatin1Char('\t')));
    m_groupsGrid->SetRow(LineProtocolRow);
    m_groupsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
    m_groupsGrid->SetTypeComboBoxList(kLineProtocols.join(QLatin1Char('\t')));

    m_patternsGrid->SetMaxRows(kLastPatternRow);
    setCell(m_patternsGrid, 1, kTimeoutRow, QStringLiteral("Integration timeout[millisecond]"));
    m_patternsGrid->SetLock(true);
    for (int row = kFirstPatternRow; row <= kLastPatternRow; ++row) {
        m_patternsGrid->SetCol(1);
        m_patternsGrid->SetRow(row);
        m_patternsGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_patternsGrid->SetTypeComboBoxList(kPatternKinds.join(QLatin1Char('\t')));
    }
    m_patternsGrid->SetColWidth(1, 24);

    labels(m_serialGrid, {"Serial Port", "Max. Ext. Length"});
    m_serialGrid->SetCol(2);
    m_serialGrid->SetRow(SerialPortRow);
    m_serialGrid->SetCellType(CSpreadSheet::CellTypeComboBox);

    QStringList dialLabels;
    for (const char *label : kDialCodeLabels)
        dialLabels << QString::fromUtf8(label);
    labels(m_dialCodesGrid, dialLabels);
    m_dialCodesGrid->SetColWidth(1, 40);

    labels(m_transferGrid, {"Transfer Support"});
    m_transferGrid->SetCol(2);
    m_transferGrid->SetRow(1);
    m_transferGrid->SetCellType(CSpreadSheet::CellTypeComboBox);
    m_transferGrid->SetTypeComboBoxList(QStringLiteral("TRUE\tFALSE"));
    labels(m_t1Grid, {"T1 Protocol Type"});
    m_t1Grid->SetCol(2);
    m_t1Grid->SetRow(1);
    m_t1Grid->SetCellType(CSpreadSheet::CellTypeComboBox);
    // The small grids show all their rows without scrolling.
    for (CSpreadSheetEx *grid : {m_groupsGrid, m_serialGrid, m_transferGrid, m_t1Grid}) {
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setFixedHeight(grid->verticalHeader()->length() + 2 * grid->frameWidth());
    }
}

void CConfigIntegrationPropPage::displayCurrent()
{
    if (!m_initialised)
        return;
    IntegrationGroupRecord &record = current();
    setCell(m_groupsGrid, 2, NameRow, record.groupName);
    m_deleteGroup->setEnabled(m_current > 0 && record.groupName != QLatin1String("Default"));
    setCell(m_groupsGrid, 2, SwitchTypeRow, record.switchType);
    if (record.integrationType.isEmpty())
        record.integrationType = QStringLiteral("0");
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(IntegrationTypeRow);
    m_groupsGrid->SetTypeComboBoxCurSel(record.integrationType.toInt());
    m_serialGrid->setVisible(record.integrationType != QLatin1String("0") &&
                             record.integrationType != QLatin1String("3"));

    const QString t1List = m_t1List.isEmpty() ? QStringLiteral("us_mf") : m_t1List;
    m_t1Grid->SetCol(2);
    m_t1Grid->SetRow(1);
    m_t1Grid->SetTypeComboBoxList(t1List);
    int protocol = 0;
    if (record.lineProtocol == QLatin1String("ISDN")) {
        protocol = 2;
        record.t1Protocol.clear();
        setCell(m_transferGrid, 2, 1,
                record.transferSupport ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        m_t1Grid->hide();
        m_transferGrid->show();
        showPatterns(true);
        showDialCodes(true);
    } else if (!record.lineProtocol.isEmpty() && record.lineProtocol != QLatin1String("None")) {
        protocol = 1;
        setCell(m_t1Grid, 2, 1, record.t1Protocol.trimmed());
        setCell(m_transferGrid, 2, 1,
                record.transferSupport ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        m_t1Grid->show();
        m_transferGrid->show();
        showPatterns(true);
        showDialCodes(true);
    } else {
        record.t1Protocol.clear();
        m_t1Grid->hide();
        m_transferGrid->hide();
        showPatterns(false);
        showDialCodes(false);
    }
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(LineProtocolRow);
    m_groupsGrid->SetTypeComboBoxCurSel(protocol);
    setCell(m_serialGrid, 2, SerialPortRow, record.smdiPortName);
    setCell(m_serialGrid, 2, MaxExtensionRow, record.maxExtensionLength);
    rebuildLists();
}

void CConfigIntegrationPropPage::showPatterns(bool locked)
{
    setCell(m_patternsGrid, 2, kTimeoutRow, locked ? QString() : current().integrationTimeout);
    m_patternsGrid->SetLock(locked);
    // A pattern of no known kind is shown under "<Empty>", locked, but kept:
    // showing a group never changes what the server holds.
    const auto &patterns = currentPatterns();
    for (int row = kFirstPatternRow; row <= kLastPatternRow; ++row) {
        const QString &pattern = patterns[size_t(row - kFirstPatternRow)];
        const int kind = IntegrationValues::PatternKind(pattern);
        setCell(m_patternsGrid, 1, row, locked ? QString() : kPatternKinds.at(kind));
        m_patternsGrid->SetLock(locked);
        setCell(m_patternsGrid, 2, row, locked ? QString() : pattern);
        m_patternsGrid->SetLock(locked || kind == IntegrationValues::EmptyPatternKind);
    }
}

void CConfigIntegrationPropPage::showDialCodes(bool locked)
{
    for (int code = 1; code <= IntegrationGroupRecord::DialCodeCount; ++code) {
        setCell(m_dialCodesGrid, 2, code, locked ? QString() : current().dialCodes[size_t(code - 1)]);
        m_dialCodesGrid->SetLock(locked);
    }
    if (!locked)
        labelAddressRows(current().integrationType == QLatin1String("2"));
}

void CConfigIntegrationPropPage::labelAddressRows(bool shown)
{
    for (int row : {kIpAddressRow, kSnmpRow}) {
        setCell(m_dialCodesGrid, 1, row, shown ? QString::fromUtf8(kDialCodeLabels[row - 1]) : QString());
        setCell(m_dialCodesGrid, 2, row, shown ? current().dialCodes[size_t(row - 1)] : QString());
        m_dialCodesGrid->SetLock(!shown);
    }
}

void CConfigIntegrationPropPage::rebuildLists()
{
    QStringList names;
    QStringList eligible;
    for (int i = 1; i <= GroupCount(); ++i) {
        const IntegrationGroupRecord &record = m_records.at(i);
        if (record.groupName.isEmpty())
            continue;
        names << record.groupName;
        if (record.integrationType != QLatin1String("0") && record.smdiPortName.isEmpty())
            eligible << record.groupName;
    }
    emit GroupNamesChanged(names.join(QLatin1Char('\t')));
    if (CConfigSerialPortsPropPage *serial = serialPage())
        serial->SetSmdiEligibleGroups(eligible);
    if (!m_initialised)
        return;
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(NameRow);
    m_groupsGrid->SetTypeComboBoxList(names.join(QLatin1Char('\t')));
    m_groupsGrid->SetRow(SwitchTypeRow);
    m_groupsGrid->SetTypeComboBoxList(m_switchTypeList);
    QStringList ports = m_availablePorts;
    if (!current().smdiPortName.isEmpty() && !ports.contains(current().smdiPortName))
        ports.prepend(current().smdiPortName);
    ports.prepend(QString()); // choosing nothing gives the port back
    m_serialGrid->SetCol(2);
    m_serialGrid->SetRow(SerialPortRow);
    m_serialGrid->SetTypeComboBoxList(ports.join(QLatin1Char('\t')));
}

void CConfigIntegrationPropPage::returnTo(CSpreadSheetEx *grid, int col, int row)
{
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetAction(CSpreadSheet::ActionActiveCell);
    grid->setFocus();
}

// --- switch types ------------------------------------------------------------

void CConfigIntegrationPropPage::FillSwitchTypeCombo()
{
    QStringList titles = CSwitchTypeFile::List();
    titles << kSwitchTypeCommand;
    m_switchTypeList = titles.join(QLatin1Char('\t'));
    if (m_initialised) {
        m_groupsGrid->SetCol(2);
        m_groupsGrid->SetRow(SwitchTypeRow);
        m_groupsGrid->SetTypeComboBoxList(m_switchTypeList);
    }
}

void CConfigIntegrationPropPage::LoadSwitchType(const QString &name, bool keepLineSettings)
{
    if (name.isEmpty())
        return;
    readSwitchType(name, current(), keepLineSettings);
    if (!keepLineSettings)
        displayCurrent();
}

bool CConfigIntegrationPropPage::readSwitchType(const QString &name, IntegrationGroupRecord &record,
                                                bool keepLineSettings)
{
    QString error;
    if (CSwitchTypeFile::Read(name, record, keepLineSettings, error) != CSwitchTypeFile::ReadResult::Refused)
        return true;
    AfxMessageBox(QStringLiteral("Switch type '%1' can not be read. %2").arg(name, error),
                  MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CConfigIntegrationPropPage::SaveOrDeleteSwitchType(IntegrationGroupRecord &record)
{
    QString shown = record.switchType;
    for (;;) {
        // A new dialog each time, opening with the name as the last step left it.
        CSwitchTypeDlg dialog(this);
        dialog.m_strName = shown;
        const int result = dialog.DoModal();
        shown = dialog.m_strName;
        if (result == IDCANCEL)
            return;
        if (result == CSwitchTypeDlg::IDC_SWITCHTYPE_DELETE) {
            if (CSwitchTypeFile::IsReserved(dialog.m_strName)) {
                AfxMessageBox(QStringLiteral("Default Switch Type cannot be deleted!"),
                              MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            if (!CSwitchTypeFile::Exists(dialog.m_strName)) {
                AfxMessageBox(QStringLiteral("File not found!"), MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            if (AfxMessageBox(QStringLiteral("Would you really like to delete this switch type?"),
                              MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
                return;
            QString error;
            if (!CSwitchTypeFile::Remove(dialog.m_strName, error)) {
                AfxMessageBox(QStringLiteral("Problem in deleting the file!"), MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            record.switchType = CSwitchTypeFile::ReservedName();
            FillSwitchTypeCombo();
            return;
        }
        if (dialog.m_strName.isEmpty()) {
            AfxMessageBox(QStringLiteral("Switch type settings can not be saved without name."),
                          MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (CSwitchTypeFile::IsReserved(dialog.m_strName)) {
            AfxMessageBox(
                QStringLiteral("The name 'Talvo VLM' is reserved for manufacturer default switch type.\n\t"
                               "Enter a different name to save your switch type."),
                MB_OK | MB_ICONEXCLAMATION);
            shown = record.switchType;
            continue;
        }
        const QString name = CSwitchTypeFile::NormalName(dialog.m_strName);
        shown = name;
        if (!CSwitchTypeFile::IsValidName(name)) {
            AfxMessageBox(
                QStringLiteral("'%1' can not be used as a switch type name. Do not use '/', '\\', '..', a "
                               "leading '.' or control characters.")
                    .arg(name),
                MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        if (CSwitchTypeFile::Exists(name)) {
            const QString question =
                dialog.m_bNameEdited
                    ? QStringLiteral(
                          "You entered '%1' switch type which already exists on your local hard drive. Do "
                          "you want to replace it?")
                          .arg(name)
                    : QStringLiteral("Do you want to replace the existing '%1' switch type?").arg(name);
            const int answer = AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDCANCEL)
                return;
            if (answer == IDNO)
                continue;
        }
        QString error;
        if (!CSwitchTypeFile::Write(record, name, error)) {
            AfxMessageBox(QStringLiteral("Error in opening file. Switch type settings can not be saved.") +
                              QStringLiteral(" (%1)").arg(error),
                          MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        record.switchType = name;
        FillSwitchTypeCombo();
        return;
    }
}

// --- the Serial Ports page's side --------------------------------------------

int CConfigIntegrationPropPage::FindGroupByName(const QString &name) const
{
    for (int i = 1; i <= GroupCount(); ++i)
        if (m_records.at(i).groupName == name)
            return i;
    return -1;
}

bool CConfigIntegrationPropPage::AssignSmdiPort(int group, const QString &port, int &baud, int &bits,
                                                int &parity, int &stop)
{
    if (group < 1 || group > GroupCount())
        return false;
    IntegrationGroupRecord &record = m_records[group];
    if (record.integrationType == QLatin1String("0") || !record.smdiPortName.isEmpty())
        return false;
    record.smdiPortName = port;
    if (group == m_current && m_initialised)
        setCell(m_serialGrid, 2, SerialPortRow, port);
    rebuildLists();
    baud = record.baudIndex;
    bits = record.dataBitsIndex;
    parity = record.parityIndex;
    stop = record.stopBitsIndex;
    SetModified(true);
    return true;
}

void CConfigIntegrationPropPage::SetGroupSerialSettings(int group, int baud, int bits, int parity, int stop)
{
    if (group < 1 || group > GroupCount())
        return;
    IntegrationGroupRecord &record = m_records[group];
    record.baudIndex = baud;
    record.dataBitsIndex = bits;
    record.parityIndex = parity;
    record.stopBitsIndex = stop;
    SetModified(true);
}

void CConfigIntegrationPropPage::ReleaseSmdiPort(int group)
{
    if (group < 1 || group > GroupCount())
        return;
    m_records[group].smdiPortName.clear();
    if (group == m_current && m_initialised)
        setCell(m_serialGrid, 2, SerialPortRow, QString());
    rebuildLists();
    SetModified(true);
}

void CConfigIntegrationPropPage::SetAvailablePorts(const QStringList &ports)
{
    m_availablePorts = ports;
    rebuildLists();
}

// A group's port goes back to the Serial Ports page as available, whatever
// the port is called.
void CConfigIntegrationPropPage::releaseGroupPort(int group)
{
    if (group < 1 || group > GroupCount() || m_records.at(group).smdiPortName.isEmpty())
        return;
    const QString port = m_records.at(group).smdiPortName;
    m_records[group].smdiPortName.clear();
    if (CConfigSerialPortsPropPage *serial = serialPage()) {
        serial->ReleasePort(port);
        serial->RefreshPortsGrid();
    }
    if (group == m_current && m_initialised)
        setCell(m_serialGrid, 2, SerialPortRow, QString());
    rebuildLists();
}

// --- edits ---------------------------------------------------------------------

bool CConfigIntegrationPropPage::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD_GROUP:
        addGroup();
        return true;
    case IDC_DELETE_GROUP:
        deleteGroup();
        return true;
    case IDC_PATTERN_UP:
        movePattern(-1);
        return true;
    case IDC_PATTERN_DOWN:
        movePattern(1);
        return true;
    default:
        return CConfigPropPage::OnCommand(id);
    }
}

void CConfigIntegrationPropPage::groupsChanged(int col, int row)
{
    if (col != 2)
        return;
    switch (row) {
    case NameRow:
        groupNameChanged();
        break;
    case SwitchTypeRow:
        switchTypeChanged();
        break;
    case IntegrationTypeRow:
        integrationTypeChanged();
        break;
    case LineProtocolRow:
        lineProtocolChanged();
        break;
    default:
        break;
    }
}

bool CConfigIntegrationPropPage::refuseGroupName(const QString &name)
{
    if (name.isEmpty()) {
        AfxMessageBox(
            QStringLiteral("Empty Integration Group Name is invalid. Try to enter a valid name after closing "
                           "this message box."),
            MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    if (name == QLatin1String("sys") || name.startsWith(QLatin1String("sys_"))) {
        AfxMessageBox(
            QStringLiteral("'%1' is an invalid Integration Group Name.  Do not use 'sys' or names beginning "
                           "with 'sys_'.")
                .arg(name),
            MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    return false;
}

void CConfigIntegrationPropPage::groupNameChanged()
{
    QString name = cell(m_groupsGrid, 2, NameRow);
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString oldName = current().groupName;
    if (refuseGroupName(name)) {
        setCell(m_groupsGrid, 2, NameRow, oldName);
        return;
    }
    if (const int existing = FindGroupByName(name); existing >= 0) {
        m_current = existing;
        displayCurrent();
        return;
    }
    // Nothing to rename without a group, and the manufacturer's group keeps its name.
    if (m_current == 0 || oldName == QLatin1String("Default") ||
        AfxMessageBox(QStringLiteral("Do you want to rename the Integration Group Name from '%1' to '%2'?")
                          .arg(oldName, name),
                      MB_YESNO | MB_ICONQUESTION) != IDYES) {
        setCell(m_groupsGrid, 2, NameRow, oldName);
        return;
    }
    emit GroupNameReplaced(oldName, name);
    if (current().integrationType != QLatin1String("0") && !current().smdiPortName.isEmpty())
        if (CConfigSerialPortsPropPage *serial = serialPage())
            serial->RenameSmdiGroup(current().smdiPortName, oldName, name);
    current().groupName = name;
    setCell(m_groupsGrid, 2, NameRow, name);
    rebuildLists();
    SetModified(true);
}

void CConfigIntegrationPropPage::switchTypeChanged()
{
    const QString chosen = cell(m_groupsGrid, 2, SwitchTypeRow);
    if (chosen == kSwitchTypeCommand) {
        const QString before = current().switchType;
        SaveOrDeleteSwitchType(current());
        setCell(m_groupsGrid, 2, SwitchTypeRow, current().switchType);
        if (current().switchType != before)
            SetModified(true);
        return;
    }
    // The switch type is applied to a copy: a file that cannot be read
    // leaves the group as it was.
    IntegrationGroupRecord applied = current();
    applied.integrationType.clear();
    applied.lineProtocol.clear();
    applied.t1Protocol.clear();
    applied.transferSupport = 1;
    if (!chosen.isEmpty() && !readSwitchType(chosen, applied, false)) {
        setCell(m_groupsGrid, 2, SwitchTypeRow, current().switchType);
        return;
    }
    releaseGroupPort(m_current);
    applied.smdiPortName.clear();
    current() = applied;
    displayCurrent();
    SetModified(true);
}

void CConfigIntegrationPropPage::integrationTypeChanged()
{
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(IntegrationTypeRow);
    int choice = m_groupsGrid->GetTypeComboBoxCurSel();
    if (choice < 0)
        return;
    IntegrationGroupRecord &record = current();
    if (choice != kIpIntegration && followsFirstGroupsType()) {
        AfxMessageBox(QStringLiteral("Every integration group has the integration type of '%1', %2. Change the "
                                     "type of '%1' first.")
                          .arg(m_records.at(1).groupName, kIntegrationTypes.at(kIpIntegration)),
                      MB_OK | MB_ICONEXCLAMATION);
        m_groupsGrid->SetTypeComboBoxCurSel(kIpIntegration);
        choice = kIpIntegration;
    }
    if (record.integrationType == QString::number(choice))
        return;
    record.integrationType = QString::number(choice);
    if (record.lineProtocol.isEmpty() || record.lineProtocol == QLatin1String("None"))
        showPatterns(false);
    if (record.integrationType != QLatin1String("0")) {
        m_serialGrid->setVisible(record.integrationType != QLatin1String("3"));
        returnTo(m_serialGrid, 2, SerialPortRow);
    } else {
        releaseGroupPort(m_current);
        m_serialGrid->hide();
    }
    if (record.lineProtocol.isEmpty() || record.lineProtocol == QLatin1String("None"))
        labelAddressRows(isTypeWithAddress(record.integrationType));
    rebuildLists();
    SetModified(true);
}

// Group 1 of the fourth type holds every other group to it, but the group
// named "Default".
bool CConfigIntegrationPropPage::followsFirstGroupsType() const
{
    return m_current > 1 && m_records.at(m_current).groupName != QLatin1String("Default") &&
           m_records.at(1).integrationType == QString::number(kIpIntegration);
}

// Reading the switch type again empties the group's port, which goes back
// to the Serial Ports page; a file that cannot be read changes nothing.
void CConfigIntegrationPropPage::rereadSwitchTypeKeepingLineSettings()
{
    const QString name = cell(m_groupsGrid, 2, SwitchTypeRow);
    IntegrationGroupRecord reread = current();
    if (!name.isEmpty() && !readSwitchType(name, reread, true))
        return;
    releaseGroupPort(m_current);
    reread.smdiPortName.clear();
    current() = reread;
}

void CConfigIntegrationPropPage::lineProtocolChanged()
{
    m_groupsGrid->SetCol(2);
    m_groupsGrid->SetRow(LineProtocolRow);
    const int choice = m_groupsGrid->GetTypeComboBoxCurSel();
    IntegrationGroupRecord &record = current();
    if (choice == 0) {
        rereadSwitchTypeKeepingLineSettings();
        record.lineProtocol = QStringLiteral("None");
        record.t1Protocol.clear();
        record.transferSupport = 1;
        m_t1Grid->hide();
        m_transferGrid->hide();
        showPatterns(false);
        showDialCodes(false);
    } else if (choice == 1) {
        record.lineProtocol = QStringLiteral("T1");
        setCell(m_transferGrid, 2, 1,
                record.transferSupport ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        const QStringList t1 =
            (m_t1List.isEmpty() ? QStringLiteral("us_mf") : m_t1List).split(QLatin1Char('\t'));
        if (!t1.contains(record.t1Protocol))
            record.t1Protocol = t1.value(0);
        setCell(m_t1Grid, 2, 1, record.t1Protocol);
        m_t1Grid->show();
        m_transferGrid->show();
        showPatterns(true);
        showDialCodes(true);
    } else if (choice == 2) {
        record.lineProtocol = QStringLiteral("ISDN");
        record.t1Protocol.clear();
        setCell(m_transferGrid, 2, 1,
                record.transferSupport ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        m_transferGrid->show();
        m_t1Grid->hide();
        showPatterns(true);
        showDialCodes(true);
    }
    SetModified(true);
}

void CConfigIntegrationPropPage::patternsChanged(int col, int row)
{
    if (row == kTimeoutRow && col == 2) {
        current().integrationTimeout = cell(m_patternsGrid, 2, kTimeoutRow);
        SetModified(true);
        return;
    }
    if (row < kFirstPatternRow || row > kLastPatternRow)
        return;
    m_patternRow = row;
    QString &pattern = currentPatterns()[size_t(row - kFirstPatternRow)];
    const int kind = int(kPatternKinds.indexOf(cell(m_patternsGrid, 1, row)));
    if (col == 1) {
        pattern.clear();
        setCell(m_patternsGrid, 2, row, QString());
        m_patternsGrid->SetLock(kind < 0 || kind == IntegrationValues::EmptyPatternKind);
        SetModified(true);
        return;
    }
    const QString typed = cell(m_patternsGrid, 2, row);
    if (!typed.isEmpty() && !IntegrationValues::IsAcceptablePattern(typed, kind)) {
        AfxMessageBox(
            QStringLiteral("Invalid Integration Pattern Definition '%1'. Enter a valid definition after "
                           "closing this message box.")
                .arg(typed),
            MB_OK | MB_ICONEXCLAMATION);
        setCell(m_patternsGrid, 2, row, pattern);
        returnTo(m_patternsGrid, 2, row);
        return;
    }
    pattern = typed;
    SetModified(true);
}

void CConfigIntegrationPropPage::movePattern(int step)
{
    const int row = m_patternRow;
    const bool canMove = step < 0 ? row >= kFirstPatternRow + 1 && row <= kLastPatternRow
                                  : row >= kFirstPatternRow && row <= kLastPatternRow - 2;
    if (!canMove)
        return;
    auto &patterns = currentPatterns();
    std::swap(patterns[size_t(row - kFirstPatternRow)], patterns[size_t(row + step - kFirstPatternRow)]);
    showPatterns(false);
    m_patternRow = row + step;
    returnTo(m_patternsGrid, 2, m_patternRow);
    SetModified(true);
}

void CConfigIntegrationPropPage::serialChanged(int col, int row)
{
    if (col != 2)
        return;
    IntegrationGroupRecord &record = current();
    if (row == MaxExtensionRow) {
        const QString typed = cell(m_serialGrid, 2, MaxExtensionRow);
        if (!IntegrationValues::IsValidMaxExtensionLength(typed)) {
            AfxMessageBox(QStringLiteral("The valid range for Maximum Extension Length is 1-10."),
                          MB_OK | MB_ICONEXCLAMATION);
            setCell(m_serialGrid, 2, MaxExtensionRow, record.maxExtensionLength);
            return;
        }
        record.maxExtensionLength = typed;
        SetModified(true);
        return;
    }
    const QString chosen = cell(m_serialGrid, 2, SerialPortRow);
    if (chosen != record.smdiPortName) {
        releaseGroupPort(m_current);
        if (!chosen.isEmpty()) {
            if (CConfigSerialPortsPropPage *serial = serialPage())
                serial->TakePortForGroup(chosen, record.groupName, record.baudIndex, record.dataBitsIndex,
                                         record.parityIndex, record.stopBitsIndex);
            record.smdiPortName = chosen;
        }
        if (CConfigSerialPortsPropPage *serial = serialPage())
            serial->RefreshPortsGrid();
        SetModified(true);
    }
    setCell(m_serialGrid, 2, SerialPortRow, record.smdiPortName);
    rebuildLists();
}

void CConfigIntegrationPropPage::dialCodeChanged(int col, int row)
{
    if (col != 2 || row < 1 || row > IntegrationGroupRecord::DialCodeCount)
        return;
    current().dialCodes[size_t(row - 1)] = cell(m_dialCodesGrid, 2, row);
    SetModified(true);
}

void CConfigIntegrationPropPage::addGroup()
{
    QString name;
    for (;;) {
        // A new dialog each time, opening with the name as it was left.
        CAddIntegrationGroupDlg dialog(this);
        dialog.m_strName = name;
        if (dialog.DoModal() != IDOK)
            return;
        name = dialog.m_strName;
        if (!name.isEmpty() && !dialog.m_bChanged) {
            AfxMessageBox(
                QStringLiteral("You should change the Group Name to be different from existing Group Names."),
                MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        if (refuseGroupName(name))
            continue;
        if (FindGroupByName(name) >= 0) {
            AfxMessageBox(
                QStringLiteral("There is already an Integration Group Name '%1'. Try to enter another name "
                               "after closing this message box.")
                    .arg(name),
                MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        break;
    }
    IntegrationGroupRecord record;
    record.groupName = name;
    record.integrationType = QStringLiteral("0");
    record.lineProtocol = QStringLiteral("None");
    m_records.append(record);
    m_current = GroupCount();
    rebuildLists();
    displayCurrent();
    returnTo(m_groupsGrid, 2, NameRow);
    SetModified(true);
}

void CConfigIntegrationPropPage::deleteGroup()
{
    if (m_current < 1 || current().groupName == QLatin1String("Default"))
        return;
    const QString name = current().groupName;
    const QString question =
        QStringLiteral(
            "If you delete a Telephone System Integration Group, its references in Answer Methods will be "
            "removed. Admin will not remove references in User Agent or COS definitions.\n\nAfter "
            "deletion, make sure to validate Answer Method, User Agent and COS definitions, otherwise "
            "Auto-Attendant and Notification will not work properly.\n\nDo you want to delete Telephone "
            "System Integration Group '%1'?")
            .arg(name);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    releaseGroupPort(m_current);
    emit GroupNameReplaced(name, QString());
    m_records.removeAt(m_current);
    if (m_current > GroupCount())
        m_current = GroupCount();
    rebuildLists();
    displayCurrent();
    SetModified(true);
}
