// Revert and Use COS are the same for every kind of field: they swap the
// text on display with the one kept aside, through the tracker's own
// conversion.
#include "admin/useragents/pagevalue.h"

void CPageValue::Revert()
{
    PutText(m_stored);
    m_showsInherited = false;
}

void CPageValue::UseInherited(const QString &inherited)
{
    m_stored = GetText();
    PutText(inherited);
    m_showsInherited = true;
}
