// The value tracker of one field of a mailbox page: what the user-agent
// record fills when a page loads (CUserAgent::GetPropertyText) and reads back
// when the page stores (CUserAgent::SetProperty). It carries the field's
// inheritance and lock flags and keeps the box's own text aside while the
// class-of-service value is on display. This is the abstract base; the typed
// trackers (text, on/off, numbers) derive from it beside the page base.
//
// The flags are plain public fields on purpose: the record and the page base
// both set them as the field's state changes, and they hold no invariant of
// their own.
#pragma once

#include <QString>

class CPageValue {
public:
    virtual ~CPageValue() = default;

    // Shows the own text again.
    virtual void Revert()
    {
        PutText(stored);
        showsInherited = false;
    }
    // Shows `text` (the class of service's value), keeping the own text aside.
    virtual void UseInherited(const QString &text)
    {
        stored = GetText();
        PutText(text);
        showsInherited = true;
    }
    // The value as the text the record stores.
    virtual QString GetText() const = 0;
    // Sets the value from the record's text.
    virtual void PutText(const QString &text) = 0;
    // Clears the value.
    virtual void Reset() = 0;

    void SetInheritanceOff(bool off) { inheritanceOff = off; }
    void SetDisabled(bool off) { disabled = off; }

    // The field holds a value of its own at this level.
    bool own = false;
    // The text on display is the class of service's; the own text is in `stored`.
    bool showsInherited = false;
    // The field's lock was set at this level.
    bool lockOwn = false;
    // The field is locked, here or in a higher class of service.
    bool locked = false;
    // The field takes part in no inheritance display.
    bool inheritanceOff = false;
    // The field's control and label are disabled.
    bool disabled = false;
    // The own value, kept while `showsInherited` is set.
    QString stored;

protected:
    CPageValue() = default;
    CPageValue(const CPageValue &) = default;
    CPageValue &operator=(const CPageValue &) = default;
};
