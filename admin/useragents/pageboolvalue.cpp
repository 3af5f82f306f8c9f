// The on/off conversion of a check-box field.
#include "admin/useragents/pageboolvalue.h"

QString CPageBoolValue::GetText() const
{
    if (m_hasReceived && m_value == m_receivedValue)
        return m_received;
    return m_value ? m_onText : m_offText;
}

void CPageBoolValue::PutText(const QString &text)
{
    // An inverted field (on-text "0") reads a missing value as on.
    m_value = text == m_onText || (m_onText.startsWith(QLatin1Char('0')) && text.isEmpty());
    m_received = text;
    m_receivedValue = m_value;
    m_hasReceived = true;
}

void CPageBoolValue::Reset()
{
    m_value = false;
    m_hasReceived = false;
}

void CPageBoolValue::SetInverted()
{
    m_onText = QStringLiteral("0");
    m_offText = QStringLiteral("1");
}

bool CPageBoolValue::SetValue(bool value)
{
    m_value = value;
    return m_value;
}
