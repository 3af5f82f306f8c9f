// See reportpreviewwnd.h.
#include "admin/reports/reportpreviewwnd.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

CReportPreviewWnd::CReportPreviewWnd(std::unique_ptr<QTextDocument> pages, QPrinter *printer, QWidget *parent)
    : QPrintPreviewDialog(printer, parent), m_pages(std::move(pages))
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
