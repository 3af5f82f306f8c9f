// One print job: a report layout opened by the print engine, rendered from
// the report database when it starts. Start shows the report in a preview
// window of its own (CReportPreviewWnd) that keeps its rendered pages, so
// the window outlives the job; ExportPdf writes the same pages to a file
// without a window. The engine lists every open job and deletes those still
// open when it closes; deleting a job takes it off the engine's list.
#pragma once

#include "admin/reports/reportlayout.h"

#include <QRect>
#include <QString>

#include <memory>

class CReportEngine;
class QTextDocument;

class CReportJob {
public:
    ~CReportJob();
    CReportJob(const CReportJob &) = delete;
    CReportJob &operator=(const CReportJob &) = delete;

    // Where and under which title Start shows the report.
    bool OutputToWindow(const QString &title, int left, int top, int width, int height);
    // Renders the report from the database and shows it; false with the
    // reason in GetErrorText.
    bool Start();
    // Renders the report into a PDF file, headless.
    bool ExportPdf(const QString &path);
    QString GetErrorText() const { return m_error; }
    const CReportLayout &Layout() const { return m_layout; }

private:
    friend class CReportEngine;
    CReportJob(CReportEngine &engine, CReportLayout layout, QString databasePath);

    // The report's pages as one document; null with m_error set on failure.
    std::unique_ptr<QTextDocument> render();

    CReportEngine &m_engine;
    CReportLayout m_layout;
    QString m_databasePath;
    QString m_title;
    QRect m_window;
    QString m_error;
};
