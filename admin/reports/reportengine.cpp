// The report print engine wrapper; see reportengine.h. The engine is
// process-wide because the report windows reach it without a path through
// the application object, as the print engine they stand for was a
// process-wide library.
#include "admin/reports/reportengine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>

namespace {

std::atomic<CReportEngine *> g_currentEngine{nullptr};

QString ReportFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/verbanta/reports");
}

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
    m_open = false;
    m_outputFolder.clear();
}

CReportEngine *CReportEngine::Current()
{
    return g_currentEngine.load();
}
