// One print job: a report layout opened by the print engine, laid out from
// the report database when it starts, on the paper of the program's printer
// setting. Start shows the report in a preview window of its own
// (CReportPreviewWnd) that keeps its pages, so the window outlives the job;
// ExportPdf writes the same pages to a file without a window. The engine lists every open job and deletes those still
// open when it closes; deleting a job takes it off the engine's list.
#pragma once

#include "admin/reports/reportlayout.h"

#include <QRect>
#include <QString>

#include <memory>

class CReportEngine;
class CReportPages;

class CReportJob {
public:
    ~CReportJob();
    CReportJob(const CReportJob &) = delete;
    CReportJob &operator=(const CReportJob &) = delete;

    // Where and under which title Start shows the report.
    bool OutputToWindow(const QString &title, int left, int top, int width, int height);
    // Lays the report out from the database and shows it; false with the
    // reason in GetErrorText. A long report shows its progress, and when the
    // administrator cancels it nothing is shown and the result is true.
    bool Start();
    // Lays the report out into a PDF file, headless.
    bool ExportPdf(const QString &path);
    QString GetErrorText() const { return m_error; }
    const CReportLayout &Layout() const { return m_layout; }

private:
    friend class CReportEngine;
    CReportJob(CReportEngine &engine, CReportLayout layout, QString databasePath);

    // The report's pages; null with m_error set on failure, or with
    // m_cancelled set when the administrator cancelled.
    std::unique_ptr<CReportPages> render();

    CReportEngine &m_engine;
    CReportLayout m_layout;
    QString m_databasePath;
    QString m_title;
    QRect m_window;
    QString m_error;
    bool m_cancelled = false;
};
