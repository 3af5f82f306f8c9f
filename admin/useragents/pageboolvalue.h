// An on/off field (a check box) stored as a text: "1"/"0", or swapped for an
// inverted field, where an empty or absent property reads as on. A field
// the administrator leaves alone goes back with exactly the text it came
// with (an absent property stays absent, "" stays ""), not with the text
// the check box would make of it.
#pragma once

#include "admin/useragents/pagevalue.h"

class CPageBoolValue : public CPageValue {
public:
    explicit CPageBoolValue(bool value = false) : m_value(value) {}

    QString GetText() const override;
    void PutText(const QString &text) override;
    void Reset() override;

    // On-text "0", off-text "1".
    void SetInverted();
    bool SetValue(bool value);
    bool GetValue() const { return m_value; }
    // The value a check box binds to; a change made through it counts as an edit.
    bool &GetValueRef() { return m_value; }

private:
    bool m_value = false;
    QString m_onText = QStringLiteral("1");
    QString m_offText = QStringLiteral("0");
    // The text last put and the value read from it: GetText gives the text
    // back while the value is still the one read.
    QString m_received;
    bool m_receivedValue = false;
    bool m_hasReceived = false;
};
