// The checks the Create, Copy and Delete dialogs make on the range box they
// hold, with the messages the administrator sees: the range list itself,
// then whether every number lies within the user agents the administrator
// may manage. A refused box keeps its text; after a rights refusal its text
// is selected and it has the focus.
#pragma once

#include "admin/uatools/ranges/parsedrangelist.h"
#include "platform/messages/messages.h"

#include <functional>
#include <optional>

class CServerCommandChannel;
class QLineEdit;

class CRangeBox {
public:
    // True when the administrator may manage every number of the list; the
    // application answers it from the rights of the login.
    using AllowedCheck = std::function<bool(const CRangeList &numbers)>;

    enum Action { Create, Delete };

    // The list of the text; nothing after its refusal was shown.
    static std::optional<CParsedRangeList> Parse(const QString &text);
    // The numbers of `list` that exist already, as the server tells them;
    // nothing after its refusal was shown.
    static std::optional<CRangeList> FindExisting(CServerCommandChannel &channel, const CParsedRangeList &list);
    // The numbers of `list` that exist already, which a run leaves alone,
    // after asking once, with their count, whether to go on with the others
    // ("Do you want to <goOn>?"); nothing when all of them exist, after a
    // refusal was shown, or after a No.
    static std::optional<CRangeList> ConfirmExisting(CServerCommandChannel &channel, const CParsedRangeList &list,
                                                     const QString &goOn);
    // True when `allowed` (none: every number) takes the list; otherwise the
    // error is shown in front of `owner`, worded for the action and for
    // classes of service or mailboxes, and `box` is selected.
    static bool CheckAllowed(const CParsedRangeList &list, const AllowedCheck &allowed, Action action,
                             bool cos, HWND owner, QLineEdit *box);
};
