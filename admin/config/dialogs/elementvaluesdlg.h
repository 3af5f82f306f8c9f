// "Element Values": edits a list value one element a row. Add puts a new
// element before the active row, Delete takes the active row away, Move Up
// and Move Down swap it with its neighbour, and a cell emptied by the user
// loses its row. OK joins the rows into a Tcl list again.
//
// The creator gives the list text it edits: the System Parameters list
// passes the active parameter's value, the Language page its own text.
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
        IDC_MOVE_DOWN = 1389
    };

    explicit CElementValuesDlg(QWidget *parent = nullptr, const QString &listText = QString());

    // The input list; after OK the joined result.
    QString m_strList;

    // The rows joined as the server reads a list: each element followed by
    // a blank, all of them braced when one holds a blank, and any element
    // that braces cannot carry quoted so it reads back the same.
    static QString JoinElements(const QStringList &elements);
    QStringList Elements() const;
    CSpreadSheet *Grid() const { return m_grid; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnOK() override;

private:
    void fill();
    void onAdd();
    void onDelete();
    void swapRows(int from, int to);
    void onCellChanged(int col, int row);
    void removeRow(int row);

    CSpreadSheet *m_grid;
};
