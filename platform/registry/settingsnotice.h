// Telling the user about a setting the program cannot use. A settings file
// may have been edited by hand, cut short or written by something else; the
// program then goes on with the setting's default, and says once which file
// and which key it passed over, on standard error as Qt's warnings go.
#pragma once

#include <QString>

class CSettingsNotice {
public:
    // Notes that `key` of the settings file `fileName` could not be used and
    // its default was taken; each file and key is named once per run.
    static void Unusable(const QString &fileName, const QString &key);
};
