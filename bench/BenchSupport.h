#pragma once

// What the measuring programs share: the plain blocking exchange on a pty that serves as the
// baseline, the process's CPU clock, and the result lines.
#include "SimPort.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace bench {

// Plugs the simulated tracker in; false (and why, on stderr) when no pseudo-terminal could be had.
inline bool StartSimulator(SimPort& sim) {
    QString error;
    if (sim.Start(&error))
        return true;
    std::fprintf(stderr, "simulated tracker: %s\n", qPrintable(error));
    return false;
}

inline int OpenRaw(const QString& path) {
    const int fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

// Purges the line, writes a frame and waits until it has left, with plain blocking calls.
inline void PlainSend(int fd, const QByteArray& frame) {
    tcflush(fd, TCIOFLUSH);
    if (write(fd, frame.constData(), static_cast<size_t>(frame.size())) != frame.size())
        std::fprintf(stderr, "short write\n");
    tcdrain(fd);
}

// Reads until `answer` bytes have come, with plain blocking calls.
inline void PlainReceive(int fd, int answer) {
    char buffer[4096];
    int got = 0;
    while (got < answer) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got += static_cast<int>(n);
    }
}

// One exchange: the frame out, `answer` bytes back; microseconds.
inline double PlainExchangeUs(int fd, const QByteArray& frame, int answer) {
    QElapsedTimer clock;
    clock.start();
    PlainSend(fd, frame);
    PlainReceive(fd, answer);
    return static_cast<double>(clock.nsecsElapsed()) / 1000.0;
}

inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall and CPU time of a piece of work.
struct Usage {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double CpuShare() const { return 100.0 * cpuSeconds / wallSeconds; }
};

template <typename Work>
Usage Measure(Work&& work) {
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = CpuSeconds();
    work();
    return {static_cast<double>(wall.nsecsElapsed()) / 1e9, CpuSeconds() - cpuStart};
}

}  // namespace bench
