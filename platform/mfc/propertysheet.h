// A property sheet: pages on tabs above the OK, Cancel and Apply buttons, run
// modally (DoModal) or modeless (Create). The pages belong to their creator,
// not to the sheet: a sheet going away leaves its pages alone, so pages may be
// members of the sheet's subclass or live beside the sheet. A page joins the
// sheet's window tree when its window is made (its first activation), so
// messages sent to the sheet's descendants reach only pages that have one.
//
// The order of calls on the pages is told in propertypage.h. The buttons reach
// WindowProc and OnCommand as WM_COMMAND IDOK, IDCANCEL and ID_APPLY_NOW, so a
// subclass can take them over there; the base runs OnOK, OnCancel and
// ApplyChanges.
//
// In wizard mode the pages are steps without tabs, the sheet's caption is
// the shown page's, and the buttons are Back, Next (or Finish), Cancel: Back
// and Next ask the page (OnWizardBack, OnWizardNext) and then move one step or
// to the page it names; Finish asks OnWizardFinish and ends the run with
// ID_WIZFINISH. Each page sets the buttons it offers with SetWizardButtons.
//
// Ctrl+PgDn and Ctrl+PgUp turn a tabbed sheet's pages, and so do Ctrl+Tab
// and Ctrl+Shift+Tab while the focus is inside the sheet (dialogkeyboard.h).
#pragma once

#include "platform/mfc/dialog.h"

#include <QList>

class CPropertyPage;
class QHBoxLayout;
class QPushButton;
class QTabWidget;

class CPropertySheet : public CDialog {
    Q_OBJECT
public:
    explicit CPropertySheet(const QString &caption, QWidget *parent = nullptr, int selectPage = 0);
    // The caption is the string-table text of `captionId`.
    explicit CPropertySheet(UINT captionId, QWidget *parent = nullptr, int selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage *page);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage *GetPage(int index) const;
    int GetPageIndex(const CPropertyPage *page) const;
    CPropertyPage *GetActivePage() const { return GetPage(m_activeIndex); }
    int GetActiveIndex() const { return m_activeIndex; }
    // Shows a page as a tab click would: false when the active page or the
    // new one refuses.
    bool SetActivePage(int index);
    bool SetActivePage(CPropertyPage *page) { return SetActivePage(GetPageIndex(page)); }

    // Whether the page-turning keys turn this sheet's pages: a tabbed sheet
    // of more than one page.
    bool CanTurnPages() const { return !m_wizard && GetPageCount() > 1; }
    // Shows the next page (+1) or the previous one (-1), from the last to
    // the first and back, as Ctrl+PgDn and Ctrl+PgUp do; the focus goes to
    // the first control of the page shown.
    void TurnPage(int direction);

    // Before the sheet runs: the pages become the steps of a wizard.
    void SetWizardMode();
    bool IsWizard() const { return m_wizard; }
    // PSWIZB_ flags: which of Back, Next and Finish the shown step offers.
    void SetWizardButtons(UINT flags);
    // A Help button (IDHELP) beside the others; the subclass handles it.
    void ShowHelpButton(bool shown);
    // Tabs that do not fit scroll behind arrows, so that the sheet can be
    // narrower than its row of tabs.
    void SetScrollingTabs(bool scrolling);
    // Before the pages get their windows: a page larger than the room its
    // tab has scrolls within the tab, so that the sheet can be smaller than
    // its pages while its tabs and buttons stay where they are. A control
    // the focus reaches is brought into view.
    void SetScrollingPages(bool scrolling);

    // The row of buttons under the pages, for subclasses that add their own.
    QHBoxLayout *buttonRow() const { return m_buttonRow; }

    // Adds PSM_CHANGED and PSM_UNCHANGED: the page whose window is the first
    // parameter holds changes, or none.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Activates the start page (making its window) before the sheet shows.
    bool OnInitDialog() override;
    // Every page's changes applied, then the sheet ends with IDOK.
    void OnOK() override;
    // The active page may refuse; every page is reset; the sheet ends with IDCANCEL.
    void OnCancel() override;
    bool OnCommand(int id) override;
    // The page-turning keys reach the sheet before the window it sits in.
    void showEvent(QShowEvent *event) override;
    // The Apply button: every page's changes applied, the sheet stays.
    bool ApplyChanges();

private:
    struct PageEntry {
        CPropertyPage *page;
        // The page as a QObject, taken while it was whole, so a page being
        // destroyed is recognised without touching it.
        const QObject *object;
        // Whether its tab holds the page itself or, until its window is
        // made, a blank stand-in.
        bool inTab;
    };

    void updateApplyButton();
    void focusFirstControlOf(QWidget *page);
    void wizardStep(int id);
    QPushButton *addButton(const QString &text, int id);
    void forgetPage(QObject *page);
    QString tabLabel(const CPropertyPage *page) const;
    void makePageWindow(int index);
    // What goes into the page's tab: the page, or a scroller holding it.
    QWidget *tabContent(CPropertyPage *page);
    void tabChanged(int index);
    bool activate(int index);
    void showActiveTab();

    QTabWidget *m_tabs;
    QHBoxLayout *m_buttonRow;
    QPushButton *m_okButton;
    QPushButton *m_applyButton;
    QPushButton *m_backButton;
    QPushButton *m_nextButton;
    QPushButton *m_finishButton;
    QPushButton *m_helpButton;
    bool m_wizard = false;
    bool m_scrollingPages = false;
    // Live pages only: a page that goes is dropped as it goes (forgetPage).
    QList<PageEntry> m_pages;
    int m_startPage;
    int m_activeIndex = -1;
    bool m_switching = false;
};
