// The wizard's voice-port step; see wizvoiceportsppg.h.
#include "admin/config/wizard/wizvoiceportsppg.h"

#include "admin/config/configdepot.h"
#include "admin/config/configpropsheet.h"
#include "admin/session/tcllist.h"
#include "admin/widgets/gridarrowkeys.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 3;
const char *const kHeaders[kColumns] = {"Port", "Extension", "Answer Method"};
const char *const kTexts[] = {
    "Assign an Answer Method to each of the voice ports by selecting one from the list.",
    "If you want to define additional Answer Methods, return to the previous page by clicking on the Back button.",
    "When you are ready with the voice port setup, click on the Next button to select holidays."};

QStringList splitList(const QString &text)
{
    QStringList elements;
    CTclList().SplitList(text, elements);
    return elements;
}

QLabel *paragraph(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CWizVoicePortsPpg::CWizVoicePortsPpg()
    : CConfigPropPage(IDD, QStringLiteral("Configuration Wizard - Set Up Voice Ports"),
                      CConfigPropSheet::ID_CONFIG_VOICE_PORTS)
{
    m_grid = SetDlgCtrlID(new CSpreadSheetEx(kColumns, this), IDC_PORT_GRID);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(paragraph(kTexts[0], this));
    layout->addWidget(m_grid, 1);
    layout->addWidget(paragraph(kTexts[1], this));
    layout->addWidget(paragraph(kTexts[2], this));
    setMinimumSize(520, 340);
    connect(m_grid, &CSpreadSheet::Change, this, &CWizVoicePortsPpg::onCellChanged);
    connect(m_grid, &CSpreadSheet::LeaveCell, this, &CWizVoicePortsPpg::onLeaveCell);
}

void CWizVoicePortsPpg::LoadFromDepot()
{
    const CConfigDepot &depot = *Depot();
    m_portCount = depot.m_voicePortCount;
    m_ports = {CVoicePortsPpg::PortRecord()};
    for (int n = 1; n <= m_portCount; ++n) {
        CVoicePortsPpg::PortRecord record = CVoicePortsPpg::ParseLine(depot.m_voicePortLines.value(n - 1));
        record.label = QString::number(n);
        m_ports.append(record);
    }
    // The server's methods, until the answer-method step tells its own.
    m_answerMethodNames.clear();
    for (const QString &method : splitList(depot.m_answerMethods))
        m_answerMethodNames.append(splitList(method).value(0));
    refreshGrid();
    SetModified(false);
}

void CWizVoicePortsPpg::SaveToDepot()
{
    CConfigDepot &depot = *Depot();
    for (int n = 1; n <= m_portCount && n <= depot.m_voicePortLines.size(); ++n)
        depot.m_voicePortLines[n - 1] = CVoicePortsPpg::FormatLine(m_ports[n]);
    SetModified(false);
}

bool CWizVoicePortsPpg::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_grid->SetRow(0);
    for (int col = 1; col <= kColumns; ++col) {
        m_grid->SetCol(col);
        m_grid->SetText(QString::fromLatin1(kHeaders[col - 1]));
    }
    m_grid->SetMaxCols(kColumns);
    m_grid->SetColWidth(ColPort, 5);
    m_grid->SetColWidth(ColExtension, 12);
    m_grid->SetColWidth(ColAnswerMethod, 24);
    m_gridReady = true;
    refreshGrid();
    new CGridArrowKeys(this, m_grid);
    return true;
}

void CWizVoicePortsPpg::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    fitColumns();
}

void CWizVoicePortsPpg::fitColumns()
{
    if (!m_gridReady)
        return;
    m_grid->SizeColumns(ColAnswerMethod, true);
    m_grid->RestoreColumnWidth(m_portCount);
}

bool CWizVoicePortsPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CConfigPropPage::OnSetActive();
}

void CWizVoicePortsPpg::writeCell(int col, int row, const QString &text)
{
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    m_grid->SetText(text);
}

void CWizVoicePortsPpg::refreshGrid()
{
    if (!m_gridReady)
        return;
    m_grid->SetMaxRows(m_portCount);
    const QString methodList = m_answerMethodNames.join(u'\t');
    for (int n = 1; n <= m_portCount; ++n) {
        const CVoicePortsPpg::PortRecord &record = m_ports[n];
        m_grid->SetRow(n);
        m_grid->SetCol(ColPort);
        m_grid->SetCellType(CSpreadSheet::CellTypeStaticText);
        m_grid->SetLock(true);
        m_grid->SetText(record.label);
        writeCell(ColExtension, n, record.extension);
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetCellType(CSpreadSheet::CellTypeComboBox);
        m_grid->SetTypeComboBoxList(methodList);
        m_grid->SetText(record.answerMethod);
    }
    fitColumns();
}

void CWizVoicePortsPpg::SetAnswerMethodList(const QString &names)
{
    m_answerMethodNames = names.isEmpty() ? QStringList() : names.split(u'\t');
    if (!m_gridReady)
        return;
    for (int n = 1; n <= m_portCount; ++n) {
        m_grid->SetRow(n);
        m_grid->SetCol(ColAnswerMethod);
        m_grid->SetTypeComboBoxList(names);
    }
}

void CWizVoicePortsPpg::RenameAnswerMethod(const QString &oldName, const QString &newName)
{
    for (int n = 1; n <= m_portCount; ++n)
        if (m_ports[n].answerMethod == oldName)
            m_ports[n].answerMethod = newName;
    if (!m_answerMethodNames.contains(newName))
        m_answerMethodNames.append(newName);
    refreshGrid();
}

void CWizVoicePortsPpg::onCellChanged(int col, int row)
{
    m_invalidExtension = false;
    if (row < 1 || row > m_portCount)
        return;
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    const QString text = m_grid->GetText();
    CVoicePortsPpg::PortRecord &record = m_ports[row];
    if (col == ColExtension) {
        if (text.contains(u' ')) {
            m_invalidExtension = true;
            AfxMessageBox(QStringLiteral("Invalid Extension '%1'. Try to reenter an Extension after closing this "
                                         "message box.")
                              .arg(text),
                          MB_OK | MB_ICONEXCLAMATION);
            writeCell(ColExtension, row, record.extension);
            m_grid->SetAction(CSpreadSheet::ActionActiveCell);
            m_grid->setFocus();
            return;
        }
        record.extension = text;
    } else if (col == ColAnswerMethod) {
        if (text.contains(u' ') || (!text.isEmpty() && !m_answerMethodNames.contains(text))) {
            AfxMessageBox(QStringLiteral("Invalid Answer Method Name '%1'. Try to enter or select an Answer Method "
                                         "Name from the list after closing this message box.")
                              .arg(text),
                          MB_OK | MB_ICONEXCLAMATION);
            writeCell(ColAnswerMethod, row, record.answerMethod);
            return;
        }
        record.answerMethod = text;
    }
    SetModified(true);
}

void CWizVoicePortsPpg::onLeaveCell(int col, int row, int, int, bool *cancel)
{
    if (!m_invalidExtension)
        return;
    m_invalidExtension = false;
    m_grid->SetCol(col);
    m_grid->SetRow(row);
    *cancel = true;
    m_grid->setFocus();
}
