// Fitting the last column of the grid: see spreadsheetex.h for why two widths
// are kept.
#include "admin/widgets/spreadsheetex.h"

#include <cstdlib>

namespace {
// The room each column's grid line takes, in twips.
constexpr int ColumnAllowanceTwips = 30;
} // namespace

CSpreadSheetEx::CSpreadSheetEx(int dataColumns, QWidget *parent) : CSpreadSheet(dataColumns, parent) {}

void CSpreadSheetEx::SizeColumns(int lastCol, bool includeColZero)
{
    m_lastCol = lastCol;
    float sum = 0;
    int count = 0;
    for (int col = includeColZero ? 0 : 1; col < lastCol; ++col, ++count)
        sum += float(GetColWidth(col));
    float allowance = 0;
    TwipsToColWidth(ColumnAllowanceTwips, &allowance);

    const int savedScrollBars = GetScrollBars();
    const bool savedWhenNeeded = GetScrollBarExtMode();
    int height = 0;

    SetScrollBars(ScrollBarsNone);
    GetClientArea(&m_clientWidth1, &height);
    m_lastColWidth1 = lastColumnWidth(m_clientWidth1, sum, allowance, count);

    SetScrollBars(ScrollBarsVertical);
    SetScrollBarExtMode(false);
    GetClientArea(&m_clientWidth2, &height);
    m_lastColWidth2 = lastColumnWidth(m_clientWidth2, sum, allowance, count);

    SetScrollBars(savedScrollBars);
    SetScrollBarExtMode(savedWhenNeeded);
    SetReDraw(true);
}

void CSpreadSheetEx::RestoreColumnWidth(int rowCount)
{
    SetMaxRows(rowCount);
    int width = 0;
    int height = 0;
    GetClientArea(&width, &height);
    const bool nearerFirst = std::abs(width - m_clientWidth1) < std::abs(width - m_clientWidth2);
    SetColWidth(m_lastCol, nearerFirst ? m_lastColWidth1 : m_lastColWidth2);
}

float CSpreadSheetEx::lastColumnWidth(int clientWidth, float sum, float allowance, int count) const
{
    float converted = 0;
    TwipsToColWidth(clientWidth, &converted);
    return converted - sum - allowance * float(count);
}
