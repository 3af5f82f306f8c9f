// The grid as its callers drive it: a cell cursor, heading row and column,
// widths in their units, user edits reported, and the last column fitted to
// the width with and without a vertical scroll bar.
#include "admin/widgets/spreadsheetex.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString cellText(CSpreadSheet &grid, int col, int row)
{
    grid.SetCol(col);
    grid.SetRow(row);
    return grid.GetText();
}

void setCellText(CSpreadSheet &grid, int col, int row, const QString &text)
{
    grid.SetCol(col);
    grid.SetRow(row);
    grid.SetText(text);
}

} // namespace

TEST(SpreadSheet, CursorAddressesDataAndHeadingCells)
{
    CSpreadSheet grid(3);
    grid.SetMaxRows(2);
    setCellText(grid, 2, 1, QStringLiteral("Synonyms"));
    setCellText(grid, 2, 0, QStringLiteral("heading"));
    setCellText(grid, 0, 2, QStringLiteral("B"));

    EXPECT_EQ(cellText(grid, 2, 1), QStringLiteral("Synonyms"));
    EXPECT_EQ(grid.item(0, 1)->text(), QStringLiteral("Synonyms"));
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("heading"));
    EXPECT_EQ(cellText(grid, 2, 0), QStringLiteral("heading"));
    EXPECT_EQ(cellText(grid, 0, 2), QStringLiteral("B"));
    EXPECT_EQ(cellText(grid, 0, 1), QStringLiteral("1")) << "unlabelled rows show their number";
    EXPECT_EQ(cellText(grid, 1, 1), QString());
    EXPECT_EQ(grid.GetValue(), QString());
}

TEST(SpreadSheet, CursorOutsideTheGridReadsEmptyAndWritesNothing)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(1);
    for (const auto &[col, row] : {std::pair{3, 1}, {1, 2}, {-1, 1}, {1, -1}}) {
        setCellText(grid, col, row, QStringLiteral("x"));
        EXPECT_EQ(cellText(grid, col, row), QString()) << col << "," << row;
    }
    EXPECT_EQ(grid.GetDataRowCnt(), 0);
    EXPECT_EQ(grid.GetMaxRows(), 1);
}

TEST(SpreadSheet, RowCountAndLastRowWithData)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(5);
    EXPECT_EQ(grid.GetMaxRows(), 5);
    EXPECT_EQ(grid.GetDataRowCnt(), 0);
    setCellText(grid, 2, 3, QStringLiteral("x"));
    EXPECT_EQ(grid.GetDataRowCnt(), 3);
    grid.SetMaxRows(2);
    EXPECT_EQ(grid.GetDataRowCnt(), 0) << "rows cut off take their text with them";
    grid.SetMaxRows(-4);
    EXPECT_EQ(grid.GetMaxRows(), 0);
}

TEST(SpreadSheet, ColumnWidthsAndHeadingRowHeight)
{
    CSpreadSheet grid(2);
    grid.SetColWidth(1, 12.5);
    EXPECT_DOUBLE_EQ(grid.GetColWidth(1), 12.5);
    const int charWidth = grid.fontMetrics().averageCharWidth();
    EXPECT_EQ(grid.columnWidth(0), qRound(12.5 * charWidth));

    grid.SetColWidth(0, 0);
    EXPECT_TRUE(grid.verticalHeader()->isHidden()) << "a heading column of width 0 is not shown";
    grid.SetColWidth(0, 3);
    EXPECT_FALSE(grid.verticalHeader()->isHidden());

    grid.SetRowHeight(0, 20.0);
    EXPECT_EQ(grid.horizontalHeader()->height(), qRound(20.0 * grid.logicalDpiY() / 72.0));
    EXPECT_DOUBLE_EQ(grid.GetColWidth(7), 0.0);
}

TEST(SpreadSheet, ReportsUserEditsButNotItsOwnWrites)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(2);
    QSignalSpy changes(&grid, &CSpreadSheet::Change);
    setCellText(grid, 1, 1, QStringLiteral("by code"));
    EXPECT_EQ(changes.count(), 0);

    // An edit committed by the cell editor arrives through the item.
    grid.item(0, 0)->setText(QStringLiteral("typed"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 1);
    EXPECT_EQ(changes.at(0).at(1).toInt(), 1);
}

TEST(SpreadSheet, LeaveCellHandlerCanKeepTheActiveCell)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(3);
    grid.SetCol(1);
    grid.SetRow(1);
    grid.SetAction(CSpreadSheet::ActionActiveCell);
    EXPECT_EQ(grid.currentRow(), 0);

    bool refuse = true;
    QList<QList<int>> leaves;
    QObject::connect(&grid, &CSpreadSheet::LeaveCell,
                     [&](int col, int row, int newCol, int newRow, bool *cancel) {
                         leaves.append({col, row, newCol, newRow});
                         *cancel = refuse;
                     });
    grid.setCurrentCell(2, 1);
    ASSERT_EQ(leaves.size(), 1);
    EXPECT_EQ(leaves.at(0), (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(grid.currentRow(), 0) << "a refused leave keeps the cell";
    EXPECT_EQ(grid.currentColumn(), 0);

    refuse = false;
    grid.setCurrentCell(2, 1);
    EXPECT_EQ(grid.currentRow(), 2);
}

TEST(SpreadSheet, StaticAndLockedCellsAreNotEditable)
{
    CSpreadSheet grid(3);
    grid.SetMaxRows(1);
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetCellType(CSpreadSheet::CellTypeStaticText);
    grid.SetHeadingStyle(true);
    grid.SetCol(2);
    grid.SetLock(true);
    grid.SetCol(3);
    grid.SetText(QStringLiteral("free"));

    EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.item(0, 0)->font().bold());
    EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.item(0, 2)->flags() & Qt::ItemIsEditable);

    grid.SetCol(2);
    grid.SetLock(false);
    EXPECT_TRUE(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
}

TEST(SpreadSheet, ComboCellsOfferTheirListAndReportTheChoice)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(1);
    grid.show();
    setCellText(grid, 1, 1, QStringLiteral("Night"));
    grid.SetCellType(CSpreadSheet::CellTypeComboBox);
    grid.SetTypeComboBoxList(QStringLiteral("Day\tNight\tWeekend"));
    EXPECT_EQ(grid.GetTypeComboBoxCount(), 3);
    EXPECT_EQ(grid.GetTypeComboBoxCurSel(), 1);
    grid.SetTypeComboBoxCurSel(2);
    EXPECT_EQ(grid.GetText(), "Weekend");
    grid.SetTypeComboBoxCurSel(-1);
    EXPECT_EQ(grid.GetText(), "");
    EXPECT_EQ(grid.GetTypeComboBoxCurSel(), -1);
    EXPECT_TRUE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);

    // The user picks from a combo box holding the list; the pick is an edit.
    QSignalSpy changes(&grid, &CSpreadSheet::Change);
    grid.editItem(grid.item(0, 0));
    auto *combo = grid.viewport()->findChild<QComboBox *>();
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->count(), 3);
    combo->setCurrentIndex(0);
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::qWait(0);
    EXPECT_EQ(cellText(grid, 1, 1), "Day");
    EXPECT_EQ(changes.count(), 1);

    // An editable combo-box cell takes a text of its own too.
    setCellText(grid, 2, 1, QString());
    grid.SetCellType(CSpreadSheet::CellTypeEditComboBox);
    grid.SetTypeComboBoxList(QStringLiteral("997\t2000"));
    grid.editItem(grid.item(0, 1));
    QComboBox *editable = nullptr;
    for (QComboBox *candidate : grid.viewport()->findChildren<QComboBox *>())
        if (candidate->isVisible())
            editable = candidate;
    ASSERT_NE(editable, nullptr);
    EXPECT_TRUE(editable->isEditable());
    editable->setEditText(QStringLiteral("2100"));
    QTest::keyClick(editable, Qt::Key_Return);
    QTest::qWait(0);
    EXPECT_EQ(cellText(grid, 2, 1), "2100");
}

TEST(SpreadSheet, MultiLineCellsAreReadOnlyWhenLockedAndFitTheirRow)
{
    CSpreadSheet grid(1);
    grid.SetMaxRows(1);
    setCellText(grid, 1, 1, QStringLiteral("Pager\nOutdial\nNight"));
    grid.SetCellType(CSpreadSheet::CellTypeMultiLine);
    grid.SetLock(true);
    EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEditable);
    const int oneLine = grid.rowHeight(0);
    grid.FitRowHeight(1);
    EXPECT_GT(grid.rowHeight(0), oneLine);
}

TEST(SpreadSheet, PictureAndEnabledState)
{
    CSpreadSheet grid(1);
    grid.SetMaxRows(1);
    grid.SetCol(1);
    grid.SetRow(1);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::green);
    grid.SetTypePictPicture(QIcon(pixmap));
    EXPECT_FALSE(grid.item(0, 0)->icon().isNull());
    grid.SetEnabled(false);
    EXPECT_FALSE(grid.GetEnabled());
}

class SpreadSheetFitting : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_grid.resize(420, 200);
        m_grid.SetColWidth(0, 4);
        m_grid.SetColWidth(1, 6);
        m_grid.SetColWidth(2, 10);
        m_grid.SetRowHeight(0, 20.0);
    }
    // Pixels taken by the heading column and all data columns.
    int usedWidth() const
    {
        int used = m_grid.verticalHeader()->width();
        for (int col = 0; col < m_grid.columnCount(); ++col)
            used += m_grid.columnWidth(col);
        return used;
    }
    CSpreadSheetEx m_grid{3};
};

TEST_F(SpreadSheetFitting, LastColumnTakesTheRestOfTheWidth)
{
    m_grid.SizeColumns(3, true);
    m_grid.RestoreColumnWidth(2);
    const int clientWidth = m_grid.width() - 2 * m_grid.frameWidth();
    EXPECT_LE(usedWidth(), clientWidth);
    EXPECT_GE(usedWidth(), clientWidth - 3 * 3) << "only the grid lines' allowance is left over";

    m_grid.show();
    QApplication::processEvents();
    EXPECT_FALSE(m_grid.horizontalScrollBar()->isVisible());
}

TEST_F(SpreadSheetFitting, ManyRowsLeaveRoomForTheVerticalScrollBar)
{
    m_grid.SizeColumns(3, true);
    m_grid.RestoreColumnWidth(2);
    const double fewRowsWidth = m_grid.GetColWidth(3);
    m_grid.RestoreColumnWidth(200);
    const double manyRowsWidth = m_grid.GetColWidth(3);

    const int extent = m_grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_grid);
    const double charWidth = m_grid.fontMetrics().averageCharWidth();
    EXPECT_NEAR((fewRowsWidth - manyRowsWidth) * charWidth, extent, 1.5);

    m_grid.show();
    QApplication::processEvents();
    EXPECT_TRUE(m_grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(m_grid.horizontalScrollBar()->isVisible());
}

TEST_F(SpreadSheetFitting, SizingLeavesTheScrollBarSettingsAsTheyWere)
{
    m_grid.SetScrollBars(CSpreadSheet::ScrollBarsHorizontal);
    m_grid.SetScrollBarExtMode(true);
    m_grid.SizeColumns(3, false);
    EXPECT_EQ(m_grid.GetScrollBars(), CSpreadSheet::ScrollBarsHorizontal);
    EXPECT_TRUE(m_grid.GetScrollBarExtMode());
    EXPECT_TRUE(m_grid.updatesEnabled());
}

TEST_F(SpreadSheetFitting, WithoutColumnZeroItsWidthIsNotSubtracted)
{
    m_grid.SizeColumns(3, true);
    m_grid.RestoreColumnWidth(1);
    const double withZero = m_grid.GetColWidth(3);
    m_grid.SizeColumns(3, false);
    m_grid.RestoreColumnWidth(1);
    const double withoutZero = m_grid.GetColWidth(3);
    float allowance = 0;
    m_grid.TwipsToColWidth(30, &allowance);
    EXPECT_NEAR(withoutZero - withZero, 4 + allowance, 1e-3);
}

TEST(SpreadSheet, EditingTheActiveCellOpensItsEditorUnlessTheCellIsStatic)
{
    CSpreadSheet grid(2);
    grid.SetMaxRows(1);
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetCellType(CSpreadSheet::CellTypeStaticText);
    grid.SetCol(2);
    grid.SetText(QString());
    grid.show();
    QSignalSpy changes(&grid, &CSpreadSheet::Change);

    grid.SetCol(1);
    grid.SetAction(CSpreadSheet::ActionActiveCell);
    grid.EditActiveCell();
    EXPECT_EQ(grid.findChild<QLineEdit *>(), nullptr);

    grid.SetCol(2);
    grid.SetAction(CSpreadSheet::ActionActiveCell);
    grid.EditActiveCell();
    auto *editor = grid.findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Main Office"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the key has been handled.
    QCoreApplication::processEvents();
    EXPECT_EQ(cellText(grid, 2, 1), "Main Office");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 2);
}
