// The numbers that stand for whole kinds of user agents: the root of each
// kind, which the kind's agents descend from, and the fixed boxes the tools
// never create over or delete. Numbers above the high mark are the tops of
// the class-of-service tree, the roots among them; other agents may be
// numbered there too.
#pragma once

#include <QtGlobal>

namespace UAKind {

constexpr qint32 MailboxRoot = 0x7fffffff; // also "no class of service"
constexpr qint32 DistributionListRoot = 0x7ffffffe;
constexpr qint32 IvrRoot = 0x7ffffffd;
constexpr qint32 AmisGatewayRoot = 0x7ffffffc;
constexpr qint32 AmisProxyRoot = 0x7ffffffb;
constexpr qint32 DirectSendVoiceRoot = 0x7ffffffa;
constexpr qint32 DirectSendFaxRoot = 0x7ffffff9;
constexpr qint32 VpimGatewayRoot = 0x7ffffff8;
constexpr qint32 VpimProxyRoot = 0x7ffffff7;

constexpr qint32 HighMark = 0x40000000;

// True for the root of a kind other than mailboxes.
constexpr bool IsAgentKindRoot(qint32 number)
{
    return number >= VpimProxyRoot && number <= DistributionListRoot;
}

// True for the root of any kind, mailboxes included: the agents the login
// reads the kinds' texts from, which every window of the kind depends on.
constexpr bool IsKindRoot(qint32 number)
{
    return number >= VpimProxyRoot && number <= MailboxRoot;
}

} // namespace UAKind
