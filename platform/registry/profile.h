// The application profile functions: named entries in named sections,
// kept either in the registry (admin's: HKEY_CURRENT_USER
// "Software\<registry key>\<application>\<section>") or, for a program
// that sets no registry key (Chanview), in its own INI file in the store
// folder.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class CRegKey;

class CProfile {
public:
    // The longest text a setting holds: a list of computers, a user name, a
    // date. A longer one is not a setting of these programs.
    static constexpr qsizetype LongestText = 16 * 1024;

    static CProfile inRegistry(const QString &registryKey, const QString &applicationName);
    // `fileName` without a folder, e.g. "Chanview.ini".
    static CProfile inIniFile(const QString &fileName);

    QString GetProfileString(const QString &section, const QString &entry,
                             const QString &defaultValue = {}) const;
    bool WriteProfileString(const QString &section, const QString &entry, const QString &value) const;
    int GetProfileInt(const QString &section, const QString &entry, int defaultValue) const;
    bool WriteProfileInt(const QString &section, const QString &entry, int value) const;
    std::optional<QByteArray> GetProfileBinary(const QString &section, const QString &entry) const;
    bool WriteProfileBinary(const QString &section, const QString &entry, const QByteArray &value) const;

private:
    CProfile() = default;
    static bool isUsableText(const QString &text);
    // Whether the program's INI file holds `entry` as UTF-8 text.
    bool isStoredAsText(const QString &section, const QString &entry) const;
    // Whether `entry` is stored at all, whatever its type or form.
    static bool hasValue(const CRegKey &key, const QString &entry);
    // Names the unusable entry (once) and gives `defaultValue`.
    template <typename T> T unusable(const QString &section, const QString &entry, T defaultValue) const;
    QByteArray sectionKey(const QString &section) const;
    std::optional<QString> readIni(const QString &section, const QString &entry) const;
    bool writeIni(const QString &section, const QString &entry, const QString &value) const;

    QString m_registryPath;
    QString m_iniFileName;
};
