// RAII key with typed value helpers; see regkey.h.
#include "regkey.h"

#include <cstring>

CRegKey::~CRegKey()
{
    Close();
}

LONG CRegKey::Create(HKEY parent, const char *subKey)
{
    Close();
    return RegCreateKeyEx(parent, subKey, &m_key);
}

LONG CRegKey::Open(HKEY parent, const char *subKey, REGSAM access)
{
    Close();
    return RegOpenKeyEx(parent, subKey, access, &m_key);
}

void CRegKey::Close()
{
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}

std::optional<QByteArray> CRegKey::query(const char *name, uint32_t expectedType) const
{
    uint32_t type = REG_NONE;
    uint32_t size = 0;
    if (!m_key || RegQueryValueEx(m_key, name, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    QByteArray bytes(qsizetype(size), '\0');
    // The value may change between the two calls; ask again until it fits.
    for (;;) {
        size = static_cast<uint32_t>(bytes.size());
        const LONG result = RegQueryValueEx(m_key, name, &type, bytes.data(), &size);
        if (result == ERROR_MORE_DATA) {
            bytes.resize(qsizetype(size));
            continue;
        }
        if (result != ERROR_SUCCESS || type != expectedType)
            return std::nullopt;
        bytes.resize(qsizetype(size));
        return bytes;
    }
}

std::optional<QString> CRegKey::QueryString(const char *name) const
{
    const std::optional<QByteArray> bytes = query(name, REG_SZ);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(bytes->constData(),
                             qsizetype(strnlen(bytes->constData(), size_t(bytes->size()))));
}

std::optional<uint32_t> CRegKey::QueryDword(const char *name) const
{
    const std::optional<QByteArray> bytes = query(name, REG_DWORD);
    if (!bytes || bytes->size() != sizeof(uint32_t))
        return std::nullopt;
    uint32_t number;
    std::memcpy(&number, bytes->constData(), sizeof number);
    return number;
}

std::optional<QByteArray> CRegKey::QueryBinary(const char *name) const
{
    return query(name, REG_BINARY);
}

LONG CRegKey::SetString(const char *name, const QString &value)
{
    const QByteArray text = value.toUtf8();
    return RegSetValueEx(m_key, name, REG_SZ, text.constData(), static_cast<uint32_t>(text.size() + 1));
}

LONG CRegKey::SetDword(const char *name, uint32_t value)
{
    return RegSetValueEx(m_key, name, REG_DWORD, &value, sizeof value);
}

LONG CRegKey::SetBinary(const char *name, const QByteArray &value)
{
    return RegSetValueEx(m_key, name, REG_BINARY, value.constData(), static_cast<uint32_t>(value.size()));
}
