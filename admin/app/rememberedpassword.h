// The remembered password of the Windows user, enciphered in the user's
// registry store. admin and Chanview remember the same password: whichever
// stored it last, the other finds it at its next start.
#pragma once

#include <QString>

#include <optional>

class CRememberedPassword {
public:
    // Whether passwords can be remembered at all (the key can be made).
    static bool EnsureCryptKeys();
    static bool Save(const QString &password);
    // Nothing when there is none or it cannot be read.
    static std::optional<QString> Load();
};
