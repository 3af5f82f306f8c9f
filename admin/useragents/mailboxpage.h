// What the mailbox sheet asks of its pages beyond a property page's own
// calls: the bit a page sets in the sheet's initialised word, and the reset
// that reverts every value of the page to its class of service's. The sheet
// resets its pages in the order of their bits (options first, ASR last).
#pragma once

class CMailboxPage {
public:
    // One of 0x1 (options), 0x10 (attendant), 0x100 (menus), 0x1000
    // (groups), 0x10000 (auto), 0x100000 (notify), 0x1000000 (unified
    // messaging), 0x10000000 (ASR).
    virtual unsigned InitialisedBit() const = 0;
    // Every value of the page takes its class of service's.
    virtual void ResetToParent() = 0;
    // The sheet is closing while its session still stands: the page lets
    // go of what it holds on the server. Most pages hold nothing.
    virtual void OnSheetClosing() {}

protected:
    ~CMailboxPage() = default;
};
