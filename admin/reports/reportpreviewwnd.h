// The window a report is shown in: its pages, scrolled and zoomed, under a
// toolbar whose Print and Page Setup come first, so that they are in sight
// at the window's first size. The window owns the pages and the printer it
// prints on (made from the program's printer setting when it opens), so it
// stays whole after its print job is gone and whatever other previews do,
// until it is closed. Page Setup lays the pages out again on the new paper.
#pragma once

#include <QDialog>

#include <memory>

class CReportPageView;
class CReportPages;
class QAction;
class QLabel;
class QPrinter;
class QToolBar;

class CReportPreviewWnd : public QDialog {
    Q_OBJECT
public:
    // `setting`: the printer setting the preview starts from (the program's
    // one setting; it is copied, never kept); null: the default printer.
    explicit CReportPreviewWnd(std::unique_ptr<CReportPages> pages, const QPrinter *setting = nullptr,
                               QWidget *parent = nullptr);
    ~CReportPreviewWnd() override;

    const CReportPages &Pages() const { return *m_pages; }
    QPrinter *printer() const { return m_printer.get(); }
    QToolBar *ToolBar() const { return m_toolBar; }
    // The pages as a PDF file; false when it cannot be written or the
    // administrator cancelled.
    bool ExportPdf(const QString &path) const;

private:
    void print();
    void pageSetup();
    void showPageNumber(int page);

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CReportPages> m_pages;
    QToolBar *m_toolBar;
    CReportPageView *m_view;
    QLabel *m_pageNumber;
};
