// The serial settings of an SMDI link or a serial resource: baud rate, data
// bits, parity and stop bits, each kept as an index into its table. Switch-type
// files, integration groups and the Serial Ports page share these tables, so a
// setting written by one is read back by the others through the same names.
#pragma once

#include <QString>
#include <QStringList>

namespace SerialSettings {

inline constexpr int DefaultBaud = 6;     // "9600"
inline constexpr int DefaultDataBits = 1; // "8"
inline constexpr int DefaultParity = 2;   // "NOPARITY"
inline constexpr int DefaultStopBits = 0; // "ONESTOPBIT"

// The texts as the server and the files keep them, in index order.
const QStringList &BaudRates();
const QStringList &DataBits();
const QStringList &ParityNames();
const QStringList &StopBitNames();
// The texts the Serial Ports page offers for parity and stop bits.
const QStringList &ParityLabels();
const QStringList &StopBitLabels();

// The index of `text` in `table` (exact, case-sensitive), or `fallback`.
int Lookup(const QStringList &table, const QString &text, int fallback);
// The text at `index`, or the text at `fallback` for an index outside the table.
QString TextAt(const QStringList &table, int index, int fallback);

} // namespace SerialSettings
