// The server variable that remembers the configuration wizard; see
// configwizardaccess.h.
#include "admin/app/configwizardaccess.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"

namespace {

const QString kVariable = QStringLiteral("configuration_wizard_accessed");

} // namespace

bool GetConfigWizardAccessed(CServerCommandChannel &channel)
{
    const QString command =
        QStringLiteral("if {[catch {set %1}] != 0} {set %1 false}\r\nset %1\r\n").arg(kVariable);
    return channel.Execute(command) == QLatin1String("true");
}

bool SetConfigWizardAccessed(CServerCommandChannel &channel)
{
    return !IsErrorReply(channel.Execute(QStringLiteral("ConfigSetString %1 true 1\r\n").arg(kVariable)));
}
