// The plainest page tracker, a text, for tests of the record: what a page's
// text field does with the record's values.
#pragma once

#include "admin/useragents/pagevalue.h"

class TextValue : public CPageValue {
public:
    QString GetText() const override { return m_text; }
    void PutText(const QString &text) override { m_text = text; }
    void Reset() override { m_text.clear(); }

private:
    QString m_text;
};
