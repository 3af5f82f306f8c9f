// The watcher calls back for each resize of each widget it watches, and for
// nothing else those widgets receive; a widget it does not watch is not its
// concern, and a watcher whose owner has gone calls nothing.
#include "admin/widgets/resizewatcher.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void showAll(std::initializer_list<QWidget *> widgets)
{
    for (QWidget *widget : widgets) {
        widget->resize(100, 100);
        widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));
    }
}

} // namespace

TEST(ResizeWatcherTest, CallsBackForEachResizeOfTheWidgetsItWatches)
{
    QWidget owner;
    QWidget first;
    QWidget second;
    QWidget unwatched;
    showAll({&first, &second, &unwatched});
    int calls = 0;
    auto *watcher = new CResizeWatcher(&owner, [&calls] { ++calls; });
    watcher->watch(&first);
    watcher->watch(&second);

    first.resize(300, 150);
    EXPECT_EQ(calls, 1);
    QTest::mouseClick(&first, Qt::LeftButton);
    first.hide();
    first.show();
    EXPECT_EQ(calls, 1);

    second.resize(50, 50);
    EXPECT_EQ(calls, 2);

    unwatched.resize(80, 80);
    EXPECT_EQ(calls, 2);
}

TEST(ResizeWatcherTest, GoesWithItsOwner)
{
    QWidget watched;
    showAll({&watched});
    int calls = 0;
    {
        QObject owner;
        auto *watcher = new CResizeWatcher(&owner, [&calls] { ++calls; });
        watcher->watch(&watched);
        watched.resize(120, 60);
        EXPECT_EQ(calls, 1);
    }
    watched.resize(140, 70);
    EXPECT_EQ(calls, 1);
}
