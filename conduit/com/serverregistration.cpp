// See serverregistration.h. Every key is written and the store flushed
// before success is reported, so a caller never believes in an entry that
// did not reach the disk.
#include "serverregistration.h"

#include "conduit/ids.h"

#include "platform/com/guid.h"
#include "platform/registry/registry.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>

namespace {

const char *const kProgId = "Keltra.COMPONENT.ZELT2";
const char *const kBuildStamp = __DATE__ " " __TIME__;

// Closes a key on every path.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;
    HKEY *out() { return &m_key; }
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool writeText(const std::string &keyPath, const char *name, const std::string &text)
{
    OpenKey key;
    if (RegCreateKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), key.out()) != ERROR_SUCCESS)
        return false;
    return RegSetValueEx(key.get(), name, REG_SZ, text.c_str(), static_cast<uint32_t>(text.size() + 1)) ==
               ERROR_SUCCESS &&
           RegFlushKey(key.get()) == ERROR_SUCCESS;
}

std::string classKey()
{
    return "CLSID\\" + GuidToString(CLSID_Conduit);
}

} // namespace

HRESULT CServerRegistration::registerServer()
{
    char path[PATH_MAX];
    if (!modulePath(path, sizeof path))
        return E_UNEXPECTED;
    const std::string progId = kProgId;
    const std::string inproc = classKey() + "\\InprocServer32";
    bool written = writeText(progId + "\\CLSID", nullptr, GuidToString(CLSID_Conduit)) &&
                   writeText(progId + "\\Build", nullptr, kBuildStamp) && writeText(inproc, nullptr, path) &&
                   writeText(inproc, "ThreadingModel", "Both");
    return written ? S_OK : E_UNEXPECTED;
}

HRESULT CServerRegistration::unregisterServer()
{
    if (RegDeleteKey(HKEY_CLASSES_ROOT, (classKey() + "\\InprocServer32").c_str()) != ERROR_SUCCESS ||
        RegDeleteKey(HKEY_CLASSES_ROOT, classKey().c_str()) != ERROR_SUCCESS)
        return E_UNEXPECTED;
    const std::string progId = kProgId;
    RegDeleteKey(HKEY_CLASSES_ROOT, (progId + "\\CLSID").c_str());
    RegDeleteKey(HKEY_CLASSES_ROOT, (progId + "\\Build").c_str());
    RegDeleteKey(HKEY_CLASSES_ROOT, kProgId);
    return S_OK;
}

bool CServerRegistration::modulePath(char *out, size_t size)
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&CServerRegistration::modulePath), &info) || !info.dli_fname)
        return false;
    char *resolved = realpath(info.dli_fname, nullptr);
    if (!resolved)
        return false;
    bool fits = std::strlen(resolved) < size;
    if (fits)
        std::strcpy(out, resolved);
    std::free(resolved);
    return fits;
}
