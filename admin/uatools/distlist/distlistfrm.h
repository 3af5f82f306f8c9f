// The form of a distribution-list editor window: every distribution list
// in a grid, one row each (number, name, group, members, security code),
// and edit boxes for the row shown. A change made in a grid cell is saved
// when the cell is left or the window closes; Update List saves what the
// boxes changed; Delete List deletes the shown list.
//
// Every value reaches the server as data (the session's quoting helper),
// a refused change keeps both the grid and the server as they were (the
// members cell gets the server's list back, or keeps the last one known
// when even that cannot be read), and a save that fails while the window
// closes keeps it open. A new security code of the box the administrator
// logged in with becomes the program's login password only once the server
// took it.
#pragma once

#include "admin/session/tcllist.h"
#include "platform/mfc/dialog.h"

#include <QList>

#include <functional>
#include <optional>

class CDistListDoc;
class CServerCommandChannel;
class CSpreadSheet;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CDistListFrm : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 193,
        IDC_NUMBER_CAPTION = 1770,
        IDC_NAME = 1773,
        IDC_SECURITY_CODE = 1771,
        IDC_GROUP = 1772,
        IDC_MEMBERS = 1769,
        IDC_UPDATE = 1774,
        IDC_DELETE = 1296,
        IDC_CLOSE = 1636,
        IDC_HELP = 9,
        IDC_GRID = 1421,
    };
    // Grid columns.
    enum { ColNumber = 1, ColName, ColGroup, ColMembers, ColSecurityCode };

    // What the editor needs of the application.
    struct Services {
        // The application's session: the member check reads sys_dl_long on it.
        CServerCommandChannel *applicationChannel = nullptr;
        // The text of the distribution lists' root, read at login.
        QString rootText;
        // The box the administrator logged in with (-1 for none).
        long loginMailbox = -1;
        // Takes the new code of the login box as the program's password.
        std::function<void(const QString &)> rememberSecurityCode;
        // The change-security-code dialog: the new code, or nothing.
        std::function<std::optional<QString>(QWidget *parent, const QString &typed)> askSecurityCode;
    };

    CDistListFrm(CDistListDoc *document, Services services, QWidget *parent = nullptr);
    ~CDistListFrm() override;

    // Fills the grid from the server.
    void OnInitialUpdate();
    // Saves a grid cell left in edit; false when the server or the member
    // check refused it (the window must then stay open).
    bool SaveFieldChange();
    int RowCount() const { return int(m_rows.size()); }
    int CurrentRow() const { return m_currentRow; }
    CSpreadSheet *Grid() const { return m_grid; }

signals:
    // Close was clicked and nothing is left unsaved.
    void closeRequested();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    struct Row {
        long number = 0;
        QString name;
        QString group;
        QString members;
        quint32 changeNumber = 0;
    };

    void buildControls();
    bool fillGrid();
    void showRow(int row);
    void setCell(int col, int row, const QString &text);
    QString cell(int col, int row) const;
    bool saveColumn(int col, int row, const QString &text);
    bool saveProperty(int row, const QString &property, const QString &value, const char *failure);
    bool saveMembers(int row, QString text);
    void restoreMembers(int row);
    bool changeSecurityCode(int row, const QString &typed);
    void securityCodeLeft();
    void OnUpdateList();
    void OnDeleteList();
    void OnClose();

    CDistListDoc *m_document;
    Services m_services;
    CServerCommandChannel *m_channel = nullptr;
    CTclList m_splitter;
    QList<Row> m_rows;
    int m_currentRow = 0;
    bool m_fieldInEdit = false;
    int m_editCol = 0;
    int m_editRow = 0;
    bool m_loaded = false;
    bool m_fillingGrid = false;
    QString m_shownName;
    QString m_shownGroup;
    QString m_shownMembers;
    QString m_shownCode;
    QLabel *m_caption;
    QLineEdit *m_name;
    QLineEdit *m_securityCode;
    QLineEdit *m_group;
    QPlainTextEdit *m_members;
    QPushButton *m_update;
    QPushButton *m_delete;
    CSpreadSheet *m_grid;
};
