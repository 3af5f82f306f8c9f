// The mailbox editor itself: a property sheet, child of the editor's view,
// that shows one user agent at a time on its pages, with the list of the
// editor's boxes below them and a row of buttons of its own (Refresh, Reset,
// Delete). Selecting a row loads that box asynchronously; the pages edit the
// record the sheet holds; saving stores every page into the record, checks
// that nobody changed the box on the server meanwhile, and commits.
//
// The sheet talks to the server only through the channel it was given (the
// editor document's command filter). A reply that arrives after the
// administrator has moved on to another box is recognised by the number it
// carries and dropped. A save the server refuses is shown with the server's
// reason and the edits stay, so the administrator can correct and save again.
//
// While a page holds edits, the controls the pages registered (the class of
// service choice, whose change reloads the box) are disabled; a load enables
// them again. The unified-messaging switch is applied in one server script
// that stores the switch and reads the box back, so the pages reload with
// what the server now holds.
//
// The list can be detached into the Box List window (the list button,
// 1213) and put back (the button again, or the window's 0x806): the window
// holding the sheet then loses or regains the list's band, and its size
// limits follow (sizeLimitsChanged).
#pragma once

#include "admin/useragents/inhpropertypg.h"
#include "admin/useragents/inhsheet.h"
#include "admin/useragents/scenariouseragent.h"
#include "platform/messages/minmaxinfo.h"
#include "platform/mfc/propertysheet.h"

#include <QList>
#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>
#include <vector>

class CAdminDoc;
class CBoxListDlg;
class CMailboxListCtrl;
class CPageScrollArea;
class CServerCommandChannel;
class CPropertyPage;
class CWaitCursor;
class QPushButton;
class QTabWidget;

class CMailboxPps : public CPropertySheet, public CInhSheet {
    Q_OBJECT
public:
    enum Mode : unsigned { ModeNormal = 0, ModeUnifiedOn = 1, ModeUnifiedOff = 16, ModeResetting = 256 };
    // Command ids of the extra buttons and the sheet's own messages.
    enum : int {
        IDC_LIST_BUTTON = 1213,
        IDC_REFRESH = 1281,
        IDC_RESET = 1282,
        IDC_DELETE = 1296,
        IDC_COPY = 61462,
        IDC_MAILBOX_LIST = 1059
    };
    // The editor's pages, made for a sheet, in the order they show.
    using PageFactory = std::function<std::vector<std::unique_ptr<CPropertyPage>>(CMailboxPps &sheet)>;
    // Copies the box `from` over new numbers (the Copy button).
    using CopyAction = std::function<void(CMailboxPps &sheet, long from)>;
    static constexpr WPARAM GetUARequestCode = 0xF010;
    static constexpr WPARAM ListRequestCode = 0xF00F;
    static constexpr UINT WM_USERAGENT_LOADED = 0x802;
    static constexpr UINT WM_SELECT_SHOWN_UA = 0x804;
    static constexpr UINT WM_SAVE_CHANGES = 0x80A;
    // From the Box List window: the list comes back into the sheet; answers 1.
    static constexpr UINT WM_ATTACH_LIST = 0x806;
    // lParam a MINMAXINFO, filled with the limits of the sheet's layout; answers 1.
    static constexpr UINT WM_SIZE_LIMITS = 0x807;

    // How the attached list lies at the bottom of the window that holds the
    // sheet: that window reaches `band` pixels below the sheet's own bottom
    // edge, and the list's top edge lies `rise` pixels above the window's
    // bottom edge. Small screens (800 pixels wide or less) give more room
    // below the pages and less to the list.
    struct AttachedListPlacement {
        int band;
        int rise;
    };
    static AttachedListPlacement AttachedListPlacementFor(int screenWidth);
    // The margin between the attached list and the window's left, right and bottom edges.
    static constexpr int AttachedListMargin = 5;
    static constexpr UINT WM_APPLY_USER_AGENT = 0x80B;

    // `channel` and `document` stay the caller's and outlive the sheet;
    // `firstNumber` is the box shown first (-1: none until one is chosen).
    CMailboxPps(const QString &caption, CServerCommandChannel *channel, long firstNumber, CAdminDoc *document,
                QWidget *parent = nullptr, int selectPage = 0);
    ~CMailboxPps() override;

    // The application's session, asked at start whether the server offers
    // directory synchronisation; none: it is not offered.
    void SetApplicationChannel(CServerCommandChannel *channel) { m_applicationChannel = channel; }
    // The server's texts read at login (the unified-messaging notification's
    // name is "EmrId_AIM_Normal"); none: no such texts.
    void SetServerVariables(CInhPropertyPg::ServerVariable variables)
    {
        m_serverVariables = std::move(variables);
    }
    CInhPropertyPg::ServerVariable ServerVariables() const { return m_serverVariables; }
    // The pages AddPages makes; none: the sheet shows the list and its buttons only.
    void SetPageFactory(PageFactory factory) { m_pageFactory = std::move(factory); }
    // What the Copy button does; without it the sheet has no Copy button.
    void SetCopyAction(CopyAction action) { m_copyAction = std::move(action); }
    // Adds the pages the editor has: those of the page factory, owned by the
    // sheet; a derived sheet may add its own instead.
    virtual void AddPages();
    // Stores the pages, checks the server's copy, commits. Apply and 0x80A.
    virtual void SaveChanges();

    void SendGetUA(long number);
    void SetInitialFocus();
    // Refuses (true), after telling why, when `parent` may not become the
    // class of service of `edited`: itself, one of its descendants, or a
    // chain the server already holds in a cycle.
    bool CheckParentCycle(long edited, long parent);
    bool ChangeParent(long parent);
    void RefillList();
    bool IsCOSEditor() const;
    // Asks before closing with unsaved changes; false keeps the window.
    bool QueryClose();
    // The sheet is closing: each page lets go of what it holds on the
    // server (a telephone line), then the sheet and its list take no more
    // replies (nor any other message). Called before the editor's session
    // ends; calling it again does nothing more.
    void ReleasePages();

    void AddChangedFlags(unsigned bits) { m_initialisedPages |= bits; }
    bool TestChangedFlags(unsigned bits) const { return (m_initialisedPages & bits) != 0; }
    unsigned GetMode() const { return m_mode; }
    // The unified-messaging switch to apply (ModeUnifiedOn or
    // ModeUnifiedOff) after the next load of the box, or ModeNormal to drop
    // it; 0x80B applies it at once.
    void SetPendingAction(Mode mode);
    // Stores the switch and reads the box back; see the file's head.
    void OnApplyUserAgent();

    void RegisterControl(QWidget *window) override;
    void EnableAllControls(bool enable) override;
    bool IsResetting() const override { return m_mode == ModeResetting; }
    void AwaitBox(long number) override { m_requestedNumber = number; }
    // The name and comment fields every page shows, shared by the pages.
    CInhCommonFields &CommonFields() { return m_commonFields; }
    CScenarioUserAgent &Record() { return m_record; }
    CServerCommandChannel *Channel() const { return m_channel; }
    CMailboxListCtrl *ListCtrl() const { return m_list; }
    long ShownNumber() const { return m_record.GetUANumber(); }
    // The last text of the message line.
    QString MessageLine() const { return m_messageLine; }
    // The size of the window holding the sheet with its list attached, frame
    // included: its largest width, and its smallest size wherever the frame's
    // window area can hold it (a smaller area has the pages scroll). Empty
    // until created.
    QSize AttachedSize() const { return m_attachedSize; }
    // The same with the list detached: as wide, less the list's band.
    QSize DetachedSize() const { return m_detachedSize; }
    bool IsListAttached() const { return m_attached; }
    CBoxListDlg *BoxList() const { return m_boxList; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

signals:
    void messageLineChanged(const QString &text);
    // The administrator wants the directories synchronised now.
    void directorySyncRequested();
    // The administrator wants an editor window of this box alone (a right
    // click on its row).
    void ownEditorRequested(long number);
    // The sizes the window holding the sheet may take have changed (the
    // list was detached or attached); its size limits are to be asked again.
    void sizeLimitsChanged();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class ServerState { Unchanged, Changed };

    void OnServerReply(WPARAM code, const QString &reply);
    void OnHelp();
    void OnRefresh();
    void OnReset();
    void OnDeleteMailbox();
    bool storePages();
    ServerState IsChangedOnServer();
    // False when the server refused the change.
    bool commit(bool withForce, bool reloadAfter);
    // OnOK's save; false when the edits were not stored (a page refused its
    // value, or the server the change).
    bool saveOnClose();
    bool anyPageChanged() const;
    bool isAwaited(long number) const;
    void warnAboutAnswerMethods(long number);
    void forgetDeletedBox();
    void showMessageLine(const QString &text);
    void readDirectorySync();
    void offerDirectorySync();
    QPushButton *addExtraButton(int id, const QString &caption, int position);
    // The attached layout: sizes the holding window and places the list.
    QWidget *holdingWindow();
    void placeAttachedList();
    void DetachList();
    void AttachList();
    // The room below the pages: the list's band when attached, less the
    // list's rise when detached.
    void setListBand(bool attached);
    void fitAttachedList();
    // The window holding the sheet follows its frame's window area: no
    // wider or taller than the area, and inside it.
    void followArea();
    void fitArea();
    LRESULT OnSizeLimits(MINMAXINFO *limits);
    void scrollPages(QTabWidget *tabs);
    // The size of the frame's window area where the sheet's window shows in
    // one; empty elsewhere, or while the area is not shown.
    QSize holderRoom();
    // The least the holding window lays out in with its pages scrolled.
    QSize leastSize() const;
    // `size` made to fit the room the holding window has, no smaller than
    // its least size.
    QSize fitToRoom(QSize size);
    void shareListWithPages();
    bool isUnifiedMessagingPending() const;
    void tellUnifiedMessagingState(bool enabled);

    CServerCommandChannel *m_channel;
    CServerCommandChannel *m_applicationChannel = nullptr;
    bool m_directorySync = false;
    CScenarioUserAgent m_record;
    long m_firstNumber;
    // The box of the latest request of our own; -1 when none is due.
    long m_requestedNumber = -1;
    std::unique_ptr<CWaitCursor> m_waitCursor;
    CAdminDoc *m_document;
    unsigned m_mode = ModeNormal;
    unsigned m_initialisedPages = 0;
    CInhCommonFields m_commonFields;
    CMailboxListCtrl *m_list = nullptr;
    QString m_messageLine;
    QSize m_attachedSize;
    QSize m_detachedSize;
    bool m_attached = true;
    // Owned as a Qt child; shown as a window of its own while detached.
    CBoxListDlg *m_boxList = nullptr;
    bool m_boxListPlaced = false;
    // The sheet's number, shown in its caption and its Box List window's.
    int m_sheetNumber;
    int m_listRise = 0;
    // The attached list's top edge in the sheet; it stays when the window grows.
    int m_listTop = 0;
    // The sheet's own height at its attached layout, frame excluded.
    int m_attachedClientHeight = 0;
    QSize m_leastAttachedSize;
    // Holds the pages; none in a sheet without pages.
    CPageScrollArea *m_pageScroller = nullptr;
    CInhPropertyPg::ServerVariable m_serverVariables;
    // The pages' registered controls; a control that goes is dropped.
    QList<QPointer<QWidget>> m_controls;
    // The next EnableAllControls applies even when the state is the same:
    // a control registered since has not been set yet.
    bool m_controlsForced = true;
    bool m_controlsEnabled = true;
    // The box the pending unified-messaging switch was chosen on.
    long m_pendingActionNumber = -1;
    PageFactory m_pageFactory;
    CopyAction m_copyAction;
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
};
