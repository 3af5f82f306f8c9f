// What the configuration window's list pages (Answer Methods, IVR Hosts)
// share around their grid of one record a row: the Add and Remove buttons
// below it, the current row that Remove acts on and that enables it, and a
// refused cell that holds back the user's move to another cell, so that the
// user is returned to the value to mend. What a page checks in a cell and
// what its Add and Remove do stay with the page.
#pragma once

#include <QObject>

#include <functional>

class CSpreadSheet;
class QPushButton;
class QWidget;

class CConfigListGrid : public QObject {
    Q_OBJECT
public:
    // Lays out `page`: `grid` above, the Add and Remove buttons (control ids
    // `addId` and `removeId`, their clicks reach the page's OnCommand) at
    // the right below it. `recordCount` tells how many records the grid
    // shows. Owned by the page.
    CConfigListGrid(QWidget *page, CSpreadSheet *grid, int addId, int removeId, std::function<int()> recordCount);

    // The row Remove acts on, 0 for none.
    int CurrentRow() const { return m_currentRow; }
    void SetCurrentRow(int row) { m_currentRow = row; }
    // Remove is enabled while the current row is a record; without one the
    // grid has no active cell either.
    void UpdateRemoveButton();

    // Shows `message`, writes `previous` back into the cell, makes its row
    // current and gives the grid the focus. Refused while the user moves to
    // another cell, the entry holds that move back; refused where it was
    // confirmed (Enter), it has nothing to hold back.
    void Refuse(int col, int row, const QString &message, const QString &previous);
    // A new entry starts without the hold-back of an earlier one.
    void ForgetRefusal() { m_refused = false; }

private:
    void onClick(int row);
    void onLeaveCell(int row, int newRow, bool *cancel);

    CSpreadSheet *m_grid;
    QPushButton *m_remove;
    std::function<int()> m_recordCount;
    int m_currentRow = 0;
    bool m_refused = false;
};
