// The About box: who made the program, which version it is, and which
// version the server says it runs ("set version_string" on the
// application's session, shown only when the server answered it).
#pragma once

#include "platform/mfc/dialog.h"

class CServerCommandChannel;

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 100,
        IDC_SERVER_VERSION = 1676,
        IDC_COMPANY = 1677,
        IDC_PRODUCT_VERSION = 1678,
    };
    static constexpr const char *ProductName = "Verbanta ES Administration";

    // `server` may be null (no session): the server's line stays empty.
    explicit CAboutDlg(CServerCommandChannel *server, QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;

private:
    CServerCommandChannel *m_server;
};
