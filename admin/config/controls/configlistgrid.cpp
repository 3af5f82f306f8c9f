// The list pages' buttons, current row and refusals; see configlistgrid.h.
#include "admin/config/controls/configlistgrid.h"

#include "admin/config/controls/configgridcell.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/mfc/dlgitem.h"
#include "platform/msgbox/msgbox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CConfigListGrid::CConfigListGrid(QWidget *page, CSpreadSheet *grid, int addId, int removeId,
                                 std::function<int()> recordCount)
    : QObject(page), m_grid(grid), m_remove(SetDlgCtrlID(new QPushButton(tr("Remove"), page), removeId)),
      m_recordCount(std::move(recordCount))
{
    // Remove is made first: it comes before Add in the page's tab order.
    auto *add = SetDlgCtrlID(new QPushButton(tr("Add"), page), addId);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(grid);
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(m_remove);

    connect(grid, &CSpreadSheet::Click, this, [this](int, int row) { onClick(row); });
    connect(grid, &CSpreadSheet::LeaveCell, this,
            [this](int, int row, int, int newRow, bool *cancel) { onLeaveCell(row, newRow, cancel); });
}

void CConfigListGrid::UpdateRemoveButton()
{
    const bool selected = m_currentRow >= 1 && m_currentRow <= m_recordCount();
    m_remove->setEnabled(selected);
    if (!selected)
        m_grid->setCurrentCell(-1, -1);
}

void CConfigListGrid::Refuse(int col, int row, const QString &message, const QString &previous)
{
    AfxMessageBox(message);
    m_refused = m_grid->currentRow() != row - 1 || m_grid->currentColumn() != col - 1;
    m_currentRow = row;
    SetGridCellText(m_grid, col, row, previous);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CConfigListGrid::onClick(int row)
{
    m_currentRow = row < 1 ? 0 : row;
    UpdateRemoveButton();
}

void CConfigListGrid::onLeaveCell(int row, int newRow, bool *cancel)
{
    if (m_refused) {
        m_refused = false;
        m_currentRow = row;
        *cancel = true;
        m_grid->setFocus(Qt::OtherFocusReason);
    } else if (newRow >= 1) {
        m_currentRow = newRow;
    }
    UpdateRemoveButton();
}
