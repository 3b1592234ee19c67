#include "link/PortIo.h"

#include <QSerialPort>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace PortIo {

#if defined(Q_OS_UNIX)

bool Purge(qintptr handle) { return tcflush(static_cast<int>(handle), TCIOFLUSH) == 0; }

bool WriteAll(qintptr handle, const QByteArray& bytes) {
    const int fd = static_cast<int>(handle);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n > 0) {
            written += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd writable{fd, POLLOUT, 0};
            if (poll(&writable, 1, 1000) <= 0 || (writable.revents & (POLLERR | POLLHUP | POLLNVAL)))
                return false;
        } else if (n < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

bool Drain(qintptr handle) {
    int result = 0;
    do {
        result = tcdrain(static_cast<int>(handle));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool Drain(QSerialPort& port) { return Drain(port.handle()); }

bool HungUp(qintptr handle) {
    pollfd line{static_cast<int>(handle), POLLIN, 0};
    return poll(&line, 1, 0) < 0 || (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

#else

bool Purge(qintptr) { return false; }
bool WriteAll(qintptr, const QByteArray&) { return false; }
bool Drain(qintptr) { return false; }
bool HungUp(qintptr) { return true; }

bool Drain(QSerialPort& port) {
#if defined(Q_OS_WIN)
    return FlushFileBuffers(port.handle()) != 0;
#else
    return port.bytesToWrite() == 0;
#endif
}

#endif

}  // namespace PortIo
