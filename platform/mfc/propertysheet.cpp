// Property sheet: the tabs, the three buttons and the order in which pages are
// asked. A tab the user clicks is shown by Qt before the sheet hears of it, so
// a page that refuses to be left (or to be shown) is put back on top.
#include "platform/mfc/propertysheet.h"

#include "platform/mfc/propertypage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

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
    m_buttonRow->addWidget(SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK));
    m_buttonRow->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
    m_applyButton = SetDlgCtrlID(new QPushButton(tr("&Apply"), this), ID_APPLY_NOW);
    m_applyButton->setEnabled(false);
    m_buttonRow->addWidget(m_applyButton);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::tabChanged);
}

CPropertySheet::~CPropertySheet()
{
    // The pages are their creator's: take them out before Qt deletes children.
    for (CPropertyPage *page : std::as_const(m_pages))
        page->setParent(nullptr);
}

void CPropertySheet::AddPage(CPropertyPage *page)
{
    Q_ASSERT(page && GetPageIndex(page) < 0);
    page->attach(this);
    m_pages.append(page);
    m_pageObjects.append(page);
    connect(page, &QObject::destroyed, this, &CPropertySheet::forgetPage);
    const QScopedValueRollback guard(m_switching, true);
    m_tabs->addTab(page, page->windowTitle());
    showActiveTab();
}

CPropertyPage *CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages.at(index) : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage *page) const
{
    return int(m_pageObjects.indexOf(page));
}

bool CPropertySheet::SetActivePage(int index)
{
    return activate(index);
}

bool CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_activeIndex = -1;
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
    for (CPropertyPage *page : std::as_const(m_pages)) {
        if (page->HasWindow())
            page->OnReset();
    }
    EndDialog(IDCANCEL);
}

bool CPropertySheet::OnCommand(int id)
{
    if (id == ID_APPLY_NOW) {
        ApplyChanges();
        return true;
    }
    return CDialog::OnCommand(id);
}

bool CPropertySheet::ApplyChanges()
{
    CPropertyPage *active = GetActivePage();
    if (active && !active->OnKillActive())
        return false;
    for (int i = 0; i < m_pages.size(); ++i) {
        CPropertyPage *page = m_pages.at(i);
        if (page->HasWindow() && !page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    for (CPropertyPage *page : std::as_const(m_pages))
        page->m_modified = false;
    pageModifiedChanged();
    return true;
}

void CPropertySheet::pageModifiedChanged()
{
    const bool anyModified = std::any_of(m_pages.cbegin(), m_pages.cend(),
                                         [](const CPropertyPage *page) { return page->IsModified(); });
    m_applyButton->setEnabled(anyModified);
}

void CPropertySheet::forgetPage(QObject *page)
{
    // Qt takes the tab away with the page; the lists follow it. The page is
    // half destroyed here, so it is only compared, never used.
    const int i = int(m_pageObjects.indexOf(page));
    if (i >= 0) {
        m_pages.removeAt(i);
        m_pageObjects.removeAt(i);
        if (m_activeIndex == i)
            m_activeIndex = -1;
        else if (m_activeIndex > i)
            --m_activeIndex;
    }
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
        page->makeWindow();
    if (!page->OnSetActive()) {
        showActiveTab();
        return false;
    }
    m_activeIndex = index;
    showActiveTab();
    return true;
}

void CPropertySheet::showActiveTab()
{
    const QScopedValueRollback guard(m_switching, true);
    if (m_activeIndex >= 0)
        m_tabs->setCurrentIndex(m_activeIndex);
}
