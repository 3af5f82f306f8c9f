// The fourth page of the mailbox sheet, "Menus": for each telephone key 1
// to 9 and 0, the application that runs when a caller presses it in the
// mailbox's menu, with its parameter. Applications are picked from the
// list (user applications and the aliases that lead to one); typing one is
// refused, and an application is removed with Use COS. A stored application
// that the list lacks is shown as it is stored. Leaving key 0's list runs
// the choice as a selection does; a list left as it was loaded gives nothing.
#pragma once

#include "admin/useragents/pages/mailboxpagebase.h"

#include <array>

class CMenusPpg : public CMailboxPageBase {
    Q_OBJECT
public:
    enum : int { IDD = 168, KeyCount = 10 };
    struct Key {
        const char *digit;
        int labelId;
        const char *labelText;
        int comboId;
        int editId;
        unsigned tooltipId;
    };
    // Keys 1 to 9, then 0.
    static const std::array<Key, KeyCount> Keys;

    CMenusPpg(CMailboxPps &sheet, const CMailboxPageServices &services);

    unsigned InitialisedBit() const override { return 0x100; }
    void ResetToParent() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    // Key 0's place among the keys.
    static constexpr int ZeroKey = KeyCount - 1;

    void applicationChosen(int key, int index);
    void applicationLeft(int key);
    void applicationTyped();

    std::array<CPageTextValue, KeyCount> m_applications;
    std::array<CPageTextValue, KeyCount> m_parameters;
};
