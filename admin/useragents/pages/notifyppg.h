// The seventh page of the mailbox sheet, "Notify": the notifications that
// apply to the box (its own and its class of service's), the adding and
// deleting of the box's own, and the schedule and retries of the selected
// one. A notification is an event-map record of the server tying an event
// to a notification application (its title); its settings are properties
// of the box named Nf_<key>_<field>, where <key> is the record's number, or
// "<pending id>!<event id>!<title>" for one added here and not yet stored.
// Nothing goes to the server from this page: the sheet's save writes the
// properties, creates the pending records and deletes the dropped ones.
//
// The Enabled box stores the notification's Disable flag: checked stores
// 0, as the list's Enabled column, the Options page and the unified
// messaging switch read it; an empty flag reads as enabled.
#pragma once

#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/pages/mailboxpagebase.h"
#include "admin/useragents/pages/notificationowner.h"

class CDayMaskCtrl;
class CNotificationListCtrl;
class QListWidget;

class CNotifyPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int {
        IDD = 137,
        IDC_LIST = 1303,
        IDC_ADD = 1367,
        IDC_DELETE = 1368,
        IDC_TEMPLATE_EDITOR = 1370,
        IDC_ENABLED = 1311,
        IDC_ACCESSIBLE = 1324,
        IDC_TITLE = 1131,
        IDC_EVENT = 1534,
        IDC_VARIABLE = 1308,
        IDC_NOTIFY_AFTER = 1318,
        IDC_CONTINUE_EVERY = 1322,
        IDC_MAXIMUM_TIMES = 1073,
        IDC_DAYS = 1314,
        IDC_FROM = 1312,
        IDC_TO = 1313,
        IDC_LINE_GROUP = 1734,
        IDC_HOLIDAYS_IGNORED = 1529,
        IDC_HOLIDAYS_ACTIVE = 1524,
        IDC_HOLIDAYS_INACTIVE = 1528,
    };
    static constexpr UINT WM_ROW_SELECTED = 0x803;
    static constexpr UINT WM_ROW_DESELECTED = 0x805;

    CNotifyPpg(CMailboxPps &sheet, const CMailboxPageServices &services);
    ~CNotifyPpg() override;

    unsigned InitialisedBit() const override { return 0x100000; }
    void ResetToParent() override;
    void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam) override;

    CNotificationListCtrl &List() const { return *m_list; }
    // The key of the selected notification; empty when none is.
    QString CurrentKey() const { return m_currentKey; }
    QStringList PortGroups() const { return m_portGroups; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class Owner : public INotificationOwner {
    public:
        explicit Owner(CNotifyPpg &page) : m_page(page) {}
        QString GetProperty(const QString &name) const override;
        int GetScenarioNumber() const override;
        bool IsResetting() const override;

    private:
        CNotifyPpg &m_page;
    };

    void rowSelected(int row);
    void rowDeselected(int row);
    QString keyOfRow(int row) const;
    void setKey(const QString &key);
    void addNotification();
    void deleteNotification();
    void dropNotification(qintptr data, const QString &key);
    void clearFields();
    void setFieldsEditable(bool editable);
    void followEnabled();
    void loadPortGroups();
    void fillLineGroups();
    void fieldEdited(int id);
    void timeChanged(int id);
    void lineGroupChosen();
    bool rowSelectedNow() const { return m_selectedRow >= 0 && !m_currentKey.isEmpty(); }
    // The table's notification fields, from Enabled on.
    QList<CPageValue *> notificationValues();

    CPageBoolValue m_enabled;
    CPageUIntValue m_days;
    CPageIntValue m_holidays;
    CPageIntValue m_from;
    CPageIntValue m_to;
    CPageUIntValue m_initDial;
    CPageUIntValue m_repeatDelay;
    CPageUIntValue m_repeatCount;
    CPageBoolValue m_accessible;
    CPageTextValue m_lineGroup;
    CPageTextValue m_variable;

    Owner m_owner;
    CNotificationListCtrl *m_list;
    CDayMaskCtrl *m_dayMask;
    QListWidget *m_lineGroups;
    QString m_currentKey;
    int m_selectedRow = -1;
    int m_nextPendingId = -1;
    bool m_dirty = false;
    // The selected title's telephone user interface is disabled: the user
    // mode can not reach it, so "User mode accessible" stays off.
    bool m_accessibleLocked = false;
    bool m_fieldsEditable = true;
    bool m_resetting = false;
    bool m_resetSelecting = false;
    QStringList m_portGroups;
};
