// See reportpreviewwnd.h.
#include "admin/reports/reportpreviewwnd.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

namespace {

// A printer of the preview's own with the setting's output, printer, paper
// and orientation.
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

CReportPreviewWnd::CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, const QPrinter *setting, QWidget *parent)
    : CReportPreviewWnd(std::move(pages), PrinterLike(setting), parent)
{
}

CReportPreviewWnd::CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, std::unique_ptr<QPrinter> printer,
                                     QWidget *parent)
    : QPrintPreviewDialog(printer.get(), parent), m_printer(std::move(printer)), m_pages(std::move(pages))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) { m_pages->print(printer); });
}

CReportPreviewWnd::~CReportPreviewWnd() = default;

bool CReportPreviewWnd::ExportPdf(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(windowTitle());
    writer.setCreator(QStringLiteral("Verbanta admin"));
    m_pages->print(&writer);
    file.close();
    return file.error() == QFileDevice::NoError;
}
