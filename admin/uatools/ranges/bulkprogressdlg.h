// What the creation and deletion progress dialogs share: a worker thread
// that walks a range list number by number, one server command at a time,
// and a dialog that counts the results, shows the percentage and then a
// summary, and can be cancelled.
//
// The worker never shows a window. It hands each result to the dialog with
// a cross-thread SendMessage (WM_SERVER_REPLY with the subclass's tag) and,
// when it ends, posts WM_WORKER_ENDED; the dialog, on the user-interface
// thread, shows the summary or the cancel message. Cancel only sets an
// atomic flag that the worker reads before each number; closing the window
// during a run is a Cancel too, so the dialog never goes while its worker
// runs.
//
// Handing a result over costs two thread wake-ups and the dialog's own
// work, as much as a fast server takes for a number. So the worker sends a
// number's command first and hands the previous results over while the
// server works on it; the dialog still gets every result, in order. Where
// the numbers are independent of each other (creation), the next few
// numbers' commands are sent before the oldest reply is waited for, so the
// server does not wait for the program between two numbers, however late
// the worker thread is woken; otherwise the server sees one number at a
// time. A session that fails (a lost link) fails the
// number it was sending; the run goes on and counts it. A cancelled run
// still waits for what it sent, so what it reports is what the server got.
#pragma once

#include "admin/session/pendingcommand.h"
#include "admin/uatools/ranges/parsedrangelist.h"
#include "platform/mfc/dialog.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class CBulkProgressDlg : public CDialog {
    Q_OBJECT
public:
    // Posted by the worker when it ends; wParam is 1 after a cancelled pass.
    static constexpr UINT WM_WORKER_ENDED = WM_USER + 0x101;

    uint64_t GetTotal() const { return m_total.load(); }
    uint64_t GetProcessed() const { return m_processed; }
    uint64_t GetFailed() const { return m_failed; }
    bool IsRunning() const { return m_thread.joinable(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs the dialog modally in place of the dialog that opened it (its
    // parent), which hides for the run while the main window is made active.
    // DoModal's result.
    int DoModalInPlaceOfOpener();

protected:
    struct Ids {
        int status;
        int progress;
    };
    // `list` outlives the dialog; `tag` is the request code of the results.
    CBulkProgressDlg(int dialogId, const QString &caption, Ids ids, WPARAM tag, const CParsedRangeList &list,
                     QWidget *parent);
    ~CBulkProgressDlg() override;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Ends the worker (cancelling it) and waits for it. Subclasses call it
    // first in their destructors, before the parts the worker uses go.
    void StopWorker();

    // On the worker thread, once before the counting pass.
    virtual void PrepareRun() {}
    // On the worker thread: true for a number the run passes over.
    virtual bool Skips(uint32_t) const { return false; }
    // On the worker thread, one number in two steps: StartOne sends its
    // first command without waiting for the reply; FinishOne waits for it,
    // does whatever else the number needs and gives the result text, an
    // error reply ("!" first) for a failure. Both may throw CZltException.
    virtual CPendingCommand StartOne(uint32_t number) = 0;
    virtual QString FinishOne(uint32_t number, CPendingCommand &started) = 0;
    // How many numbers may have their first command at the server at once.
    // One unless a number's outcome can never depend on the one before it.
    virtual int CommandsInFlight() const { return 1; }
    // On the user-interface thread, for each result in order.
    virtual void OnResult(const QString &, bool) {}
    virtual QString BuildSummary() const = 0;
    virtual QString CancelledMessage() const = 0;

private:
    void runWorker(HWND window);
    // The numbers the run does not pass over.
    uint64_t countNumbers() const;
    // Sends every number and hands each result over, in order; false when
    // a Cancel stopped it.
    bool sendNumbers(HWND window);
    // FinishOne, with a session failure made the number's error reply.
    QString finishOne(uint32_t number, CPendingCommand &started);
    void handOver(HWND window, const QString &text);
    void onResult(const QString &text);
    void onWorkerEnded(bool cancelled);
    void showFinished();
    void setStatus(const QString &text);

    const WPARAM m_tag;
    const CParsedRangeList &m_list;
    QPlainTextEdit *m_status;
    QProgressBar *m_progress;
    QPushButton *m_ok;
    QPushButton *m_cancel;

    std::thread m_thread;
    std::atomic<bool> m_cancelRequested{false};
    std::atomic<uint64_t> m_total{0};
    uint64_t m_processed = 0;
    uint64_t m_failed = 0;
    bool m_finished = false;
    QString m_shownStatus;
};
