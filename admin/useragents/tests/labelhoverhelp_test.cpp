// The hover help on a plain dialog, for what a page cannot show without
// blocking in its modal field menu or without a label that names no field:
// a right click on a field's label goes to the page's handler and no
// further, other clicks pass on untouched, and a label the page gives no
// text for keeps its frame but shows no tip.
#include "admin/useragents/labelhoverhelp.h"

#include "platform/mfc/dialog.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

constexpr int FieldLabel = 1300;
constexpr int PlainLabel = 1301;
constexpr int Edit = 1302;

// Counts the button releases that reach a widget past the hover help.
class ReleaseCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease)
            ++count;
        return false;
    }
};

class LabelHoverHelpTest : public testing::Test {
protected:
    LabelHoverHelpTest()
        : m_help(
              m_page, [this](int labelId) { return labelId == FieldLabel ? m_tip : std::nullopt; },
              [this](QWidget *label) { m_rightClicked.push_back(label); })
    {
        SetDlgCtrlID(new QLabel(QStringLiteral("Maximum rings:"), &m_page), FieldLabel)
            ->setGeometry(0, 0, 120, 20);
        SetDlgCtrlID(new QLabel(QStringLiteral("Note:"), &m_page), PlainLabel)->setGeometry(0, 24, 120, 20);
        SetDlgCtrlID(new QLineEdit(&m_page), Edit)->setGeometry(150, 0, 150, 20);
        // Installed first, so it sees what the hover help lets through.
        for (QWidget *child : m_page.findChildren<QWidget *>())
            child->installEventFilter(&m_counter);
        m_help.Attach({m_page.GetDlgItem(FieldLabel)});
    }

    void release(int id, Qt::MouseButton button)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(4, 4), QPointF(4, 4), button, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_page.GetDlgItem(id), &event);
    }
    void enter(int id)
    {
        QEnterEvent event(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
        QCoreApplication::sendEvent(m_page.GetDlgItem(id), &event);
    }

    CDialog m_page{4711};
    std::optional<QString> m_tip = QStringLiteral("Number of rings before the call counts as unanswered.");
    std::vector<QWidget *> m_rightClicked;
    ReleaseCounter m_counter;
    CLabelHoverHelp m_help;
};

struct ClickCase {
    const char *name;
    int id;
    Qt::MouseButton button;
    bool toThePage;
};

class LabelClick : public LabelHoverHelpTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(LabelClick, OnlyARightClickOnAFieldLabelGoesToThePageAndStopsThere)
{
    const ClickCase &c = GetParam();
    release(c.id, c.button);
    if (c.toThePage) {
        ASSERT_EQ(m_rightClicked.size(), 1u);
        EXPECT_EQ(m_rightClicked[0], m_page.GetDlgItem(c.id));
        EXPECT_EQ(m_counter.count, 0) << "the label itself does not see the click";
    } else {
        EXPECT_TRUE(m_rightClicked.empty());
        EXPECT_EQ(m_counter.count, 1);
    }
}

const ClickCase kClickCases[] = {
    {"RightOnFieldLabel", FieldLabel, Qt::RightButton, true},
    {"LeftOnFieldLabel", FieldLabel, Qt::LeftButton, false},
    {"RightOnOtherLabel", PlainLabel, Qt::RightButton, false},
    {"RightOnControl", Edit, Qt::RightButton, false},
};

INSTANTIATE_TEST_SUITE_P(Releases, LabelClick, testing::ValuesIn(kClickCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LabelHoverHelpTest, LabelThePageGivesNoTextForIsFramedButShowsNoTip)
{
    m_tip = std::nullopt;
    enter(FieldLabel);
    EXPECT_EQ(m_help.HoveredLabelId(), FieldLabel);
    m_help.OnTimer();
    EXPECT_FALSE(m_help.IsTipShown());
    EXPECT_TRUE(m_help.TipText().isEmpty());
    EXPECT_EQ(m_help.HoveredLabelId(), FieldLabel);
}

} // namespace
