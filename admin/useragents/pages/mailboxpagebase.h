// What the pages of the mailbox sheet share beyond the page base: the
// sheet they sit in, the application's services, the header every page
// shows (mailbox number, names, comment), the ways to build their controls,
// and marks that stay beside their labels when the page is laid out anew.
// Labels are children of the page itself, never of a group box, so the
// marks (children of the page) stand where the label is.
#pragma once

#include "admin/useragents/inhpropertypg.h"
#include "admin/useragents/mailboxpage.h"
#include "admin/useragents/pages/mailboxpageservices.h"

class CMailboxPps;
class CSpinButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

class CMailboxPageBase : public CInhPropertyPg, public CMailboxPage {
    Q_OBJECT
public:
    CMailboxPageBase(int dialogId, UINT captionId, std::vector<PageField> fields, CMailboxPps &sheet,
                     const CMailboxPageServices &services);

    CMailboxPps &Sheet() const { return m_sheetRef; }

protected:
    const CMailboxPageServices &Services() const { return m_services; }
    // The page's column of controls, below the header.
    QVBoxLayout *Body() const { return m_body; }
    // A grid of label and field rows in the body; labels keep room for their marks.
    QGridLayout *AddGrid();
    // A heading over a part of the page (in place of a group box).
    void AddHeading(const QString &text);

    QLabel *MakeLabel(int id, const QString &text);
    QLineEdit *MakeEdit(int id, int width = 0);
    QCheckBox *MakeCheck(int id, const QString &text);
    QRadioButton *MakeRadio(int id, const QString &text);
    QComboBox *MakeCombo(int id, bool editable);
    // A number edit with its arrows, side by side in one widget of the layout.
    QWidget *MakeSpinEdit(int editId, int spinId, int minimum, int maximum, int width = 60);
    CSpinButton *Spin(int id) const;

    // Checks the radio button of `value` among `buttons` (ids by value, from
    // 0), or none when the value names none.
    void LoadRadio(std::initializer_list<int> buttons, int value);
    // The value of the checked radio button; `value` unchanged when none is.
    void SaveRadio(std::initializer_list<int> buttons, int &value) const;

    // A combo shows exactly the stored text: the item of that text, or,
    // when no item has it, the text itself (a new item in a list that cannot
    // be typed into). Saving takes the shown text.
    void ExchangeComboText(CDataExchange *dx, int id, QString &value);
    // The range check of a number the administrator typed into edit `id`
    // (the last one exchanged); a stored number out of range, which the
    // administrator did not enter, does not keep the page from being left.
    void CheckTypedRange(CDataExchange *dx, int id, long long value, long long minimum, long long maximum);

    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    void refreshMarks();

    CMailboxPps &m_sheetRef;
    const CMailboxPageServices m_services;
    QVBoxLayout *m_body = nullptr;
};
