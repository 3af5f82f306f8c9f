// What a benchmark's session needs to log in to the simulator it started:
// the settings that reach its port, and the manufacturer's account, which
// every simulator holds.
#pragma once

#include "admin/session/logincredentials.h"
#include "admin/session/sessionsettings.h"
#include "testserver/harness/simulatorprocess.h"

inline CSessionSettings SettingsFor(const testserver::SimulatorProcess &simulator)
{
    CSessionSettings settings;
    settings.port = simulator.port();
    return settings;
}

inline CLoginCredentials ManufacturerLogin(const testserver::SimulatorProcess &simulator)
{
    return CLoginCredentials{simulator.host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel")};
}
