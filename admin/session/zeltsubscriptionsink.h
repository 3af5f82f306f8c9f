// The subscription interface of a session: one window receives every line
// the server pushes (lines beginning with "."), as WM_SERVER_REPLY-like
// messages, until it unsubscribes.
#pragma once

#include "platform/messages/messagetarget.h"

#include <QString>

#include <cstdint>

class CZELTSubscriptionSink {
public:
    // Sends `command` (e.g. "RegisterTraceConsumer -categories 8") and routes
    // its reply and every pushed line to the window. Pushed lines begin with
    // "." and not with the command's word, so subscribers pass check false. Returns the
    // subscription's transaction number, or 0 when the session already has
    // a subscription (nothing is sent then).
    virtual uint32_t Subscribe(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                               bool check = false, int type = 1) = 0;
    // Stops the deliveries; nothing is sent to the server.
    virtual void Unsubscribe(uint32_t transaction) = 0;

protected:
    ~CZELTSubscriptionSink() = default;
};
