// The rows of the port lists: one per port, in port order, texts and images
// by the state table.
#include "admin/ports/portrowlist.h"
#include "admin/ports/portstatetable.h"

#include <QListWidget>

#include <gtest/gtest.h>

namespace {
QList<int> portsInRows(const QListWidget &list)
{
    QList<int> ports;
    for (int i = 0; i < list.count(); ++i)
        ports.append(list.item(i)->data(CPortRowList::PortRole).toInt());
    return ports;
}

TEST(PortRowList, KeepsRowsInPortOrderWhateverTheArrivalOrder)
{
    QListWidget list;
    CPortRowList rows(list, CPortRowList::BracedRight);
    for (int port : {5, 2, 9, 1, 10, 19, 100, 7})
        rows.SetPortState(port, QStringLiteral("On-Hook"));
    EXPECT_EQ(portsInRows(list), (QList<int>{1, 2, 5, 7, 9, 10, 19, 100}));
}

TEST(PortRowList, UpdatesOnlyTheRowOfThatPortNeverOneWithTheSamePrefix)
{
    QListWidget list;
    CPortRowList rows(list, CPortRowList::BracedRight);
    for (int port : {10, 11, 1000, 100, 1})
        rows.SetPortState(port, QStringLiteral("On-Hook"));
    rows.SetPortState(1, QStringLiteral("Ringing"));
    rows.SetPortState(100, QStringLiteral("Busy"));
    ASSERT_EQ(list.count(), 5);
    EXPECT_TRUE(list.item(rows.RowOf(1))->text().endsWith(QStringLiteral("Ringing}")));
    EXPECT_TRUE(list.item(rows.RowOf(10))->text().endsWith(QStringLiteral("On-Hook}")));
    EXPECT_TRUE(list.item(rows.RowOf(100))->text().endsWith(QStringLiteral("Busy}")));
    EXPECT_TRUE(list.item(rows.RowOf(1000))->text().endsWith(QStringLiteral("On-Hook}")));
}

TEST(PortRowList, FormatsStatesAsEachWindowShowsThem)
{
    EXPECT_EQ(CPortRowList::RowText(1, QStringLiteral("On-Hook"), CPortRowList::BracedRight),
              QStringLiteral("Voice Port   1: {             On-Hook}"));
    EXPECT_EQ(CPortRowList::RowText(12, QStringLiteral("Waiting for Digits"), CPortRowList::BracedRight),
              QStringLiteral("Voice Port  12:   {Waiting for Digits}"));
    EXPECT_EQ(CPortRowList::RowText(12, QStringLiteral("Waiting for Digits"), CPortRowList::BracedLeft),
              QStringLiteral("Voice Port  12: {Waiting for Digits}  "));
    EXPECT_EQ(CPortRowList::RowText(100, QStringLiteral("Busy"), CPortRowList::BracedLeft),
              QStringLiteral("Voice Port 100: {                Busy}"));
}

TEST(PortRowList, ShowsAStateOutsideTheTableByItsOwnName)
{
    EXPECT_EQ(CPortStateTable::Find(QStringLiteral("on-hook")), CPortStateTable::Unknown);
    EXPECT_EQ(CPortStateTable::Find(QStringLiteral("{Waiting for Digits}")), 5);
    EXPECT_EQ(CPortStateTable::Find(QStringLiteral("Waiting for Digits")), 5);
    EXPECT_EQ(CPortStateTable::Find(QStringLiteral("Receiving FAX")), 40);
    QListWidget list;
    CPortRowList rows(list, CPortRowList::BracedRight);
    rows.SetPortState(3, QStringLiteral("Defrosting"));
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Voice Port   3: {          Defrosting}"));
    EXPECT_FALSE(list.item(0)->icon().isNull());
}
} // namespace
