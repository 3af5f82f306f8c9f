// The session's exception; see zltexception.h.
#include "admin/session/zltexception.h"

#include "platform/msgbox/msgbox.h"
#include "platform/strings/stringtable.h"

#include <cstring>

CZltException::CZltException(const QString &text) : m_text(text), m_utf8(text.toUtf8()) {}

CZltException::CZltException(unsigned stringId)
    : CZltException(FindStringResource(stringId).value_or(QStringLiteral("Unknown error %1.").arg(stringId)))
{
}

bool CZltException::GetErrorMessage(char *buffer, std::size_t size) const
{
    if (buffer == nullptr || size == 0)
        return false;
    const std::size_t n = std::min<std::size_t>(size - 1, static_cast<std::size_t>(m_utf8.size()));
    std::memcpy(buffer, m_utf8.constData(), n);
    buffer[n] = '\0';
    return true;
}

int CZltException::ReportError(unsigned type, unsigned emptyTextId) const
{
    if (m_text.isEmpty() && emptyTextId != 0)
        return AfxMessageBox(emptyTextId, type);
    return AfxMessageBox(m_text, type);
}
