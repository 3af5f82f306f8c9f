// The configuration sheet; see configpropsheet.h.
#include "admin/config/window/configpropsheet.h"

#include "admin/config/window/configanswermethodspropage.h"
#include "admin/config/window/configivrhostspropage.h"
#include "admin/config/window/configlanguagepropage.h"
#include "admin/config/window/configpropframe.h"
#include "admin/config/window/configschedulerpropage.h"
#include "admin/config/window/configproppage.h"
#include "admin/config/window/configwindowhost.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/config/window/configholidayspropage.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/window/configserialportspropage.h"
#include "admin/config/window/confignotifygroupsproppage.h"
#include "admin/config/window/configstatgroupsproppage.h"
#include "admin/session/zltexception.h"
#include "admin/widgets/htmlhelp.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QFontMetrics>
#include <QLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

constexpr char kOkQuestion[] =
    "Do you want to update the configuration data in VerbantaES server and close the configuration window?\n"
    "If you click Yes, the changes will take effect when next time VerbantaES server is restarted.";
constexpr char kApplyQuestion[] =
    "Do you want to update the configuration data in VerbantaES server with the changes you have made?\n"
    "If you click Yes, the changes will take effect when next time VerbantaES server is restarted.";
constexpr char kDiscardQuestion[] =
    "Do you want to close the configuration window and discard the changes you "
    "have made without updating the configuration data in VerbantaES server?";
constexpr char kCloseQuestion[] = "You are about to close the configuration window.\n"
                                  " Do you save your changes to VerbantaES server before closing the window?";
constexpr char kHelpFile[] = "admin.chm";
constexpr int ID_HELP_COMMAND = 57670;
constexpr int kCommands[] = {32843, 32839, 32840, 32842, 32841, 32851, 32850, 32854, 32872, 32980};

} // namespace

bool CConfigPropSheet::IsPageCommand(int id)
{
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

CConfigPropSheet::CConfigPropSheet(QWidget *parent, CServerCommandChannel *channel, HWND mainWindow,
                                   const QStringList &t1Protocols, const QString &cosTypeValue)
    : CPropertySheet(QStringLiteral("Configuration Properties"), parent), m_mainWindow(mainWindow)
{
    m_depot.SetChannel(channel);
    m_depot.SetApplicationLists(t1Protocols, cosTypeValue);
    addPages();
    ShowHelpButton(true);
    // Ten tabs are wider than the main window's first size, and some pages
    // taller: the tabs and the pages scroll, the buttons stay in sight.
    SetScrollingTabs(true);
    SetScrollingPages(true);
    Create(parent, WS_CHILD);
}

CConfigPropSheet::~CConfigPropSheet()
{
    unregisterWindow();
}

// Adding a page: one line below, at the page's tab position, giving its
// place in the order in which the pages read and store the depot: Answer
// Methods 0, Holidays 1, IVR Hosts 2, Notification Port Groups 3, Scheduler
// 4, Serial Ports 5, Statistical Port Groups 6, Telephone System Integration
// 7, Voice Ports 8, Language 9. The tab order is Telephone System
// Integration, Answer Methods, Voice Ports, Serial Ports, Notification Port
// Groups, Statistical Port Groups, IVR Hosts, Holidays, Scheduler, Language.
// A page derives from CConfigPropPage and names its command id there.
void CConfigPropSheet::addPages()
{
    addPage(std::make_unique<CConfigIntegrationPropPage>(), 7);
    addPage(std::make_unique<CConfigAnswerMethodsPropPage>(), 0);
    addPage(std::make_unique<CVoicePortsPpg>(), 8);
    addPage(std::make_unique<CConfigSerialPortsPropPage>(), 5);
    addPage(std::make_unique<CConfigNotifyGroupsPropPage>(), 3);
    addPage(std::make_unique<CConfigStatGroupsPropPage>(), 6);
    addPage(std::make_unique<CConfigIvrHostsPropPage>(), 2);
    addPage(std::make_unique<CConfigHolidaysPropPage>(), 1);
    addPage(std::make_unique<CConfigSchedulerPropPage>(), 4);
    addPage(std::make_unique<CConfigLanguagePropPage>(), 9);
}

void CConfigPropSheet::addPage(std::unique_ptr<CConfigPropPage> page, int depotOrder)
{
    page->SetLinks(this, &m_depot);
    AddPage(page.get());
    m_pages.push_back({std::move(page), depotOrder});
}

std::vector<CConfigPropPage *> CConfigPropSheet::pagesInDepotOrder() const
{
    std::vector<const PageEntry *> entries;
    for (const PageEntry &entry : m_pages)
        entries.push_back(&entry);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PageEntry *a, const PageEntry *b) { return a->depotOrder < b->depotOrder; });
    std::vector<CConfigPropPage *> pages;
    for (const PageEntry *entry : entries)
        pages.push_back(entry->page.get());
    return pages;
}

QList<CConfigPropPage *> CConfigPropSheet::Pages() const
{
    QList<CConfigPropPage *> pages;
    for (const PageEntry &entry : m_pages)
        pages.append(entry.page.get());
    return pages;
}

CConfigPropPage *CConfigPropSheet::PageOfCommand(int commandId) const
{
    for (const PageEntry &entry : m_pages)
        if (entry.page->CommandId() == commandId)
            return entry.page.get();
    return nullptr;
}

// --- initialisation --------------------------------------------------------------

bool CConfigPropSheet::OnInitDialog()
{
    try {
        CWaitCursor wait;
        loadAll();
        m_loaded = true;
    } catch (const CZltException &failure) {
        failure.ReportError();
        return CPropertySheet::OnInitDialog();
    }
    CPropertySheet::OnInitDialog();
    for (int id : {int(IDOK), int(IDCANCEL), int(ID_APPLY_NOW), int(IDHELP)})
        if (QWidget *button = GetDlgItem(id)) {
            button->show();
            button->setEnabled(true);
        }
    resize(sizeShowingEveryTab());
    if (layout())
        layout()->activate();
    const QWidget *ok = GetDlgItem(IDOK);
    const int margin = QFontMetrics(font()).height() * 6 / 8;
    m_layoutRect = QRect(QPoint(0, 0), size());
    if (ok)
        m_layoutRect.setBottom(ok->geometry().bottom() + margin);
    for (const PageEntry &entry : m_pages)
        entry.page->SetModified(false);
    m_closingFromFrame = false;
    return true;
}

QSize CConfigPropSheet::sizeShowingEveryTab() const
{
    QSize size = sizeHint();
    if (const auto *tabs = findChild<QTabWidget *>())
        size.rwidth() += std::max(0, tabs->tabBar()->sizeHint().width() - tabs->sizeHint().width());
    return size;
}

void CConfigPropSheet::loadAll()
{
    const auto cleared = qScopeGuard([this] { showLoadStep(QString()); });
    m_depot.Load([this](const QString &step) { showLoadStep(step); });
    for (CConfigPropPage *page : pagesInDepotOrder())
        page->LoadFromDepot();
    showLoadStep(QStringLiteral("classes of service and user agents"));
    m_depot.ReloadCosAndUaLists();
}

void CConfigPropSheet::showLoadStep(const QString &step)
{
    // The main window's status bar, painted at once: the load does not go
    // back to the event loop between its steps.
    auto *bar = window()->findChild<QStatusBar *>(QString(), Qt::FindDirectChildrenOnly);
    if (!bar)
        return;
    if (step.isEmpty())
        bar->clearMessage();
    else
        bar->showMessage(QStringLiteral("Reading the configuration from the server: %1\u2026").arg(step));
    bar->repaint();
}

bool CConfigPropSheet::IsApplyEnabled() const
{
    // Any page holding changes enables Apply.
    const auto *apply = qobject_cast<const QPushButton *>(GetDlgItem(ID_APPLY_NOW));
    return apply && apply->isEnabled() && apply->text() == QLatin1String("&Apply");
}

// --- commands ------------------------------------------------------------------------

bool CConfigPropSheet::OnCommand(int id)
{
    switch (id) {
    case IDOK:
        onOK();
        return true;
    case IDCANCEL:
        onCancel();
        return true;
    case ID_APPLY_NOW:
        onApply();
        return true;
    case IDHELP:
    case ID_HELP_COMMAND:
        showHelp();
        return true;
    default:
        return CPropertySheet::OnCommand(id);
    }
}

LRESULT CConfigPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOW_CONFIG_PAGE:
        if (CConfigPropPage *page = PageOfCommand(int(wParam))) {
            // A page shown again is not activated again; the main window
            // still learns that the window goes on showing it.
            if (page == GetActivePage())
                PostMessage(m_mainWindow, WM_CONFIG_PAGE_SHOWN, wParam, 0);
            else
                SetActivePage(page);
        }
        return 0;
    case WM_HELP:
        showHelp();
        return 1;
    default:
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
}

void CConfigPropSheet::showHelp()
{
    if (IsPageCommand(m_currentCommand))
        CallHtmlHelp(GetSafeHwnd(), QLatin1String(kHelpFile), HH_HELP_CONTEXT, uintptr_t(m_currentCommand));
    else
        CallHtmlHelp(GetSafeHwnd(), QLatin1String(kHelpFile), HH_DISPLAY_TOPIC, 0);
}

void CConfigPropSheet::showCurrentPage()
{
    SendMessage(GetSafeHwnd(), WM_SHOW_CONFIG_PAGE, WPARAM(m_currentCommand), 0);
}

void CConfigPropSheet::refreshAnswerMethods(bool forApply)
{
    for (const PageEntry &entry : m_pages) {
        CConfigPropPage *page = entry.page.get();
        if (!page->HasWindow() || !page->HoldsUnfinishedNameEdit())
            continue;
        page->FinishNameEdit();
        // The Voice Ports page takes up the renamed or removed methods as
        // it is shown.
        if (CConfigPropPage *ports = PageOfCommand(ID_CONFIG_VOICE_PORTS))
            SetActivePage(ports);
        if (forApply)
            SetActivePage(page);
    }
}

bool CConfigPropSheet::save()
{
    // The active page's fields reach its records first.
    if (CPropertyPage *active = GetActivePage(); active && !active->OnKillActive())
        return false;
    CWaitCursor wait;
    try {
        // A page never shown stores only what another page changed on it.
        for (CConfigPropPage *page : pagesInDepotOrder())
            page->SaveToDepot();
        const CConfigDepot::SaveResult result = m_depot.Save();
        for (const PageEntry &entry : m_pages)
            entry.page->AfterWriteBack();
        if (result.succeeded()) {
            m_partlyStored.clear();
        } else {
            for (const QString &name : result.stored)
                if (!m_partlyStored.contains(name))
                    m_partlyStored.append(name);
            // The pages keep what was not written: Apply tries it again.
            for (const PageEntry &entry : m_pages)
                if (entry.page->HasWindow())
                    entry.page->SetModified(true);
            return false;
        }
    } catch (const CZltException &failure) {
        failure.ReportError();
        return false;
    }
    return true;
}

QString CConfigPropSheet::withNotes(const char *question) const
{
    return partlyStoredNote() + unstoredNote() + QLatin1String(question);
}

QString CConfigPropSheet::unstoredNote() const
{
    QStringList notes;
    for (CConfigPropPage *page : pagesInDepotOrder())
        notes.append(page->UnstoredChanges());
    if (notes.isEmpty())
        return QString();
    return QStringLiteral("These changes are not stored:\n%1\n\n").arg(notes.join(u'\n'));
}

QString CConfigPropSheet::partlyStoredNote() const
{
    if (m_partlyStored.isEmpty())
        return QString();
    return QStringLiteral("The server refused part of your last update and stored the rest: %1. Those "
                          "stay on the server whatever you answer.\n\n")
        .arg(m_partlyStored.join(QStringLiteral(", ")));
}

void CConfigPropSheet::onOK()
{
    if (!IsApplyEnabled()) {
        destroySheet();
        return;
    }
    if (AfxMessageBox(withNotes(kOkQuestion), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        showCurrentPage();
        return;
    }
    refreshAnswerMethods(false);
    if (save())
        destroySheet();
    else
        showCurrentPage();
}

void CConfigPropSheet::onApply()
{
    if (AfxMessageBox(withNotes(kApplyQuestion), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        showCurrentPage();
        return;
    }
    refreshAnswerMethods(true);
    save();
}

void CConfigPropSheet::onCancel()
{
    if (!IsApplyEnabled()) {
        destroySheet();
        return;
    }
    if (!m_closingFromFrame) {
        if (AfxMessageBox(partlyStoredNote() + QLatin1String(kDiscardQuestion), MB_YESNO | MB_ICONQUESTION) ==
            IDYES) {
            destroySheet();
        } else {
            if (m_frame)
                m_frame->ClearClosingMark();
            showCurrentPage();
        }
        return;
    }
    m_closingFromFrame = false;
    if (AfxMessageBox(withNotes(kCloseQuestion), MB_YESNO | MB_ICONQUESTION) == IDYES && !save()) {
        // What the server refused stays on the pages, with the window.
        if (m_frame)
            m_frame->ClearClosingMark();
        showCurrentPage();
        return;
    }
    destroySheet();
}

void CConfigPropSheet::destroySheet()
{
    DestroyWindow();
}

void CConfigPropSheet::PostNcDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (m_frame) {
        m_frame->SheetDestroyed();
        PostMessage(m_frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
    }
    SendMessage(m_mainWindow, WM_CONFIG_PAGE_SHOWN, 0, 0);
}
