// The choice File New offers when the program has windows of more than one
// kind to open anew: a list of their names, the first one chosen, OK opens
// the chosen kind (a double click too). The frame opens it; the dialog only
// tells which.
#pragma once

#include "platform/mfc/dialog.h"

#include <QStringList>

class QListWidget;

class CNewTypeDlg : public CDialog {
    Q_OBJECT
public:
    // No help topic of its own.
    enum { IDD = 0, IDC_TYPES = 100 };

    CNewTypeDlg(const QStringList &names, QWidget *parent = nullptr);

    // After IDOK: the index of the chosen name in the list given.
    int GetSelection() const { return m_selection; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QListWidget *m_types;
    int m_selection = -1;
};
