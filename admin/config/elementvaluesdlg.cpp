// The Element Values dialog; see elementvaluesdlg.h.
#include "admin/config/elementvaluesdlg.h"

#include "admin/config/addlistelementdlg.h"
#include "admin/config/configgridcell.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CElementValuesDlg::CElementValuesDlg(QWidget *parent, const QString &listText)
    : CDialog(IDD, tr("Dialog"), parent), m_strList(listText),
      m_grid(SetDlgCtrlID(new CSpreadSheet(1, this), IDC_GRID))
{
    m_grid->setMinimumSize(300, 220);
    auto *buttons = new QVBoxLayout;
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
    buttons->addSpacing(12);
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Add"), this), IDC_ADD));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Delete"), this), IDC_DELETE));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Move Up"), this), IDC_MOVE_UP));
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Move Down"), this), IDC_MOVE_DOWN));
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    connect(m_grid, &CSpreadSheet::Change, this, &CElementValuesDlg::onCellChanged);
}

bool CElementValuesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    QStringList elements;
    CTclList().SplitList(m_strList, elements);
    m_grid->SetMaxRows(int(elements.size()));
    SetGridCellText(m_grid, 1, 0, tr("Element Values"));
    m_grid->SetColWidth(1, 33);
    for (int row = 1; row <= elements.size(); ++row)
        setRow(row, elements[row - 1]);
    return true;
}

bool CElementValuesDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addElement();
        return true;
    case IDC_DELETE:
        deleteElement();
        return true;
    case IDC_MOVE_UP:
        if (const int row = activeRow(); row > 1 && row <= m_grid->GetMaxRows())
            swapRows(row, row - 1);
        return true;
    case IDC_MOVE_DOWN:
        if (const int row = activeRow(); row >= 1 && row < m_grid->GetMaxRows())
            swapRows(row, row + 1);
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CElementValuesDlg::OnOK()
{
    QStringList elements;
    for (int row = 1; row <= m_grid->GetMaxRows(); ++row)
        elements.append(TclBareWord(GridCellText(m_grid, 1, row)));
    m_strList = elements.join(u' ');
    CDialog::OnOK();
}

// The grid's active row, 0 when there is none.
int CElementValuesDlg::activeRow() const
{
    return m_grid->currentRow() + 1;
}

void CElementValuesDlg::setRow(int row, const QString &text)
{
    SetGridCellText(m_grid, 1, row, text);
}

void CElementValuesDlg::swapRows(int row, int other)
{
    const QString text = GridCellText(m_grid, 1, row);
    setRow(row, GridCellText(m_grid, 1, other));
    setRow(other, text);
    PutGridCursor(m_grid, 1, other);
}

// The new element goes before the active row (at the end when none is).
void CElementValuesDlg::addElement()
{
    CAddListElementDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    const int row = activeRow() >= 1 ? activeRow() : m_grid->GetMaxRows() + 1;
    m_grid->insertRow(row - 1);
    setRow(row, dialog.m_strElement);
    PutGridCursor(m_grid, 1, row);
}

void CElementValuesDlg::deleteElement()
{
    if (const int row = activeRow(); row >= 1)
        m_grid->removeRow(row - 1);
}

// The grid reports the change from inside its editor's hand-over: the row
// goes once that is over.
void CElementValuesDlg::onCellChanged(int col, int row)
{
    if (col != 1 || !GridCellText(m_grid, col, row).isEmpty())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, row] {
            if (row <= m_grid->GetMaxRows() && GridCellText(m_grid, 1, row).isEmpty())
                m_grid->removeRow(row - 1);
        },
        Qt::QueuedConnection);
}
