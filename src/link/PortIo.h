#pragma once

#include <QByteArray>
#include <QtGlobal>

class QSerialPort;

// The platform's own calls on an open serial port. Where the platform lets any thread write to the
// port's descriptor (the Unix family), the link sends from the caller's thread and saves two thread
// switches per frame; elsewhere it sends through QSerialPort in its I/O thread.
namespace PortIo {
#if defined(Q_OS_UNIX)
constexpr bool DirectWrite = true;
#else
constexpr bool DirectWrite = false;
#endif

// Discards what the driver holds in both directions.
bool Purge(qintptr handle);
// Writes all bytes, waiting while the driver's queue is full; false on a port error.
bool WriteAll(qintptr handle, const QByteArray& bytes);
// Returns once the written bytes have left the port.
bool Drain(qintptr handle);
// True when the other side is gone (a hang-up or an error on the descriptor). A read that found
// nothing, because a purge took the bytes first, is not a hang-up.
bool HungUp(qintptr handle);
// The same drain on a port that QSerialPort writes (for the platforms without DirectWrite).
bool Drain(QSerialPort& port);
}  // namespace PortIo
