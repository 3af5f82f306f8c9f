// The session's exceptions: texts from strings or the string table, and a
// message copy that is always terminated.
#include "admin/res/adminstrings.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"

#include "platform/msgbox/messageboxscript.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cstring>

namespace {

TEST(CZltExceptionTest, TakesTheTextOfAStringId)
{
    RegisterAdminStrings();
    EXPECT_EQ(CZltException(IDS_INTERLOCK_FAILURE).text(), "interlock failure");
}

TEST(CZltExceptionTest, UnknownStringIdReportsUnknownErrorWithTheId)
{
    EXPECT_EQ(CZltException(12345u).text(), "Unknown error 12345.");
    EXPECT_STREQ(CZltException(12345u).what(), "Unknown error 12345.");
}

TEST(CZltExceptionTest, ErrorMessageIsCutToFitAndAlwaysTerminated)
{
    const CZltException e(QStringLiteral("IPC send failure 80004005"));
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(e.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "IPC sen");
    char whole[64];
    EXPECT_TRUE(e.GetErrorMessage(whole, sizeof whole));
    EXPECT_STREQ(whole, "IPC send failure 80004005");
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
}

TEST(CZltExceptionTest, LoginDeclinedIsASessionFailureWithItsText)
{
    try {
        throw CZltExceptionLoginDeclined();
    } catch (const CZltException &e) {
        EXPECT_EQ(e.text(), "Password changed and login declined");
    }
}

} // namespace

namespace {

TEST(CZltExceptionTest, ReportShowsTheTextOrTheGivenStringWhenThereIsNone)
{
    RegisterAdminStrings();
    MessageBoxScript boxes;
    boxes.answer({IDOK, IDOK});
    EXPECT_EQ(CZltException(QStringLiteral("IPC send failure 80004005")).ReportError(), IDOK);
    CZltException(QString()).ReportError(MB_OK, IDS_INTERLOCK_FAILURE);
    EXPECT_EQ(boxes.texts(), (QStringList{"IPC send failure 80004005", "interlock failure"}));
}

} // namespace
