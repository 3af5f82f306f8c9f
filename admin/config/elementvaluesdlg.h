// The Element Values dialog: edits a list value element by element in a
// one-column grid, with Add, Delete, Move Up and Move Down. The opener
// gives the list text and reads it back after OK. An element emptied in
// its cell leaves the list.
//
// The list is read with the Tcl library's list rules and written with the
// session's quoting, so an element with blanks, braces or backslashes
// comes back as the same string.
#pragma once

#include "platform/mfc/dialog.h"

class CSpreadSheet;

class CElementValuesDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 186,
        IDC_ADD = 1385,
        IDC_DELETE = 1386,
        IDC_GRID = 1387,
        IDC_MOVE_UP = 1388,
        IDC_MOVE_DOWN = 1389,
    };

    CElementValuesDlg(QWidget *parent, const QString &listText = QString());

    // The input list and, after OK, the result.
    QString m_strList;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnOK() override;

private:
    int activeRow() const;
    void setRow(int row, const QString &text);
    void swapRows(int row, int other);
    void addElement();
    void deleteElement();
    void onCellChanged(int col, int row);

    CSpreadSheet *m_grid;
};
