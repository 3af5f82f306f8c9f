// A field whose control edits the property's text as it stands (names,
// comments, the telephone system).
#pragma once

#include "admin/useragents/pagevalue.h"

class CPageTextValue : public CPageValue {
public:
    CPageTextValue() = default;
    explicit CPageTextValue(const QString &text) : m_text(text) {}

    QString GetText() const override { return m_text; }
    void PutText(const QString &text) override { m_text = text; }
    void Reset() override { m_text.clear(); }

    // The text a control binds to.
    QString &GetValueRef() { return m_text; }

private:
    QString m_text;
};
