// The window a report is shown in: Qt's print preview over the rendered
// pages, with its own Print button. It owns the pages, so it stays whole
// after its print job is gone, until it is closed.
#pragma once

#include <QPrintPreviewDialog>

#include <memory>

class QTextDocument;

class CReportPreviewWnd : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, QWidget *parent = nullptr);
    ~CReportPreviewWnd() override;

    const QTextDocument &Pages() const { return *m_pages; }
    // The pages as a PDF file.
    bool ExportPdf(const QString &path) const;

private:
    std::unique_ptr<QTextDocument> m_pages;
};
