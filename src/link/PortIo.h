#pragma once

#include <QString>
#include <QtGlobal>

class QSerialPort;

// The platform's own calls on a serial port. Where the platform lets any thread write to the port's
// descriptor (the Unix family), the link sends from the caller's thread and saves two thread switches
// per frame; elsewhere it sends through QSerialPort in its I/O thread. None of these calls blocks for
// longer than the time it is given, so a port that stops taking data never holds a thread.
namespace PortIo {
#if defined(Q_OS_UNIX)
constexpr bool DirectWrite = true;
#else
constexpr bool DirectWrite = false;
#endif

// Discards what the driver holds in both directions.
bool Purge(qintptr handle);
// Writes what the port's output queue takes now: the count taken (0 when the queue is full), or -1
// on a port error.
qint64 WriteSome(qintptr handle, const char* data, qint64 size);
// Waits at most ms for room in the output queue: 1 when there is room, 0 when there is none yet,
// -1 on a port error or a hang-up.
int WaitForRoom(qintptr handle, int ms);
// The bytes written that have not yet left the port; -1 on a port error.
qint64 OutputQueued(qintptr handle);
// The same for a port that QSerialPort writes (for the platforms without DirectWrite).
qint64 OutputQueued(QSerialPort& port);
// True when the other side is gone (a hang-up or an error on the descriptor). A read that found
// nothing, because a purge took the bytes first, is not a hang-up.
bool HungUp(qintptr handle);
// Opens the port by name or device path and closes it at once, leaving its line settings and modem
// lines as they were. False when it cannot be opened or another program holds it for itself.
bool OpensAndCloses(const QString& portName);
}  // namespace PortIo
