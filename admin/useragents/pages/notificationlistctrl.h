// The list of the notifications page: one row per notification that
// applies to the edited box (its own, "Owned" Yes, and those of its class of
// service), with the notification's title, event and settings. Rows come
// from "GetNotifications" for the events the server names; a notification
// whose application is no known title (a notification application or a
// template that leads to one) is not listed. The titles are read again
// before every fill, through the application's session.
//
// A fetch is asynchronous; only the reply to the latest request is taken, so
// a reply that arrives after the administrator moved on to another box is
// dropped. Each row's item data is the event-map id, or the pending id
// (negative) of a notification added on the page and not stored yet.
// Selecting and leaving a row are told to the page as messages 0x803 and
// 0x805 (lParam the row).
#pragma once

#include "admin/useragents/pages/mailboxpageservices.h"
#include "admin/widgets/colorlistctrl.h"
#include "platform/messages/messagetarget.h"

#include <memory>

class INotificationOwner;

class CNotificationListCtrl : public CColorListCtrl, public CMessageTarget {
    Q_OBJECT
public:
    static constexpr UINT WM_ROW_SELECTED = 0x803;
    static constexpr UINT WM_ROW_DESELECTED = 0x805;
    static constexpr WPARAM RequestCode = 61466;
    enum Column : int { Owned, Enabled, Title, Event, Days, From, To, After, Every, Retries, Variable, LineGroup };

    // `services` lend the application's session (`applicationChannel`) and
    // the server's lists; they and `owner` outlive the list.
    CNotificationListCtrl(INotificationOwner &owner, const CMailboxPageServices &services, QWidget *parent);
    ~CNotificationListCtrl() override;

    // Known titles: the notification applications and the templates that
    // lead to them; the same for the applications whose telephone user
    // interface is disabled.
    void LoadTitles();
    QStringList KnownTitles() const { return m_knownTitles; }
    QStringList UIDisabledTitles() const { return m_uiDisabledTitles; }
    // Fetches the notifications of box `number` and waits for them.
    void Refresh(long number);
    void FillFromReply(const QString &reply);
    // Shows the settings of the notification `key` in `row`.
    void FillRow(int row, const QString &key);
    // Appends an owned row, selected and shown; returns its index.
    int AddRow(const QString &title, const QString &eventName, qintptr data);
    // Removes the selected row when the box owns it, handing back its item
    // data; false (after telling why) when it is not the box's own.
    bool TakeSelectedOwned(qintptr &data);
    qintptr ItemData(int row) const { return qintptr(GetItemData(row)); }
    // The name of an event id, "Event_%d" for one the server did not name.
    QString EventName(int id) const;
    // The id of an event name; -1 when the server has no such event.
    int EventId(const QString &name) const;
    // The number of elements of the last reply.
    int LastReplyCount() const { return m_replyCount; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Request;

    void fetch(long number);
    void takeReply(const Request *request, const QString &reply);
    void selectionChanged();
    void tellOwner(UINT message, int row);

    INotificationOwner &m_owner;
    const CMailboxPageServices &m_services;
    QStringList m_knownTitles;
    QStringList m_uiDisabledTitles;
    int m_replyCount = 0;
    int m_selectedRow = -1;
    // The latest asynchronous request; a newer one replaces it, and the
    // reply of a replaced one reaches nobody.
    std::unique_ptr<Request> m_request;
};
