// An open registry key that closes itself, with typed helpers for the three
// value kinds the suite stores. The Windows-shaped functions of registry.h
// stay available for callers that need their exact results.
#pragma once

#include "platform/registry/registry.h"

#include <QByteArray>
#include <QString>

#include <optional>

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey();
    CRegKey(const CRegKey &) = delete;
    CRegKey &operator=(const CRegKey &) = delete;

    LONG Create(HKEY parent, const char *subKey);
    LONG Open(HKEY parent, const char *subKey, REGSAM access = KEY_READ);
    void Close();
    HKEY handle() const { return m_key; }

    // Each gives nothing when the value is missing or of another type.
    std::optional<QString> QueryString(const char *name) const;
    std::optional<uint32_t> QueryDword(const char *name) const;
    std::optional<QByteArray> QueryBinary(const char *name) const;

    LONG SetString(const char *name, const QString &value);
    LONG SetDword(const char *name, uint32_t value);
    LONG SetBinary(const char *name, const QByteArray &value);

private:
    std::optional<QByteArray> query(const char *name, uint32_t expectedType) const;

    HKEY m_key = nullptr;
};
