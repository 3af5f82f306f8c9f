// See portrowlist.h.
#include "admin/ports/portrowlist.h"

#include "admin/ports/portstateicons.h"
#include "admin/ports/portstatetable.h"

#include <QListWidget>

CPortRowList::CPortRowList(QListWidget &list, BracedAlignment braced) : m_list(list), m_braced(braced) {}

QString CPortRowList::RowText(int port, const QString &state, BracedAlignment braced)
{
    const int index = CPortStateTable::Find(state);
    const QString prefix = QStringLiteral("Voice Port %1: ").arg(port, 3);
    if (index != CPortStateTable::Unknown && CPortStateTable::IsBraced(index)) {
        const QString entry = CPortStateTable::Entry(index);
        return prefix + (braced == BracedLeft ? entry.leftJustified(22) : entry.rightJustified(22));
    }
    const QString name = index == CPortStateTable::Unknown ? state : CPortStateTable::Entry(index);
    return prefix + QLatin1Char('{') + name.rightJustified(20) + QLatin1Char('}');
}

void CPortRowList::SetPortState(int port, const QString &state)
{
    auto found = m_rows.find(port);
    QListWidgetItem *item = found != m_rows.end() ? found->second : insertRow(port);
    item->setText(RowText(port, state, m_braced));
    item->setIcon(CPortStateIcons::Icon(CPortStateTable::Find(state)));
}

QListWidgetItem *CPortRowList::insertRow(int port)
{
    auto *item = new QListWidgetItem;
    item->setData(PortRole, port);
    const auto [where, inserted] = m_rows.emplace(port, item);
    Q_ASSERT(inserted);
    const auto next = std::next(where);
    // New ports are rare beside state changes; finding the place by the
    // following row is fine here.
    m_list.insertItem(next == m_rows.end() ? m_list.count() : m_list.row(next->second), item);
    return item;
}

void CPortRowList::Clear()
{
    m_rows.clear();
    m_list.clear();
}

int CPortRowList::RowOf(int port) const
{
    const auto found = m_rows.find(port);
    return found == m_rows.end() ? -1 : m_list.row(found->second);
}
