// The wizard's voice-port step; see wizvoiceportsppg.h.
#include "admin/config/wizard/wizvoiceportsppg.h"

#include "admin/config/depot/configdepot.h"
#include "admin/config/controls/configgridcell.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/widgets/gridarrowkeys.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/mfc/dlgitem.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/msgbox.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

const char *const kTexts[] = {
    "Assign an Answer Method to each of the voice ports by selecting one from the list.",
    "If you want to define additional Answer Methods, return to the previous page by clicking on the Back button.",
    "When you are ready with the voice port setup, click on the Next button to select holidays."};

QLabel *paragraph(const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CWizVoicePortsPpg::CWizVoicePortsPpg()
    : CConfigPropPage(IDD, QStringLiteral("Configuration Wizard - Set Up Voice Ports"),
                      CConfigPropSheet::ID_CONFIG_VOICE_PORTS),
      m_grid(SetDlgCtrlID(new CSpreadSheetEx(ColAnswerMethod, this), IDC_PORT_GRID)), m_columns(m_grid)
{
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
    m_ports.Load(depot.m_voicePortLines, depot.m_voicePortCount);
    // The server's methods, until the answer-method step tells its own.
    m_columns.TakeDepotAnswerMethods(depot.m_answerMethods);
    refreshGrid();
    SetModified(false);
}

void CWizVoicePortsPpg::SaveToDepot()
{
    m_ports.Store(Depot()->m_voicePortLines);
    SetModified(false);
}

bool CWizVoicePortsPpg::OnInitDialog()
{
    CConfigPropPage::OnInitDialog();
    m_columns.Initialise({QStringLiteral("Port"), QStringLiteral("Extension"), QStringLiteral("Answer Method")},
                         {5, 12, 24});
    refreshGrid();
    new CGridArrowKeys(this, m_grid);
    return true;
}

void CWizVoicePortsPpg::resizeEvent(QResizeEvent *event)
{
    CConfigPropPage::resizeEvent(event);
    m_columns.FitColumns(m_ports.Count());
}

bool CWizVoicePortsPpg::OnSetActive()
{
    if (CPropertySheet *sheet = GetParentSheet())
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CConfigPropPage::OnSetActive();
}

void CWizVoicePortsPpg::refreshGrid()
{
    if (!m_columns.IsReady())
        return;
    m_columns.FillRows(m_ports);
    m_columns.FitColumns(m_ports.Count());
}

void CWizVoicePortsPpg::SetAnswerMethodList(const QString &names)
{
    m_columns.SetAnswerMethodList(names, m_ports.Count());
}

void CWizVoicePortsPpg::RenameAnswerMethod(const QString &oldName, const QString &newName)
{
    m_ports.ReplaceAnswerMethod(oldName, newName);
    m_columns.AddAnswerMethodName(newName);
    refreshGrid();
}

void CWizVoicePortsPpg::onCellChanged(int col, int row)
{
    m_columns.ForgetRefusal();
    if (row < 1 || row > m_ports.Count())
        return;
    const QString text = GridCellText(m_grid, col, row);
    VoicePortRecord &record = m_ports.Record(row);
    if (col == ColExtension) {
        if (!m_columns.TakeExtension(row, record, text))
            return;
    } else if (col == ColAnswerMethod) {
        if (text.contains(u' ') || (!text.isEmpty() && !m_columns.AnswerMethodNames().contains(text))) {
            AfxMessageBox(QStringLiteral("Invalid Answer Method Name '%1'. Try to enter or select an Answer Method "
                                         "Name from the list after closing this message box.")
                              .arg(text),
                          MB_OK | MB_ICONEXCLAMATION);
            SetGridCellText(m_grid, ColAnswerMethod, row, record.answerMethod);
            return;
        }
        record.answerMethod = text;
    }
    SetModified(true);
}

void CWizVoicePortsPpg::onLeaveCell(int col, int row, int, int, bool *cancel)
{
    m_columns.HoldBackRefusedMove(col, row, cancel);
}
