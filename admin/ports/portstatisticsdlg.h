// The statistics of one voice port: incoming and outgoing calls, busy time,
// the last call and the times out of service, fetched from the server when
// the dialog opens and again on Refresh. admin and Chanview both open it;
// they differ in the dialog's resource ids and in whether the title names
// the server computer.
#pragma once

#include "platform/mfc/dialog.h"

#include <QString>

class CServerCommandChannel;
class CTclList;
class QTreeWidget;

struct CPortStatisticsLayout {
    int dialogId;
    int closeId;
    int refreshId;
    int listId;
};

class CPortStatisticsDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr CPortStatisticsLayout AdminLayout{247, 1516, 1680, 1683};
    static constexpr CPortStatisticsLayout MonitorLayout{130, 1009, 1010, 1011};
    static constexpr int StatisticCount = 5;

    // `host` empty: the title names the port only.
    CPortStatisticsDlg(int port, CServerCommandChannel *channel, const CPortStatisticsLayout &layout,
                       const QString &host = QString(), QWidget *parent = nullptr);

    // Fetches the figures again and replaces every row.
    void Fill();
    // The value text of the statistic row `row`.
    QString StatisticText(int row) const;
    int RowCount() const;

    // "Last Called" from the server's seconds since 1970.
    static QString LastCalledText(const QString &value);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;

private:
    void showFigures(const QString &reply);
    void showError(const QString &text);
    void addRow(const QString &label, const QString &value);

    const int m_port;
    CServerCommandChannel *m_channel;
    const CPortStatisticsLayout m_layout;
    const QString m_host;
    QTreeWidget *m_list;
};
