// Number fields (rings, greeting numbers, lengths in milliseconds), stored
// as decimal text. The record's text is read like a stream extraction (a
// leading number; trailing text ignored); text that holds no number in the
// type's range reads as 0. Whatever the text was, a field the administrator
// did not change goes back exactly as it came: only a new value is written
// as plain decimal.
#pragma once

#include "admin/useragents/pagevalue.h"

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

template <typename T> class CPageNumberValue : public CPageValue {
public:
    explicit CPageNumberValue(T value = 0) : m_value(value) {}

    QString GetText() const override
    {
        if (m_hasReceived && m_value == m_receivedValue)
            return m_received;
        return QString::number(m_value);
    }

    void PutText(const QString &text) override
    {
        m_value = parse(text);
        m_received = text;
        m_receivedValue = m_value;
        m_hasReceived = true;
    }

    void Reset() override
    {
        m_value = 0;
        m_hasReceived = false;
    }

    // The number an edit control binds to.
    T &SetValue(const T &value)
    {
        m_value = value;
        return m_value;
    }
    T GetValue() const { return m_value; }

private:
    static T parse(const QString &text)
    {
        std::istringstream stream(text.toStdString());
        long long number = 0;
        if (!(stream >> number) || number < std::numeric_limits<T>::min() ||
            number > std::numeric_limits<T>::max())
            return 0;
        return T(number);
    }

    T m_value = 0;
    QString m_received;
    T m_receivedValue = 0;
    bool m_hasReceived = false;
};

using CPageUIntValue = CPageNumberValue<std::uint32_t>;
using CPageIntValue = CPageNumberValue<std::int32_t>;
// The server's "long" is 32 bits wide.
using CPageNumValue = CPageNumberValue<std::int32_t>;
