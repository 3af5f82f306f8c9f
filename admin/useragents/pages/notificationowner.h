// What the notification list reads of the page it sits on: the edited
// record's properties and scenario number, and whether the sheet's Reset is
// running (the list then leaves its rows alone).
#pragma once

#include <QString>

class INotificationOwner {
public:
    virtual QString GetProperty(const QString &name) const = 0;
    virtual int GetScenarioNumber() const = 0;
    virtual bool IsResetting() const = 0;

protected:
    ~INotificationOwner() = default;
};
