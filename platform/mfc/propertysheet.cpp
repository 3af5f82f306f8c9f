// Property sheet: the tabs, the three buttons and the order in which pages are
// asked. A tab the user clicks is shown by Qt before the sheet hears of it, so
// a page that refuses to be left (or to be shown) is put back on top.
#include "platform/mfc/propertysheet.h"

#include "platform/mfc/dialogkeyboard.h"
#include "platform/mfc/propertypage.h"
#include "platform/strings/stringtable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Lines of a scrolled page kept in sight at least, so that it still reads
// as a page.
constexpr int kLeastPageLines = 6;

// A page's scroller: as large as the page where there is the room, and a
// few lines of it where there is not.
class PageScroller : public QScrollArea {
public:
    explicit PageScroller(QWidget *page)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // Not a stop of its own on the way through the page's controls.
        setFocusPolicy(Qt::NoFocus);
        setWidget(page);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (now && widget() && widget()->isAncestorOf(now))
                ensureWidgetVisible(now);
        });
    }
    // QScrollArea's own hint stops at a few dozen lines.
    QSize sizeHint() const override { return widget() ? widget()->sizeHint() : QScrollArea::sizeHint(); }
    QSize minimumSizeHint() const override
    {
        return {verticalScrollBar()->sizeHint().width() * 4,
                fontMetrics().height() * kLeastPageLines + horizontalScrollBar()->sizeHint().height()};
    }
};

} // namespace

CPropertySheet::CPropertySheet(const QString &caption, QWidget *parent, int selectPage)
    : CDialog(0, caption, parent), m_tabs(new QTabWidget(this)), m_buttonRow(new QHBoxLayout),
      m_startPage(selectPage)
{
    // Every tab in view, as a sheet shows them, rather than scroll arrows.
    m_tabs->setUsesScrollButtons(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(m_buttonRow);
    m_buttonRow->addStretch();
    m_backButton = addButton(tr("< &Back"), ID_WIZBACK);
    m_nextButton = addButton(tr("&Next >"), ID_WIZNEXT);
    m_finishButton = addButton(tr("Finish"), ID_WIZFINISH);
    m_okButton = addButton(tr("OK"), IDOK);
    addButton(tr("Cancel"), IDCANCEL);
    m_applyButton = addButton(tr("&Apply"), ID_APPLY_NOW);
    m_helpButton = addButton(tr("&Help"), IDHELP);
    m_applyButton->setEnabled(false);
    for (QPushButton *wizardOnly : {m_backButton, m_nextButton, m_finishButton, m_helpButton})
        wizardOnly->hide();
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::tabChanged);
}

QPushButton *CPropertySheet::addButton(const QString &text, int id)
{
    auto *button = SetDlgCtrlID(new QPushButton(text, this), id);
    button->setAutoDefault(false);
    m_buttonRow->addWidget(button);
    return button;
}

CPropertySheet::CPropertySheet(UINT captionId, QWidget *parent, int selectPage)
    : CPropertySheet(LoadStringResource(captionId), parent, selectPage)
{
}

CPropertySheet::~CPropertySheet()
{
    // The pages are their creator's: take them out before Qt deletes
    // children, without the tabs' going activating anything.
    m_switching = true;
    for (const PageEntry &entry : std::as_const(m_pages))
        entry.page->setParent(nullptr);
}

void CPropertySheet::AddPage(CPropertyPage *page)
{
    Q_ASSERT(page && GetPageIndex(page) < 0);
    page->attach(this);
    m_pages.append({page, page, false});
    connect(page, &QObject::destroyed, this, &CPropertySheet::forgetPage);
    const QScopedValueRollback guard(m_switching, true);
    m_tabs->addTab(new QWidget, tabLabel(page));
    showActiveTab();
}

CPropertyPage *CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages.at(index).page : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage *page) const
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (m_pages.at(i).page == page)
            return i;
    }
    return -1;
}

bool CPropertySheet::SetActivePage(int index)
{
    return activate(index);
}

bool CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_activeIndex = -1;
    if (GetPageCount() > 0)
        activate(qBound(0, m_startPage, GetPageCount() - 1));
    return true;
}

void CPropertySheet::OnOK()
{
    if (ApplyChanges())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    CPropertyPage *active = GetActivePage();
    if (active && !active->OnQueryCancel())
        return;
    for (const PageEntry &entry : std::as_const(m_pages)) {
        if (entry.page->HasWindow())
            entry.page->OnReset();
    }
    EndDialog(IDCANCEL);
}

bool CPropertySheet::OnCommand(int id)
{
    switch (id) {
    case ID_APPLY_NOW:
        ApplyChanges();
        return true;
    case ID_WIZBACK:
    case ID_WIZNEXT:
    case ID_WIZFINISH:
        wizardStep(id);
        return true;
    default:
        return CDialog::OnCommand(id);
    }
}

void CPropertySheet::showEvent(QShowEvent *event)
{
    CDialogKeyboard::TakeKeysFirst();
    CDialog::showEvent(event);
}

void CPropertySheet::TurnPage(int direction)
{
    const int count = GetPageCount();
    if (count < 2 || m_activeIndex < 0)
        return;
    const int target = ((m_activeIndex + direction) % count + count) % count;
    if (!activate(target))
        return;
    focusFirstControlOf(GetActivePage());
}

void CPropertySheet::focusFirstControlOf(QWidget *page)
{
    for (QWidget *w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
            GotoDlgCtrl(w);
            return;
        }
    }
}

void CPropertySheet::SetWizardMode()
{
    m_wizard = true;
    m_tabs->tabBar()->hide();
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabText(i, QString());
    m_okButton->hide();
    m_applyButton->hide();
    m_backButton->show();
    m_nextButton->show();
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

void CPropertySheet::SetWizardButtons(UINT flags)
{
    Q_ASSERT(m_wizard);
    const bool finish = flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH);
    m_backButton->setEnabled(flags & PSWIZB_BACK);
    m_nextButton->setVisible(!finish);
    m_nextButton->setEnabled(flags & PSWIZB_NEXT);
    m_finishButton->setVisible(finish);
    m_finishButton->setEnabled(flags & PSWIZB_FINISH);
    QPushButton *forward = finish ? m_finishButton : m_nextButton;
    forward->setDefault(forward->isEnabled());
}

void CPropertySheet::ShowHelpButton(bool shown)
{
    m_helpButton->setVisible(shown);
}

void CPropertySheet::SetScrollingTabs(bool scrolling)
{
    m_tabs->setUsesScrollButtons(scrolling);
}

void CPropertySheet::SetScrollingPages(bool scrolling)
{
    Q_ASSERT(
        std::none_of(m_pages.cbegin(), m_pages.cend(), [](const PageEntry &entry) { return entry.inTab; }));
    m_scrollingPages = scrolling;
}

void CPropertySheet::wizardStep(int id)
{
    CPropertyPage *page = GetActivePage();
    if (!m_wizard || !page)
        return;
    if (id == ID_WIZFINISH) {
        if (page->OnWizardFinish())
            EndDialog(ID_WIZFINISH);
        return;
    }
    // The page's answer: 0 the neighbouring step, -1 stay, else the dialog
    // id of the page to go to.
    const LRESULT answer = id == ID_WIZNEXT ? page->OnWizardNext() : page->OnWizardBack();
    int target = m_activeIndex + (id == ID_WIZNEXT ? 1 : -1);
    if (answer == -1)
        return;
    if (answer != 0) {
        target = -1;
        for (int i = 0; i < m_pages.size(); ++i) {
            if (m_pages.at(i).page->GetDialogId() == answer)
                target = i;
        }
    }
    SetActivePage(target);
}

bool CPropertySheet::ApplyChanges()
{
    CPropertyPage *active = GetActivePage();
    if (active && !active->OnKillActive())
        return false;
    for (int i = 0; i < m_pages.size(); ++i) {
        CPropertyPage *page = m_pages.at(i).page;
        if (page->HasWindow() && !page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    for (const PageEntry &entry : std::as_const(m_pages))
        entry.page->m_modified = false;
    updateApplyButton();
    return true;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != PSM_CHANGED && message != PSM_UNCHANGED)
        return CDialog::WindowProc(message, wParam, lParam);
    for (const PageEntry &entry : std::as_const(m_pages)) {
        if (entry.page->GetSafeHwnd() == HWND(wParam))
            entry.page->m_modified = message == PSM_CHANGED;
    }
    updateApplyButton();
    return 0;
}

void CPropertySheet::updateApplyButton()
{
    const bool anyModified = std::any_of(m_pages.cbegin(), m_pages.cend(),
                                         [](const PageEntry &entry) { return entry.page->IsModified(); });
    m_applyButton->setEnabled(anyModified);
}

void CPropertySheet::forgetPage(QObject *page)
{
    // The page is half destroyed here, so it is only compared, never called.
    // Its tab goes now, quietly: left to Qt, the tab's going would activate
    // another page while the sheet may itself be on its way out.
    int i = 0;
    while (i < m_pages.size() && m_pages.at(i).object != page)
        ++i;
    if (i == m_pages.size())
        return;
    {
        const QScopedValueRollback guard(m_switching, true);
        QWidget *tab = m_tabs->widget(i);
        m_tabs->removeTab(i);
        // A scroller still holds the page, which leaves it only once
        // destroyed.
        if (!m_pages.at(i).inTab)
            delete tab;
        else if (tab != page)
            tab->deleteLater();
    }
    m_pages.removeAt(i);
    if (m_activeIndex == i)
        m_activeIndex = -1;
    else if (m_activeIndex > i)
        --m_activeIndex;
    showActiveTab();
}

// A hidden tab bar still counts in the tab widget's size, so a wizard's
// long step captions (its window title) would make it as wide as all of them.
QString CPropertySheet::tabLabel(const CPropertyPage *page) const
{
    return m_wizard ? QString() : page->windowTitle();
}

void CPropertySheet::makePageWindow(int index)
{
    PageEntry &entry = m_pages[index];
    Q_ASSERT(!entry.inTab);
    {
        const QScopedValueRollback guard(m_switching, true);
        QWidget *standIn = m_tabs->widget(index);
        m_tabs->removeTab(index);
        delete standIn;
        m_tabs->insertTab(index, tabContent(entry.page), tabLabel(entry.page));
        entry.inTab = true;
    }
    entry.page->makeWindow();
}

QWidget *CPropertySheet::tabContent(CPropertyPage *page)
{
    if (!m_scrollingPages)
        return page;
    return new PageScroller(page);
}

void CPropertySheet::tabChanged(int index)
{
    if (!m_switching)
        activate(index);
}

bool CPropertySheet::activate(int index)
{
    CPropertyPage *page = GetPage(index);
    if (!page)
        return false;
    if (index == m_activeIndex)
        return true;
    CPropertyPage *old = GetActivePage();
    if (old && !old->OnKillActive()) {
        showActiveTab();
        return false;
    }
    if (!page->HasWindow())
        makePageWindow(index);
    if (!page->OnSetActive()) {
        showActiveTab();
        return false;
    }
    m_activeIndex = index;
    showActiveTab();
    if (m_wizard)
        setWindowTitle(page->windowTitle());
    return true;
}

void CPropertySheet::showActiveTab()
{
    const QScopedValueRollback guard(m_switching, true);
    if (m_activeIndex >= 0)
        m_tabs->setCurrentIndex(m_activeIndex);
}
