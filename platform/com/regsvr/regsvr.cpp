// regsvr: registers an in-process server library in the per-user registry
// store the way installers did, by loading it and calling its own
// DllRegisterServer (or, with -u, DllUnregisterServer). The programs find
// their servers only through a registration: the demo runs this once for the
// built libConduit.so, and installing runs it to write the registration
// installed for every user (conduit/installregistration.cmake), beneath
// which a user's own still wins.
//
//     regsvr [-u] LIBRARY
//     regsvr --help
//
// Exit status: 0 done, 1 usage, 2 the library cannot be loaded, 3 it has no
// such entry point, 4 the entry point reported a failure.
#include "platform/com/unknwn.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

namespace {

const char *const kUsage = "usage: regsvr [-u] LIBRARY\n"
                           "       regsvr --help\n"
                           "\n"
                           "Registers LIBRARY, an in-process server library such as libConduit.so, for the\n"
                           "current user ($XDG_CONFIG_HOME/verbanta/classes.ini, else ~/.config/verbanta/),\n"
                           "by calling the library's own DllRegisterServer. admin and Chanview find the\n"
                           "library through that registration; a user's registration wins over the one\n"
                           "installed with the programs.\n"
                           "\n"
                           "  -u      unregister LIBRARY instead (calls its DllUnregisterServer)\n"
                           "  --help  show this text\n"
                           "\n"
                           "Exit status: 0 done, 1 usage, 2 the library cannot be loaded, 3 it has no such\n"
                           "entry point, 4 the entry point reported a failure.\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    bool unregister = false;
    const char *library = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-u") == 0 && !unregister)
            unregister = true;
        else if (!library && argv[i][0] != '-')
            library = argv[i];
        else
            return usage();
    }
    if (!library)
        return usage();

    // A name without a slash would be searched for on the loader's path;
    // the caller means the file it names.
    const bool hasSlash = std::strchr(library, '/') != nullptr;
    char path[4096];
    std::snprintf(path, sizeof path, "%s%s", hasSlash ? "" : "./", library);
    // The library stays loaded until the tool exits: unloading one that
    // brought its own dependencies (Qt) in would leave their start-up
    // allocations behind as leaks for the leak checker.
    void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "regsvr: %s\n", dlerror());
        return 2;
    }
    const char *entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(handle, entryName));
    if (!entry) {
        std::fprintf(stderr, "regsvr: %s has no %s\n", library, entryName);
        return 3;
    }
    const HRESULT result = entry();
    if (FAILED(result)) {
        std::fprintf(stderr, "regsvr: %s of %s failed: 0x%08X\n", entryName, library, unsigned(result));
        return 4;
    }
    std::printf("regsvr: %s of %s succeeded\n", entryName, library);
    return 0;
}
