// Message boxes: the scripted answerer and its transcript, and real boxes
// shown offscreen and answered by clicking, from the user-interface thread
// and from a worker thread.
#include "platform/messages/messagetarget.h"
#include "platform/msgbox/messageboxscript.h"
#include "platform/msgbox/msgbox.h"
#include "platform/strings/stringtable.h"
#include "testsupport/qtapplicationenvironment.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

[[maybe_unused]] const auto *const g_environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment("msgboxtests", "Verbanta Admin"));

constexpr StringResource kStrings[] = {{61493, "Discard changes?"}};

TEST(MessageBoxScriptTest, AnswersInOrderAndKeepsTheTranscript)
{
    MessageBoxScript script;
    script.answer({IDYES, IDCANCEL});
    EXPECT_EQ(AfxMessageBox("Delete 12 user agents?", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "You are unable to create 5 out of your defined range.", "Error",
                         MB_OK | MB_ICONERROR),
              IDCANCEL);
    const auto shown = script.transcript();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Delete 12 user agents?");
    EXPECT_EQ(shown[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_TRUE(shown[0].caption.isEmpty());
    EXPECT_EQ(shown[1].caption, "Error");
    EXPECT_EQ(script.pendingAnswers(), 0);
}

TEST(MessageBoxScriptTest, StringIdBoxShowsTheStringWithItsIdAsHelpContext)
{
    CStringTable::instance().registerStrings(kStrings);
    MessageBoxScript script;
    script.answer(IDOK);
    EXPECT_EQ(AfxMessageBox(61493, MB_OKCANCEL), IDOK);
    ASSERT_EQ(script.texts(), QStringList{"Discard changes?"});
    EXPECT_EQ(script.transcript()[0].helpId, 61493u);
}

TEST(MessageBoxScriptTest, AnswersBoxesAskedFromWorkerThreads)
{
    MessageBoxScript script;
    script.answer({IDNO, IDNO, IDNO, IDNO});
    std::atomic<int> noes{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&] {
            if (AfxMessageBox("Stop?", MB_YESNO) == IDNO)
                ++noes;
        });
    for (auto &worker : workers)
        worker.join();
    EXPECT_EQ(noes.load(), 4);
    EXPECT_EQ(script.transcript().size(), 4u);
}

TEST(MessageBoxScriptTest, CountsBeeps)
{
    MessageBoxScript script;
    MessageBeep(MB_ICONHAND);
    EXPECT_EQ(script.beeps(), 1);
}

TEST(MessageBoxScriptDeathTest, AnUnexpectedBoxStopsTheProgramWithItsText)
{
    EXPECT_DEATH(
        {
            MessageBoxScript script;
            AfxMessageBox("Unexpected question?", MB_YESNO);
        },
        "Unexpected question\\?");
}

// Clicks the button with `text` on the modal box once it is shown.
void clickWhenShown(const QString &buttonText, QString *caption, QString *defaultText)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *caption = box->windowTitle();
        *defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text().remove('&') == buttonText) {
                timer->stop();
                timer->deleteLater();
                button->click();
                return;
            }
        }
    });
    timer->start();
}

TEST(MessageBoxTest, ShowsARealBoxWithTheApplicationCaptionAndTheSecondButtonAsDefault)
{
    QString caption;
    QString defaultButton;
    clickWhenShown("No", &caption, &defaultButton);
    EXPECT_EQ(AfxMessageBox("Save the changes?", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(caption, "Verbanta Admin");
    EXPECT_EQ(defaultButton.remove('&'), "No");
}

TEST(MessageBoxTest, BoxAskedFromAWorkerIsShownOnTheUserInterfaceThread)
{
    QString caption;
    QString defaultButton;
    clickWhenShown("Cancel", &caption, &defaultButton);
    std::atomic<int> answer{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = MessageBox(nullptr, "Keep going?", "Error", MB_OKCANCEL);
        done = true;
    });
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    worker.join();
    EXPECT_EQ(answer.load(), IDCANCEL);
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(defaultButton.remove('&'), "OK");
}

class OwnerWidget : public QWidget, public CMessageTarget {
public:
    OwnerWidget() : CMessageTarget(this) {}
    ~OwnerWidget() override { unregisterWindow(); }
};

TEST(MessageBoxTest, BoxStandsInFrontOfItsOwnerWindow)
{
    OwnerWidget owner;
    owner.show();
    QWidget *parent = nullptr;
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            parent = box->parentWidget();
            timer->stop();
            timer->deleteLater();
            box->buttons().first()->click();
        }
    });
    timer->start();
    EXPECT_EQ(MessageBox(owner.GetSafeHwnd(), "Done.", "Chanview", MB_OK), IDOK);
    EXPECT_EQ(parent, &owner);
}

} // namespace
