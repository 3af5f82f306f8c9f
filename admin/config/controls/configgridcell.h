// Small steps the configuration pages take on their grids, each one of the
// grid's cursor moves: read or write the text of one cell, write the column
// headers, make a cell a combo box, fit the last column to the grid, and
// put the user's active cell (and the focus) on a cell after a refused
// entry.
#pragma once

#include "admin/widgets/spreadsheetex.h"

#include <QStringList>

#include <initializer_list>

inline QString GridCellText(CSpreadSheet *grid, int col, int row)
{
    grid->SetCol(col);
    grid->SetRow(row);
    return grid->GetText();
}

inline void SetGridCellText(CSpreadSheet *grid, int col, int row, const QString &text)
{
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetText(text);
}

// Writes the column headers into row 0 and the widths of the first
// columns, from column 1 on.
inline void SetGridHeaders(CSpreadSheet *grid, const QStringList &headers, std::initializer_list<double> widths)
{
    for (int col = 1; col <= headers.size(); ++col)
        SetGridCellText(grid, col, 0, headers[col - 1]);
    int col = 1;
    for (double width : widths)
        grid->SetColWidth(col++, width);
}

// Gives the grid `rowCount` rows and its last column `lastCol` the width
// the other columns leave.
inline void FitGridColumns(CSpreadSheetEx *grid, int lastCol, int rowCount)
{
    grid->SizeColumns(lastCol, true);
    grid->RestoreColumnWidth(rowCount);
}

// Makes (col, row) a combo-box cell of `type` that offers `choices`
// (tab-separated) and writes `text` into it.
inline void SetGridComboCell(CSpreadSheet *grid, int col, int row, short type, const QString &choices,
                             const QString &text)
{
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetCellType(type);
    grid->SetTypeComboBoxList(choices);
    grid->SetText(text);
}

// Makes (col, row) the active cell and gives the grid the focus; row 0
// clears the active cell.
inline void PutGridCursor(CSpreadSheet *grid, int col, int row)
{
    grid->SetCol(col);
    grid->SetRow(row);
    if (row < 1 || col < 1)
        grid->setCurrentCell(-1, -1);
    else
        grid->SetAction(CSpreadSheet::ActionActiveCell);
    grid->setFocus(Qt::OtherFocusReason);
}
