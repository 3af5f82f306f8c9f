// The longest the user-interface thread goes without handling a 5 ms timer
// between Start and Stop: how long a user would find the program frozen.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

class InterfaceGapMeter {
public:
    InterfaceGapMeter()
    {
        m_ticker.setInterval(5);
        QObject::connect(&m_ticker, &QTimer::timeout,
                         [this] { m_longestMs = std::max(m_longestMs, m_sinceTick.restart()); });
    }
    void Start()
    {
        m_longestMs = 0;
        m_sinceTick.start();
        m_ticker.start();
    }
    // The longest gap, the one still open at the stop included.
    qint64 Stop()
    {
        m_ticker.stop();
        m_longestMs = std::max(m_longestMs, m_sinceTick.elapsed());
        return m_longestMs;
    }

private:
    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    qint64 m_longestMs = 0;
};
