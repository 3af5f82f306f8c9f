// The port-state table shared by admin's port status window and Chanview.
#include "admin/ports/portstatetable.h"

#include <QtGlobal>

#include <array>

namespace {
const std::array<const char *, CPortStateTable::Count> kStates = {
    "On-Hook",
    "Off-Hook",
    "Ringing",
    "Playing",
    "Recording",
    "{Waiting for Digits}",
    "Stopped",
    "FlashHook",
    "Dialing",
    "ANSWERED",
    "{Connected Fax}",
    "Busy",
    "Reorder Tone",
    "{Voice Attached}",
    "{Voice Not Attached}",
    "{Play Tone}",
    "{Waiting for Tone}",
    "{No Dial Tone}",
    "{No Answer}",
    "{Unknown Application}",
    "Block",
    "{Playing Greeting}",
    "{Playing Msg}",
    "{Recording Message}",
    "{Sending AMIS}",
    "{Receiving AMIS}",
    "{Notifying}",
    "{Running IVR}",
    "{Managing Mailbox}",
    "{Reading Email}",
    "Transferring",
    "{On Hold}",
    "{Logging In}",
    "{Name Directory}",
    "{Managing System}",
    "{Sending Msg}",
    "{Main Menu}",
    "{Mailbox Info}",
    "{Tutoring}",
    "{Sending FAX}",
    "{Receiving FAX}",
};
} // namespace

int CPortStateTable::Find(const QString &state)
{
    const QString braced = QLatin1Char('{') + state + QLatin1Char('}');
    for (int i = 0; i < Count; ++i) {
        const QLatin1String entry(kStates[i]);
        if (state == entry || braced == entry)
            return i;
    }
    return Unknown;
}

QString CPortStateTable::Entry(int index)
{
    Q_ASSERT(index >= 0 && index < Count);
    return QLatin1String(kStates[index]);
}
