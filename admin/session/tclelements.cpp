// Owned result of Tcl_SplitList; see tclelements.h.
#include "admin/session/tclelements.h"

#include <tcl.h>

void CTclElements::TclFree::operator()(const char **vector) const
{
    Tcl_Free(reinterpret_cast<char *>(vector));
}

CTclElements::CTclElements(const char **vector, qsizetype count)
    : m_vector(vector, TclFree()), m_count(vector ? count : 0)
{
}

QByteArrayView CTclElements::at(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < m_count);
    return QByteArrayView(m_vector.get()[i]);
}

QStringList CTclElements::toStringList() const
{
    QStringList out;
    out.reserve(m_count);
    for (qsizetype i = 0; i < m_count; ++i)
        out.append(text(i));
    return out;
}
