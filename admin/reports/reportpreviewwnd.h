// The window a report is shown in: Qt's print preview over the rendered
// pages, with its own Print button. It owns the pages, so it stays whole
// after its print job is gone, until it is closed.
#pragma once

#include <QPrintPreviewDialog>

#include <memory>

class QPrinter;
class QTextDocument;

class CReportPreviewWnd : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // `printer` (it outlives the window): the setting the preview shows and
    // prints on; null gives the window one of its own.
    explicit CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, QPrinter *printer = nullptr,
                               QWidget *parent = nullptr);
    ~CReportPreviewWnd() override;

    const QTextDocument &Pages() const { return *m_pages; }
    // The pages as a PDF file.
    bool ExportPdf(const QString &path) const;

private:
    std::unique_ptr<QTextDocument> m_pages;
};
