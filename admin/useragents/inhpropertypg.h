// The base of every page of the mailbox sheet. A page names its fields in a
// table (tracker, property name, control, label, ...); the base moves the
// values between the record and the trackers, shows for each field whether
// the value is the box's own (a green mark), taken from the class of
// service (a blue "!") or locked (a padlock), and offers Lock and Revert
// ("Use COS") on a right click of the field's label or Ctrl+R in the field.
// Fields that share a label (an event's application and value) are locked,
// reverted and marked as one group.
//
// Name 1, Name 2 and Comment head every page; their trackers belong to the
// sheet (CInhCommonFields), so all pages show the same three values.
//
// Loading never counts as an edit: the controls are filled with their
// change signals blocked. While a page holds edits, the sheet's registered
// controls (the class-of-service choice) are disabled; loading a box enables
// them again.
//
// The hover help on the field labels is a CLabelHoverHelp of the page; the
// page hands it its timer and WM_SETCURSOR and tells it each field's help
// text (the property name in developer mode).
#pragma once

#include "admin/useragents/labelhoverhelp.h"
#include "admin/useragents/pagetextvalue.h"
#include "platform/mfc/propertypage.h"

#include <QHash>
#include <QRect>

#include <functional>
#include <optional>
#include <vector>

class CInhSheet;
class CMailboxListCtrl;
class CMessageTarget;
class CPageValue;
class CServerCommandChannel;
class CUserAgent;
class QLabel;

// One field of a page's table.
struct PageField {
    CPageValue *value = nullptr;
    // The property name; one "%s" stands for a server-defined event name.
    QString property;
    int controlId = 0;
    int labelId = 0;
    bool noInherit = false;
    // String shown instead of locking; -1 when the field can be locked.
    int lockRefusalId = -1;
    // Pixels between the label's right edge and the field's marks.
    int indicatorOffset = 0;
    int tooltipId = -1;
};

// The fields every page shows, owned by the sheet.
struct CInhCommonFields {
    CPageTextValue name1;
    CPageTextValue name2;
    CPageTextValue comment;
    // Set once the first page has loaded them.
    bool loaded = false;
    // A name field changed (the sheet offers a directory synchronisation).
    bool namesChanged = false;
    // The sheet's list of boxes, and the window that loads a box the
    // administrator jumps to by number; none while there is no sheet.
    CMailboxListCtrl *list = nullptr;
    CMessageTarget *sheet = nullptr;
};

class CInhPropertyPg : public CPropertyPage {
    Q_OBJECT
public:
    // Message: a user agent was loaded into the record (wParam its number).
    static constexpr UINT WM_USERAGENT_LOADED = 0x802;
    // The mouse is over the window of wParam (the page or one of its controls).
    static constexpr UINT WM_SETCURSOR = 0x0020;
    // The page has become the active one of its sheet.
    static constexpr UINT WM_CHILDACTIVATE = 0x0022;
    static constexpr uintptr_t TipTimerId = CLabelHoverHelp::TimerId;
    static constexpr UINT TipTimerPeriod = CLabelHoverHelp::TimerPeriod;
    // The tip shows at the first tick of its timer and goes at this one.
    static constexpr int TipHideTick = CLabelHoverHelp::HideTick;
    enum : int {
        IDC_MAILBOX_NUMBER = 1226,
        IDC_COMMENT = 1230,
        IDC_NAME1 = 1232,
        IDC_NAME2 = 1234,
        ID_FIELD_LOCK = 32835,
        ID_FIELD_REVERT = 32837,
        // The label of the call-end event's application and value.
        DoneEventLabel = 1354,
    };
    enum class Mark { None, Own, Inherited };
    // The server's text for one of the variables named in event property
    // patterns (EmrId_MsgCopy_Normal, ...); read at login by the application.
    using ServerVariable = std::function<QString(const QString &name)>;

    CInhPropertyPg(int dialogId, UINT captionId, std::vector<PageField> fields, CUserAgent &record,
                   CServerCommandChannel &channel, CInhCommonFields &common,
                   ServerVariable serverVariable = {});

    // true: controls to trackers to record; false: record to trackers to controls.
    virtual bool TransferData(bool save);
    virtual void OnEditChange(int controlId);
    virtual void OnUserAgentLoaded(WPARAM wParam, LPARAM lParam);

    void RefreshEntry(int index);
    void RefreshControlById(int labelId);
    bool MarkFieldChanged(int controlId);
    void SetPageModified(bool on);
    QString BuildPropertyName(int index);
    void Lock(int index);
    void ToggleInherited(int index);
    // Every own field of the page shows its class-of-service value again, and
    // the locks set here are lifted (those set above stay).
    void ResetToCOS();

    int GetEntryCount() const { return int(m_fields.size()); }
    const PageField &GetEntry(int index) const { return m_fields[index]; }
    // What the field's marks show.
    Mark GetMark(int index) const;
    bool IsLockShown(int index) const;
    long GetMailboxNumber() const { return m_mailboxNumber; }
    // Hover help as it stands: the framed label (-1: none), its frame, and
    // the tip with its text, drawn in page coordinates.
    int HoveredLabelId() const { return m_hoverHelp.HoveredLabelId(); }
    QRect HoverFrame() const { return m_hoverHelp.HoverFrame(); }
    bool IsTipShown() const { return m_hoverHelp.IsTipShown(); }
    QRect TipRect() const { return m_hoverHelp.TipRect(); }
    QString TipText() const { return m_hoverHelp.TipText(); }
    bool IsTipTimerRunning() const { return m_hoverHelp.IsTimerRunning(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    void DoDataExchange(CDataExchange *dx) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The text "%s" stands for in the property patterns of fields whose
    // control names no server variable (a page that edits one of several
    // records of the same kind, such as a notification); empty: none.
    void SetSubstitution(const QString &text) { m_substitution = text; }
    // Fills the controls from the trackers. Filling is no edit: no change
    // notification reaches the page, so no field (a name neither) counts as
    // changed by it.
    void LoadControls();

private:
    static constexpr int CommonCount = 3;
    // A name holds at most this many characters.
    static constexpr int MaxNameLength = 16;

    void exchangeName(CDataExchange *dx, int id, CPageTextValue &value);
    static QString dialableName(const QString &name);
    void jumpToMailbox();
    bool storeFields();
    void openFieldMenu(QWidget *label);
    int firstEntryWithControl(int controlId) const;
    int firstEntryWithLabel(int labelId) const;
    bool canRevert(int index) const;
    QLabel *markLabel(int index, bool lock);
    void subclassLabels();
    void deliverLoadedRecord();
    std::optional<QString> tipText(int labelId) const;

    std::vector<PageField> m_fields;
    CUserAgent &m_record;
    CServerCommandChannel &m_channel;
    CInhCommonFields &m_common;
    // The sheet's services, when the page sits in a sheet that offers them.
    CInhSheet *m_sheet = nullptr;
    ServerVariable m_serverVariable;
    // Tips show the property names instead of the help texts.
    bool m_developerMode = false;
    long m_mailboxNumber = -1;
    int m_currentEntry = -1;
    bool m_skipCommonOnFirstLoad = false;
    QString m_substitution;
    // Property name to class-of-service text, gathered by ResetToCOS.
    QHash<QString, QString> m_inheritedCache;
    // Two marks per entry (inheritance, lock), made on first use.
    std::vector<QLabel *> m_marks;
    // The picture each entry's inheritance mark holds (None: none yet).
    std::vector<Mark> m_markShown;
    // Frame and tip on the labels; watches the mouse once the window is made.
    CLabelHoverHelp m_hoverHelp;
};
