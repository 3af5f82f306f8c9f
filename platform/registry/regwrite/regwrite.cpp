// regwrite: writes one text value into the per-user registry store, for
// scripts that prepare a program's settings (the demo fills in admin's
// server and user this way) without knowing how the store lays out its
// files.
//
//     regwrite HKCU|HKCR|HKLM KEY NAME VALUE
//
// Exit status: 0 written, 1 usage, 2 the store refused the change.
#include "platform/registry/regkey.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

HKEY RootNamed(const char *name)
{
    if (std::strcmp(name, "HKCU") == 0 || std::strcmp(name, "HKEY_CURRENT_USER") == 0)
        return HKEY_CURRENT_USER;
    if (std::strcmp(name, "HKCR") == 0 || std::strcmp(name, "HKEY_CLASSES_ROOT") == 0)
        return HKEY_CLASSES_ROOT;
    if (std::strcmp(name, "HKLM") == 0 || std::strcmp(name, "HKEY_LOCAL_MACHINE") == 0)
        return HKEY_LOCAL_MACHINE;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    HKEY root = argc == 5 ? RootNamed(argv[1]) : nullptr;
    if (!root) {
        std::fprintf(stderr, "usage: regwrite HKCU|HKCR|HKLM KEY NAME VALUE\n");
        return 1;
    }
    CRegKey key;
    LONG result = key.Create(root, argv[2]);
    if (result == ERROR_SUCCESS)
        result = key.SetString(argv[3], QString::fromLocal8Bit(argv[4]));
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "regwrite: %s\\%s: the store refused the change (error %d)\n", argv[2], argv[3],
                     int(result));
        return 2;
    }
    return 0;
}
