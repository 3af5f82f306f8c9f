// The form of a property editor window: every variable of one user agent as
// a raw name/value list, the parent, and buttons to set, add and remove
// variables and to send the changes (Apply) or drop them (Undo). It works
// on the window's own session through its document.
//
// The administrator chooses the user agent by typing its number and
// leaving the field (Tab before the first record). Every number is checked
// against the account's rights before anything is sent, whichever way it
// was entered. The record arrives as a reply message; a failed load leaves
// what was shown, and the number, as they were. Apply sends only what
// changed and reads the record back; closing with unapplied changes asks.
#pragma once

#include "admin/session/tcllist.h"
#include "platform/mfc/dialog.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CColorListCtrl;
class CPropEditDoc;
class CServerCommandChannel;
class CUserAgent;
struct CPropEditVariable;
class QComboBox;
class QLineEdit;
class QPushButton;

class CPropEditFrm : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 122,
        IDC_NUMBER = 1226,
        IDC_PARENT = 1106,
        IDC_SECURITY_CODE = 1228,
        IDC_SECURITY_LEVEL = 1032,
        IDC_SCENARIO = 1383,
        IDC_VALUE = 1308,
        IDC_SET = 1067,
        IDC_NEW = 1013,
        IDC_REMOVE = 1020,
        IDC_APPLY = 1374,
        IDC_UNDO = 1384,
        IDC_VARIABLES = 1093,
    };
    // The request code of the record's reply: the id of "GetUA %ld".
    static constexpr WPARAM RecordRequest = 61456;

    // `document` outlives the form; `isAllowed` says whether the account
    // may edit a user agent.
    CPropEditFrm(CPropEditDoc *document, std::function<bool(long)> isAllowed, QWidget *parent = nullptr);
    ~CPropEditFrm() override;

    // Columns, the command interface of the document, the images.
    void OnInitialUpdate();
    // True when the window may close: no unapplied changes, or the
    // administrator lets them go.
    bool QueryClose();
    bool IsModified() const { return m_modified; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnCommand(int id) override;
    // A form has no OK or Cancel: Enter and Escape end nothing.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void buildControls();
    void requestRecord(long number);
    void numberEntered();
    void restoreNumber();
    void OnServerReply(const QString &reply);
    void fillParents(const QString &reply);
    void insertVariable(std::unique_ptr<CPropEditVariable> variable);
    CPropEditVariable *variableAt(int row) const;
    void selectionChanged();
    void OnSet();
    void OnNew(const QString &value);
    void OnRemove();
    void OnApply();
    void OnUndo();
    void parentChosen();
    // The parent the combo shows; nothing when it is no number.
    std::optional<long> chosenParent() const;
    void setModified(bool modified);
    void markSet(CPropEditVariable &variable);
    void markRemoved(CPropEditVariable &variable);
    void showRow(int row);

    CPropEditDoc *m_document;
    CServerCommandChannel *m_channel = nullptr;
    std::function<bool(long)> m_isAllowed;
    CTclList m_splitter;
    std::unique_ptr<CUserAgent> m_record;
    std::vector<std::unique_ptr<CPropEditVariable>> m_variables;
    int m_selected = -1;
    bool m_modified = false;
    bool m_firstLoad = true;
    bool m_checkingNumber = false;
    QLineEdit *m_number;
    QComboBox *m_parent;
    QLineEdit *m_scenario;
    QLineEdit *m_value;
    CColorListCtrl *m_variablesList;
    QPushButton *m_set;
    QPushButton *m_new;
    QPushButton *m_remove;
    QPushButton *m_apply;
    QPushButton *m_undo;
};
