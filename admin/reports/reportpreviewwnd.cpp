// See reportpreviewwnd.h.
#include "admin/reports/reportpreviewwnd.h"

#include "admin/reports/reportpages.h"
#include "admin/reports/reportpageview.h"
#include "admin/reports/reportprogress.h"
#include "platform/msgbox/msgbox.h"

#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// A printer of the preview's own with the setting's output, printer, paper
// and orientation: a printer that two windows share would mix their jobs.
std::unique_ptr<QPrinter> PrinterLike(const QPrinter *setting)
{
    auto printer = std::make_unique<QPrinter>();
    if (!setting)
        return printer;
    printer->setOutputFormat(setting->outputFormat());
    if (setting->outputFormat() == QPrinter::NativeFormat)
        printer->setPrinterName(setting->printerName());
    printer->setPageLayout(setting->pageLayout());
    return printer;
}

} // namespace

CReportPreviewWnd::CReportPreviewWnd(std::unique_ptr<CReportPages> pages, const QPrinter *setting, QWidget *parent)
    : QDialog(parent), m_printer(PrinterLike(setting)), m_pages(std::move(pages)), m_toolBar(new QToolBar(this)),
      m_view(new CReportPageView(*m_pages, this)), m_pageNumber(new QLabel(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(m_pages->Title());

    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->addAction(QStringLiteral("Print"), this, &CReportPreviewWnd::print);
    m_toolBar->addAction(QStringLiteral("Page Setup"), this, &CReportPreviewWnd::pageSetup);
    m_toolBar->addSeparator();
    m_toolBar->addAction(QStringLiteral("Zoom In"), m_view, &CReportPageView::ZoomIn);
    m_toolBar->addAction(QStringLiteral("Zoom Out"), m_view, &CReportPageView::ZoomOut);
    m_toolBar->addAction(QStringLiteral("Fit Width"), m_view, &CReportPageView::FitWidth);
    m_toolBar->addSeparator();
    m_toolBar->addAction(QStringLiteral("Previous"), this, [this] { m_view->GoToPage(m_view->CurrentPage() - 1); });
    m_toolBar->addAction(QStringLiteral("Next"), this, [this] { m_view->GoToPage(m_view->CurrentPage() + 1); });
    m_toolBar->addWidget(m_pageNumber);
    connect(m_view, &CReportPageView::CurrentPageChanged, this, &CReportPreviewWnd::showPageNumber);
    showPageNumber(0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_view);
}

CReportPreviewWnd::~CReportPreviewWnd() = default;

void CReportPreviewWnd::showPageNumber(int page)
{
    m_pageNumber->setText(QStringLiteral(" Page %1 of %2 ").arg(page + 1).arg(m_pages->PageCount()));
}

void CReportPreviewWnd::print()
{
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_printer->pageLayout() != m_pages->PageLayout())
        m_pages->SetPageLayout(m_printer->pageLayout());
    m_view->PagesChanged();
    CReportProgress progress(QStringLiteral("Printing %1...").arg(windowTitle()), m_pages->PageCount(), this);
    QString error;
    // A file is written by the pages themselves, which check every write.
    const bool printed = m_printer->outputFormat() == QPrinter::PdfFormat
                             ? m_pages->WritePdf(m_printer->outputFileName(), &progress, error)
                             : m_pages->PrintAll(*m_printer, &progress);
    if (printed || progress.WasCancelled())
        return;
    if (error.isEmpty())
        error = QStringLiteral("The report could not be printed on %1.").arg(m_printer->printerName());
    AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
}

void CReportPreviewWnd::pageSetup()
{
    QPageSetupDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pages->SetPageLayout(m_printer->pageLayout());
    m_view->PagesChanged();
    showPageNumber(m_view->CurrentPage());
}

bool CReportPreviewWnd::ExportPdf(const QString &path) const
{
    CReportProgress progress(QStringLiteral("Writing %1...").arg(windowTitle()), m_pages->PageCount());
    QString error;
    return m_pages->WritePdf(path, &progress, error);
}
