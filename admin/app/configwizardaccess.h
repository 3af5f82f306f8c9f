// Whether the server's configuration wizard has ever been run, as the
// server keeps it in its variable "configuration_wizard_accessed". Start-up
// and Connect to Server ask before offering the wizard; a finished wizard,
// or an administrator who does not want to be asked again, records it.
#pragma once

class CServerCommandChannel;

// True when the server says the wizard ran. A server without the variable
// gets it set to false first. Throws CZltException when the command cannot
// be carried.
bool GetConfigWizardAccessed(CServerCommandChannel &channel);
// Records on the server that the wizard counts as run; false when the
// server refused (an error reply). Throws CZltException as above.
bool SetConfigWizardAccessed(CServerCommandChannel &channel);
