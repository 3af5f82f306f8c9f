// Small steps the configuration pages take on their grids, each one of the
// grid's cursor moves: read or write the text of one cell, and put the
// user's active cell (and the focus) on a cell after a refused entry.
#pragma once

#include "admin/widgets/spreadsheet.h"

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
