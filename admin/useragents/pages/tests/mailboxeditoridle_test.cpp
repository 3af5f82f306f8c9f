// The editor on its real pages, as an administrator leaves it and comes
// back to it: a page showing own-value and lock marks rests while nothing
// happens, and the directory-synchronisation question comes once for each
// change of a name, whatever the answer was.
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"

#include "platform/mfc/dialogdefs.h"

#include <QEvent>
#include <QLabel>
#include <QTest>

namespace {

constexpr int kOptionsPage = 0;
const QString kSyncQuestion = QStringLiteral("Would you like to synchronize now?");

// Counts the layout requests a widget receives.
class LayoutRequests : public QObject {
public:
    explicit LayoutRequests(QWidget *watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            ++count;
        return false;
    }
};

class EditorPages : public PageTestBase {
protected:
    CInhPropertyPg &shownPage() { return page<CInhPropertyPg>(); }
    int marksShown()
    {
        int shown = 0;
        for (QLabel *label : shownPage().findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            shown += label->isVisible() && !label->pixmap().isNull() && label->text().isEmpty() ? 1 : 0;
        return shown;
    }
};

// Box 106 holds values and a lock of its own on the options page: their
// marks show, and the page, once laid out, asks for no new layout.
TEST_F(EditorPages, APageShowingMarksRestsWhileNothingHappens)
{
    openSheet(106, kOptionsPage);
    ASSERT_GT(marksShown(), 0) << "own-value and lock marks";
    saveScreenshot("mailbox-editor-idle-marks.png");
    LayoutRequests requests(&shownPage());
    // A second of rest: a page that lays itself out anew after each
    // refresh of its marks would do so hundreds of times.
    QTest::qWait(1000);
    EXPECT_LE(requests.count, 2);
}

TEST_F(EditorPages, TheSynchronisationQuestionComesOnceForEachChangeOfAName)
{
    m_offerDirectorySync = true;
    openSheet(106, kOptionsPage);
    // A name changed, saved, and the question answered No.
    type(CInhPropertyPg::IDC_NAME1, "Hannah");
    m_boxes->answer(IDNO);
    apply();
    ASSERT_EQ(m_boxes->texts(), QStringList{kSyncQuestion});

    // Another field of the same box, then another box: no name changed since.
    type(CInhPropertyPg::IDC_COMMENT, "Back on Monday");
    apply();
    type(CInhPropertyPg::IDC_MAILBOX_NUMBER, "101");
    ASSERT_TRUE(waitUntil([&] { return shownPage().GetMailboxNumber() == 101; }, 5000));
    type(CInhPropertyPg::IDC_COMMENT, "Still on leave");
    apply();
    EXPECT_EQ(received("UpdateUA").size(), 3) << received("UpdateUA").join('\n').toStdString();
    EXPECT_EQ(m_boxes->texts(), QStringList{kSyncQuestion});

    // A name changed again: the question comes again.
    type(CInhPropertyPg::IDC_NAME2, "Bakker");
    m_boxes->answer(IDNO);
    apply();
    EXPECT_EQ(m_boxes->texts(), (QStringList{kSyncQuestion, kSyncQuestion}));
}

// A name changed on a box the administrator then leaves unsaved is no
// change to synchronise.
TEST_F(EditorPages, ANameLeftUnsavedOnAnotherBoxAsksNothing)
{
    m_offerDirectorySync = true;
    openSheet(106, kOptionsPage);
    type(CInhPropertyPg::IDC_NAME1, "Hannah");
    m_boxes->answer(IDOK);
    type(CInhPropertyPg::IDC_MAILBOX_NUMBER, "101");
    ASSERT_TRUE(waitUntil([&] { return shownPage().GetMailboxNumber() == 101; }, 5000));
    ASSERT_EQ(m_boxes->texts().size(), 1) << "the edit is discarded";
    type(CInhPropertyPg::IDC_COMMENT, "Still on leave");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 101 4 &Comment {Still on leave} "});
    EXPECT_EQ(m_boxes->texts().size(), 1) << m_boxes->texts().join('|').toStdString();
}

} // namespace
