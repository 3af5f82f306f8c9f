// What the mailbox sheet tells the unified-messaging page once it has
// applied the page's switch: the state the server now holds for the box,
// read from the server's answer, not the state that was asked for.
#pragma once

class CUnifiedMessagingPage {
public:
    virtual void SetUnifiedMessagingState(bool enabled) = 0;

protected:
    ~CUnifiedMessagingPage() = default;
};
