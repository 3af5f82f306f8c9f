// The registry over QSettings INI files, one file per root key.
//
// Layout inside a file: a key's path becomes a QSettings group path of its
// lower-cased names (so lookups ignore case), with "%" and "/" in a name
// percent-escaped. Under it, the entry "%" marks that the key exists (and
// keeps the path as first written), and "%v<name>" holds a value. No escaped
// name can begin with a bare "%", so neither can be mistaken for a subkey.
// A value is stored as text with its type in front: "sz:<text>",
// "dword:<number>" or "hex:<bytes>", which keeps binary values exact.
//
// Changes go to the file line by line (inifile.h): what a change does not
// touch stays byte for byte as it was, and a file QSettings reads only in
// part is still read and written.
//
// Open keys live in a table of handles that are never reused; a handle
// remembers the file it was opened in, the roots look the folder up anew at
// each call. A key of HKEY_CLASSES_ROOT in the user's file also remembers the
// installed registrations' file, where a subkey the user's file lacks is
// looked for next; a key opened there is marked installed and read only.
#include "registry.h"

#include "inifile.h"
#include "storefolder.h"

#include <QSettings>
#include <QStringList>

#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace {

struct OpenKey {
    QString file;
    QString path; // canonical, "" for a root
    QString displayPath;
    REGSAM access = KEY_ALL_ACCESS;
    QString installedFile; // "" outside HKEY_CLASSES_ROOT's user keys
    bool installed = false;
};

struct StoredValue {
    uint32_t type = REG_NONE;
    QByteArray bytes;
};

std::mutex g_mutex;
std::unordered_map<uintptr_t, OpenKey> g_openKeys;
uintptr_t g_lastHandle = 0x10000;

std::optional<QString> rootFileName(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT)
        return QStringLiteral("classes.ini");
    if (key == HKEY_CURRENT_USER)
        return QStringLiteral("user.ini");
    if (key == HKEY_LOCAL_MACHINE)
        return QStringLiteral("machine.ini");
    return std::nullopt;
}

LONG resolveLocked(HKEY key, REGSAM needed, OpenKey *out)
{
    if (const auto root = rootFileName(key)) {
        *out = OpenKey{StoreFolder::filePath(*root), {}, {}, KEY_ALL_ACCESS, {}, false};
        const QString installed = StoreFolder::installedPath();
        if (key == HKEY_CLASSES_ROOT && !installed.isEmpty())
            out->installedFile = installed + QLatin1Char('/') + *root;
        return ERROR_SUCCESS;
    }
    const auto found = g_openKeys.find(reinterpret_cast<uintptr_t>(key));
    if (found == g_openKeys.end())
        return ERROR_INVALID_HANDLE;
    if ((found->second.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    *out = found->second;
    return ERROR_SUCCESS;
}

QString escapedName(const char *name)
{
    QString escaped = QString::fromUtf8(name ? name : "").toLower();
    escaped.replace(QLatin1Char('%'), QLatin1String("%25"));
    escaped.replace(QLatin1Char('/'), QLatin1String("%2F"));
    return escaped;
}

QString joined(const QString &path, const QString &name)
{
    return path.isEmpty() ? name : path + QLatin1Char('/') + name;
}

// Appends `subKey`'s names to `key`'s path; empty names (doubled or outer
// separators) are skipped.
OpenKey descend(const OpenKey &key, const char *subKey)
{
    OpenKey result = key;
    const QStringList names =
        QString::fromUtf8(subKey ? subKey : "").split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        result.path = joined(result.path, escapedName(name.toUtf8().constData()));
        result.displayPath =
            result.displayPath.isEmpty() ? name : result.displayPath + QLatin1Char('\\') + name;
    }
    return result;
}

QString markerOf(const QString &path)
{
    return joined(path, QStringLiteral("%"));
}

QString valueKeyOf(const QString &path, const char *name)
{
    return joined(path, QLatin1String("%v") + escapedName(name));
}

bool existsIn(const QSettings &settings, const QString &path)
{
    return path.isEmpty() || settings.contains(markerOf(path));
}

LONG writeThrough(CIniFile &file)
{
    return file.write() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

HKEY newHandleLocked(const OpenKey &key)
{
    g_lastHandle += 4;
    g_openKeys.emplace(g_lastHandle, key);
    return reinterpret_cast<HKEY>(g_lastHandle);
}

std::optional<QString> encode(uint32_t type, const void *data, uint32_t size)
{
    const char *bytes = static_cast<const char *>(data);
    switch (type) {
    case REG_SZ:
        return QLatin1String("sz:") + QString::fromUtf8(bytes, bytes ? qsizetype(strnlen(bytes, size)) : 0);
    case REG_DWORD: {
        if (size != sizeof(uint32_t))
            return std::nullopt;
        uint32_t number;
        std::memcpy(&number, data, sizeof number);
        return QLatin1String("dword:") + QString::number(number);
    }
    case REG_BINARY:
        return QLatin1String("hex:") + QString::fromLatin1(QByteArray(bytes, size).toHex());
    default:
        return std::nullopt;
    }
}

std::optional<StoredValue> decode(const QString &text)
{
    if (text.startsWith(QLatin1String("sz:")))
        return StoredValue{REG_SZ, text.mid(3).toUtf8().append('\0')};
    if (text.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const uint32_t number = text.mid(6).toUInt(&ok);
        if (!ok)
            return std::nullopt;
        return StoredValue{REG_DWORD, QByteArray(reinterpret_cast<const char *>(&number), sizeof number)};
    }
    if (text.startsWith(QLatin1String("hex:"))) {
        const QByteArray hex = text.mid(4).toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (bytes.toHex() != hex.toLower())
            return std::nullopt;
        return StoredValue{REG_BINARY, bytes};
    }
    return std::nullopt;
}

// Opens `target`, which the user's file lacks, among the installed
// registrations, for reading only.
LONG openInstalledLocked(const OpenKey &target, REGSAM access, HKEY *out)
{
    if (target.installedFile.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    const QSettings installed(target.installedFile, QSettings::IniFormat);
    if (!existsIn(installed, target.path))
        return ERROR_FILE_NOT_FOUND;
    OpenKey opened = target;
    opened.file = target.installedFile;
    opened.installedFile.clear();
    opened.installed = true;
    opened.access = access & KEY_READ;
    *out = newHandleLocked(opened);
    return ERROR_SUCCESS;
}

// Opens an existing key or, with `create`, makes it and every key above it.
LONG openLocked(HKEY key, const char *subKey, REGSAM access, bool create, HKEY *out)
{
    OpenKey base;
    LONG result = resolveLocked(key, create ? KEY_CREATE_SUB_KEY : 0, &base);
    if (result != ERROR_SUCCESS)
        return result;
    const OpenKey target = descend(base, subKey);
    if (create && !StoreFolder::prepare(target.file))
        return ERROR_ACCESS_DENIED;
    QSettings settings(target.file, QSettings::IniFormat);
    if (!existsIn(settings, base.path))
        return ERROR_KEY_DELETED;
    if (!existsIn(settings, target.path)) {
        if (!create)
            return openInstalledLocked(target, access, out);
        OpenKey step = base;
        CIniFile file(target.file);
        const QStringList names = QString::fromUtf8(subKey).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
        for (const QString &name : names) {
            step = descend(step, name.toUtf8().constData());
            if (!existsIn(settings, step.path))
                file.setValue(markerOf(step.path), step.displayPath);
        }
        result = writeThrough(file);
        if (result != ERROR_SUCCESS)
            return result;
    }
    OpenKey opened = target;
    opened.access = opened.installed ? access & KEY_READ : access;
    *out = newHandleLocked(opened);
    return ERROR_SUCCESS;
}

} // namespace

LONG RegCreateKeyEx(HKEY key, const char *subKey, HKEY *out)
{
    if (!out)
        return ERROR_INVALID_PARAMETER;
    *out = nullptr;
    std::lock_guard lock(g_mutex);
    return openLocked(key, subKey, KEY_ALL_ACCESS, true, out);
}

LONG RegOpenKeyEx(HKEY key, const char *subKey, REGSAM access, HKEY *out)
{
    if (!out)
        return ERROR_INVALID_PARAMETER;
    *out = nullptr;
    std::lock_guard lock(g_mutex);
    return openLocked(key, subKey, access, false, out);
}

LONG RegCloseKey(HKEY key)
{
    if (rootFileName(key))
        return ERROR_SUCCESS;
    std::lock_guard lock(g_mutex);
    return g_openKeys.erase(reinterpret_cast<uintptr_t>(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegSetValueEx(HKEY key, const char *name, uint32_t type, const void *data, uint32_t size)
{
    if (!data && size != 0)
        return ERROR_INVALID_PARAMETER;
    const std::optional<QString> encoded = encode(type, data, size);
    if (!encoded)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    OpenKey target;
    const LONG result = resolveLocked(key, KEY_SET_VALUE, &target);
    if (result != ERROR_SUCCESS)
        return result;
    if (!StoreFolder::prepare(target.file))
        return ERROR_ACCESS_DENIED;
    QSettings settings(target.file, QSettings::IniFormat);
    if (!existsIn(settings, target.path))
        return ERROR_KEY_DELETED;
    CIniFile file(target.file);
    file.setValue(valueKeyOf(target.path, name), *encoded);
    return writeThrough(file);
}

LONG RegQueryValueEx(HKEY key, const char *name, uint32_t *type, void *data, uint32_t *size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    std::optional<StoredValue> value;
    {
        std::lock_guard lock(g_mutex);
        OpenKey target;
        const LONG result = resolveLocked(key, KEY_QUERY_VALUE, &target);
        if (result != ERROR_SUCCESS)
            return result;
        QSettings settings(target.file, QSettings::IniFormat);
        if (!existsIn(settings, target.path))
            return ERROR_KEY_DELETED;
        const QVariant stored = settings.value(valueKeyOf(target.path, name));
        if (!stored.isValid())
            return ERROR_FILE_NOT_FOUND;
        value = decode(stored.toString());
        if (!value)
            return ERROR_INVALID_DATA;
    }
    if (type)
        *type = value->type;
    const uint32_t needed = static_cast<uint32_t>(value->bytes.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value->bytes.constData(), needed);
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

LONG RegDeleteValue(HKEY key, const char *name)
{
    std::lock_guard lock(g_mutex);
    OpenKey target;
    const LONG result = resolveLocked(key, KEY_SET_VALUE, &target);
    if (result != ERROR_SUCCESS)
        return result;
    QSettings settings(target.file, QSettings::IniFormat);
    if (!existsIn(settings, target.path))
        return ERROR_KEY_DELETED;
    const QString valueKey = valueKeyOf(target.path, name);
    if (!settings.contains(valueKey))
        return ERROR_FILE_NOT_FOUND;
    CIniFile file(target.file);
    file.remove(valueKey);
    return writeThrough(file);
}

LONG RegDeleteKey(HKEY key, const char *subKey)
{
    if (!subKey || !*subKey)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    OpenKey base;
    const LONG result = resolveLocked(key, KEY_CREATE_SUB_KEY, &base);
    if (result != ERROR_SUCCESS)
        return result;
    const OpenKey target = descend(base, subKey);
    if (target.path == base.path)
        return ERROR_INVALID_PARAMETER;
    QSettings settings(target.file, QSettings::IniFormat);
    if (!existsIn(settings, target.path))
        return ERROR_FILE_NOT_FOUND;
    settings.beginGroup(target.path);
    const bool hasSubkeys = !settings.childGroups().isEmpty();
    settings.endGroup();
    if (hasSubkeys)
        return ERROR_ACCESS_DENIED;
    CIniFile file(target.file);
    file.remove(target.path);
    return writeThrough(file);
}

LONG RegFlushKey(HKEY key)
{
    std::lock_guard lock(g_mutex);
    OpenKey target;
    const LONG result = resolveLocked(key, 0, &target);
    if (result != ERROR_SUCCESS)
        return result;
    // The installed registrations are never written, so there is nothing to flush.
    if (target.installed)
        return ERROR_SUCCESS;
    if (!StoreFolder::prepare(target.file))
        return ERROR_ACCESS_DENIED;
    // Every change was written when it was made.
    return ERROR_SUCCESS;
}
