// The window a report is shown in: Qt's print preview over the rendered
// pages, with its own Print button. It owns the pages and the printer they
// are previewed on, so it stays whole after its print job is gone and
// whatever other previews do, until it is closed: the preview keeps the
// pages it played on its printer, and a second preview playing on the same
// printer would free them.
#pragma once

#include <QPrintPreviewDialog>

#include <memory>

class QPrinter;
class QTextDocument;

class CReportPreviewWnd : public QPrintPreviewDialog {
    Q_OBJECT
public:
    // `setting`: the printer setting the preview starts from (the program's
    // one setting; it is copied, never kept); null: the default printer.
    explicit CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, const QPrinter *setting = nullptr,
                               QWidget *parent = nullptr);
    ~CReportPreviewWnd() override;

    const QTextDocument &Pages() const { return *m_pages; }
    // The pages as a PDF file.
    bool ExportPdf(const QString &path) const;

private:
    CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, std::unique_ptr<QPrinter> printer, QWidget *parent);

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QTextDocument> m_pages;
};
