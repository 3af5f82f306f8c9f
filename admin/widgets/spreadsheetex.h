// The grid whose last column takes up the width the other columns leave.
// SizeColumns measures that width twice, once without scroll bars and once
// with a vertical one; RestoreColumnWidth picks whichever measurement matches
// the grid after its rows were filled, so the last column never pushes a
// horizontal scroll bar into view when the vertical one appears.
#pragma once

#include "admin/widgets/spreadsheet.h"

class CSpreadSheetEx : public CSpreadSheet {
    Q_OBJECT
public:
    explicit CSpreadSheetEx(int dataColumns = 1, QWidget *parent = nullptr);

    void SizeColumns(int lastCol, bool includeColZero);
    void RestoreColumnWidth(int rowCount);

private:
    float lastColumnWidth(int clientWidth, float sum, float allowance, int count) const;

    int m_lastCol = 0;
    int m_clientWidth1 = 0;
    int m_clientWidth2 = 0;
    float m_lastColWidth1 = 0;
    float m_lastColWidth2 = 0;
};
