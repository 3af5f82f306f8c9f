// See rememberedpassword.h. The stored bytes are read as a whole: a password
// as long as the login dialog allows comes back complete, never cut by the
// room for a terminating zero.
#include "admin/app/rememberedpassword.h"

#include "admin/app/passwordcipher.h"
#include "platform/registry/regkey.h"

namespace {
constexpr char kPasswordKey[] = "SOFTWARE\\Keltra\\Verbanta ES Administration";
constexpr char kPasswordValue[] = "Password";
// Far above what the login dialog lets through; a larger value is not ours.
constexpr qsizetype kStoredPasswordLimit = 256;
} // namespace

bool CRememberedPassword::EnsureCryptKeys()
{
    CRegKey key;
    return key.Create(HKEY_CURRENT_USER, kPasswordKey) == ERROR_SUCCESS;
}

bool CRememberedPassword::Save(const QString &password)
{
    CRegKey key;
    if (key.Create(HKEY_CURRENT_USER, kPasswordKey) != ERROR_SUCCESS)
        return false;
    return key.SetBinary(kPasswordValue, CipherRememberedPassword(password.toUtf8())) == ERROR_SUCCESS;
}

std::optional<QString> CRememberedPassword::Load()
{
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kPasswordKey) != ERROR_SUCCESS)
        return std::nullopt;
    const std::optional<QByteArray> stored = key.QueryBinary(kPasswordValue);
    if (!stored || stored->size() > kStoredPasswordLimit)
        return std::nullopt;
    QByteArray plain = CipherRememberedPassword(*stored);
    // Text ends at a NUL, as it did in the fixed buffer it was read into.
    const qsizetype end = plain.indexOf('\0');
    if (end >= 0)
        plain.truncate(end);
    return QString::fromUtf8(plain);
}
