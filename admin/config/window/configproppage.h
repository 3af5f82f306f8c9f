// The base of the configuration window's pages. The sheet gives each page
// three links before it adds it: the page's menu command id, the sheet and
// the depot. A page parses the depot's texts it owns in LoadFromDepot (run
// once, when the sheet has loaded the depot, before any page has a window)
// and writes them back in SaveToDepot, marking itself not modified; an edit
// marks it modified, which enables the sheet's Apply button. The sheet asks
// every page to store: a page never shown stores nothing, unless another
// page changed its records (a renamed integration group on the answer
// methods).
//
// A page that becomes active tells the main window (WM_CONFIG_PAGE_SHOWN)
// and the sheet its command id; help on a page opens that command's topic.
#pragma once

#include "platform/mfc/propertypage.h"

#include <QList>
#include <QStringList>

class CConfigDepot;
class CConfigPropSheet;

class CConfigPropPage : public CPropertyPage {
    Q_OBJECT
public:
    CConfigPropPage(int dialogId, const QString &caption, int commandId);

    int CommandId() const { return m_commandId; }
    void SetLinks(CConfigPropSheet *sheet, CConfigDepot *depot);
    CConfigPropSheet *Sheet() const { return m_configSheet; }
    CConfigDepot *Depot() const { return m_depot; }
    // A host other than the configuration sheet (the configuration wizard)
    // names the pages that call each other here; the sheet's own pages
    // find each other through the sheet.
    void SetPeers(const QList<CConfigPropPage *> &peers) { m_peers = peers; }
    template <class Page> Page *FindPeer() const
    {
        for (CConfigPropPage *peer : peers())
            if (auto *page = dynamic_cast<Page *>(peer))
                return page;
        return nullptr;
    }
    CConfigPropPage *PeerOfCommand(int commandId) const;

    virtual void LoadFromDepot() = 0;
    virtual void SaveToDepot() = 0;
    // After the depot was written back (the Scheduler page reads its jobs
    // again).
    virtual void AfterWriteBack() {}
    // A name being edited that other pages have not taken up yet (the
    // Answer Methods page's name cell); FinishNameEdit publishes it.
    virtual bool HoldsUnfinishedNameEdit() const { return false; }
    virtual void FinishNameEdit() {}
    // The changes the page holds that it does not write, each said with
    // why; the sheet tells them with its question before it writes.
    virtual QStringList UnstoredChanges() const { return {}; }
    // A port group page: the names of its groups that hold the voice port,
    // as its records stand now (the Voice Ports page shows them).
    virtual QStringList GroupsOfPort(int port) const
    {
        Q_UNUSED(port);
        return {};
    }

    // Tells the main window and the sheet; a page that overrides it calls it.
    bool OnSetActive() override;

private:
    QList<CConfigPropPage *> peers() const;

    int m_commandId;
    QList<CConfigPropPage *> m_peers;
    CConfigPropSheet *m_configSheet = nullptr;
    CConfigDepot *m_depot = nullptr;
};
