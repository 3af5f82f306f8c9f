// Profile entries in the registry or in a program's INI file; see profile.h.
// In the registry, strings are REG_SZ, numbers REG_DWORD and binary entries
// REG_BINARY; in the INI file all three are text (binary as hexadecimal).
#include "profile.h"

#include "regkey.h"
#include "storefolder.h"

#include <QSettings>

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
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + entry, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString CProfile::GetProfileString(const QString &section, const QString &entry,
                                   const QString &defaultValue) const
{
    if (!m_iniFileName.isEmpty())
        return readIni(section, entry).value_or(defaultValue);
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
        return defaultValue;
    return key.QueryString(entry.toUtf8().constData()).value_or(defaultValue);
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
        bool ok = false;
        const int value = readIni(section, entry).value_or(QString()).trimmed().toInt(&ok);
        return ok ? value : defaultValue;
    }
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
        return defaultValue;
    const std::optional<uint32_t> value = key.QueryDword(entry.toUtf8().constData());
    return value ? static_cast<int>(*value) : defaultValue;
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
            return std::nullopt;
        return bytes;
    }
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, sectionKey(section).constData()) != ERROR_SUCCESS)
        return std::nullopt;
    return key.QueryBinary(entry.toUtf8().constData());
}

bool CProfile::WriteProfileBinary(const QString &section, const QString &entry, const QByteArray &value) const
{
    if (!m_iniFileName.isEmpty())
        return writeIni(section, entry, QString::fromLatin1(value.toHex()));
    CRegKey key;
    return key.Create(HKEY_CURRENT_USER, sectionKey(section).constData()) == ERROR_SUCCESS &&
           key.SetBinary(entry.toUtf8().constData(), value) == ERROR_SUCCESS;
}
