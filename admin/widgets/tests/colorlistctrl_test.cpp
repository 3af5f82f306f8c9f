// The owner-drawn list: the shortening of texts that do not fit, where the
// shortened texts land in their columns, the highlight rule, and the row
// operations its subclasses build on.
#include "admin/widgets/colorlistctrl.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QFont monospace()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    font.setStyleHint(QFont::Monospace);
    return font;
}

struct ShorteningCase {
    const char *name;
    const char *text;
    const char *widthText; // the width is this text's advance ...
    int widthExtra;        // ... plus these pixels
    int offset;
    const char *expected;
};

class ShortString : public ::testing::TestWithParam<ShorteningCase> {};

const std::string LongText = std::string(319, 'a') + "b";

} // namespace

TEST_P(ShortString, FitsTextIntoWidth)
{
    const ShorteningCase &c = GetParam();
    const QFontMetrics metrics(monospace());
    const int width = metrics.horizontalAdvance(QString::fromUtf8(c.widthText)) + c.widthExtra;
    EXPECT_EQ(CColorListCtrl::MakeShortString(metrics, QString::fromUtf8(c.text), width, c.offset),
              QString::fromUtf8(c.expected));
}

// Widths between two prefix lengths are chosen half a character away from
// either, so the font's fractional advances cannot tip a case.
INSTANTIATE_TEST_SUITE_P(
    ColorListCtrl, ShortString,
    ::testing::Values(
        ShorteningCase{"Empty", "", "", 0, 12, ""},
        ShorteningCase{"FitsExactlyWithItsOffset", "abcd", "abcd", 12, 12, "abcd"},
        ShorteningCase{"TooWideByItsOffset", "abcdefgh", "abcdefgh", 0, 4, "abcd..."},
        ShorteningCase{"KeepsWhatFitsBesideTheEllipsis", "Mailbox number", "Mailbox...", 8, 4, "Mailbox..."},
        ShorteningCase{"NarrowerThanTheEllipsisKeepsOneCharacter", "abcdef", "ab", 0, 12, "a..."},
        ShorteningCase{"ZeroWidthKeepsOneCharacter", "xyz", "", 0, 4, "x..."},
        ShorteningCase{"SingleCharacterTooWide", "W", "", 0, 4, "W..."},
        ShorteningCase{"LongerThanAnyFixedBuffer", LongText.c_str(), LongText.c_str(), 0, 0,
                       LongText.c_str()}),
    [](const ::testing::TestParamInfo<ShorteningCase> &info) { return std::string(info.param.name); });

namespace {

class ColorListDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list.setFont(monospace());
        QPalette palette = m_list.palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Highlight, Qt::blue);
        palette.setColor(QPalette::HighlightedText, Qt::white);
        m_list.setPalette(palette);
        m_list.InsertColumn(0, QStringLiteral("Number"), LVCFMT_LEFT, 80);
        m_list.InsertColumn(1, QStringLiteral("Messages"), LVCFMT_RIGHT, 90);
        m_list.InsertColumn(2, QStringLiteral("Comment"), LVCFMT_CENTER, 200);
        m_list.resize(400, 150);
    }

    QImage render()
    {
        m_list.show();
        QApplication::processEvents();
        return m_list.viewport()->grab().toImage();
    }

    // The horizontal extent of dark pixels of the first row between x0 and x1.
    static std::pair<int, int> inkExtent(const QImage &image, const QRect &row, int x0, int x1)
    {
        int first = -1;
        int last = -1;
        for (int x = x0; x < x1; ++x) {
            for (int y = row.top(); y <= row.bottom(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

    CColorListCtrl m_list;
};

} // namespace

TEST_F(ColorListDrawing, RightAlignedShortenedTextKeepsItsMargin)
{
    m_list.InsertItem(0, QStringLiteral("1"));
    m_list.SetItemText(0, 1, QStringLiteral("123456789012345678901234567890"));
    const QImage image = render();
    const QRect row = m_list.visualItemRect(m_list.topLevelItem(0));
    const int left = m_list.columnWidth(0);
    const int right = left + m_list.columnWidth(1);
    const auto [first, last] = inkExtent(image, row, left, right);
    ASSERT_GE(first, 0) << "the column shows text";
    EXPECT_GE(first, left + 6);
    EXPECT_LE(last, right - 1 - 6);
    const int advance = QFontMetrics(monospace()).horizontalAdvance(QLatin1Char('M'));
    EXPECT_GE(last, right - 6 - advance) << "the text is aligned to the right margin";
}

TEST_F(ColorListDrawing, FirstColumnStartsTwoPixelsIn)
{
    m_list.InsertItem(0, QStringLiteral("|||||||||||||||||||||||||||||||||"));
    const QImage image = render();
    const QRect row = m_list.visualItemRect(m_list.topLevelItem(0));
    const auto [first, last] = inkExtent(image, row, 0, m_list.columnWidth(0));
    ASSERT_GE(first, 0);
    EXPECT_GE(first, 2);
    EXPECT_LE(first, 2 + QFontMetrics(monospace()).horizontalAdvance(QLatin1Char('|')));
    EXPECT_LE(last, m_list.columnWidth(0) - 1 - 2);
}

TEST_F(ColorListDrawing, SelectionIsDrawnWithoutFocusOnlyWhenShownAlways)
{
    m_list.InsertItem(0, QStringLiteral("1"));
    m_list.InsertItem(1, QStringLiteral("2"));
    m_list.setFocusPolicy(Qt::NoFocus);
    m_list.SelectItem(1);
    const QPoint probe = m_list.visualItemRect(m_list.topLevelItem(1)).center() + QPoint(100, 0);
    ASSERT_FALSE(m_list.hasFocus());
    EXPECT_EQ(QColor(render().pixel(probe)), QColor(Qt::white));
    m_list.SetShowSelectionAlways(true);
    EXPECT_EQ(QColor(render().pixel(probe)), QColor(Qt::blue));
}

TEST(ColorListCtrl, RowOperationsByIndex)
{
    CColorListCtrl list;
    list.InsertColumn(0, QStringLiteral("Mailbox number"), LVCFMT_RIGHT, 64);
    list.InsertColumn(1, QStringLiteral("Name"), LVCFMT_LEFT, 160);
    EXPECT_EQ(list.GetColumnFormat(0), LVCFMT_RIGHT);
    EXPECT_EQ(list.GetColumnWidth(1), 160);

    EXPECT_EQ(list.InsertItem(0, QStringLiteral("200")), 0);
    EXPECT_EQ(list.InsertItem(99, QStringLiteral("100")), 1) << "past the end appends";
    EXPECT_TRUE(list.SetItemText(1, 1, QStringLiteral("Ann")));
    EXPECT_FALSE(list.SetItemText(2, 1, QStringLiteral("nobody")));
    EXPECT_FALSE(list.SetItemText(0, 5, QStringLiteral("no column")));
    list.SetItemData(0, 20);
    list.SetItemData(1, 10);
    EXPECT_EQ(list.GetItemText(1, 1), QStringLiteral("Ann"));
    EXPECT_EQ(list.GetItemText(7, 0), QString());

    list.SelectItem(1);
    EXPECT_EQ(list.GetSelectedItem(), 1);
    list.SortItems([](quintptr a, quintptr b) { return int(a) - int(b); });
    EXPECT_EQ(list.GetItemText(0, 0), QStringLiteral("100"));
    EXPECT_EQ(list.GetSelectedItem(), 0) << "the selected row stays selected when it moves";

    list.SetColumnHeading(1, QStringLiteral("Name >"));
    EXPECT_EQ(list.GetColumnHeading(1), QStringLiteral("Name >"));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetSelectedItem(), -1);
    EXPECT_EQ(list.GetItemCount(), 1);
    list.SelectItem(-1);
    EXPECT_EQ(list.GetSelectedItem(), -1);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.columnCount(), 2);
}
