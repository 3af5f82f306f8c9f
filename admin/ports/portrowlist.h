// The rows of a port list: one row per voice port, in ascending port order,
// each with the state's image and the text "Voice Port %3d: {state}". Rows
// are found through an index by port number, never by searching the texts,
// so a burst of trace lines costs a lookup per line whatever the port count.
#pragma once

#include <QString>

#include <map>

class QListWidget;
class QListWidgetItem;

class CPortRowList {
public:
    // How a state already written in braces stands in its 22 places.
    enum BracedAlignment { BracedLeft, BracedRight };
    // The port number a row holds as its item data.
    static constexpr int PortRole = 0x0100; // Qt::UserRole

    CPortRowList(QListWidget &list, BracedAlignment braced);

    // Puts the state on the port's row, making the row when the port is new.
    // A state the table does not know shows its own name and the neutral image.
    void SetPortState(int port, const QString &state);
    void Clear();
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // The row of a port, or -1.
    int RowOf(int port) const;
    static QString RowText(int port, const QString &state, BracedAlignment braced);

private:
    QListWidgetItem *insertRow(int port);

    QListWidget &m_list;
    const BracedAlignment m_braced;
    std::map<int, QListWidgetItem *> m_rows;
};
