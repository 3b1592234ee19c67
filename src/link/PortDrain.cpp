#include "link/PortDrain.h"

#include <QSerialPort>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <termios.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

bool DrainPort(QSerialPort& port) {
#if defined(Q_OS_UNIX)
    int result = 0;
    do {
        result = tcdrain(static_cast<int>(port.handle()));
    } while (result != 0 && errno == EINTR);
    return result == 0;
#elif defined(Q_OS_WIN)
    return FlushFileBuffers(port.handle()) != 0;
#else
    return port.flush() || port.bytesToWrite() == 0;
#endif
}
