// The report print engine as the application holds it: made closed with the
// application object, opened during start-up, closed when the application
// object goes. Opening the engine means having the report folder
// ($XDG_DATA_HOME/verbanta/reports), which holds the report database
// ("Reports.MDB") and the "Template" folder of the report templates; these
// folders are fixed, so no window changes the process's working directory.
// The layouts are built into the program. One engine is the process-wide
// engine at a time, reachable by the report code through Current().
//
// The engine lists every open print job and every preview window; closing
// it deletes the jobs still open and closes the windows. The previews
// belong to the main frame when there is one, so that a click into the
// frame never hides them behind it. It also holds the
// program's one printer setting, which Print Setup changes, the reports are
// laid out on, and every preview copies into a printer of its own when it
// opens.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class CReportJob;
class CReportPreviewWnd;
class QPrinter;
class QWidget;

class CReportEngine {
public:
    // Made closed.
    CReportEngine();
    // Closes the engine and stops being the process-wide engine.
    ~CReportEngine();
    CReportEngine(const CReportEngine &) = delete;
    CReportEngine &operator=(const CReportEngine &) = delete;

    // True when the engine is open, already or now; false (with the reason
    // in LastError) when it cannot be opened, and it then stays closed.
    bool Open();
    void Close();
    bool IsOpen() const { return m_open; }
    QString LastError() const { return m_lastError; }
    // Where the reports go while the engine is open.
    QString OutputFolder() const { return m_outputFolder; }
    QString DatabasePath() const;
    QString TemplateFolder() const;

    // Opens a print job on the built-in layout of that name ("portstat.rpt");
    // null, with the reason in GetErrorText, when the engine is closed or the
    // layout is unknown or unreadable. The engine deletes the job when it
    // closes unless the caller has deleted it before.
    CReportJob *OpenJob(const QString &layoutName);
    QString GetErrorText() const { return m_lastError; }
    int JobCount() const { return int(m_jobs.size()); }
    // The preview windows still open, oldest first.
    QList<CReportPreviewWnd *> Previews() const;
    // The window the previews opened from now on belong to (the main
    // frame): they stay above it and go with it. Null: previews of their own.
    void SetPreviewOwner(QWidget *owner);
    QWidget *PreviewOwner() const;

    // The printer and page the reports are laid out for, for the whole
    // program, open engine or not; made on first use.
    QPrinter &Printer();

    // The process-wide engine, or null when none exists.
    static CReportEngine *Current();

private:
    friend class CReportJob;
    void RemoveJob(CReportJob *job);
    void AddPreview(CReportPreviewWnd *window);

    bool m_open = false;
    QString m_outputFolder;
    QString m_lastError;
    QList<CReportJob *> m_jobs;
    QList<QPointer<CReportPreviewWnd>> m_previews;
    QPointer<QWidget> m_previewOwner;
    std::unique_ptr<QPrinter> m_printer;
};
