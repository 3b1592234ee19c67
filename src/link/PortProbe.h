#pragma once

#include <QStringList>

// The serial ports the system offers, in order (names as QSerialPort takes them).
QStringList SystemSerialPorts();

// The candidates that can be opened now, in their order: each is opened the way the link opens a
// port, and closed at once. A port that anyone holds open is left out.
QStringList ProbePorts(const QStringList& candidates = SystemSerialPorts());
