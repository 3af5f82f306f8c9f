// The configuration window's property sheet: a modeless child of the
// window's view that owns the depot and the ten pages. It loads the depot
// from the server when it is initialised, lets each page parse its part,
// and on OK or Apply has every page store its part and writes the depot
// back. OK, Cancel and the frame's close end in the sheet's destruction,
// which closes the frame and tells the main window (WM_CONFIG_PAGE_SHOWN
// with 0). A write-back the server refused keeps the window open, with the
// refused names shown, so that nothing typed is lost.
#pragma once

#include "admin/config/depot/configdepot.h"
#include "platform/mfc/propertysheet.h"

#include <memory>
#include <vector>

class CConfigPropFrame;
class CConfigPropPage;
class CServerCommandChannel;

class CConfigPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    // The command ids of the ten pages (the main frame's menu commands).
    enum : int {
        ID_CONFIG_ANSWER_METHODS = 32839,
        ID_CONFIG_VOICE_PORTS = 32840,
        ID_CONFIG_NOTIFY_GROUPS = 32841,
        ID_CONFIG_SERIAL_PORTS = 32842,
        ID_CONFIG_INTEGRATION = 32843,
        ID_CONFIG_IVR_HOSTS = 32850,
        ID_CONFIG_STAT_GROUPS = 32851,
        ID_CONFIG_HOLIDAYS = 32854,
        ID_CONFIG_SCHEDULER = 32872,
        ID_CONFIG_LANGUAGE = 32980,
    };
    static bool IsPageCommand(int id);

    // Makes the pages and the depot (given the channel and the login's
    // lists) and shows itself as a child of `parent`, which loads the depot.
    // `mainWindow` is told which page shows.
    CConfigPropSheet(QWidget *parent, CServerCommandChannel *channel, HWND mainWindow,
                     const QStringList &t1Protocols, const QString &cosTypeValue);
    ~CConfigPropSheet() override;

    CConfigDepot &Depot() { return m_depot; }
    HWND MainWindow() const { return m_mainWindow; }
    void SetFrame(CConfigPropFrame *frame) { m_frame = frame; }
    // The page of that type, for pages that call each other; null when the
    // sheet has none.
    template <class Page> Page *FindPage() const
    {
        for (const auto &entry : m_pages)
            if (auto *page = dynamic_cast<Page *>(entry.page.get()))
                return page;
        return nullptr;
    }
    CConfigPropPage *PageOfCommand(int commandId) const;
    QList<CConfigPropPage *> Pages() const;
    int CurrentCommand() const { return m_currentCommand; }
    void SetCurrentCommand(int commandId) { m_currentCommand = commandId; }
    // The frame's close: Cancel with the frame's question.
    void SetClosingFromFrame() { m_closingFromFrame = true; }
    // The size the frame fits itself to.
    QRect LayoutRect() const { return m_layoutRect; }
    // False when the depot could not be loaded (the window then closes).
    bool IsLoaded() const { return m_loaded; }
    bool IsApplyEnabled() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void PostNcDestroy() override;

private:
    struct PageEntry {
        std::unique_ptr<CConfigPropPage> page;
        // Where the page comes in the order the pages read and write the depot.
        int depotOrder;
    };
    void addPages();
    void addPage(std::unique_ptr<CConfigPropPage> page, int depotOrder);
    std::vector<CConfigPropPage *> pagesInDepotOrder() const;
    void loadAll();
    // Says in the main window's status bar what the load reads now; an
    // empty step clears it.
    void showLoadStep(const QString &step);
    // The sheet's size with every tab in view: the frame takes it where the
    // main window has the room; where it has not, the tabs scroll.
    QSize sizeShowingEveryTab() const;
    // Every page stores its part, the depot is written back; false when the
    // server refused something.
    bool save();
    void refreshAnswerMethods(bool forApply);
    // A question to write back, after what a partly refused write-back
    // left on the server and what the pages hold and do not write.
    QString withNotes(const char *question) const;
    QString unstoredNote() const;
    QString partlyStoredNote() const;
    void onOK();
    void onApply();
    void onCancel();
    void showCurrentPage();
    void destroySheet();
    void showHelp();

    CConfigDepot m_depot;
    std::vector<PageEntry> m_pages;
    CConfigPropFrame *m_frame = nullptr;
    HWND m_mainWindow;
    int m_currentCommand = 0;
    QRect m_layoutRect;
    bool m_closingFromFrame = false;
    // Changes the server stored in write-backs it partly refused: they
    // stay on the server whatever becomes of the rest.
    QStringList m_partlyStored;
    bool m_loaded = false;
    bool m_destroyed = false;
};
