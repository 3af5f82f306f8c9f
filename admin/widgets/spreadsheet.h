// The cell grid that admin's windows place in their dialogs (the synonym list
// of the General page, the distribution-list editor). Callers drive it the way
// they drove a spreadsheet control: they point a cursor at a cell with SetCol
// and SetRow and then read or write properties of "the current cell". Row 0 is
// the heading row and column 0 the heading column; data cells start at 1.
//
// Units: column widths are in characters of the grid's font, row heights in
// points, and the client area is reported in twips (1/1440 inch), which
// TwipsToColWidth turns into column-width units. CSpreadSheetEx fits the last
// column with these conversions, so they must stay consistent with each other.
#pragma once

#include <QIcon>
#include <QTableWidget>
#include <QVector>

class CSpreadSheet : public QTableWidget {
    Q_OBJECT
public:
    // Scroll-bar modes of SetScrollBars.
    enum ScrollBarMode : int {
        ScrollBarsNone = 0,
        ScrollBarsHorizontal = 1,
        ScrollBarsVertical = 2,
        ScrollBarsBoth = 3
    };
    // Cell types of SetCellType. A combo-box cell offers the items of its
    // list (SetTypeComboBoxList) and takes only one of them; an editable
    // combo-box cell also takes any text typed; a multi-line cell shows its
    // lines wrapped (lock it to keep it read-only).
    enum CellType : short {
        CellTypeEdit = 0,
        CellTypeStaticText = 2,
        CellTypeComboBox = 8,
        CellTypeEditComboBox = 9,
        CellTypeMultiLine = 10
    };
    // The one action callers use: make the current cell the active one.
    enum Action : short { ActionActiveCell = 0 };

    explicit CSpreadSheet(int dataColumns = 1, QWidget *parent = nullptr);

    // The cell cursor. Out-of-range positions are kept; accesses through them
    // read empty and write nothing.
    void SetCol(int col);
    int GetCol() const { return m_col; }
    void SetRow(int row);
    int GetRow() const { return m_row; }

    QString GetText() const;
    void SetText(const QString &text);
    // The value of a cell is its text; all cells of this grid hold text.
    QString GetValue() const { return GetText(); }

    void SetEnabled(bool enabled) { setEnabled(enabled); }
    bool GetEnabled() const { return isEnabled(); }

    int GetMaxRows() const { return rowCount(); }
    void SetMaxRows(int rows);
    int GetMaxCols() const { return columnCount(); }
    void SetMaxCols(int cols);
    // The last data row holding any text (0 when the grid is empty).
    int GetDataRowCnt() const;

    double GetColWidth(int col) const;
    void SetColWidth(int col, double width);
    void SetRowHeight(int row, double points);

    // The client area (heading column and data area, without scroll bars) in twips.
    void GetClientArea(int *width, int *height) const;
    void TwipsToColWidth(int twips, float *colWidth) const;

    int GetScrollBars() const { return m_scrollBars; }
    void SetScrollBars(int mode);
    // True: scroll bars appear only when the content needs them.
    bool GetScrollBarExtMode() const { return m_scrollBarsWhenNeeded; }
    void SetScrollBarExtMode(bool whenNeeded);
    // Repainting is switched off while callers rearrange columns.
    void SetReDraw(bool on) { setUpdatesEnabled(on); }

    void SetAction(short action);
    // Opens the editor of the active cell, as a double click would (a new
    // row whose first cell the user is to type); a cell that cannot be
    // edited stays closed.
    void EditActiveCell();
    // Whether a cell's editor is open.
    bool IsEditing() const { return state() == EditingState; }
    void SetCellType(short type);
    // A locked cell cannot be edited.
    void SetLock(bool locked);
    // The current cell's combo-box items, separated by tabs.
    void SetTypeComboBoxList(const QString &items);
    QString GetTypeComboBoxList() const;
    // The index of the current cell's text in its combo-box items, -1 when
    // it is none of them; setting it writes that item (-1 empties the cell).
    int GetTypeComboBoxCurSel() const;
    void SetTypeComboBoxCurSel(int index);
    int GetTypeComboBoxCount() const;
    // Gives the row (1 and up) the height its cells' lines need.
    void FitRowHeight(int row);
    // Drawn like the headings (shaded, bold).
    void SetHeadingStyle(bool heading);
    void SetTypePictPicture(const QIcon &picture);

signals:
    // The text of a data cell was edited by the user.
    void Change(int col, int row);
    // The active cell is about to move; a handler may keep it where it is.
    void LeaveCell(int col, int row, int newCol, int newRow, bool *cancel);
    void Click(int col, int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QTableWidgetItem *cursorItem(bool create) const;
    bool isDataCell(int col, int row) const;
    double characterWidth() const;
    int pixelsForWidth(double width) const;
    bool verticalBarShown(int clientHeight) const;
    bool horizontalBarShown() const;
    void applyScrollBarPolicies();
    void onItemChanged(QTableWidgetItem *item);
    void onSectionResized(int section, int oldSize, int newSize);

    int m_col = 1;
    int m_row = 1;
    QVector<double> m_colWidths; // index 0 is the heading column
    int m_scrollBars = ScrollBarsBoth;
    bool m_scrollBarsWhenNeeded = true;
    bool m_changingByCode = false;
    bool m_settingWidth = false;
    bool m_leavingCell = false;
    QString m_cornerText;
};
