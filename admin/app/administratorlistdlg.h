// "Manage Administrators": the modeless list of the administrator accounts
// below the logged-in administrator's level, with Add, Modify and Delete.
// It holds a session of its own for as long as it is open; the main frame
// keeps it as one of its singleton windows and is told when it goes.
#pragma once

#include "platform/mfc/dialog.h"

#include <functional>
#include <memory>

class CColorListCtrl;
class CZELTSession;

class CAdministratorListDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 220,
        IDC_LIST = 1506,
        IDC_ADD = 1503,
        IDC_MODIFY = 1515,
        IDC_DELETE = 1296,
        IDC_CLOSE = 1530
    };

    // `onDestroyed` runs when the window is gone (the frame clears its slot).
    explicit CAdministratorListDlg(QWidget *parent = nullptr, std::function<void()> onDestroyed = {});
    ~CAdministratorListDlg() override;

    CColorListCtrl *List() const { return m_list; }
    QString SelectedName() const { return m_selectedName; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    void PostNcDestroy() override;

private:
    void fill();
    void selectName(const QString &name);
    void updateButtons();
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnClose();

    std::function<void()> m_onDestroyed;
    std::unique_ptr<CZELTSession> m_session;
    QString m_selectedName;
    CColorListCtrl *m_list;
    bool m_closed = false;
};
