// The report print engine as the application holds it: made closed with the
// application object, opened during start-up, closed when the application
// object goes. Opening the engine means having the folder where reports are
// written ($XDG_DATA_HOME/verbanta/reports); print jobs and their preview
// come with the report windows. One engine is the process-wide engine at a
// time, reachable by the report code through Current().
#pragma once

#include <QString>

class CReportEngine {
public:
    // Made closed.
    CReportEngine();
    // Closes the engine and stops being the process-wide engine.
    ~CReportEngine();
    CReportEngine(const CReportEngine &) = delete;
    CReportEngine &operator=(const CReportEngine &) = delete;

    // True when the engine is open, already or now; false (with the reason
    // in LastError) when it cannot be opened, and it then stays closed.
    bool Open();
    void Close();
    bool IsOpen() const { return m_open; }
    QString LastError() const { return m_lastError; }
    // Where the reports go while the engine is open.
    QString OutputFolder() const { return m_outputFolder; }

    // The process-wide engine, or null when none exists.
    static CReportEngine *Current();

private:
    bool m_open = false;
    QString m_outputFolder;
    QString m_lastError;
};
