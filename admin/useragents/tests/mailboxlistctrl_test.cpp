// The mailbox list with real widgets offscreen, fed by a channel that
// answers like the server: filling from the list reply, the statistics,
// the filter, sorting and its heading marker, type-ahead and the GetUA
// requests it makes for the sheet.
#include "admin/useragents/mailboxlistctrl.h"

#include "admin/session/servercommandchannel.h"
#include "platform/messages/messageobject.h"
#include "platform/msgbox/messageboxscript.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers Execute from a function and records every command.
class ScriptedChannel : public CServerCommandChannel {
public:
    struct Async {
        CMessageTarget *window;
        UINT message;
        WPARAM code;
        QString command;
    };

    QString Execute(const QString &command, bool, int) override
    {
        m_executed.append(command);
        return m_answer ? m_answer(command) : QString();
    }
    HRESULT SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command, bool,
                      int) override
    {
        m_async.push_back({window, message, code, command});
        return S_OK;
    }
    HRESULT SendNoReply(const QString &, int) override { return S_OK; }
    CPendingCommand BeginCommand(const QString &, bool, int) override { return {}; }
    QString WaitReply(CPendingCommand &) override { return {}; }

    std::function<QString(const QString &)> m_answer;
    QStringList m_executed;
    std::vector<Async> m_async;
};

// The sheet: a window with a caption that receives the GetUA replies.
class SheetWindow : public QWidget, public CMessageTarget {
public:
    explicit SheetWindow(const QString &caption) : CMessageTarget(this) { setWindowTitle(caption); }
    ~SheetWindow() override { unregisterWindow(); }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_CLOSE)
            ++m_closes;
        return 0;
    }
    int m_closes = 0;
};

QString record(long number, long cos, const char *comment, const char *name1, const char *name2,
               const char *ext)
{
    return QStringLiteral(
               "{{%1 %2 4 -1 0} {COS &Comment &Name1 &Name2 &Ext} COS %2 &Comment {%3} &Name1 {%4} "
               "&Name2 {%5} &Ext {%6}}")
        .arg(number)
        .arg(cos)
        .arg(QString::fromUtf8(comment), QString::fromUtf8(name1), QString::fromUtf8(name2),
             QString::fromUtf8(ext));
}

QString statistics(long number, int count, int seconds)
{
    return QStringLiteral("{Mailbox %1 m_t_msgcnt %2 m_t_msglen %3}").arg(number).arg(count).arg(seconds);
}

class MailboxList : public testing::Test {
protected:
    explicit MailboxList(const QString &caption = QStringLiteral("Mailbox Configuration")) : m_sheet(caption)
    {
        m_channel.m_answer = [](const QString &command) {
            if (!command.startsWith(QStringLiteral("Tcl_MailboxMessageStatReportNoASR")))
                return QStringLiteral("!ERROR unexpected");
            // Every asked box: count the last digit, length the last three.
            const QString numbers = command.section(QLatin1Char('{'), 1, 1).section(QLatin1Char('}'), 0, 0);
            QStringList records;
            for (const QString &number : numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                records << statistics(number.toLong(), number.toLong() % 10, number.toLong() % 1000);
            return records.join(QLatin1Char(' '));
        };
        m_list = new CMailboxListCtrl(&m_channel, {}, &m_sheet, m_sheet.GetSafeHwnd(), &m_sheet);
        m_list->resize(800, 300);
    }

    void deliverList(const QString &reply)
    {
        SendMessage(m_list->GetSafeHwnd(), WM_SERVER_REPLY, CMailboxListCtrl::ListRequestCode,
                    reinterpret_cast<LPARAM>(&reply));
    }
    QString standardList() const
    {
        return record(101, 20, "Front desk", "Ann", "Lee", "4101") + ' ' +
               record(20, 0x7fffffff, "Sales COS", "", "", "") + ' ' +
               record(1000, 20, "Back office", "Bob", "Zed", "4000") + ' ' +
               record(0x7fffffff, -1, "root", "", "", "");
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < m_list->GetItemCount(); ++row)
            texts << m_list->GetItemText(row, column).trimmed();
        return texts;
    }

    MessageBoxScript m_boxes;
    ScriptedChannel m_channel;
    SheetWindow m_sheet;
    CMailboxListCtrl *m_list;
};

TEST_F(MailboxList, FillsRowsWithTheirColumnsAndStatistics)
{
    deliverList(standardList() + ' ' + record(0x40000001, -1, "top", "", "", ""));
    ASSERT_EQ(m_list->GetItemCount(), 3) << "the root keeps no row, the COS tops are left out";
    EXPECT_EQ(m_list->GetArray().GetSize(), 4);
    EXPECT_EQ(m_list->GetItemText(0, 0), QStringLiteral("     101"));
    EXPECT_EQ(m_list->GetItemText(0, 1), QStringLiteral("20      "));
    EXPECT_EQ(m_list->GetItemText(1, 1), QStringLiteral("No COS"));
    EXPECT_EQ(m_list->GetItemText(0, 2), QStringLiteral("Front desk"));
    EXPECT_EQ(m_list->GetItemText(0, 3), QStringLiteral("4101"));
    EXPECT_EQ(m_list->GetItemText(0, 4), QStringLiteral("Ann Lee"));
    EXPECT_EQ(m_list->GetItemText(0, 5), QStringLiteral("1"));
    EXPECT_EQ(m_list->GetItemText(0, 6), QStringLiteral("101"));
    ASSERT_EQ(m_channel.m_executed.size(), 1);
    EXPECT_EQ(m_channel.m_executed[0],
              QStringLiteral("Tcl_MailboxMessageStatReportNoASR {101 20 1000 2147483647 } "
                             "{Mailbox m_t_msgcnt m_t_msglen}"));
    EXPECT_TRUE(m_boxes.texts().isEmpty()) << m_boxes.texts().join('\n').toStdString();
}

TEST_F(MailboxList, FirstFillShowsTheFirstBoxAndAsksTheSheetToLoadIt)
{
    deliverList(standardList());
    EXPECT_EQ(m_list->GetCurrentUANumber(), 101);
    EXPECT_EQ(m_list->GetSelectedItem(), 0);
    ASSERT_EQ(m_channel.m_async.size(), 1u);
    EXPECT_EQ(m_channel.m_async[0].command, QStringLiteral("GetUA 101"));
    EXPECT_EQ(m_channel.m_async[0].window, &m_sheet);
    EXPECT_EQ(m_channel.m_async[0].message, WM_SERVER_REPLY);
    EXPECT_EQ(m_channel.m_async[0].code, WPARAM(0xF010));

    deliverList(standardList());
    EXPECT_EQ(m_channel.m_async.size(), 1u) << "a refill keeps the shown box";
}

TEST_F(MailboxList, LoadedBoxIsSelectedAndAClickAsksForTheClickedOne)
{
    deliverList(standardList());
    SendMessage(m_list->GetSafeHwnd(), CMailboxListCtrl::WM_USERAGENT_LOADED, 1000, 0);
    EXPECT_EQ(m_list->GetSelectedItem(), 2);
    SendMessage(m_list->GetSafeHwnd(), CMailboxListCtrl::WM_SELECT_SHOWN_UA, 555, 0);
    EXPECT_EQ(m_list->GetSelectedItem(), -1) << "a box without a row selects nothing";

    m_list->show();
    const QRect row = m_list->visualRect(m_list->model()->index(1, 2));
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_FALSE(m_channel.m_async.empty());
    EXPECT_EQ(m_channel.m_async.back().command, QStringLiteral("GetUA 20"));
    m_list->setFocus();
    m_list->SelectItem(2);
    QTest::keyClick(m_list, Qt::Key_Space);
    EXPECT_EQ(m_channel.m_async.back().command, QStringLiteral("GetUA 1000"));
}

TEST_F(MailboxList, FindsRowsByTheirTrimmedNumber)
{
    deliverList(standardList());
    EXPECT_EQ(m_list->FindItemByText(QStringLiteral("1000")), 2);
    EXPECT_EQ(m_list->FindItemByText(QStringLiteral("  20 ")), 1);
    EXPECT_EQ(m_list->FindItemByText(QStringLiteral("100")), -1);
    EXPECT_EQ(m_list->FindItemByText(QStringLiteral("0020")), -1);
    EXPECT_EQ(m_list->FindItemByText(QStringLiteral("x")), -1);
}

TEST_F(MailboxList, SortingTwiceFlipsTheDirectionAndTheMarker)
{
    deliverList(standardList());
    m_list->SelectItem(m_list->FindItemByText(QStringLiteral("1000")));
    m_list->OnColumnClick(CMailboxListModel::NameColumn);
    EXPECT_EQ(m_list->GetColumnHeading(4), QStringLiteral("Name >"));
    EXPECT_EQ(column(4), QStringList({"", "Ann Lee", "Bob Zed"}));
    EXPECT_EQ(m_list->GetSelectedItem(), 2) << "the selected box stays selected";
    m_list->OnColumnClick(CMailboxListModel::NameColumn);
    EXPECT_EQ(m_list->GetColumnHeading(4), QStringLiteral("Name <"));
    EXPECT_EQ(column(4), QStringList({"Bob Zed", "Ann Lee", ""}));

    m_list->OnColumnClick(CMailboxListModel::NumberColumn);
    EXPECT_EQ(m_list->GetColumnHeading(4), QStringLiteral("Name")) << "the old column loses its marker";
    EXPECT_EQ(m_list->GetColumnHeading(0), QStringLiteral("Mailbox number >"));
    EXPECT_EQ(column(0), QStringList({"20", "101", "1000"})) << "numbers sort by value";
}

TEST_F(MailboxList, TypeAheadSelectsByTheSortColumnAndForgetsAfterEightTicks)
{
    deliverList(standardList() + ' ' + record(1234, 20, "x", "Carl", "Moe", "") + ' ' +
                record(12, 20, "x", "Dan", "Poe", ""));
    m_list->OnColumnClick(CMailboxListModel::NumberColumn);
    m_list->show();
    m_list->setFocus();
    QTest::keyClicks(m_list, QStringLiteral("12"));
    EXPECT_EQ(m_list->GetItemText(m_list->GetSelectedItem(), 0).trimmed(), QStringLiteral("12"));
    EXPECT_EQ(m_list->GetColumnHeading(0), QStringLiteral("Mailbox number >12"));
    QTest::keyClick(m_list, Qt::Key_3);
    EXPECT_EQ(m_list->GetItemText(m_list->GetSelectedItem(), 0).trimmed(), QStringLiteral("1234"));
    QTest::keyClick(m_list, Qt::Key_Backspace);
    EXPECT_EQ(m_list->GetTypedText(), QStringLiteral("12"));

    for (int tick = 0; tick < 7; ++tick)
        SendMessage(m_list->GetSafeHwnd(), WM_TIMER, CMailboxListCtrl::TypeAheadTimerId, 0);
    EXPECT_EQ(m_list->GetColumnHeading(0), QStringLiteral("Mailbox number >12"));
    SendMessage(m_list->GetSafeHwnd(), WM_TIMER, CMailboxListCtrl::TypeAheadTimerId, 0);
    EXPECT_EQ(m_list->GetColumnHeading(0), QStringLiteral("Mailbox number >"));
    EXPECT_TRUE(m_list->GetTypedText().isEmpty());

    QTest::keyClicks(m_list, QStringLiteral("b"));
    EXPECT_EQ(m_list->GetSelectedItem(), -1) << "no number starts with b";
    QTest::keyClick(m_list, Qt::Key_Down);
    EXPECT_EQ(m_list->GetSelectedItem(), 0);
    EXPECT_TRUE(m_list->GetTypedText().isEmpty());
}

TEST_F(MailboxList, StatisticsErrorShowsOneMessageAndNotAvailableEverywhere)
{
    m_channel.m_answer = [](const QString &) { return QStringLiteral("!ERROR no statistics"); };
    m_boxes.answer(IDOK);
    deliverList(standardList());
    EXPECT_EQ(m_boxes.texts(), QStringList({"Cannot retrieve message statistics for mailboxes."}));
    EXPECT_EQ(column(5), QStringList({"N/A", "N/A", "N/A"}));
    EXPECT_EQ(column(6), QStringList({"N/A", "N/A", "N/A"}));
}

TEST_F(MailboxList, MailboxWithoutStatisticsSaysSo)
{
    m_channel.m_answer = [](const QString &) { return statistics(101, 3, 47) + ' ' + statistics(20, 1, 1); };
    m_boxes.answer(IDOK);
    deliverList(standardList());
    EXPECT_EQ(m_boxes.texts(), QStringList({"Cannot retrieve message statistics for mailbox 1000"}));
    EXPECT_EQ(column(5), QStringList({"3", "1", "N/A"}));
}

TEST_F(MailboxList, ManyMailboxesWithoutStatisticsAreToldInOneMessage)
{
    QStringList records;
    for (long number = 3000; number < 3500; ++number)
        records << record(number, 20, "", "", "", "");
    m_channel.m_answer = [](const QString &) { return statistics(3001, 2, 9); };
    m_boxes.answer(IDOK);
    deliverList(records.join(QLatin1Char(' ')));
    EXPECT_EQ(m_boxes.texts(), QStringList({"Cannot retrieve message statistics for 499 mailboxes, the first "
                                            "being mailbox 3000"}));
    EXPECT_EQ(m_list->GetItemCount(), 500);
    EXPECT_EQ(m_list->GetItemText(1, 5), QStringLiteral("2"));
    EXPECT_EQ(m_list->GetItemText(0, 5), QStringLiteral("N/A"));
}

TEST_F(MailboxList, ErrorReplyIsShownAndUnreadableElementsAreLeftOut)
{
    m_boxes.answer({IDOK, IDOK});
    deliverList(QStringLiteral("!ERROR busy"));
    EXPECT_EQ(m_boxes.texts(),
              QStringList({"Could not get the list of user agents from Verbanta ES: !ERROR busy"}));
    EXPECT_EQ(m_list->GetItemCount(), 0);

    deliverList(record(101, 20, "ok", "", "", "") + " {{99999999999 20 1 -1 0} {}} {{7 20 1} {}} {odd}");
    EXPECT_EQ(m_list->GetItemCount(), 1) << "no half-read or wrapped box gets a row";
    EXPECT_EQ(m_boxes.texts().last(), QStringLiteral("Can't parse {99999999999 20 1 -1 0} {}"));
}

TEST_F(MailboxList, AListEmptiedByTheFilterClosesTheEditor)
{
    CMailboxListCtrl filtered(
        &m_channel, [](long number) { return number == 5; }, &m_sheet, m_sheet.GetSafeHwnd(), &m_sheet);
    const QString reply = standardList();
    m_boxes.answer(IDOK);
    SendMessage(filtered.GetSafeHwnd(), WM_SERVER_REPLY, CMailboxListCtrl::ListRequestCode,
                reinterpret_cast<LPARAM>(&reply));
    EXPECT_EQ(m_boxes.texts(),
              QStringList({"All of the User Agents administered by your account are deleted. "
                           "This editor will be closed"}));
    EXPECT_EQ(m_sheet.m_closes, 1);
    EXPECT_TRUE(m_channel.m_executed.isEmpty());
}

TEST_F(MailboxList, OtherRequestCodesAreIgnored)
{
    const QString reply = standardList();
    SendMessage(m_list->GetSafeHwnd(), WM_SERVER_REPLY, CMailboxListCtrl::GetUARequestCode,
                reinterpret_cast<LPARAM>(&reply));
    EXPECT_EQ(m_list->GetItemCount(), 0);
}

class CosList : public MailboxList {
protected:
    CosList() : MailboxList(QStringLiteral("COS Mailbox Configuration")) {}
};

TEST_F(CosList, ShowsNoStatistics)
{
    deliverList(standardList());
    EXPECT_EQ(column(5), QStringList({"N/A", "N/A", "N/A"}));
    EXPECT_TRUE(m_boxes.texts().isEmpty());
}

TEST_F(MailboxList, RightClickAsksForAnEditorOfTheSelectedBox)
{
    deliverList(standardList());
    long asked = 0;
    QObject::connect(m_list, &CMailboxListCtrl::openEditorRequested,
                     [&asked](long number) { asked = number; });
    m_list->show();
    m_list->SelectItem(2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            m_list->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(m_list->viewport(), &event);
    EXPECT_EQ(asked, 1000);
}

} // namespace
