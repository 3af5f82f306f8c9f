// The application profile functions: named entries in named sections,
// kept either in the registry (admin's: HKEY_CURRENT_USER
// "Software\<registry key>\<application>\<section>") or, for a program
// that sets no registry key (Chanview), in its own INI file in the store
// folder.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class CProfile {
public:
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
    QByteArray sectionKey(const QString &section) const;
    std::optional<QString> readIni(const QString &section, const QString &entry) const;
    bool writeIni(const QString &section, const QString &entry, const QString &value) const;

    QString m_registryPath;
    QString m_iniFileName;
};
