// One page of a property sheet. A page is a dialog shown inside its sheet: its
// window (OnInitDialog) is made the first time the page is activated, and the
// sheet then calls it in this order:
//   OnSetActive   each time the page is shown (the base reloads the controls
//                 from the members, except on the first activation, where
//                 OnInitDialog has just done so); false keeps the old page;
//   OnKillActive  before another page is shown, and before OK and Apply (the
//                 base saves the controls into the members); false keeps the
//                 page shown;
//   OnApply       on OK and Apply, for every page that has a window (the base
//                 calls OnOK); false makes that page active and stops;
//   OnQueryCancel before Cancel, for the active page; false stops the Cancel;
//   OnReset       on Cancel, for every page that has a window (the base calls
//                 OnCancel).
// In a wizard, Back and Next first ask OnWizardBack and OnWizardNext (0: the
// neighbouring step, -1: stay, else the dialog id of the step to go to), and
// Finish asks OnWizardFinish (false: stay).
// SetModified tells the sheet that the page holds changes (PSM_CHANGED, or
// PSM_UNCHANGED, to the sheet's window); the sheet's Apply button is enabled
// while any page does.
#pragma once

#include "platform/mfc/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    Q_OBJECT
public:
    CPropertyPage(int dialogId, const QString &caption);
    // The caption is the string-table text of `captionId`.
    CPropertyPage(int dialogId, UINT captionId);

    virtual bool OnSetActive();
    virtual bool OnKillActive();
    virtual bool OnApply();
    virtual bool OnQueryCancel() { return true; }
    virtual void OnReset();
    virtual LRESULT OnWizardBack() { return 0; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual bool OnWizardFinish() { return true; }

    void SetModified(bool changed = true);
    bool IsModified() const { return m_modified; }
    // Whether the page's window was made (it has been active at least once).
    bool HasWindow() const { return m_hasWindow; }
    CPropertySheet *GetParentSheet() const { return m_sheet; }

protected:
    // A page ends nothing itself: the sheet's buttons end the sheet.
    void OnOK() override {}
    void OnCancel() override {}
    // Keys the page does not use (Enter, Escape) go on to the sheet; F1 is
    // the page's WM_HELP first.
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class CPropertySheet;
    void attach(CPropertySheet *sheet) { m_sheet = sheet; }
    void makeWindow();

    CPropertySheet *m_sheet = nullptr;
    bool m_hasWindow = false;
    bool m_firstSetActive = true;
    bool m_modified = false;
};
