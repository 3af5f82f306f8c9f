// The parsed description of one system parameter: the server keeps, beside
// each "sys_" variable, a "meta_" variable whose value is a Tcl list of
// key/value pairs ("view 1 type int range {1000 120000}"). Only the type and
// the range matter to the window; the first pair of a key counts and keys
// and type words are compared without regard to case.
#pragma once

#include <QString>
#include <QStringList>

class CSysParamMeta {
public:
    enum Type { TypeInt = 1, TypeBool = 2, TypeText = 3, TypeList = 4, TypePicklist = 5 };

    // A text that is not a list, or has no "type" pair, gives a text parameter.
    explicit CSysParamMeta(const QString &description);

    int GetType() const { return m_nType; }
    // Both bounds, and true, when the description gave a range.
    bool GetRange(int &maximum, int &minimum) const;
    // The record when it is a picklist (its choices are read through it).
    const CSysParamMeta *AsRange() const { return m_nType == TypePicklist ? this : nullptr; }
    const QStringList &Choices() const { return m_choices; }

private:
    QStringList m_choices;
    bool m_bHasRange = false;
    int m_nMaximum = 0;
    int m_nMinimum = 0;
    int m_nType = TypeText;
};
