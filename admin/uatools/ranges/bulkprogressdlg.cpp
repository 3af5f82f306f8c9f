// The progress dialogs' shared run; see bulkprogressdlg.h.
#include "admin/uatools/ranges/bulkprogressdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/zltexception.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <deque>
#include <optional>

namespace {

// A number the session could not carry fails with the session's reason.
QString FailureText(const CZltException &error, uint32_t number)
{
    return QStringLiteral("!ERROR %1 %2").arg(error.text()).arg(number);
}

} // namespace

CBulkProgressDlg::CBulkProgressDlg(int dialogId, const QString &caption, Ids ids, WPARAM tag,
                                   const CParsedRangeList &list, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_tag(tag), m_list(list),
      m_status(SetDlgCtrlID(new QPlainTextEdit(this), ids.status)),
      m_progress(SetDlgCtrlID(new QProgressBar(this), ids.progress)),
      m_ok(SetDlgCtrlID(new QPushButton(tr("OK")), IDOK)),
      m_cancel(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL))
{
    m_status->setReadOnly(true);
    m_status->setFixedSize(320, 96);
    m_progress->setTextVisible(false);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CBulkProgressDlg::~CBulkProgressDlg()
{
    StopWorker();
}

void CBulkProgressDlg::StopWorker()
{
    if (!m_thread.joinable())
        return;
    m_cancelRequested = true;
    // A worker waiting in SendMessage to this window is released at once.
    unregisterWindow();
    m_thread.join();
}

int CBulkProgressDlg::DoModalInPlaceOfOpener()
{
    if (QWidget *opener = parentWidget()) {
        opener->hide();
        if (QWidget *main = opener->parentWidget())
            main->window()->activateWindow();
    }
    return DoModal();
}

bool CBulkProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_processed = 0;
    m_failed = 0;
    m_total = 0;
    m_finished = false;
    m_cancelRequested = false;
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_ok->setEnabled(false);
    m_cancel->setEnabled(true);
    m_cancel->setFocus(Qt::OtherFocusReason);
    // The worker keeps the handle it started with: a handle that has gone
    // makes its sends return at once.
    m_thread = std::thread([this, window = GetSafeHwnd()] { runWorker(window); });
    return false;
}

void CBulkProgressDlg::runWorker(HWND window)
{
    try {
        PrepareRun();
    } catch (const CZltException &) {
        // The session is failing: each number fails on its own with the reason.
    }
    m_total = countNumbers();
    const bool cancelled = !sendNumbers(window);
    PostMessage(window, WM_WORKER_ENDED, cancelled ? 1 : 0, 0);
}

uint64_t CBulkProgressDlg::countNumbers() const
{
    uint64_t total = 0;
    uint32_t number = 0;
    for (CParsedRangeList::Expansion counting(m_list); counting.Next(number);)
        total += Skips(number) ? 0 : 1;
    return total;
}

bool CBulkProgressDlg::sendNumbers(HWND window)
{
    // Numbers sent and not yet waited for, oldest first; a number that could
    // not be sent carries its failure instead of a command.
    struct Started {
        uint32_t number;
        CPendingCommand command;
        std::optional<QString> failure;
    };
    std::deque<Started> started;
    std::deque<QString> results;
    const size_t inFlight = size_t(std::max(1, CommandsInFlight()));
    const auto finishOldest = [&] {
        Started &oldest = started.front();
        results.push_back(oldest.failure ? *oldest.failure : finishOne(oldest.number, oldest.command));
        started.pop_front();
    };
    const auto handOverResults = [&] {
        for (; !results.empty(); results.pop_front())
            handOver(window, results.front());
    };
    bool completed = true;
    uint32_t number = 0;
    for (CParsedRangeList::Expansion expansion(m_list); expansion.Next(number);) {
        if (m_cancelRequested) {
            completed = false;
            break;
        }
        if (Skips(number))
            continue;
        Started next{number, {}, std::nullopt};
        try {
            next.command = StartOne(number);
        } catch (const CZltException &error) {
            next.failure = FailureText(error, number);
        }
        started.push_back(std::move(next));
        // The dialog takes the results so far while the server works.
        handOverResults();
        while (started.size() >= inFlight)
            finishOldest();
    }
    // What was sent is waited for and reported, cancelled or not: the
    // dialog reports exactly what the server received.
    while (!started.empty())
        finishOldest();
    handOverResults();
    return completed;
}

QString CBulkProgressDlg::finishOne(uint32_t number, CPendingCommand &started)
{
    try {
        return FinishOne(number, started);
    } catch (const CZltException &error) {
        return FailureText(error, number);
    }
}

void CBulkProgressDlg::handOver(HWND window, const QString &text)
{
    SendMessage(window, WM_SERVER_REPLY, m_tag, reinterpret_cast<LPARAM>(&text));
}

LRESULT CBulkProgressDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SERVER_REPLY) {
        if (wParam != m_tag)
            return 0;
        // The text lives on the worker's stack: copy it before the worker
        // is let go.
        const QString text = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        onResult(text);
        return 0;
    }
    if (message == WM_WORKER_ENDED) {
        onWorkerEnded(wParam != 0);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CBulkProgressDlg::onResult(const QString &text)
{
    const bool failed = IsErrorReply(text);
    if (failed)
        ++m_failed;
    OnResult(text, failed);
    ++m_processed;
    const uint64_t total = m_total;
    const double percent = total ? double(m_processed) * 100.0 / double(total) : 100.0;
    m_progress->setValue(int(percent));
    if (m_processed == total) {
        showFinished();
        return;
    }
    // The text changes a hundred times a run at most; laying it out again
    // for every number would keep the worker waiting on this thread.
    const QString shown = QString::asprintf("%.0f%% processed", percent);
    if (shown != m_shownStatus)
        setStatus(shown);
}

void CBulkProgressDlg::onWorkerEnded(bool cancelled)
{
    if (m_thread.joinable())
        m_thread.join();
    if (cancelled) {
        AfxMessageBox(CancelledMessage());
        EndDialog(IDOK);
        return;
    }
    // A run with nothing to do has had no result to finish on.
    if (!m_finished)
        showFinished();
}

void CBulkProgressDlg::showFinished()
{
    m_finished = true;
    m_progress->setValue(100);
    setStatus(BuildSummary());
    m_ok->setEnabled(true);
    m_cancel->setEnabled(false);
    m_ok->setDefault(true);
    m_ok->setFocus(Qt::OtherFocusReason);
}

void CBulkProgressDlg::setStatus(const QString &text)
{
    m_shownStatus = text;
    // The summaries end their lines with CR LF; the edit wants one break.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_status->setPlainText(shown);
}

void CBulkProgressDlg::OnOK()
{
    // Enter during a run is not a way out: only a finished run is closed.
    if (IsRunning())
        return;
    EndDialog(IDOK);
}

void CBulkProgressDlg::OnCancel()
{
    if (IsRunning()) {
        m_cancelRequested = true;
        return;
    }
    EndDialog(m_finished ? IDOK : IDCANCEL);
}
