// The scripted answerer of message boxes, for tests: while one is alive,
// every message box takes the next queued answer instead of showing, and is
// written to the transcript with its text, caption and style. A box for
// which no answer is queued stops the program with its text, so a test
// never hangs on a question it did not expect. Usable from any thread.
#pragma once

#include "platform/msgbox/msgbox.h"

#include <QString>

#include <deque>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <vector>

class MessageBoxScript {
public:
    struct ShownBox {
        QString text;
        QString caption; // empty for the application's caption
        UINT type = MB_OK;
        UINT helpId = 0;
    };

    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript &) = delete;
    MessageBoxScript &operator=(const MessageBoxScript &) = delete;

    void answer(int id);
    void answer(std::initializer_list<int> ids);

    std::vector<ShownBox> transcript() const;
    // The texts shown, in order.
    QStringList texts() const;
    int pendingAnswers() const;
    int beeps() const;

    // The installed script, if any; used by the message box functions.
    static MessageBoxScript *installed();
    int take(const ShownBox &box);
    void beep(UINT type);

private:
    mutable std::mutex m_mutex;
    std::deque<int> m_answers;
    std::vector<ShownBox> m_transcript;
    int m_beeps = 0;
};
