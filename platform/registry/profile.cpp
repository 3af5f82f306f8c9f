// Profile entries in the registry or in a program's INI file; see profile.h.
// In the registry, strings are REG_SZ, numbers REG_DWORD and binary entries
// REG_BINARY; in the INI file all three are text (binary as hexadecimal).
// A stored value that cannot be used (of another type, not a number, text
// that was not UTF-8 or is longer than any setting) is named once and gives
// the default, as a missing one does.
#include "profile.h"

#include "inifile.h"
#include "regkey.h"
#include "settingsnotice.h"
#include "storefolder.h"

#include <QSettings>
#include <QStringDecoder>

CProfile CProfile::inRegistry(const QString &registryKey, const QString &applicationName)
{
    Q_ASSERT(!registryKey.isEmpty() && !applicationName.isEmpty());
    CProfile profile;
    profile.m_registryPath = QStringLiteral("Software\\") + registryKey + QLatin1Char('\\') + applicationName;
    return profile;
}

CProfile CProfile::inIniFile(const QString &fileName)
{
    Q_ASSERT(!fileName.isEmpty() && !fileName.contains(QLatin1Char('/')));
    CProfile profile;
    profile.m_iniFileName = fileName;
    return profile;
}

QByteArray CProfile::sectionKey(const QString &section) const
{
    return (m_registryPath + QLatin1Char('\\') + section).toUtf8();
}

std::optional<QString> CProfile::readIni(const QString &section, const QString &entry) const
{
    const QSettings settings(StoreFolder::filePath(m_iniFileName), QSettings::IniFormat);
    const QVariant value = settings.value(section + QLatin1Char('/') + entry);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

bool CProfile::writeIni(const QString &section, const QString &entry, const QString &value) const
{
    const QString file = StoreFolder::filePath(m_iniFileName);
    if (!StoreFolder::prepare(file))
        return false;
    CIniFile ini(file);
    ini.setValue(section + QLatin1Char('/') + entry, value);
    return ini.write();
}

bool CProfile::isUsableText(const QString &text)
{
    return text.size() <= LongestText && !text.contains(QChar::ReplacementCharacter) &&
           !text.contains(QChar(0));
}

bool CProfile::isStoredAsText(const QString &section, const QString &entry) const
{
    const std::optional<QByteArray> bytes =
        CIniFile::StoredBytes(StoreFolder::filePath(m_iniFileName), section + QLatin1Char('/') + entry);
    if (!bytes)
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(*bytes);
    return !utf8.hasError() && !text.contains(QChar(0));
}

bool CProfile::hasValue(const CRegKey &key, const QString &entry)
{
    uint32_t type = REG_NONE;
    uint32_t size = 0;
    return RegQueryValueEx(key.handle(), entry.toUtf8().constData(), &type, nullptr, &size) !=
           ERROR_FILE_NOT_FOUND;
}

template <typename T> T CProfile::unusable(const QString &section, const QString &entry, T defaultValue) const
{
    if (m_iniFileName.isEmpty())
        CSettingsNotice::Unusable(QStringLiteral("user.ini"),
                                  m_registryPath + QLatin1Char('\\') + section + QLatin1Char('\\') + entry);
    else
        CSettingsNotice::Unusable(m_iniFileName, section + QLatin1Char('/') + entry);
    return defaultValue;
}

QString CProfile::GetProfileString(const QString &section, const QString &entry,
                                   const QString &defaultValue) const
{
    std::optional<QString> value;
    if (!m_iniFileName.isEmpty()) {
        value = readIni(section, entry);
        if (value && !isStoredAsText(section, entry))
            return unusable(section, entry, defaultValue);
    } else {
        CRegKey key;
        if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
            return defaultValue;
        value = key.QueryString(entry.toUtf8().constData());
        if (!value && hasValue(key, entry))
            return unusable(section, entry, defaultValue);
    }
    if (!value)
        return defaultValue;
    return isUsableText(*value) ? *value : unusable(section, entry, defaultValue);
}

bool CProfile::WriteProfileString(const QString &section, const QString &entry, const QString &value) const
{
    if (!m_iniFileName.isEmpty())
        return writeIni(section, entry, value);
    CRegKey key;
    return key.Create(HKEY_CURRENT_USER, sectionKey(section).constData()) == ERROR_SUCCESS &&
           key.SetString(entry.toUtf8().constData(), value) == ERROR_SUCCESS;
}

int CProfile::GetProfileInt(const QString &section, const QString &entry, int defaultValue) const
{
    if (!m_iniFileName.isEmpty()) {
        const std::optional<QString> text = readIni(section, entry);
        if (!text)
            return defaultValue;
        bool ok = false;
        const int value = text->trimmed().toInt(&ok);
        return ok ? value : unusable(section, entry, defaultValue);
    }
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
        return defaultValue;
    const std::optional<uint32_t> value = key.QueryDword(entry.toUtf8().constData());
    if (value)
        return static_cast<int>(*value);
    return hasValue(key, entry) ? unusable(section, entry, defaultValue) : defaultValue;
}

bool CProfile::WriteProfileInt(const QString &section, const QString &entry, int value) const
{
    if (!m_iniFileName.isEmpty())
        return writeIni(section, entry, QString::number(value));
    CRegKey key;
    return key.Create(HKEY_CURRENT_USER, sectionKey(section).constData()) == ERROR_SUCCESS &&
           key.SetDword(entry.toUtf8().constData(), static_cast<uint32_t>(value)) == ERROR_SUCCESS;
}

std::optional<QByteArray> CProfile::GetProfileBinary(const QString &section, const QString &entry) const
{
    if (!m_iniFileName.isEmpty()) {
        const std::optional<QString> text = readIni(section, entry);
        if (!text)
            return std::nullopt;
        const QByteArray hex = text->toLatin1();
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (bytes.toHex() != hex.toLower())
            return unusable(section, entry, std::optional<QByteArray>());
        return bytes;
    }
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::optional<QByteArray> value = key.QueryBinary(entry.toUtf8().constData());
    if (!value && hasValue(key, entry))
        return unusable(section, entry, std::optional<QByteArray>());
    return value;
}

bool CProfile::WriteProfileBinary(const QString &section, const QString &entry, const QByteArray &value) const
{
    if (!m_iniFileName.isEmpty())
        return writeIni(section, entry, QString::fromLatin1(value.toHex()));
    CRegKey key;
    return key.Create(HKEY_CURRENT_USER, sectionKey(section).constData()) == ERROR_SUCCESS &&
           key.SetBinary(entry.toUtf8().constData(), value) == ERROR_SUCCESS;
}
