// The value tracker of one field of a mailbox page. The record stores every
// property as text; a page's control shows a number, a check mark or a text.
// A tracker sits between the two: it converts, and it carries the field's
// inheritance and lock state, so the page base can draw the own / class-of-
// service / lock marks and the record can tell what to send back. While the
// class-of-service value is on display the box's own text waits in
// m_stored, so Revert can bring it back.
//
// The record (CUserAgent::GetPropertyText / SetProperty) reads and writes
// the flags below directly; they are the field's state, not an
// implementation detail of the tracker.
#pragma once

#include <QString>

class CPageValue {
public:
    virtual ~CPageValue() = default;

    // Back to the box's own text that was kept while the inherited one showed.
    virtual void Revert();
    // Shows `inherited`, keeping the current text as the own one.
    virtual void UseInherited(const QString &inherited);
    // The value as the record stores it.
    virtual QString GetText() const = 0;
    // The value from the record's text.
    virtual void PutText(const QString &text) = 0;
    virtual void Reset() = 0;

    void SetInheritanceOff(bool off) { m_inheritanceOff = off; }
    void SetDisabled(bool disabled) { m_disabled = disabled; }

    // The field holds a value of its own at this level.
    bool m_own = false;
    // The text on display is the class-of-service value; the own one is in m_stored.
    bool m_showsInherited = false;
    // The lock was set at this level.
    bool m_lockOwn = false;
    // Locked here or in a higher class of service.
    bool m_locked = false;
    // No own/COS mark and no Revert for this field.
    bool m_inheritanceOff = false;
    // Control and label disabled.
    bool m_disabled = false;
    QString m_stored;

protected:
    CPageValue() = default;
    CPageValue(const CPageValue &) = default;
    CPageValue &operator=(const CPageValue &) = default;
};
