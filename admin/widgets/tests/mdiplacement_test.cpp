// Where KeepInSight leaves a window of a real MDI area, shown offscreen with
// a 600 x 400 viewport: a window in sight stays put, one past an edge moves
// in by the least, one larger than the viewport keeps its top-left corner in
// it, and all of this holds where the area has scrolled.
#include "admin/widgets/mdiplacement.h"

#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QSize kViewport(600, 400);

struct Placement {
    const char *name;
    QRect placed;    // where the window is before, in viewport coordinates
    bool scrolled;   // whether the area shows a scrolled part of its windows
    QPoint expected; // its top-left corner after
};

void PrintTo(const Placement &placement, std::ostream *out)
{
    *out << placement.name;
}

const Placement kPlacements[] = {
    {"FitsAndStays", QRect(40, 30, 300, 200), false, QPoint(40, 30)},
    {"TouchesTheEdgesAndStays", QRect(300, 200, 300, 200), false, QPoint(300, 200)},
    {"PastTheRightEdgeMovesLeft", QRect(450, 30, 300, 200), false, QPoint(300, 30)},
    {"PastTheBottomEdgeMovesUp", QRect(40, 350, 300, 200), false, QPoint(40, 200)},
    {"PastTheBottomRightMovesIntoTheCorner", QRect(500, 300, 300, 200), false, QPoint(300, 200)},
    {"AboveAndLeftOfTheViewportMovesIn", QRect(-50, -20, 300, 200), false, QPoint(0, 0)},
    {"WiderThanTheViewportStartsAtItsLeftEdge", QRect(100, 50, 800, 200), false, QPoint(0, 50)},
    {"TallerThanTheViewportStartsAtItsTopEdge", QRect(100, 50, 300, 600), false, QPoint(100, 0)},
    {"LargerBothWaysStartsAtTheTopLeft", QRect(200, 100, 900, 700), false, QPoint(0, 0)},
    {"ScrolledAndInSightStays", QRect(40, 30, 300, 200), true, QPoint(40, 30)},
    {"ScrolledAndPastTheBottomRightMovesIn", QRect(450, 300, 300, 200), true, QPoint(300, 200)},
    {"ScrolledAndAboveAndLeftMovesIn", QRect(-50, -20, 300, 200), true, QPoint(0, 0)},
    {"ScrolledAndLargerStartsAtTheTopLeft", QRect(200, 100, 900, 700), true, QPoint(0, 0)},
};

class KeepInSightTest : public ::testing::TestWithParam<Placement> {
protected:
    void SetUp() override
    {
        m_area.setFrameShape(QFrame::NoFrame);
        // Scroll bars that are always there keep the viewport's size the same
        // whatever the windows reach.
        m_area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_area.resize(800, 600);
        m_area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_area));
        m_area.resize(m_area.size() - m_area.viewport()->size() + kViewport);
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_area.viewport()->size() == kViewport; }));
    }
    QMdiSubWindow *addWindow(const QString &title)
    {
        auto *window = m_area.addSubWindow(new QLabel(title));
        window->setWindowTitle(title);
        window->show();
        return window;
    }
    // A window reaching past the viewport gives the area something to
    // scroll; scrolling moves every window up and left.
    void scroll()
    {
        addWindow(QStringLiteral("Wide"))->setGeometry(0, 0, 1200, 900);
        m_area.horizontalScrollBar()->setValue(150);
        m_area.verticalScrollBar()->setValue(100);
        ASSERT_EQ(m_area.horizontalScrollBar()->value(), 150);
        ASSERT_EQ(m_area.verticalScrollBar()->value(), 100);
    }
    void saveScreenshot(const QString &name)
    {
        QDir folder(qEnvironmentVariable("VERBANTA_BINARY_DIR", QDir::tempPath()));
        folder.mkpath(QStringLiteral("screenshots"));
        EXPECT_TRUE(m_area.grab().save(folder.filePath(QStringLiteral("screenshots/mdi_%1.png").arg(name))));
    }

    QMdiArea m_area;
};

TEST_P(KeepInSightTest, MovesTheWindowTheLeastIntoTheViewport)
{
    const Placement &placement = GetParam();
    if (placement.scrolled) {
        ASSERT_NO_FATAL_FAILURE(scroll());
    }
    QMdiSubWindow *window = addWindow(QStringLiteral("New"));
    window->setGeometry(placement.placed);
    ASSERT_EQ(window->geometry(), placement.placed);

    KeepInSight(window);

    EXPECT_EQ(window->pos(), placement.expected);
    EXPECT_EQ(window->size(), placement.placed.size()) << "only moved";
    EXPECT_EQ(m_area.viewport()->size(), kViewport);
    if (placement.scrolled) {
        EXPECT_EQ(m_area.horizontalScrollBar()->value(), 150) << "the area keeps its scrolled part";
    }
    saveScreenshot(QString::fromLatin1(placement.name));
}

INSTANTIATE_TEST_SUITE_P(Windows, KeepInSightTest, ::testing::ValuesIn(kPlacements),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
