// Creating user agents over a range list, one "CreateUAFromAdmin" at a time
// on a worker thread, with progress, a summary and Cancel. The Create dialog
// runs it, and so do the Copy dialog (copy mode) and the configuration
// wizard; afterwards the opener reads the numbers that were created.
//
// The server variables that make the default security code are read once
// for the run; a code that is not plain digits goes as a quoted word.
#pragma once

#include "admin/uatools/ranges/bulkprogressdlg.h"
#include "admin/uatools/ranges/rangelist.h"

#include <QList>

#include <optional>

class CServerCommandChannel;

class CCreateProgressDlg : public CBulkProgressDlg {
    Q_OBJECT
public:
    enum { IDD = 150, IDC_STATUS = 1220, IDC_PROGRESS = 1219 };
    // The request code the worker hands its results to the dialog with.
    static constexpr WPARAM CreateResultCode = 0xF00B;

    enum CreationMode { ModeCreate = 0, ModeCopy = 2, ModeWizard = 0x7fffffff };

    // `channel` and `list` outlive the dialog. `chosenCos` is the class of
    // service of the new agents (the root for none, -1 when copying),
    // `model` the agent they are made from, `root` the kind's root. Numbers
    // in `skip` (agents that exist already) are passed over.
    CCreateProgressDlg(CServerCommandChannel &channel, qint32 chosenCos, const CParsedRangeList &list,
                       qint32 model, qint32 root, QWidget *parent, bool makeCos, CreationMode mode,
                       const CRangeList &skip = CRangeList());
    ~CCreateProgressDlg() override;

    // After the dialog ended: the numbers created, in the order of the run.
    const QList<long> &GetCreatedNumbers() const { return m_created; }

    // The default security code of `number`: its digits, then as much of
    // `suffix` as fits `maxLength` (no suffix when it could not be read),
    // or the first `maxLength` digits of a longer number.
    static QString DefaultSecurityCode(uint32_t number, int maxLength, const std::optional<QString> &suffix);

protected:
    void PrepareRun() override;
    bool Skips(uint32_t number) const override { return m_skip.Contains(number); }
    CPendingCommand StartOne(uint32_t number) override;
    QString FinishOne(uint32_t number, CPendingCommand &started) override;
    // Each creation stands alone: the next ones may be on their way
    // meanwhile. A few cover the worker's wake-ups on a busy machine; a
    // Cancel still lets these few finish.
    int CommandsInFlight() const override { return 4; }
    void OnResult(const QString &text, bool failed) override;
    QString BuildSummary() const override;
    QString CancelledMessage() const override;

private:
    // The value of a server variable; nothing when it cannot be read (an
    // error reply, or one that names the variable).
    std::optional<QString> readVariable(const QString &name);

    CServerCommandChannel &m_channel;
    const qint32 m_chosenCos;
    const qint32 m_model;
    const qint32 m_root;
    const bool m_makeCos;
    const CreationMode m_mode;
    const CRangeList m_skip;

    // Set by PrepareRun on the worker before the first number.
    bool m_modelExists = false;
    int m_maxCodeLength = 64;
    std::optional<QString> m_codeSuffix;

    QList<long> m_created;
};
