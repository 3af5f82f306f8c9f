// The main window of admin: an MDI frame with the menus of the administrator's
// rights level, the Administration Tools and Configuration Tools toolbars,
// and the status bar with the server. Every command of the menus comes here
// by id (from a menu item, a toolbar button, a key, or a WM_COMMAND posted to
// the frame's handle) and runs only while it is enabled: enabled means the
// frame has a handler for it and the rights word allows it.
//
// The frame also ends the program when the server goes away (WM_SERVER_EXIT),
// keeps the open Tcl consoles and the modeless singleton windows, and closes
// its windows before itself: it asks the consoles to close and waits for
// them to go, instead of asking itself again and again.
//
// The application object makes the frame after login (LoadFrame with its
// menu id), gives it the server's name, shows it and posts the first
// window's command to it.
#pragma once

#include "admin/app/acceleratortable.h"
#include "admin/config/window/configwindowhost.h"
#include "platform/messages/messagetarget.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class CUserAgentListDlg;

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CAdminTemplate;
class CAdminView;
class CConfigDocTemplate;
class CZELTSession;
class CCoolMenuManager;
class CZELTSession;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow, public CMessageTarget, public CConfigWindowHost {
    Q_OBJECT
public:
    // The modeless singleton windows the frame keeps, by slot.
    enum EditorSlot {
        SlotIvr = 1,
        SlotRunIvrAlias = 2,
        SlotEditIvrAlias = 3,
        SlotAmisGateway = 4,
        SlotAmisProxy = 5,
        SlotDirectSendVoice = 6,
        SlotDirectSendFax = 7,
        SlotManageAdministrators = 8,
        SlotVpimGateway = 9,
        SlotVpimProxy = 10,
    };
    static constexpr int EditorSlots = 10;

    CMainFrame();
    ~CMainFrame() override;

    // Builds the frame for a menu resource (120, 236 or 216): menus,
    // toolbars by the rights of the application, status bar, keys; and makes
    // the frame the window told when the server goes away. False for an
    // unknown menu or when the toolbar images cannot be loaded.
    bool LoadFrame(int menuId);
    int MenuId() const { return m_menuId; }
    // Shows the frame the first time: maximised, and at a normal size that
    // is its screen's whole work area, so that the largest window it holds
    // (the mailbox editor) is in sight also where the frame is not
    // maximised (a desktop without a window manager that does it).
    void ShowAtFirstSize();

    // The server shown in the status bar.
    void SetServerText(const QString &host);
    QString ServerText() const { return m_serverText; }

    // Runs a command when it is enabled; false when it is not.
    bool OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;
    // The action of a command of the command table.
    QAction *CommandAction(int id) const;
    // Brings every action's enabled and checked state up to date (done before
    // each menu opens and regularly for the toolbars).
    void UpdateCommandUI();

    // A singleton window that goes away forgets its slot (1 to 10).
    void ClearEditorWindow(int slot);
    // A console that closes takes itself out of the console list.
    void RemoveSession(HWND console);
    QList<HWND> Consoles() const { return m_consoles; }

    QMdiArea *MdiArea() const { return m_mdiArea; }
    QToolBar *AdministrationToolBar() const { return m_adminToolBar; }
    // Null when these rights get no Configuration Tools toolbar.
    QToolBar *ConfigurationToolBar() const { return m_configToolBar; }
    CCoolMenuManager *MenuManager() const { return m_menuManager; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The configuration window: a page command opens it when it is closed
    // and shows the command's page (WM_SHOW_CONFIG_PAGE).
    void OpenConfigurationPage(int pageId);
    bool IsConfigWindowOpen() const override { return m_configWindowOpen; }
    void OnConfigWindowOpened(CConfigPropFrame *frame) override;
    QMdiArea *ConfigMdiArea() const override { return m_mdiArea; }
    HWND ConfigMainWindow() const override { return GetSafeHwnd(); }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    using Handler = void (CMainFrame::*)();

    void createActions();
    void registerHandlers();
    void addWindowKeys();
    void openMenuBar();
    bool buildMenus(int menuId);
    bool buildToolBars();
    QToolBar *makeToolBar(int toolbarId, const QString &title);
    void buildStatusBar();
    void listWindows(QMenu *windowMenu);
    void greyByPosition();
    bool allowedByRights(int id) const;
    bool availableNow(int id) const;

    // Command handlers.
    void OnConnectToServer();
    void OnEditUserAgents();
    void OnEditCos();
    void OnVoicePortStatus();
    void OnTclSession();
    void OnConfigWizard();
    void OnDateTime();
    void OnShutdown();
    void OnAsrSync();
    void OnReportOption1();
    void OnEditMailboxTemplate();
    void OnEditAmisTemplate();
    void OnEditVpimTemplate();
    void OnRunReport();
    void OnViewToolBar();
    void OnViewConfigToolBar();
    void OnViewStatusBar();
    void OnSystemParameters();
    void OnRunIvrAlias();
    void OnEditIvrAlias();
    void OnEditIvrAgents();
    void OnEditDirectSendFax();
    void OnEditDirectSendVoice();
    void OnEditVpimGateways();
    void OnEditVpimProxies();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnFileClose();
    void OnAppExit();
    void OnWindowCascade();
    void OnWindowTile();
    void OnWindowArrange();
    void OnAppAbout();
    void OnHelpFinder();
    void OnHelp();
    void OnCreateMailboxes();
    void OnCreateCos();
    void OnCreateDistributionLists();
    void OnCreateIvrAgents();
    void OnEditAmisGateways();
    void OnEditAmisProxies();
    void OnCreateAmisGateways();
    void OnCreateAmisProxies();
    void OnCreateDirectSendFax();
    void OnCreateDirectSendVoice();
    void OnCreateVpimGateways();
    void OnCreateVpimProxies();
    void OnCopyUserAgent();
    void OnDeleteUserAgents();
    void OnConfigurationPage();
    void OnPropertyEditor();
    void OnManageAdministrators();
    void OnEditDistributionLists();
    // The distribution-list editor over every list, or over `numbers`.
    void openDistributionLists(const QList<long> &numbers);
    // Copies box `from` (-1: the administrator names it) over new numbers
    // and opens the editor on the copies; the editor's Copy button and the
    // menu's Copy User Agent.
    void copyUserAgent(long from, QWidget *parent);

    void openEditor(std::unique_ptr<CAdminTemplate> &editorTemplate, bool cos, const QString &title);
    // The editor template, made on first use.
    CAdminTemplate &editorTemplate(std::unique_ptr<CAdminTemplate> &editorTemplate, bool cos);
    // The Create dialog for the kind of `root`, on a session of its own;
    // `editor` (may be null) is the template of the editor opened on what
    // was created.
    void createUserAgents(qint32 model, qint32 root, bool makeCos, std::unique_ptr<CAdminTemplate> *editor);
    // A session of the command's own, logged in like the application's;
    // null when the login was declined (the session has said why).
    std::unique_ptr<CZELTSession> connectOwnSession() const;
    // Runs a dialog on a session of its own, which ends with it; an editor
    // the dialog opened on what it made is shown as the frame's.
    void runOnOwnSession(const std::function<void(CZELTSession &)> &run);
    // The agent list window of `root`'s kind in its slot: the one open is
    // brought forward, else `make` builds one (its `closed` frees the slot).
    void openAgentList(int slot, uint32_t root, const std::function<CUserAgentListDlg *(const QString &typeText)> &make);
    // After agents were made: the list window of their kind (by root number
    // or by the copy's kind word), showing them; none for other kinds.
    void showMadeAgents(uint32_t root);
    void showCopiedAgents(const QString &kindWord);
    // A right click on a row of an editor's list: an editor of that box alone.
    void openOwnEditor(bool cos, long number);
    // The login mailbox got a new security code: the program logs in with it.
    void rememberSecurityCode(const QString &code);
    // Ties an opened editor's requests to the frame and puts the focus in it.
    void showEditorView(CAdminView *view);
    void OnServerExit(bool loginCompleted);
    // WM_CONFIG_PAGE_SHOWN: the page's toolbar button pressed, or (0) the
    // window closed.
    void OnConfigPageShown(int pageId);
    // Closing the frame while the configuration window is open: false while
    // the frame must wait for it (or stay, when it refused to close).
    bool closeConfigurationWindow();
    // Closing the frame: its MDI windows and singleton windows close, each
    // with its own questions; false when one of them stayed.
    bool closeOwnWindows();
    void OnAsrSyncReply(const QString &reply);
    void closeWindowsForNewLogin();
    bool executeOnAppSession(const QString &command, QString &reply);

    int m_menuId = 0;
    QString m_serverText;
    QMdiArea *m_mdiArea;
    QToolBar *m_adminToolBar = nullptr;
    QToolBar *m_configToolBar = nullptr;
    QLabel *m_serverPane = nullptr;
    CCoolMenuManager *m_menuManager;
    QHash<int, QAction *> m_actions;
    QHash<int, Handler> m_handlers;
    QList<HWND> m_consoles;
    // The Window menu's list of open windows, remade each time it opens.
    QList<QPointer<QAction>> m_windowListActions;
    std::array<QPointer<QWidget>, EditorSlots> m_editors;
    // The mailbox and class-of-service editors' templates, made on first use.
    std::unique_ptr<CAdminTemplate> m_mailboxTemplate;
    std::unique_ptr<CAdminTemplate> m_cosTemplate;
    // Editors the templates of earlier logins opened: the numbering goes on.
    int m_mailboxEditorsOpened = 0;
    int m_cosEditorsOpened = 0;
    bool m_closing = false;
    bool m_endingForLostServer = false;
    // The configuration window: open flag, its frame, the page it shows,
    // and the close handshake (0 idle, 1 asked to close, -1 it showed a
    // page after being asked: it refused).
    bool m_configWindowOpen = false;
    QPointer<CConfigPropFrame> m_configFrame;
    int m_configPage = 0;
    int m_configCloseState = 0;
    std::unique_ptr<CConfigDocTemplate> m_configTemplate;
    // The command being run, for handlers shared by several commands.
    int m_runningCommand = 0;
};
