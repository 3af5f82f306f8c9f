// The report print engine; see reportengine.h. The engine is process-wide
// because the report windows reach it without a path through the application
// object, as the print engine they stand for was a process-wide library.
#include "admin/reports/reportengine.h"

#include "admin/reports/reportjob.h"
#include "admin/reports/reportlayout.h"
#include "admin/reports/reportpreviewwnd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QWidget>

#include <atomic>

namespace {

std::atomic<CReportEngine *> g_currentEngine{nullptr};

QString ReportFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/verbanta/reports");
}

// The layouts are resources of the program, never files from outside.
const QString kLayoutFolder = QStringLiteral(":/reports/layouts/");

} // namespace

CReportEngine::CReportEngine()
{
    g_currentEngine.store(this);
}

CReportEngine::~CReportEngine()
{
    Close();
    CReportEngine *self = this;
    g_currentEngine.compare_exchange_strong(self, nullptr);
}

bool CReportEngine::Open()
{
    if (m_open)
        return true;
    const QString folder = ReportFolder();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        m_lastError = QStringLiteral("The report folder %1 can not be created.").arg(folder);
        return false;
    }
    if (!QFileInfo(folder).isWritable()) {
        m_lastError = QStringLiteral("The report folder %1 is not writable.").arg(folder);
        return false;
    }
    m_outputFolder = folder;
    m_lastError.clear();
    m_open = true;
    return true;
}

void CReportEngine::Close()
{
    m_lastError.clear();
    while (!m_jobs.isEmpty())
        delete m_jobs.first(); // takes itself off the list
    for (const QPointer<CReportPreviewWnd> &window : std::as_const(m_previews))
        delete window.data();
    m_previews.clear();
    m_open = false;
    m_outputFolder.clear();
}

QString CReportEngine::DatabasePath() const
{
    return m_open ? m_outputFolder + QStringLiteral("/Reports.MDB") : QString();
}

QString CReportEngine::TemplateFolder() const
{
    return m_open ? m_outputFolder + QStringLiteral("/Template") : QString();
}

CReportJob *CReportEngine::OpenJob(const QString &layoutName)
{
    m_lastError.clear();
    if (!m_open) {
        m_lastError = QStringLiteral("The report engine is not open.");
        return nullptr;
    }
    if (layoutName.isEmpty() || layoutName.contains(QLatin1Char('/')) || layoutName.contains(QLatin1Char('\\'))) {
        m_lastError = QStringLiteral("There is no report layout \"%1\".").arg(layoutName);
        return nullptr;
    }
    QFile file(kLayoutFolder + layoutName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_lastError = QStringLiteral("There is no report layout \"%1\".").arg(layoutName);
        return nullptr;
    }
    QString error;
    std::optional<CReportLayout> layout = CReportLayout::Parse(QString::fromUtf8(file.readAll()), error);
    if (!layout) {
        m_lastError = QStringLiteral("The report layout \"%1\" cannot be used. %2").arg(layoutName, error);
        return nullptr;
    }
    auto *job = new CReportJob(*this, std::move(*layout), DatabasePath());
    m_jobs.append(job);
    return job;
}

QList<CReportPreviewWnd *> CReportEngine::Previews() const
{
    QList<CReportPreviewWnd *> open;
    for (const QPointer<CReportPreviewWnd> &window : m_previews)
        if (window)
            open.append(window.data());
    return open;
}

void CReportEngine::SetPreviewOwner(QWidget *owner)
{
    m_previewOwner = owner;
}

QWidget *CReportEngine::PreviewOwner() const
{
    return m_previewOwner;
}

void CReportEngine::RemoveJob(CReportJob *job)
{
    m_jobs.removeOne(job);
}

void CReportEngine::AddPreview(CReportPreviewWnd *window)
{
    m_previews.removeAll(nullptr);
    m_previews.append(window);
}

QPrinter &CReportEngine::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

CReportEngine *CReportEngine::Current()
{
    return g_currentEngine.load();
}
