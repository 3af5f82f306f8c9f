// A system parameter's description; see sysparammeta.h.
#include "admin/config/params/sysparammeta.h"

#include "admin/session/tcllist.h"

#include <QRegularExpression>

namespace {

// The text's leading decimal integer, 0 when it has none.
int leadingInteger(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// The value of the first pair whose key is `key`; false when there is none.
bool firstValue(const QStringList &pairs, const QString &key, QString &value)
{
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        if (pairs[i].compare(key, Qt::CaseInsensitive) == 0) {
            value = pairs[i + 1];
            return true;
        }
    }
    return false;
}

int typeOfWord(const QString &word)
{
    if (word.compare(QLatin1String("int"), Qt::CaseInsensitive) == 0)
        return CSysParamMeta::TypeInt;
    if (word.compare(QLatin1String("bool"), Qt::CaseInsensitive) == 0)
        return CSysParamMeta::TypeBool;
    if (word.compare(QLatin1String("list"), Qt::CaseInsensitive) == 0)
        return CSysParamMeta::TypeList;
    if (word.compare(QLatin1String("picklist"), Qt::CaseInsensitive) == 0)
        return CSysParamMeta::TypePicklist;
    return CSysParamMeta::TypeText;
}

} // namespace

CSysParamMeta::CSysParamMeta(const QString &description)
{
    const CTclList splitter;
    QStringList pairs;
    splitter.SplitList(description, pairs);
    QString word;
    if (firstValue(pairs, QStringLiteral("type"), word))
        m_nType = typeOfWord(word);
    if (m_nType != TypeInt && m_nType != TypePicklist)
        return;
    QString rangeText;
    if (firstValue(pairs, QStringLiteral("range"), rangeText)) {
        QStringList range;
        splitter.SplitList(rangeText, range);
        if (m_nType == TypeInt && range.size() >= 2) {
            m_bHasRange = true;
            m_nMinimum = leadingInteger(range[0]);
            m_nMaximum = leadingInteger(range[1]);
            if (m_nMaximum < m_nMinimum)
                std::swap(m_nMinimum, m_nMaximum);
        } else if (m_nType == TypePicklist && !range.isEmpty()) {
            m_bHasRange = true;
            m_choices = range;
        }
    }
    if (m_nType == TypePicklist && !m_bHasRange)
        m_nType = TypeText;
}

bool CSysParamMeta::GetRange(int &maximum, int &minimum) const
{
    maximum = m_nMaximum;
    minimum = m_nMinimum;
    return m_bHasRange;
}
