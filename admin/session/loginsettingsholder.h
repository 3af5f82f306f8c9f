// What the login dialog starts from and hands its choice back to: the
// application object of admin, and that of Chanview, which logs in with the
// same dialog.
#pragma once

#include <QString>

class CLoginSettingsHolder {
public:
    virtual QString ComputerList() const = 0;
    virtual QString User() const = 0;
    virtual QString Password() const = 0;
    virtual bool RemembersPassword() const = 0;
    virtual bool NoPasswordStore() const = 0;
    // The login dialog's OK.
    virtual void SetLoginChoice(const QString &computerList, const QString &host, const QString &user,
                                const QString &password, bool savePassword) = 0;

protected:
    ~CLoginSettingsHolder() = default;
};
