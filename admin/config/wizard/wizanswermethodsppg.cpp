// The wizard's answer-method step; see wizanswermethodsppg.h. Every refused
// entry puts the record's value back into its cell and returns the user to
// it.
#include "admin/config/wizard/wizanswermethodsppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/records/configitemname.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/wizard/wizvoiceportsppg.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"
#include "admin/widgets/gridarrowkeys.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kInvalidGreeting =
    QStringLiteral("Invalid User Agent '%1'. Try to enter a valid User Agent or select an existing one from the "
                   "list after closing this message box.");
const QString kMissingGreeting = QStringLiteral("The greeting user agent %1 does not exist.  Remember to create it "
                                                "after making your configuration changes.");
const QString kInvalidGroup = QStringLiteral("Invalid Telephone System Group ID '%1'. Try to enter or select a "
                                             "Telephone System Group ID from the list after closing this message "
                                             "box.");
const char *const kTexts[] = {
    "Answer Methods contain specific information about how to answer and what to do with an incoming call. Each "
    "Voice Port has an Answer Method assigned to it.",
    "You can edit existing Answer Methods or click on the Add button to define a new Answer Method.",
    "Click on the Next button when you are ready to assign Answer Methods to Voice Ports."};

QLabel *paragraph(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CWizAnswerMethodsPpg::CWizAnswerMethodsPpg()
    : CConfigPropPage(IDD, QStringLiteral("Configuration Wizard - Define Answer Methods"),
                      CConfigPropSheet::ID_CONFIG_ANSWER_METHODS),
      m_grid(SetDlgCtrlID(new CSpreadSheetEx(4, this), IDC_GRID)), m_columns(m_grid)
{
    auto *add = SetDlgCtrlID(new QPushButton(QStringLiteral("Add"), this), IDC_ADD);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(paragraph(kTexts[0], this));
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    layout->addWidget(paragraph(kTexts[1], this));
    layout->addWidget(paragraph(kTexts[2], this));
    setMinimumSize(520, 340);
    connect(m_grid, &CSpreadSheet::Change, this, &CWizAnswerMethodsPpg::onCellChanged);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CWizAnswerMethodsPpg::onLeaveCell);
}

CWizVoicePortsPpg *CWizAnswerMethodsPpg::voicePorts() const
{
    return FindPeer<CWizVoicePortsPpg>();
}

void CWizAnswerMethodsPpg::LoadFromDepot()
{
    // The telephone-system page tells its group names; it loads after
    // this page.
    if (auto *integration = FindPeer<CConfigIntegrationPropPage>())
        connect(integration, &CConfigIntegrationPropPage::GroupNamesChanged, this,
                &CWizAnswerMethodsPpg::SetIntegrationGroupNames, Qt::UniqueConnection);
    m_methods.Parse(Depot()->m_answerMethods);
    m_columns.TakeDepotGroups(*Depot());
    m_columns.RebuildGreetingList(m_methods);
    publishNames();
    refreshGrid();
    SetModified(false);
}

void CWizAnswerMethodsPpg::SaveToDepot()
{
    // Records without a name are left out of the list.
    Depot()->m_answerMethods = m_methods.Format();
    SetModified(false);
}

bool CWizAnswerMethodsPpg::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_columns.Initialise({QStringLiteral("Answer Method"), QStringLiteral("Greeting User Agent"),
                          QStringLiteral("Number of Rings"), QStringLiteral("Telephone System")},
                         {17, 21, 17});
    refreshGrid();
    new CGridArrowKeys(this, m_grid);
    return true;
}

bool CWizAnswerMethodsPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CConfigPropPage::OnSetActive();
}

// A name still in the grid's editor reaches the records (and the voice-port
// step) before the step is left.
bool CWizAnswerMethodsPpg::OnKillActive()
{
    m_columns.CommitOpenEditor();
    return CConfigPropPage::OnKillActive();
}

bool CWizAnswerMethodsPpg::OnCommand(int id)
{
    if (id == IDC_ADD) {
        addMethod();
        return true;
    }
    return CConfigPropPage::OnCommand(id);
}

void CWizAnswerMethodsPpg::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    m_columns.FitColumns(m_methods.Count());
}

void CWizAnswerMethodsPpg::refreshGrid()
{
    if (!m_columns.IsReady())
        return;
    m_grid->SetMaxRows(m_methods.Count());
    m_columns.FillRows(m_methods);
    m_columns.FitColumns(m_methods.Count());
}

void CWizAnswerMethodsPpg::publishNames()
{
    if (CWizVoicePortsPpg *ports = voicePorts())
        ports->SetAnswerMethodList(m_methods.NamesText());
}

void CWizAnswerMethodsPpg::SetIntegrationGroupNames(const QString &names)
{
    m_columns.SetGroupNames(names);
    refreshGrid();
}

void CWizAnswerMethodsPpg::addMethod()
{
    AnswerMethodRecord record;
    record.rings = QStringLiteral("1");
    m_methods.Append(record);
    refreshGrid();
    PutGridCursor(m_grid, NameColumn, m_methods.Count());
    SetModified(true);
}

// --- cell events ------------------------------------------------------------------------

void CWizAnswerMethodsPpg::refuse(int col, int row, const QString &message, const QString &previous)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    // A refusal while the user moves to another cell holds the move back.
    m_invalidEntry = m_grid->currentRow() != row - 1 || m_grid->currentColumn() != col - 1;
    SetGridCellText(m_grid, col, row, previous);
    PutGridCursor(m_grid, col, row);
}

void CWizAnswerMethodsPpg::onCellChanged(int col, int row)
{
    m_invalidEntry = false;
    if (row < 1 || row > m_methods.Count())
        return;
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString text = GridCellText(m_grid, col, row);
    switch (col) {
    case NameColumn:
        nameChanged(row, text);
        break;
    case GreetingColumn:
        greetingChanged(row, text);
        break;
    case RingsColumn:
        // The server judges the count; the page keeps the number as typed.
        record.rings = QString::number(text.trimmed().toLong());
        SetGridCellText(m_grid, col, row, record.rings);
        SetModified(true);
        break;
    case GroupColumn:
        if (m_columns.IsGroupName(text)) {
            record.group = text;
            SetModified(true);
        } else {
            refuse(col, row, kInvalidGroup.arg(text), record.group);
        }
        break;
    default:
        break;
    }
}

void CWizAnswerMethodsPpg::nameChanged(int row, const QString &typed)
{
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString name = ConfigItemName(typed);
    SetGridCellText(m_grid, NameColumn, row, name);
    for (int n = 1; n <= m_methods.Count(); ++n)
        if (m_methods.Record(n).name == name)
            return refuse(NameColumn, row, CAnswerMethodGrid::NameTakenMessage(name), record.name);
    const QString oldName = record.name;
    record.name = name;
    if (CWizVoicePortsPpg *ports = voicePorts(); ports && !oldName.isEmpty())
        ports->RenameAnswerMethod(oldName, name);
    publishNames();
    SetModified(true);
}

void CWizAnswerMethodsPpg::greetingChanged(int row, const QString &typed)
{
    AnswerMethodRecord &record = m_methods.Record(row);
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        record.greeting.clear();
    } else {
        // Only a user-agent number can reach the server's list.
        const std::optional<quint32> number = CAnswerMethodList::ParseGreeting(text);
        if (typed.contains(u' ') || !number)
            return refuse(GreetingColumn, row, kInvalidGreeting.arg(typed), record.greeting);
        record.greeting = QString::number(*number);
        SetGridCellText(m_grid, GreetingColumn, row, record.greeting);
        // A missing user agent does not stop the configuration: it is made
        // later, as the warning says.
        try {
            if (IsErrorReply(Depot()->Channel()->Execute(QStringLiteral("GetUA %1").arg(*number))))
                AfxMessageBox(kMissingGreeting.arg(record.greeting), MB_OK | MB_ICONEXCLAMATION);
        } catch (const CZltException &failure) {
            failure.ReportError();
        }
    }
    m_columns.RebuildGreetingList(m_methods);
    SetModified(true);
}

void CWizAnswerMethodsPpg::onLeaveCell(int, int row, int, int, bool *cancel)
{
    if (!m_invalidEntry)
        return;
    m_invalidEntry = false;
    Q_UNUSED(row);
    *cancel = true;
    m_grid->setFocus(Qt::OtherFocusReason);
}
