#include "link/PortIo.h"

#include "link/LinkFaults.h"

#include <QFile>
#include <QSerialPort>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace PortIo {

using LinkFaults::CurrentOutputFault;
using LinkFaults::OutputFault;

#if defined(Q_OS_UNIX)

bool Purge(qintptr handle) { return tcflush(static_cast<int>(handle), TCIOFLUSH) == 0; }

qint64 WriteSome(qintptr handle, const char* data, qint64 size) {
    if (CurrentOutputFault() == OutputFault::TakesNothing)
        return 0;
    for (;;) {
        const ssize_t n = ::write(static_cast<int>(handle), data, static_cast<size_t>(size));
        if (n >= 0)
            return n;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

int WaitForRoom(qintptr handle, int ms) {
    if (CurrentOutputFault() == OutputFault::TakesNothing) {
        ::usleep(static_cast<useconds_t>(ms) * 1000);
        return 0;
    }
    pollfd writable{static_cast<int>(handle), POLLOUT, 0};
    const int ready = poll(&writable, 1, ms);
    if (ready < 0)
        return errno == EINTR ? 0 : -1;
    if (writable.revents & (POLLERR | POLLHUP | POLLNVAL))
        return -1;
    return ready > 0 ? 1 : 0;
}

qint64 OutputQueued(qintptr handle) {
    int queued = 0;
    if (ioctl(static_cast<int>(handle), TIOCOUTQ, &queued) != 0)
        return -1;
    if (CurrentOutputFault() == OutputFault::NeverDrains)
        return queued + 1;
    return queued;
}

qint64 OutputQueued(QSerialPort& port) {
    const qint64 queued = OutputQueued(port.handle());
    return queued < 0 ? -1 : queued + port.bytesToWrite();
}

bool HungUp(qintptr handle) {
    pollfd line{static_cast<int>(handle), POLLIN, 0};
    return poll(&line, 1, 0) < 0 || (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool OpensAndCloses(const QString& portName) {
    if (portName.isEmpty())
        return false;
    const QString path = portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
    // Not blocking, so a line without carrier opens at once; no terminal settings are read or written.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool free = isatty(fd) == 1;
#if defined(TIOCGEXCL)
    // An open that the port's exclusive mode did not stop (the superuser's) still finds it taken.
    int exclusive = 0;
    if (free && ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0)
        free = false;
#endif
    ::close(fd);
    return free;
}

#else

bool Purge(qintptr) { return false; }
qint64 WriteSome(qintptr, const char*, qint64) { return -1; }
int WaitForRoom(qintptr, int) { return -1; }
qint64 OutputQueued(qintptr) { return -1; }
bool HungUp(qintptr) { return true; }

#if defined(Q_OS_WIN)

qint64 OutputQueued(QSerialPort& port) {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(static_cast<HANDLE>(port.handle()), &errors, &status))
        return -1;
    const qint64 queued = static_cast<qint64>(status.cbOutQue) + port.bytesToWrite();
    if (CurrentOutputFault() == OutputFault::NeverDrains || CurrentOutputFault() == OutputFault::TakesNothing)
        return queued + 1;
    return queued;
}

bool OpensAndCloses(const QString& portName) {
    if (portName.isEmpty())
        return false;
    const QString path = portName.startsWith(QLatin1String("\\\\.\\")) ? portName : QStringLiteral("\\\\.\\") + portName;
    // Without sharing, so a port that anyone holds open is not opened; its state is not read or set.
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

#else

qint64 OutputQueued(QSerialPort& port) { return port.bytesToWrite(); }
bool OpensAndCloses(const QString&) { return false; }

#endif
#endif

}  // namespace PortIo
