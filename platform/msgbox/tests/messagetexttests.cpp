// The bound on what a message box shows: short texts as they are, long
// lines cut with their full length, many lines counted, surrogate pairs kept
// whole; and a real box given a reply of megabytes stays on the screen.
#include "platform/msgbox/messageboxscript.h"
#include "platform/msgbox/messagetext.h"
#include "platform/msgbox/msgbox.h"
#include "testsupport/qtapplicationenvironment.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

[[maybe_unused]] const auto *const g_environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment("messagetexttests"));

QString elements(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::number(100000 + i);
    return list.join(QLatin1Char(' '));
}

QString lines(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("line %1").arg(i);
    return list.join(QLatin1Char('\n'));
}

struct Case {
    const char *name;
    QString text;
    QString shown;
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

const QString kWord = QString(2 * 1024 * 1024, QLatin1Char('w'));
const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units

class BoundedText : public testing::TestWithParam<Case> {};

TEST_P(BoundedText, ShowsWhatFitsAndSaysWhatWasLeftOut)
{
    EXPECT_EQ(MessageText::Bounded(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BoundedText,
    testing::Values(
        Case{"short", QStringLiteral("The server is not available."),
             QStringLiteral("The server is not available.")},
        Case{"empty", QString(), QString()},
        Case{"a line just at the bound", QString(300, 'a'), QString(300, 'a')},
        Case{"one character over", QString(301, 'a'),
             QString(300, 'a') + QStringLiteral("… (301 characters)")},
        Case{"a 2 MB word after the message's own words", QStringLiteral("Can't parse: ") + kWord,
             QStringLiteral("Can't parse: ") + kWord.left(287) + QStringLiteral("… (2097165 characters)")},
        Case{"100 000 elements", QStringLiteral("Bad time:\n") + elements(100000),
             QStringLiteral("Bad time:\n") + elements(100000).left(300) +
                 QStringLiteral("… (699999 characters)")},
        Case{"fifteen lines", lines(15), lines(15)},
        Case{"sixteen lines", lines(16), lines(15) + QStringLiteral("\n… (1 more lines)")},
        Case{"100 000 lines", lines(100000), lines(15) + QStringLiteral("\n… (99985 more lines)")},
        Case{"long lines fill the text's bound",
             QString(400, 'a') + '\n' + QString(400, 'b') + '\n' + QString(400, 'c') + '\n' +
                 QString(400, 'd'),
             QString(300, 'a') + QStringLiteral("… (400 characters)\n") + QString(300, 'b') +
                 QStringLiteral("… (400 characters)\n") + QString(262, 'c') +
                 QStringLiteral("… (400 characters)\n… (1 more lines)")},
        Case{"a pair of surrogates at the cut", QString(299, 'a') + kSmile + QString(10, 'a'),
             QString(299, 'a') + QStringLiteral("… (311 characters)")}));

// Clicks OK through the mouse once the box is up, after noting where its
// button stands and saving a picture of it.
void whenShown(QRect *okButton, QRect *box, const QString &picture)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!shown || !shown->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QAbstractButton *ok = shown->button(QMessageBox::Ok);
        *okButton = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        *box = shown->frameGeometry();
        const QString folder =
            qEnvironmentVariable("VERBANTA_BINARY_DIR", QStringLiteral(".")) + "/screenshots";
        QDir().mkpath(folder);
        shown->grab().save(folder + "/" + picture);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    timer->start();
}

TEST(BoundedMessageBox, AReplyOfMegabytesKeepsTheBoxAndItsOkOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        QString reply;
        QString picture;
    } cases[] = {{kWord, "message-box-2mb-word.png"},
                 {elements(100000), "message-box-100000-elements.png"},
                 {lines(100000), "message-box-100000-lines.png"}};
    for (const auto &[reply, picture] : cases) {
        QRect okButton;
        QRect box;
        whenShown(&okButton, &box, picture);
        EXPECT_EQ(AfxMessageBox(QStringLiteral("Bad server time: %1").arg(reply), MB_OK | MB_ICONERROR),
                  IDOK);
        EXPECT_TRUE(screen.contains(okButton)) << "OK at " << okButton.x() << "," << okButton.y();
        EXPECT_LE(box.width(), screen.width());
        EXPECT_LE(box.height(), screen.height());
    }
}

TEST(BoundedMessageBox, TheScriptSeesTheTextTheBoxShows)
{
    MessageBoxScript script;
    script.answer(IDOK);
    AfxMessageBox(QStringLiteral("Can't parse: ") + kWord);
    EXPECT_EQ(script.texts(), QStringList{MessageText::Bounded(QStringLiteral("Can't parse: ") + kWord)});
}

} // namespace
