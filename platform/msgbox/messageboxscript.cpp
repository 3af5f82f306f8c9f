// The scripted answerer; see messageboxscript.h.
#include "messageboxscript.h"

#include <QStringList>
#include <QtGlobal>

#include <atomic>

namespace {
std::atomic<MessageBoxScript *> g_installed{nullptr};
}

MessageBoxScript::MessageBoxScript()
{
    MessageBoxScript *expected = nullptr;
    const bool installedNow = g_installed.compare_exchange_strong(expected, this);
    Q_ASSERT_X(installedNow, "MessageBoxScript", "only one script can be installed at a time");
    Q_UNUSED(installedNow);
}

MessageBoxScript::~MessageBoxScript()
{
    MessageBoxScript *expected = this;
    g_installed.compare_exchange_strong(expected, nullptr);
}

MessageBoxScript *MessageBoxScript::installed()
{
    return g_installed.load();
}

void MessageBoxScript::answer(int id)
{
    std::lock_guard lock(m_mutex);
    m_answers.push_back(id);
}

void MessageBoxScript::answer(std::initializer_list<int> ids)
{
    std::lock_guard lock(m_mutex);
    m_answers.insert(m_answers.end(), ids.begin(), ids.end());
}

std::vector<MessageBoxScript::ShownBox> MessageBoxScript::transcript() const
{
    std::lock_guard lock(m_mutex);
    return m_transcript;
}

QStringList MessageBoxScript::texts() const
{
    std::lock_guard lock(m_mutex);
    QStringList texts;
    for (const ShownBox &box : m_transcript)
        texts.append(box.text);
    return texts;
}

int MessageBoxScript::pendingAnswers() const
{
    std::lock_guard lock(m_mutex);
    return int(m_answers.size());
}

int MessageBoxScript::beeps() const
{
    std::lock_guard lock(m_mutex);
    return m_beeps;
}

int MessageBoxScript::take(const ShownBox &box)
{
    std::lock_guard lock(m_mutex);
    m_transcript.push_back(box);
    if (m_answers.empty())
        qFatal("MessageBoxScript: no answer queued for the message box \"%s\"", qPrintable(box.text));
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void MessageBoxScript::beep(UINT)
{
    std::lock_guard lock(m_mutex);
    ++m_beeps;
}
